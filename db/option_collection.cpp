// Loads an OptionCollection: the set's row, its three tables, the categories.
#include "db/option_collection.h"

#include <stdexcept>
#include <utility>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/internal/sql_format.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/table_names.h"

namespace db {

using internal::sqlFormat;

namespace {

// The one statement that finds a set by name. The name is bound, not placed
// between quotes, so that a set whose name holds a double quote (the main
// dialog stores such names as typed) can be opened and saved like any other.
CppSQLite3Query selectSetByName(CppSQLite3DB& connection, const std::string& name) {
  return connection.query(sqlFormat("select * from %s where name=?;", kOptionSet), {name});
}

}  // namespace

std::optional<std::int32_t> findOptionSetId(const std::string& name) {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  CppSQLite3Query q = selectSetByName(connection, name);
  if (q.eof()) return std::nullopt;
  return q.getInt("id", 0);
}

OptionCollection::OptionCollection(std::int32_t setId) : optionSetId(setId) { Fill(); }

OptionCollection::OptionCollection(std::string setName) : name(std::move(setName)) { Fill(); }

void OptionCollection::Fill() {
  if (optionSetId == -1 && name.empty()) {
    throw std::runtime_error(
        "Tried to fill option collection without supplying identifying information.");
  }
  if (optionSetId == -1) FillPropertiesByName(name);
  FillTables();
  FillCategoryInformation();
}

void OptionCollection::FillPropertiesByName(const std::string& setName) {
  CppSQLite3DB connection;
  try {
    openOperationConnection(connection);
    CppSQLite3Query q = selectSetByName(connection, setName);
    if (q.eof()) {
      connection.execute(sqlFormat("insert into %s (name, readonly) values (?, 0);", kOptionSet), {setName});
      q = selectSetByName(connection, setName);
    }
    if (!q.eof()) {
      optionSetId = q.getInt("id", 0);
      name = q.getString("name", "");
    }
  } catch (const CppSQLite3Exception& error) {
    reportException(error, "Error getting values for option set", "Database Error");
  }
  connection.close();
}

void OptionCollection::FillTables() {
  content.FillWithTable(optionSetId, kOptionSetContent);
  format.FillWithTable(optionSetId, kOptionSetFormat);
  sort.FillWithTable(optionSetId, kOptionSetSort);
}

void OptionCollection::FillCategoryInformation() {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  for (CppSQLite3Query q = connection.query(std::string("select * from ") + kOptionSetCategories);
       !q.eof(); q.nextRow()) {
    Category category;
    category.id = q.getInt("id", 0);
    category.name = q.getString("name", "");
    categories[category.id] = category;
  }
  connection.close();
}

}  // namespace db
