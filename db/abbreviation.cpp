// Loads and inserts one Abbreviation with its long forms.
#include "db/abbreviation.h"

#include <stdexcept>
#include <utility>

#include "db/error_report.h"
#include "db/internal/sql_format.h"
#include "db/internal/string_rows.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/table_names.h"

namespace db {

using internal::sqlFormat;

void Abbreviation::FillStrings(CppSQLite3DB& connection) {
  std::string sql;
  if (id != -1) {
    sql = sqlFormat("select * from %s where name_id=%d and name_type=%d;", kDictionaryStrings, id,
                    kNameTypeLongForm);
  } else if (!name.empty()) {
    // The inner name_type resolves to the outer table's column.
    sql = sqlFormat("select * from %s where name_id=(select id from %s where name=\"%s\" and "
                    "name_type=%d);",
                    kDictionaryStrings, kDictionaryAbbreviations, name.c_str(), kNameTypeLongForm);
  } else {
    throw std::runtime_error(
        "Tried to retrieve abbreviation strings without specifying a name or Id.");
  }
  for (CppSQLite3Query q = connection.query(sql); !q.eof(); q.nextRow()) {
    DString text = internal::stringRow(q);
    longForms.Add(std::move(text));
  }
}

int Abbreviation::InsertToDatabase(CppSQLite3DB& connection) const {
  try {
    const std::string sql =
        sqlFormat("insert into %s (name, dictionary_id, created_by) values (\"%s\", %d, %d);",
                  kDictionaryAbbreviations, name.c_str(), dictionary_id, created_by);
    if (connection.execute(sql) == 0) return 1;
  } catch (const CppSQLite3Exception& error) {
    reportException(error, "Could not store abbreviation string", "Database Error");
  }
  for (const DString& longForm : longForms) {
    try {
      const std::string sql = sqlFormat(
          "insert into %s (name_id, name_type, value, created_by) values ((select id from %s "
          "where name=\"%s\"), %d, \"%s\", %d);",
          kDictionaryStrings, kDictionaryAbbreviations, name.c_str(), kNameTypeLongForm,
          longForm.data(), longForm.created_by);
      if (connection.execute(sql) == 0) return 1;
    } catch (const CppSQLite3Exception& error) {
      reportException(error, "Could not store abbreviation string", "Database Error");
    }
  }
  return 0;
}

}  // namespace db
