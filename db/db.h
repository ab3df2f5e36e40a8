// The authority database module in one include: SQLite access, strings and
// string lists, entry types and names, abbreviations and option sets.
//
// Errors: every database failure travels as CppSQLite3Exception; the
// program's own checks throw std::runtime_error. The load and save operations
// that the user starts report their failures in message boxes owned by
// messageOwner(); each header says which.
#pragma once

#include "db/abbreviation.h"
#include "db/abbreviation_collection.h"
#include "db/connection.h"
#include "db/entry_name.h"
#include "db/entry_type.h"
#include "db/entry_type_collection.h"
#include "db/error_report.h"
#include "db/option_collection.h"
#include "db/option_keys.h"
#include "db/option_table.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/sqlite_query.h"
#include "db/string_list.h"
#include "db/table_names.h"
#include "db/text.h"
