// Runs the staged quillon program as a user does and reads what it prints:
// the plug-in registered through the registry, its command on the command
// bar, and the command token reaching the plug-in.
//
// The user guide as it ships: a PDF in the installation folder whose
// troubleshooting section explains every message the main dialog can show,
// as poppler's pdftotext reads it back. The texts come from the dialog's own
// list, so a reworded message fails here until the guide says it too.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "tests/e2e/staged_run.h"
#include "tests/quillon/fixtures.h"
#include "ui/message_texts.h"

namespace {

using e2e::StagedRun;

class StagedHost : public e2e::StagedHost {};

TEST_F(StagedHost, PluginRegistersItsCommandAndPutsItOnTheBar) {
  const StagedRun run = this->run({"--list-commands"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("tabauth.so"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("command: Velmor TOA"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("command bar: Velmor TOA added"), std::string::npos) << run.out;
}

// The dialog opens on the installed database (its option sets load without a
// message) and Help looks for the user guide in the installation folder.
TEST_F(StagedHost, CommandOpensTheMainDialogOnTheInstalledFiles) {
  const StagedRun run = this->run({"--invoke", "Velmor TOA", "--press", "Help", "--press", "Cancel"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  const std::string guide = std::string(LEXORDA_INSTALL_DIR) + "/LexordaUserGuide.pdf";
  EXPECT_NE((run.out + run.err).find(guide), std::string::npos) << run.out << run.err;
  EXPECT_EQ(run.err.find("Could not load the option sets."), std::string::npos) << run.err;
}

TEST_F(StagedHost, MissingInstallPathIsReportedAndNoDialogOpens) {
  deleteValue("Software\\Velmor\\Lexorda\\1.0", "installPath");
  const StagedRun run = this->run({"--invoke", "Velmor TOA"});
  EXPECT_NE(run.err.find("message: Error: Could not locate TOA database location from "
                         "registry. Please re-install the Table of Authorities application. -> ok\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("message: Lexorda: "), std::string::npos) << run.err;
}

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
