// Reads DictionaryStrings rows, the long forms and representations that
// abbreviations and entry names own. In: a query positioned on a row. Out: the
// row as a DString.
#pragma once

#include "db/sqlite_query.h"
#include "db/string_list.h"

namespace db::internal {

// The row's value, id, created_by, name_id and name_type; a missing or null
// column reads as "" or 0. Errors: throws CppSQLite3Exception only when the
// query has no current row.
DString stringRow(CppSQLite3Query& row);

}  // namespace db::internal
