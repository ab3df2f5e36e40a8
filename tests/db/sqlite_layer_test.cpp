// The SQLite access layer: exception texts and codes, statement failures,
// NULL handling, column lookups, re-running queries by assignment, and the
// shared error report.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>
#include <string>

#include "db/error_report.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "factories.h"

namespace {

using db::CppSQLite3DB;
using db::CppSQLite3Exception;
using db::CppSQLite3Query;

TEST(CppSQLite3Exception, CodeNamesMessagesAndCopies) {
  // The ends of the named ranges and codes just outside them; an extended
  // code such as 261 has no name of its own.
  std::string names;
  for (int code : {0, 25, 26, 99, 100, 101, 1000, -1, 261}) names += std::string(CppSQLite3Exception::codeName(code)) + " ";
  EXPECT_EQ(names, "SQLITE_OK SQLITE_RANGE UNKNOWN_ERROR UNKNOWN_ERROR SQLITE_ROW SQLITE_DONE CPPSQLITE_ERROR "
                   "UNKNOWN_ERROR UNKNOWN_ERROR ");
  std::set<std::string> distinct;  // every code in between has a name of its own
  for (int code = 1; code < 25; ++code) distinct.insert(CppSQLite3Exception::codeName(code));
  EXPECT_EQ(distinct.size(), 24u);
  EXPECT_EQ(distinct.count("UNKNOWN_ERROR"), 0u);
  CppSQLite3Exception assigned(5, "x", false);
  assigned = CppSQLite3Exception(1, nullptr, false);
  EXPECT_STREQ(assigned.message(), "SQLITE_ERROR[1]: ") << "an absent text prints as nothing";
  const CppSQLite3Exception closed(1000, "Database not open", false);
  const CppSQLite3Exception copy(closed);
  EXPECT_NE(copy.message(), closed.message()) << "a copy owns its own text";
  EXPECT_STREQ(copy.message(), "CPPSQLITE_ERROR[1000]: Database not open");
}

class SqliteLayer : public ::testing::Test {
 protected:
  void SetUp() override { db_.open(temp_.path()); }
  dbtest::TempDatabase temp_;
  CppSQLite3DB db_;
};

TEST_F(SqliteLayer, FailuresCarryTheirCodeAndText) {
  const std::string badName = "CPPSQLITE_ERROR[1000]: Invalid field name requested";
  const std::string notOpen = "CPPSQLITE_ERROR[1000]: Database not open";
  const std::string cats = "select id, name from OptionSetCategories;";
  // Each row runs on a fresh connection to the copy.
  const struct { const char* name; std::function<void(CppSQLite3DB&)> run; std::string message; } rows[] = {
      {"execute on a closed connection", [](CppSQLite3DB&) { CppSQLite3DB().execute("select 1;"); }, notOpen},
      {"query after close, which may come twice", [](CppSQLite3DB& d) { d.close(), d.close(), d.query("select 1;"); },
       notOpen},
      {"a file that cannot be created", [&](CppSQLite3DB&) { CppSQLite3DB().open(temp_.path() + ".missing/x.db"); },
       "SQLITE_CANTOPEN[14]: unable to open database file"},
      {"query that fails to prepare carries SQLite's text", [](CppSQLite3DB& d) { d.query("selec 1;"); },
       "SQLITE_ERROR[1]: near \"selec\": syntax error"},
      {"execute reports SQLite's own text", [](CppSQLite3DB& d) { d.execute("insert into NoSuchTable values (1);"); },
       "SQLITE_ERROR[1]: no such table: NoSuchTable"},
      {"a constraint failure has its own code", [](CppSQLite3DB& d) { d.execute("insert into Settings (id) values (1);"); },
       "SQLITE_CONSTRAINT[19]: UNIQUE constraint failed: Settings.id"},
      {"a locked file, after the connection's own busy timeout",
       [&](CppSQLite3DB& d) {
         const dbtest::WriteLock lock(temp_.path());
         d.setBusyTimeout(30), d.execute("delete from Settings;");
       },
       "SQLITE_BUSY[5]: database is locked"},
      {"column names compare by case", [&](CppSQLite3DB& d) { d.query(cats).fieldIndex("Name"); }, badName},
      {"a null column name", [&](CppSQLite3DB& d) { d.query(cats).fieldIndex(nullptr); }, badName},
      {"a name past the last column", [&](CppSQLite3DB& d) { d.query(cats).fieldName(2); },
       "CPPSQLITE_ERROR[1000]: Invalid field index requested"},
      {"a query that never ran", [](CppSQLite3DB&) { (void)CppSQLite3Query().getInt(0, 0); },
       "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer"},
      // The second row overflows abs(): the first step succeeds, the second fails.
      {"a failing step",
       [](CppSQLite3DB& d) { d.query("select abs(v) from (select 1 v union all select 1<<63);").nextRow(); },
       "SQLITE_ERROR[1]: integer overflow"},
  };
  EXPECT_EQ(CppSQLite3DB().busyTimeout(), 60000) << "unless told otherwise a connection waits a minute";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CppSQLite3DB connection;
    connection.open(temp_.path());
    try {
      row.run(connection);
      ADD_FAILURE() << "nothing thrown";
    } catch (const CppSQLite3Exception& error) {
      EXPECT_EQ(error.message(), row.message);
      EXPECT_EQ(row.message.find("[" + std::to_string(error.code()) + "]: "), row.message.find('['));
    }
  }
}

TEST_F(SqliteLayer, NullColumnsReturnTheCallersValue) {
  CppSQLite3Query q = db_.query("select NULL as n, 0 as zero, 'text' as t, 2.5 as f;");
  EXPECT_EQ(q.getInt("n", -7), -7);
  EXPECT_EQ(q.getInt("zero", 42), 0) << "a stored 0 is not NULL";
  EXPECT_EQ(q.getString(0, "absent"), "absent");
  EXPECT_DOUBLE_EQ(q.getFloat(0, 1.25), 1.25);
  EXPECT_DOUBLE_EQ(q.getFloat(3, 0.0), 2.5);
  EXPECT_EQ(q.fieldType(0), 5) << "SQLITE_NULL";
}

TEST_F(SqliteLayer, RowsOutliveTheConnectionAndAMovedQueryIsEmpty) {
  EXPECT_EQ(db_.execute("insert into OptionSetCategories (id, name) select 8, 'x' where 0;"), 0) << "no change";
  CppSQLite3Query source = db_.query("select name from OptionSetCategories where id<3 order by id;");
  CppSQLite3Query target;
  target = std::move(source);
  db_.close();
  std::vector<std::string> names;
  for (; !target.eof(); target.nextRow()) names.push_back(target.getString(0, ""));
  EXPECT_EQ(names, (std::vector<std::string>{"Cases", "Cases (Federal)"}));
  EXPECT_THROW(source.nextRow(), CppSQLite3Exception) << "the moved-from query is empty";
}

TEST(ReportException, ShowsMessageLineBreakAndExceptionText) {
  dbtest::MessageRecorder messages;
  int ownerTag = 0;
  auto* owner = reinterpret_cast<platform::WindowHandle>(&ownerTag);
  const platform::WindowHandle previous = db::setMessageOwner(owner);
  // SQLite's own exceptions reach the same boxes in the abbreviation, option
  // and entry type tests, with their exact texts.
  db::reportException(std::runtime_error("There was a problem"), "Could not save.", "Database error");
  db::setMessageOwner(previous);
  EXPECT_EQ(messages.lines(), std::vector<std::string>{"Database error: Could not save.\nThere was a problem"});
  EXPECT_EQ(messages.shown().at(0).owner, owner);
  EXPECT_EQ(messages.shown().at(0).flags, platform::kMbOk) << "OK button, no icon";
}

}  // namespace
