// The user guide as it ships: a PDF in the installation folder whose troubleshooting section explains every message the main
// dialog can show, as poppler's pdftotext reads it back. The texts come from
// the dialog's own list, so a reworded message fails here until the guide
// says it too.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "tests/quillon/fixtures.h"
#include "ui/message_texts.h"

namespace {

TEST(UserGuide, HasMoreThanFivePagesAndExplainsEveryMainDialogMessage) {
  const auto text = quillon_test::runProgram("/usr/bin/pdftotext", {LEXORDA_INSTALL_DIR "/LexordaUserGuide.pdf", "-"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_GT(std::count(text.out.begin(), text.out.end(), '\f'), 5) << "pdftotext ends each page with a form feed";
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
