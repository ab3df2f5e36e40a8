// The README's two commands as a user runs them: the bundled example brief
// gets its Table of Authorities at the cursor (on its empty table page) and
// in a new document, through the plug-in's real dialog pressed by the staged
// host. The table must equal the golden that the in-process run is held to,
// so the plug-in as installed behaves as the code under test does.
//
// Its PDF as a reader meets it, read back by poppler's own tools: the table
// page says what the paged text says, every hyperlinked page number is a
// link, and each link opens the page whose number it shows, a page holding an
// occurrence of the authority. The table page is rendered to build/screenshots/
// for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/e2e/staged_run.h"
#include "tests/platform/fixtures.h"
#include "tests/quillon/fixtures.h"
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

std::string poppler(const std::string& tool, const std::vector<std::string>& arguments) {
  const auto result = quillon_test::runProgram("/usr/bin/" + tool, arguments);
  EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.err;
  return result.out;
}

// The words in order, each dot leader cut to "...": the PDF sets its dots on
// a grid, the paged text fills the gap exactly.
std::string words(const std::string& text) {
  const std::string leaders = std::regex_replace(" " + text + " ", std::regex("\\.{3,}"), " ... ");
  return std::regex_replace(leaders, std::regex("\\s+"), " ");
}

TEST_F(ExampleTable, TablePageReadsAsTheTextAndItsPageNumbersOpenTheirPages) {
  // An installation of the test's own: the script checks "Hyperlink page numbers" in its option set.
  useOwnInstallation();
  const e2e::StagedRun run = this->run(
      {LEXORDA_SOURCE_DIR "/examples/appellate-brief.md", "--after-paragraph", "25", "--invoke", "Velmor TOA",
       "--press", "Edit", "--tab", "Formatting", "--check", "Hyperlink page numbers", "--press", "OK", "--press",
       "Create Table at Cursor", "--answer", "yes", "--name", file("brief.qdoc"), "--export-text", file("brief.txt"),
       "--export-markdown", file("brief.md"), "--export-pdf", file("brief.pdf"), "--bookmarks"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string text = platform_test::readFile(file("brief.txt"));
  const std::size_t title = text.find("TABLE OF AUTHORITIES"), start = text.rfind('\f', title) + 1;
  ASSERT_NE(title, std::string::npos);
  const std::string page = std::to_string(std::count(text.begin(), text.begin() + long(title), '\f') + 1);
  EXPECT_EQ(words(poppler("pdftotext", {"-layout", "-f", page, "-l", page, file("brief.pdf"), "-"})),
            words(text.substr(start, text.find('\f', title) - start)));

  // Physical page -> logical number, for pages holding an occurrence mark.
  std::map<std::string, std::string> occurrencePages;
  const std::regex mark("bookmark XTOA~CIT~.*~[0-9]+ page ([0-9]+) physical ([0-9]+)\n");
  for (std::sregex_iterator m(run.out.begin(), run.out.end(), mark), end; m != end; ++m)
    occurrencePages[(*m)[2]] = (*m)[1];
  const std::string xml = poppler("pdftohtml", {"-xml", "-i", "-stdout", file("brief.pdf")});
  const std::regex link("<a href=\"[^\"#]*#([0-9]+)\">([0-9]+)");
  int links = 0;
  for (std::sregex_iterator m(xml.begin(), xml.end(), link), end; m != end; ++m, ++links)
    EXPECT_EQ(occurrencePages[(*m)[1]], (*m)[2]) << "the link to page " << (*m)[1] << " names another page";
  const std::string markdown = platform_test::readFile(file("brief.md"));
  const std::regex pageLink("\\]\\(#XTOA~");
  EXPECT_EQ(links, std::distance(std::sregex_iterator(markdown.begin(), markdown.end(), pageLink), {}));
  EXPECT_GT(links, 100);

  std::filesystem::create_directories(LEXORDA_SCREENSHOT_DIR);
  poppler("pdftoppm", {"-f", page, "-l", page, "-r", "80", "-png", "-singlefile", file("brief.pdf"),
                       LEXORDA_SCREENSHOT_DIR "/example-table-page"});
}

// "Appellate Brief" gives each kind of authority the brief cites its own
// section, in the set's order; the Default table is held to the goldens above.
TEST_F(ExampleTable, AppellateBriefListsEachKindInItsOwnSection) {
  // The dialog stores the chosen set in the database: a copy of its own keeps
  // "Default" chosen for the other tests.
  useOwnInstallation();
  const StagedRun run = this->run({std::string(LEXORDA_SOURCE_DIR) + "/examples/appellate-brief.md", "--invoke",
                                   "Velmor TOA", "--select", "Appellate Brief", "--press", "Create Table to File",
                                   "--answer", "yes", "--name", file("brief.qdoc"), "--export-text", file("a.txt")});
  const std::string text = readFile(file("a.txt"));
  for (std::size_t at = 0; const char* name : {"CASES", "CONSTITUTIONAL PROVISIONS", "STATUTES", "RULES",
                                                "REGULATIONS", "OTHER AUTHORITIES"})
    EXPECT_NE(at = text.find("\n" + std::string(name) + "\n", at), std::string::npos) << name << run.err;
}

}  // namespace
