// Reads one DictionaryStrings row into a DString.
#include "db/internal/string_rows.h"

#include <utility>

namespace db::internal {

DString stringRow(CppSQLite3Query& row) {
  DString text(row.getString("value", ""));
  text.id = row.getInt("id", 0);
  text.created_by = row.getInt("created_by", 0);
  text.name_id = row.getInt("name_id", 0);
  text.name_type = row.getInt("name_type", 0);
  return text;
}

}  // namespace db::internal
