// The SQLite access layer: exception texts and codes, statement failures,
// NULL handling, column lookups and re-running queries by assignment.
#include <gtest/gtest.h>

#include <functional>
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

const std::string kNullVm = "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer";

// Runs fn and returns the message of the CppSQLite3Exception it throws.
template <typename Fn>
std::string thrownMessage(Fn fn, int* code = nullptr) {
  try {
    fn();
  } catch (const CppSQLite3Exception& error) {
    if (code) *code = error.code();
    return error.message();
  }
  return "<nothing thrown>";
}

TEST(CppSQLite3Exception, CodeNames) {
  struct Row {
    int code;
    const char* name;
  };
  const Row rows[] = {
      {0, "SQLITE_OK"},         {1, "SQLITE_ERROR"},     {2, "SQLITE_INTERNAL"},
      {3, "SQLITE_PERM"},       {4, "SQLITE_ABORT"},     {5, "SQLITE_BUSY"},
      {6, "SQLITE_LOCKED"},     {7, "SQLITE_NOMEM"},     {8, "SQLITE_READONLY"},
      {9, "SQLITE_INTERRUPT"},  {10, "SQLITE_IOERR"},    {11, "SQLITE_CORRUPT"},
      {12, "SQLITE_NOTFOUND"},  {13, "SQLITE_FULL"},     {14, "SQLITE_CANTOPEN"},
      {15, "SQLITE_PROTOCOL"},  {16, "SQLITE_EMPTY"},    {17, "SQLITE_SCHEMA"},
      {18, "SQLITE_TOOBIG"},    {19, "SQLITE_CONSTRAINT"}, {20, "SQLITE_MISMATCH"},
      {21, "SQLITE_MISUSE"},    {22, "SQLITE_NOLFS"},    {23, "SQLITE_AUTH"},
      {24, "SQLITE_FORMAT"},    {25, "SQLITE_RANGE"},    {100, "SQLITE_ROW"},
      {101, "SQLITE_DONE"},     {1000, "CPPSQLITE_ERROR"},
      {26, "UNKNOWN_ERROR"},    {99, "UNKNOWN_ERROR"},   {-1, "UNKNOWN_ERROR"},
      {261, "UNKNOWN_ERROR"},  // an extended code has no name of its own
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_STREQ(CppSQLite3Exception::codeName(row.code), row.name);
  }
}

TEST(CppSQLite3Exception, MessageFormatAndCopies) {
  const CppSQLite3Exception closed(1000, "Database not open", false);
  EXPECT_EQ(closed.code(), 1000);
  EXPECT_STREQ(closed.message(), "CPPSQLITE_ERROR[1000]: Database not open");
  const CppSQLite3Exception noText(1, nullptr, false);
  EXPECT_STREQ(noText.message(), "SQLITE_ERROR[1]: ") << "an absent text prints as nothing";

  const CppSQLite3Exception copy(closed);
  EXPECT_STREQ(copy.message(), closed.message());
  EXPECT_NE(copy.message(), closed.message()) << "a copy owns its own text";
  CppSQLite3Exception assigned(5, "x", false);
  assigned = noText;
  EXPECT_EQ(assigned.code(), 1);
  EXPECT_STREQ(assigned.message(), "SQLITE_ERROR[1]: ");
}

class SqliteLayer : public ::testing::Test {
 protected:
  void SetUp() override { db_.open(temp_.path()); }
  dbtest::TempDatabase temp_;
  CppSQLite3DB db_;
};

TEST_F(SqliteLayer, FailuresCarryTheirCodeAndText) {
  const std::string badName = "CPPSQLITE_ERROR[1000]: Invalid field name requested";
  const std::string badIndex = "CPPSQLITE_ERROR[1000]: Invalid field index requested";
  const std::string notOpen = "CPPSQLITE_ERROR[1000]: Database not open";
  const std::string cats = "select id, name from OptionSetCategories;";
  struct Row {
    const char* name;
    std::function<void(CppSQLite3DB&)> run;  // on a fresh connection to the copy
    std::string message;
  };
  const Row rows[] = {
      {"execute on a closed connection", [](CppSQLite3DB&) { CppSQLite3DB().execute("select 1;"); }, notOpen},
      {"query after close, which may come twice",
       [](CppSQLite3DB& d) { d.close(), d.close(), d.query("select 1;"); }, notOpen},
      {"a file that cannot be created",
       [&](CppSQLite3DB&) { CppSQLite3DB().open((temp_.dir() / "missing" / "x.db").string()); },
       "SQLITE_CANTOPEN[14]: unable to open database file"},
      {"query that fails to prepare ends after the colon",
       [](CppSQLite3DB& d) { d.query("selec id from Settings;"); }, "SQLITE_ERROR[1]: "},
      {"execute reports SQLite's own text",
       [](CppSQLite3DB& d) { d.execute("insert into NoSuchTable values (1);"); },
       "SQLITE_ERROR[1]: no such table: NoSuchTable"},
      {"a value with a double quote breaks the statement it stands in",
       [](CppSQLite3DB& d) { d.execute("insert into OptionSet (name, readonly) values (\"Say \"hi\"\", 0);"); },
       "SQLITE_ERROR[1]: near \"hi\": syntax error"},
      {"a constraint failure has its own code",
       [](CppSQLite3DB& d) { d.execute("insert into Settings (id) values (1);"); },
       "SQLITE_CONSTRAINT[19]: UNIQUE constraint failed: Settings.id"},
      {"a locked file, after the connection's own busy timeout",
       [&](CppSQLite3DB& d) {
         d.execute("begin immediate transaction;");
         CppSQLite3DB other;
         other.setBusyTimeout(30);
         other.open(temp_.path());
         other.execute("delete from OptionSetCategories;");
       },
       "SQLITE_BUSY[5]: database is locked"},
      {"column names compare by case", [&](CppSQLite3DB& d) { d.query(cats).fieldIndex("Name"); }, badName},
      {"a null column name", [&](CppSQLite3DB& d) { d.query(cats).fieldIndex(nullptr); }, badName},
      {"a value by a wrong name", [&](CppSQLite3DB& d) { d.query(cats).getInt("ID", 0); }, badName},
      {"a name past the last column", [&](CppSQLite3DB& d) { d.query(cats).fieldName(2); }, badIndex},
      {"a negative column", [&](CppSQLite3DB& d) { d.query(cats).fieldType(-1); }, badIndex},
      {"a value past the last column", [&](CppSQLite3DB& d) { d.query(cats).getString(7, ""); }, badIndex},
      {"a query that never ran", [](CppSQLite3DB&) { (void)CppSQLite3Query().getInt(0, 0); }, kNullVm},
  };
  EXPECT_EQ(CppSQLite3DB().busyTimeout(), 60000) << "unless told otherwise a connection waits a minute";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CppSQLite3DB connection;
    connection.open(temp_.path());
    int code = 0;
    EXPECT_EQ(thrownMessage([&] { row.run(connection); }, &code), row.message);
    EXPECT_EQ(row.message.find("[" + std::to_string(code) + "]: "), row.message.find('[')) << "code() " << code;
  }
}

TEST_F(SqliteLayer, ExecuteReturnsTheChangeCount) {
  EXPECT_EQ(db_.execute("insert into Settings (id, selected_option_set) select 2, 0 where 0;"), 0)
      << "an INSERT that inserts nothing returns 0 without throwing";
  EXPECT_EQ(db_.execute("insert into OptionSetCategories (id, name) values (7, 'Rules');"), 1);
  EXPECT_EQ(db_.execute("update OptionSetCategories set name='x' where id>3;"), 4);
}

TEST_F(SqliteLayer, NullColumnsReturnTheCallersValue) {
  CppSQLite3Query q = db_.query("select NULL as n, 0 as zero, 'text' as t, 2.5 as f;");
  ASSERT_FALSE(q.eof());
  EXPECT_EQ(q.getInt(0, 42), 42);
  EXPECT_EQ(q.getInt("n", -7), -7);
  EXPECT_EQ(q.getInt("zero", 42), 0) << "a stored 0 is not NULL";
  EXPECT_EQ(q.getString(0, "absent"), "absent");
  EXPECT_EQ(q.getString("t", "absent"), "text");
  EXPECT_DOUBLE_EQ(q.getFloat(0, 1.25), 1.25);
  EXPECT_DOUBLE_EQ(q.getFloat(3, 0.0), 2.5);
  EXPECT_EQ((std::vector<int>{q.fieldType(0), q.fieldType(1), q.fieldType(2), q.fieldType(3)}),
            (std::vector<int>{5, 1, 3, 2}));
}

TEST_F(SqliteLayer, RowsAreReadInOrderEvenAfterTheConnectionCloses) {
  CppSQLite3Query q = db_.query("select id, name from OptionSetCategories order by id;");
  EXPECT_EQ(q.fieldCount(), 2);
  EXPECT_EQ(q.fieldIndex("name"), 1);
  EXPECT_EQ(q.fieldName(0), "id");
  db_.close();
  std::vector<std::string> names;
  for (; !q.eof(); q.nextRow()) names.push_back(q.getString(1, ""));
  EXPECT_EQ(names, (std::vector<std::string>{"Cases", "Cases (Federal)", "Cases (State)", "Statutes",
                                             "Statutes (Federal)", "Statutes (State)"}));
}

TEST_F(SqliteLayer, AssignmentRerunsAQueryAndEmptiesTheSource) {
  const std::string count = "select count(*) from OptionSetCategories;";
  CppSQLite3Query q = db_.query(count);
  EXPECT_EQ(q.getInt(0, -1), 6);
  db_.execute("insert into OptionSetCategories (id, name) values (7, 'Rules');");
  q = db_.query(count);
  EXPECT_EQ(q.getInt(0, -1), 7);

  CppSQLite3Query source = db_.query("select name from OptionSetCategories where id=1;");
  CppSQLite3Query target;
  target = std::move(source);
  EXPECT_EQ(target.getString(0, ""), "Cases");
  EXPECT_EQ(thrownMessage([&] { (void)source.eof(); }), kNullVm);
  EXPECT_EQ(thrownMessage([&] { source.nextRow(); }), kNullVm);
  EXPECT_EQ(thrownMessage([&] { (void)source.fieldCount(); }), kNullVm);
}

TEST_F(SqliteLayer, AFailingStepFinalizesTheQuery) {
  // The second row overflows abs(): the first step succeeds, the second fails.
  CppSQLite3Query q =
      db_.query("select abs(v) from (select 1 as v union all select -9223372036854775807 - 1);");
  EXPECT_EQ(q.getInt(0, 0), 1);
  EXPECT_EQ(thrownMessage([&] { q.nextRow(); }), "SQLITE_ERROR[1]: integer overflow");
  EXPECT_EQ(thrownMessage([&] { (void)q.eof(); }), kNullVm);
  // Destroying it afterwards must not throw: the test would abort if it did.
}

TEST(ReportException, ShowsMessageLineBreakAndExceptionText) {
  dbtest::MessageRecorder messages;
  int ownerTag = 0;
  auto* owner = reinterpret_cast<platform::WindowHandle>(&ownerTag);
  const platform::WindowHandle previous = db::setMessageOwner(owner);
  db::reportException(CppSQLite3Exception(5, "database is locked", false), "Could not save abbreviations.",
                      "Database Error");
  db::reportException(std::runtime_error("There was a problem saving the Abbreviations"),
                      "Could not save abbreviations.", "Database error");
  db::showExceptionText(CppSQLite3Exception(1000, "Database not open", false), "Database error");
  EXPECT_EQ(db::setMessageOwner(previous), owner);

  EXPECT_EQ(messages.lines(),
            (std::vector<std::string>{
                "Database Error: Could not save abbreviations.\nSQLITE_BUSY[5]: database is locked",
                "Database error: Could not save abbreviations.\nThere was a problem saving the Abbreviations",
                "Database error: CPPSQLITE_ERROR[1000]: Database not open"}));
  ASSERT_FALSE(messages.shown().empty());
  EXPECT_EQ(messages.shown()[0].owner, owner);
  EXPECT_EQ(messages.shown()[0].flags, platform::kMbOk) << "OK button, no icon";
}

}  // namespace
