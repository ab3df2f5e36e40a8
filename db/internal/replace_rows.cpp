// Runs a delete-then-insert save in one transaction, rolling back on failure.
#include "db/internal/replace_rows.h"

#include <exception>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/sqlite_exception.h"

namespace db::internal {
namespace {

template <typename Error>
void show(const Error& error, SaveFailureReport report) {
  if (report.message.empty()) {
    showExceptionText(error, report.caption);
  } else {
    reportException(error, report.message, report.caption);
  }
}

}  // namespace

bool replaceRows(const std::vector<std::string>& deletes,
                 const std::function<void(CppSQLite3DB&)>& insertRows, SaveFailureReport report) {
  CppSQLite3DB connection;
  const auto fail = [&](const auto& error) {
    show(error, report);
    try {
      connection.execute("rollback transaction;");
    } catch (const CppSQLite3Exception&) {
      // Nothing was begun, or the connection never opened: nothing to undo.
    }
    connection.close();
    return false;
  };
  try {
    openOperationConnection(connection);
    connection.execute("begin transaction;");
    for (const std::string& sql : deletes) connection.execute(sql);
    insertRows(connection);
    connection.execute("commit transaction;");
  } catch (const CppSQLite3Exception& error) {
    return fail(error);
  } catch (const std::exception& error) {
    return fail(error);
  }
  connection.close();
  return true;
}

}  // namespace db::internal
