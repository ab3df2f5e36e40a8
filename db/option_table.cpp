// Loads an OptionTable column by column by storage class and writes it back
// with one UPDATE.
#include "db/option_table.h"

#include <sqlite3.h>

#include <sstream>
#include <stdexcept>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/internal/sql_format.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"

namespace db {

using internal::sqlFormat;

namespace {
template <typename Map>
typename Map::mapped_type valueOr(const Map& values, const std::string& key) {
  const auto found = values.find(key);
  return found != values.end() ? found->second : typename Map::mapped_type{};
}
}  // namespace

std::int32_t OptionTable::intOption(const std::string& key) const { return valueOr(intValues, key); }
float OptionTable::floatOption(const std::string& key) const { return valueOr(floatValues, key); }
std::string OptionTable::textOption(const std::string& key) const { return valueOr(textValues, key); }

void OptionTable::FillWithTable(std::int32_t setId, const std::string& table) {
  if (setId < 0) throw std::runtime_error("Cannot fill table without specifying valid Id");
  optionSetId = setId;
  tableName = table;
  CppSQLite3DB connection;
  try {
    openOperationConnection(connection);
    const std::string select =
        sqlFormat("select * from %s where optionset_id=%d;", tableName.c_str(), optionSetId);
    CppSQLite3Query q = connection.query(select);
    if (q.eof()) {
      connection.execute(
          sqlFormat("insert into %s (optionset_id) values (%d);", tableName.c_str(), optionSetId));
      q = connection.query(select);
    }
    intValues.clear();
    floatValues.clear();
    textValues.clear();
    // A row that still is not there leaves the maps empty: every key reads 0.
    if (!q.eof()) {
      for (int i = 0; i < q.fieldCount(); ++i) {
        const std::string column = q.fieldName(i);
        switch (q.fieldType(i)) {
          case SQLITE_INTEGER: intValues[column] = q.getInt(i, 0); break;
          case SQLITE_TEXT: textValues[column] = q.getString(i, ""); break;
          case SQLITE_FLOAT: floatValues[column] = static_cast<float>(q.getFloat(i, 0.0)); break;
          default:
            throw std::runtime_error(
                sqlFormat("Unknown column datatype discovered: %s", column.c_str()));
        }
      }
    }
  } catch (const CppSQLite3Exception& error) {
    showExceptionText(error, "Database Error");
    connection.close();
    throw;
  }
  connection.close();
}

std::string OptionTable::BuildSaveQuery() const {
  std::ostringstream sql;
  sql << "update " << tableName << " set ";
  for (const auto& [key, value] : intValues) sql << key << '=' << value << ',';
  for (const auto& [key, value] : floatValues) sql << key << '=' << value << ',';
  for (const auto& [key, value] : textValues) sql << key << "=\"" << value << "\",";
  std::string text = sql.str();
  text.pop_back();
  text += " where optionset_id=" + std::to_string(optionSetId) + ";";
  return text;
}

int OptionTable::SaveToDatabase() const {
  const std::string sql = BuildSaveQuery();
  CppSQLite3DB connection;
  try {
    openOperationConnection(connection);
    const int changed = connection.execute(sql);
    connection.close();
    return changed;
  } catch (const CppSQLite3Exception& error) {
    reportException(error, "Could not save the options.", "Database error");
    connection.close();
    return 0;
  }
}

}  // namespace db
