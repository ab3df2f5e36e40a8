// lexorda-cite's command line and its failures: what it accepts, and the
// message and status for a bad option, an unreadable or unknown FILE, and a
// missing, unknown-set or locked database.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "db/sqlite_db.h"
#include "tests/db/factories.h"
#include "tools/lexorda_cite/cite_run.h"

namespace {

using lexorda_cite::parseArguments;

struct ArgumentRow {
  const char* name;
  std::vector<std::string> arguments;
  std::string error;  // empty: accepted
  int form = -1;      // expected --form value, -1 none
};

TEST(CiteArguments, AcceptsAndRejects) {
  const ArgumentRow rows[] = {
      {"file alone", {"brief.md"}, ""},
      {"california form", {"--form", "california", "brief.md"}, "", 1},
      {"bluebook form after the file", {"brief.md", "--form", "bluebook"}, "", 0},
      {"unknown form", {"--form", "oscola", "brief.md"}, "unknown citation form \"oscola\" (bluebook or california)"},
      {"flag without value", {"brief.md", "--db"}, "--db needs a value"},
      {"unknown flag", {"--verbose", "brief.md"}, "unknown option --verbose"},
      {"two files", {"a.md", "b.md"}, "only one FILE can be read"},
      {"no file", {"--form", "bluebook"}, "no FILE given"},
      {"nothing", {}, "no FILE given"},
  };
  for (const ArgumentRow& row : rows) {
    SCOPED_TRACE(row.name);
    const auto parsed = parseArguments(row.arguments);
    EXPECT_EQ(parsed.error, row.error);
    if (row.error.empty()) {
      EXPECT_EQ(parsed.options.citationForm.value_or(-1), row.form);
    }
  }
  const auto full = parseArguments({"--db", "/x/t.db", "--option-set", "Brief \"A\"", "--plain-search", "f.qdoc"});
  EXPECT_EQ(full.options.databasePath, "/x/t.db");
  EXPECT_EQ(full.options.optionSet, "Brief \"A\"");
  EXPECT_TRUE(full.options.plainSearch);
  EXPECT_EQ(full.options.file, "f.qdoc");
  EXPECT_EQ(parseArguments({"f.md"}).options.optionSet, "Default");
}

// A copy of the shipped database with a Markdown brief beside it.
class CiteRun : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // Runs with these options and returns the status; out and err kept.
  int run(lexorda_cite::CiteOptions options) {
    if (options.databasePath.empty()) options.databasePath = database_;
    out_.str("");
    err_.str("");
    return lexorda_cite::runCite(options, out_, err_);
  }

  dbtest::TempDatabase temp_;
  const std::string database_ = temp_.path();
  const std::filesystem::path dir_ = std::filesystem::path(database_).parent_path();
  const std::string brief_ = write("brief.md", "See Smith v. Jones, 123 U.S. 456 (1990).\n");
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CiteRun, BadInputIsRefusedBeforeTheDatabase) {
  struct Row {
    const char* name;
    std::string file;
    std::string message;
  } rows[] = {
      {"missing file", (dir_ / "none.md").string(),
       "lexorda-cite: cannot read " + (dir_ / "none.md").string() + ": No such file or directory"},
      {"folder", dir_.string(), "lexorda-cite: cannot read " + dir_.string() + ": Is a directory"},
      {"binary", write("image.png", std::string("\x89PNG\r\n\x1A\n\0\0", 10)),
       "lexorda-cite: " + (dir_ / "image.png").string() + " is neither a native document nor Markdown text"},
      {"broken UTF-8", write("latin1.md", "caf\xE9"),
       "lexorda-cite: " + (dir_ / "latin1.md").string() + " is neither a native document nor Markdown text"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(run({.databasePath = (dir_ / "no.db").string(), .file = row.file}), lexorda_cite::kExitBadInput);
    EXPECT_EQ(err_.str(), row.message + "\n");
    EXPECT_EQ(out_.str(), "");
  }
}

TEST_F(CiteRun, DatabaseFailuresHaveTheirOwnStatus) {
  const std::string missing = (dir_ / "missing.db").string();
  EXPECT_EQ(run({.databasePath = missing, .file = brief_}), lexorda_cite::kExitDatabase);
  EXPECT_EQ(err_.str(), "lexorda-cite: database not found: " + missing + "\n");
  EXPECT_FALSE(std::filesystem::exists(missing)) << "a missing database is not created";

  EXPECT_EQ(run({.optionSet = "No Such Set", .file = brief_}), lexorda_cite::kExitNoOptionSet);
  EXPECT_EQ(err_.str(), "lexorda-cite: no option set named \"No Such Set\" in " + database_ + "\n");
  {
    db::CppSQLite3DB connection;
    connection.open(database_);
    EXPECT_EQ(connection.query("select count(*) from OptionSet where name=\"No Such Set\";").getInt(0, -1), 0)
        << "looking a set up does not create it";
  }

  const std::string notADatabase = write("text.db", std::string(4096, 'x'));
  EXPECT_EQ(run({.databasePath = notADatabase, .file = brief_}), lexorda_cite::kExitDatabase);
  EXPECT_NE(err_.str().find("cannot read the database " + notADatabase), std::string::npos) << err_.str();
  EXPECT_EQ(out_.str(), "");
}

TEST_F(CiteRun, LockedDatabaseExitsWithTwo) {
  db::CppSQLite3DB holder;
  holder.open(database_);
  holder.execute("begin exclusive transaction;");
  EXPECT_EQ(run({.file = brief_}), lexorda_cite::kExitDatabase);
  EXPECT_NE(err_.str().find("cannot read the database " + database_), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("SQLITE_BUSY"), std::string::npos) << err_.str();
  holder.execute("rollback transaction;");
}

TEST_F(CiteRun, LostOutputIsAFailure) {
  std::ostream full(nullptr);  // takes nothing, as a full disk or a closed pipe
  err_.str("");
  EXPECT_EQ(lexorda_cite::runCite({.databasePath = database_, .file = brief_}, full, err_),
            lexorda_cite::kExitOutputLost);
  EXPECT_EQ(err_.str().rfind("lexorda-cite: cannot write standard output: ", 0), 0u) << err_.str();
}

}  // namespace
