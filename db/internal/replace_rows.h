// The transaction that both dictionary saves run: delete every row of a kind,
// insert the in-memory rows again, and commit, or roll the whole save back and
// show why. In: the delete statements, an insert step and how to show a
// failure. Out: true when committed.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/sqlite_db.h"

namespace db::internal {

// How a failed save is shown, in a message box owned by messageOwner():
// with a message, reportException(error, message, caption); with none, the
// exception's text alone under caption.
struct SaveFailureReport {
  std::string_view message;  // empty: the exception's text alone
  std::string_view caption;
};

// Opens a connection on databasePath(), runs "begin transaction;", each of
// deletes in order, then insertRows on the same connection, and "commit
// transaction;". insertRows signals a failed row by throwing.
// Errors: the save's own failures are not thrown: a CppSQLite3Exception or
// std::exception from any step is shown as report says, then "rollback transaction;" runs (its own failure
// ignored: nothing may have begun) and the result is false. The connection is
// closed either way.
// Example: replaceRows({"delete from T;"}, insertAll, {"Could not save.", "Database Error"})
bool replaceRows(const std::vector<std::string>& deletes,
                 const std::function<void(CppSQLite3DB&)>& insertRows, SaveFailureReport report);

}  // namespace db::internal
