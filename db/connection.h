// Where the dictionary and option-set operations find their database. In: the
// path the plug-in sets once it knows its installation folder. Out: a freshly
// opened connection for each operation.
#pragma once

#include <string>

#include "db/sqlite_db.h"

namespace db {

// The full path of "tabauth3.db" that every operation opens. Process-wide:
// the plug-in sets it from the registry before the main dialog opens; tests
// point it at their own copy of the file.
const std::string& databasePath();
void setDatabasePath(std::string path);

// The busy timeout of the connections that operations open;
// kDefaultBusyTimeoutMs unless changed (tests shorten it to meet a lock
// quickly).
int operationBusyTimeoutMs();
void setOperationBusyTimeoutMs(int milliseconds);

// Opens connection on databasePath() with the operation busy timeout.
// Errors: throws CppSQLite3Exception.
void openOperationConnection(CppSQLite3DB& connection);

}  // namespace db
