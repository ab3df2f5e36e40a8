// The authority database module in one include: SQLite access, strings and
// string lists, entry types and names, abbreviations, the import of an older
// dictionary and option sets.
//
// Errors: below the user's operations every database failure travels as
// CppSQLite3Exception and the program's own checks (a load without an id or
// name) throw std::runtime_error with a fixed English text. The few load and
// save operations that a user's operation calls directly show their failure
// in a message box owned by messageOwner() and report it in their result;
// each header names the channel of each operation.
#pragma once

#include "db/abbreviation.h"
#include "db/abbreviation_collection.h"
#include "db/connection.h"
#include "db/dictionary_import.h"
#include "db/entry_name.h"
#include "db/entry_type.h"
#include "db/entry_type_collection.h"
#include "db/error_report.h"
#include "db/option_collection.h"
#include "db/option_keys.h"
#include "db/option_set_names.h"
#include "db/option_table.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/sqlite_query.h"
#include "db/string_list.h"
#include "db/table_names.h"
#include "db/text.h"
