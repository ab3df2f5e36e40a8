// lexorda-cite's command line and its failures: what it accepts, and the
// message and status for a bad option, an unreadable, empty or unknown FILE,
// a damaged document (cut short anywhere, or a byte changed), and a missing,
// unknown-set or locked database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "db/sqlite_db.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
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
  const auto help = parseArguments({"--help", "--verbose"});
  EXPECT_TRUE(help.help && help.error.empty()) << "--help needs no FILE and stops the parse";
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
       "lexorda-cite: " + (dir_ / "image.png").string() + ": not a Quillon document or a Markdown file"},
      {"broken UTF-8", write("latin1.md", "caf\xE9"),
       "lexorda-cite: " + (dir_ / "latin1.md").string() + ": not a Quillon document or a Markdown file"},
      {"empty, as a failed save leaves it", write("empty.qdoc", ""),
       "lexorda-cite: " + (dir_ / "empty.qdoc").string() + ": not a Quillon document or a Markdown file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(run({.databasePath = (dir_ / "no.db").string(), .file = row.file}), lexorda_cite::kExitBadInput);
    EXPECT_EQ(err_.str(), row.message + "\n");
    EXPECT_EQ(out_.str(), "");
  }
}

// The saved example brief with a byte changed that the host rejects, or cut
// at every 97th byte: the host refuses it, and the tool reports the damage
// no later than the changed byte or the cut, with the JSON of what it read.
// (A whole saved brief exits 0: tools.lexorda_cite.markdown_brief.)
TEST_F(CiteRun, DamagedDocumentIsNeverReadAsAShorterOne) {
  std::ifstream example(LEXORDA_EXAMPLE_BRIEF, std::ios::binary);
  quillon::doc::Document document(quillon::format::importMarkdown(
      std::string(std::istreambuf_iterator<char>(example), std::istreambuf_iterator<char>())).content);
  const std::string saved = quillon::format::writeNative(document);
  auto flipped = [&](std::size_t at, char bit) { return std::string(saved).replace(at, 1, 1, saved[at] ^ bit); };
  // The main text begins "No. 25-6417", a hard return and bold on (F2 0C F2).
  const std::size_t bold = saved.find("25-6417\xCC\xF2\x0C\xF2") + 8;
  std::vector<std::pair<std::string, std::size_t>> probes = {{flipped(8, 0x10), 8},  // the version
                                                             {flipped(bold + 2, 0x01), bold}};  // F2 0C F3
  for (std::size_t cut = 97; cut < saved.size(); cut += 97) probes.emplace_back(saved.substr(0, cut), cut);
  // About damage, not recognition: an empty dictionary keeps 550 runs quick.
  temp_.exec("delete from DictionaryEntryNames;");
  temp_.exec("delete from DictionaryStrings;");
  for (const auto& [file, atMost] : probes) {
    SCOPED_TRACE("damage at or before " + std::to_string(atMost));
    EXPECT_THROW(quillon::format::readNative(file), quillon::format::FormatError) << "the host opens it";
    EXPECT_EQ(run({.file = write("brief.qdoc", file)}), lexorda_cite::kExitDamaged);
    std::size_t at = atMost + 1;
    (void)std::sscanf(err_.str().c_str(), "lexorda-cite: document is damaged at byte %zu;", &at);
    EXPECT_EQ(err_.str(), "lexorda-cite: document is damaged at byte " + std::to_string(std::min(at, atMost)) +
                              "; the citations read before it are listed\n");
    EXPECT_TRUE(out_.str().ends_with("],\"damaged\":true,\"damagedAt\":" + std::to_string(at) + "}\n"));
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
