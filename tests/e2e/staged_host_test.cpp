// Runs the staged quillon program as a user does and reads what it prints:
// the plug-in registered through the registry, its command on the command
// bar, and the command token reaching the plug-in.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/staged_run.h"

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

}  // namespace
