// The user guide as it ships: a PDF of letter pages in the installation
// folder whose troubleshooting section explains every message the main
// dialog can show, as poppler's pdftotext reads it back. The texts come from
// the dialog's own list, so a reworded message fails here until the guide
// says it too.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/quillon/fixtures.h"
#include "ui/message_texts.h"

namespace {

TEST(UserGuide, ShipsWithAPageOrMoreForEachTopicAndExplainsEveryMainDialogMessage) {
  const std::string guide = LEXORDA_INSTALL_DIR "/LexordaUserGuide.pdf";
  const auto info = quillon_test::runProgram("/usr/bin/pdfinfo", {guide});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  std::smatch pages;
  ASSERT_TRUE(std::regex_search(info.out, pages, std::regex("Pages: +([0-9]+)")));
  EXPECT_GT(std::stoi(pages[1]), 5);
  EXPECT_NE(info.out.find("612 x 792 pts (letter)"), std::string::npos) << info.out;

  const auto text = quillon_test::runProgram("/usr/bin/pdftotext", {guide, "-"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  // One line of words: page numbers (lines of digits alone) and line ends
  // must not split a message that runs over them.
  const std::string words =
      std::regex_replace(std::regex_replace(text.out, std::regex("\n[0-9]+\n"), "\n"), std::regex("\\s+"), " ");
  const std::size_t section = words.rfind("Troubleshooting: messages and what to do");
  ASSERT_NE(section, std::string::npos);
  for (const std::string message : ui::message_texts::kMainDialog) {
    const std::string said = std::regex_replace(message, std::regex("^ +| +$"), "");
    EXPECT_NE(words.find(said, section), std::string::npos) << "not explained: " << said;
  }
}

}  // namespace
