// Reads and writes the option set names and the remembered choice for the
// main dialog, one connection per call.
#include "db/option_set_names.h"

#include <stdexcept>

#include "db/connection.h"

namespace db {

std::vector<std::string> loadOptionSetNames() {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  CppSQLite3Query query = connection.query("select name from optionset;");
  if (query.eof()) throw std::runtime_error(kNoOptionSetsMessage);
  std::vector<std::string> names;
  for (; !query.eof(); query.nextRow()) names.push_back(query.getString("name", ""));
  return names;
}

int storedOptionSetSelection() {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  CppSQLite3Query query = connection.query("select selected_option_set from Settings where id=1;");
  return query.eof() ? 0 : query.getInt("selected_option_set", 0);
}

void storeOptionSetSelection(int position) {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  connection.execute("update settings set selected_option_set=" + std::to_string(position) +
                     " where id=1;");
}

int insertOptionSetName(const std::string& name) {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  return connection.execute("insert into optionset (name) values (?);", {name});
}

int deleteOptionSetName(const std::string& name) {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  return connection.execute("delete from optionset where name=?;", {name});
}

}  // namespace db
