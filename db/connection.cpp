// Holds the process-wide database path and opens operation connections on it.
#include "db/connection.h"

#include <utility>

namespace db {
namespace {

struct ConnectionSettings {
  std::string path;
  int busyTimeoutMs = kDefaultBusyTimeoutMs;
};

ConnectionSettings& settings() {
  static ConnectionSettings value;
  return value;
}

}  // namespace

const std::string& databasePath() { return settings().path; }

void setDatabasePath(std::string path) { settings().path = std::move(path); }

int operationBusyTimeoutMs() { return settings().busyTimeoutMs; }

void setOperationBusyTimeoutMs(int milliseconds) { settings().busyTimeoutMs = milliseconds; }

void openOperationConnection(CppSQLite3DB& connection) {
  connection.setBusyTimeout(operationBusyTimeoutMs());
  connection.open(databasePath());
}

}  // namespace db
