// The example brief's PDF as a reader meets it, read back by poppler's own
// tools: the table page says what the paged text says, every hyperlinked page
// number is a link, and each link opens the page whose number it shows, a
// page holding an occurrence of the authority. The table page is rendered to
// build/screenshots/ for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/staged_run.h"
#include "tests/platform/fixtures.h"
#include "tests/quillon/fixtures.h"

namespace {

std::string poppler(const std::string& tool, const std::vector<std::string>& arguments) {
  const auto result = quillon_test::runProgram("/usr/bin/" + tool, arguments);
  EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.err;
  return result.out;
}

// Non-empty lines with blanks collapsed and each dot leader cut to "...":
// the PDF sets its dots on a grid, the paged text fills the gap exactly.
std::vector<std::string> normalized(const std::string& page) {
  std::vector<std::string> lines;
  std::istringstream in(std::regex_replace(page, std::regex("\\.{3,}"), " ... "));
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string out, word;
    while (words >> word) out += (out.empty() ? "" : " ") + word;
    if (!out.empty()) lines.push_back(out);
  }
  return lines;
}

class ExamplePdf : public e2e::StagedHost {};

TEST_F(ExamplePdf, TablePageReadsAsTheTextAndItsPageNumbersOpenTheirPages) {
  // An installation of the test's own: the script checks "Hyperlink page numbers" in its option set.
  std::filesystem::copy(LEXORDA_INSTALL_DIR, file("Lexorda"), std::filesystem::copy_options::recursive);
  setValue("Software\\Velmor\\Lexorda\\1.0", "installPath", file("Lexorda") + "/");
  const e2e::StagedRun run = this->run(
      {LEXORDA_SOURCE_DIR "/examples/appellate-brief.md", "--after-paragraph", "25", "--invoke", "Velmor TOA",
       "--press", "Edit", "--tab", "Formatting", "--check", "Hyperlink page numbers", "--press", "OK", "--press",
       "Create Table at Cursor", "--answer", "yes", "--name", file("brief.qdoc"), "--export-text", file("brief.txt"),
       "--export-markdown", file("brief.md"), "--export-pdf", file("brief.pdf"), "--bookmarks"});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  std::vector<std::string> pages;
  std::istringstream text(platform_test::readFile(file("brief.txt")));
  for (std::string page; std::getline(text, page, '\f');) pages.push_back(page);
  int tablePage = 0;
  while (tablePage < int(pages.size()) && pages[tablePage].find("TABLE OF AUTHORITIES") == std::string::npos)
    ++tablePage;
  ASSERT_LT(tablePage, int(pages.size()));
  const std::string number = std::to_string(tablePage + 1);
  EXPECT_EQ(normalized(poppler("pdftotext", {"-layout", "-f", number, "-l", number, file("brief.pdf"), "-"})),
            normalized(pages[tablePage]));

  // Physical page -> logical number, for pages holding an occurrence mark.
  std::map<int, int> occurrencePages;
  const std::regex mark("bookmark XTOA~CIT~.*~[0-9]+ page ([0-9]+) physical ([0-9]+)\n");
  for (std::sregex_iterator m(run.out.begin(), run.out.end(), mark), end; m != end; ++m)
    occurrencePages[std::stoi((*m)[2])] = std::stoi((*m)[1]);
  const std::string xml = poppler("pdftohtml", {"-xml", "-i", "-stdout", file("brief.pdf")});
  const std::regex link("<a href=\"[^\"#]*#([0-9]+)\">([0-9]+)");
  int links = 0;
  for (std::sregex_iterator m(xml.begin(), xml.end(), link), end; m != end; ++m, ++links) {
    SCOPED_TRACE("link " + (*m)[2].str() + " to page " + (*m)[1].str());
    const auto target = occurrencePages.find(std::stoi((*m)[1]));
    ASSERT_NE(target, occurrencePages.end()) << "no authority on the linked page";
    EXPECT_EQ(std::to_string(target->second), (*m)[2].str()) << "the link opens another page than it names";
  }
  const std::string markdown = platform_test::readFile(file("brief.md"));
  const std::regex pageLink("\\]\\(#XTOA~");
  EXPECT_EQ(links, std::distance(std::sregex_iterator(markdown.begin(), markdown.end(), pageLink), {}));
  EXPECT_GT(links, 100);

  std::filesystem::create_directories(LEXORDA_SCREENSHOT_DIR);
  poppler("pdftoppm", {"-f", number, "-l", number, "-r", "80", "-png", "-singlefile", file("brief.pdf"),
                       LEXORDA_SCREENSHOT_DIR "/example-table-page"});
  EXPECT_TRUE(std::filesystem::exists(LEXORDA_SCREENSHOT_DIR "/example-table-page.png"));
}

}  // namespace
