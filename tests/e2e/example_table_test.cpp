// The README's two commands as a user runs them: the bundled example brief
// gets its Table of Authorities at the cursor (on its empty table page) and
// in a new document, through the plug-in's real dialog pressed by the staged
// host. The table must equal the golden that the in-process run is held to,
// so the plug-in as installed behaves as the code under test does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/staged_run.h"
#include "tests/platform/fixtures.h"
#include "tests/table/golden_lines.h"

namespace {

using e2e::StagedRun;
using platform_test::readFile;

class ExampleTable : public e2e::StagedHost {};

TEST_F(ExampleTable, AtTheCursorAndToAFileAsTheReadmeRunsThem) {
  const std::string goldens = std::string(LEXORDA_SOURCE_DIR) + "/tests/table/golden/";
  const std::string brief = std::string(LEXORDA_SOURCE_DIR) + "/examples/appellate-brief.md";
  const struct {
    const char* press;
    std::vector<std::string> placement;
    bool wholeDocument;  // to a file the exported document is the table alone
    const char* golden;
  } rows[] = {
      {"Create Table at Cursor", {"--after-paragraph", "25"}, false, "at_cursor.txt"},
      {"Create Table to File", {}, true, "to_file.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.press);
    const std::string exported = file("exported.txt");
    std::vector<std::string> arguments{brief};
    arguments.insert(arguments.end(), row.placement.begin(), row.placement.end());
    const std::vector<std::string> rest{"--invoke", "Velmor TOA", "--press", row.press, "--answer", "yes",
                                        "--name", file("brief.qdoc"), "--export-text", exported};
    arguments.insert(arguments.end(), rest.begin(), rest.end());
    const StagedRun run = this->run(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    // An imported brief has never been saved: the one question, answered Yes.
    EXPECT_EQ(run.err,
              "message: Lexorda: You must save the document before generating a table. Would you like to "
              "save now? -> yes\n");
    const std::string text = readFile(exported);
    golden::expectSameLines(row.golden, readFile(goldens + row.golden),
                            row.wholeDocument ? text : golden::tableRegion(text));
  }
}

// "Appellate Brief" gives each kind of authority the brief cites its own
// section, in the set's order; the Default table is held to the goldens above.
TEST_F(ExampleTable, AppellateBriefListsEachKindInItsOwnSection) {
  // The dialog stores the chosen set in the database: a copy of its own keeps
  // "Default" chosen for the other tests.
  std::filesystem::copy(LEXORDA_INSTALL_DIR, file("Lexorda"), std::filesystem::copy_options::recursive);
  setValue("Software\\Velmor\\Lexorda\\1.0", "installPath", file("Lexorda") + "/");
  const StagedRun run = this->run({std::string(LEXORDA_SOURCE_DIR) + "/examples/appellate-brief.md", "--invoke",
                                   "Velmor TOA", "--select", "Appellate Brief", "--press", "Create Table to File",
                                   "--answer", "yes", "--name", file("brief.qdoc"), "--export-text", file("a.txt")});
  const std::string text = readFile(file("a.txt"));
  // Once other authorities are recognised, "OTHER AUTHORITIES" follows "REGULATIONS".
  for (std::size_t at = 0; const char* name : {"CASES", "CONSTITUTIONAL PROVISIONS", "STATUTES", "RULES", "REGULATIONS"})
    EXPECT_NE(at = text.find("\n" + std::string(name) + "\n", at), std::string::npos) << name << run.err;
}

}  // namespace
