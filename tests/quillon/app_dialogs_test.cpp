// The quillon program driving a plug-in's real Qt dialog. In: command lines
// with --press, --select, --type, --answer and --name, and the test plug-in's
// "Test Dialog", which types each event it sees into the document. Out: the
// document as exported text, the lines on standard output and error, the
// files saved and the exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/quillon/run_quillon.h"

namespace {

using quillon_test::ProgramResult;
using quillon_test::runQuillon;

const quillon_test::Environment kDialog = {{"QUILLON_TEST_PLUGIN_DIALOG", "1"}};
constexpr const char* kStarted = "command bar: Test Command added\n";
constexpr const char* kInventory =
    "buttons: \"Apply\", \"Add...\", \"Ask\", \"Help\", \"To File\", \"Fish & Chips\", \"Locked (disabled)\", "
    "\"Close\"; list items: \"Alpha\", \"Beta\", \"Gamma\"";
const std::string kStopped = "quillon: dialog \"Test Dialog\" closed: the script stopped\n";

// Invokes the dialog command with the script and prints the document.
ProgramResult runScript(const std::vector<std::string>& script) {
  std::vector<std::string> arguments = {"--invoke", "Test Command", "--export-text", "-"};
  arguments.insert(arguments.end(), script.begin(), script.end());
  return runQuillon({QUILLON_TEST_PLUGIN}, arguments, kDialog);
}

TEST(DialogScript, ActionsReachTheDialogInOrder) {
  const struct {
    const char* name;
    std::vector<std::string> script;
    std::string document;  // the plug-in's lines, in the order it saw the events
    std::string err;
    std::string out = {};  // a line expected on standard output
  } rows[] = {
      {"press by the text without its mnemonic", {"--press", "Apply", "--press", "Close"},
       "applied Alpha []\nclosed\n", ""},
      {"\"&&\" in a button is a literal \"&\"", {"--press", "Fish & Chips", "--press", "Close"},
       "fish and chips\nclosed\n", ""},
      {"select runs the dialog's selection handler before the press", {"--select", "Gamma", "--press", "Apply",
       "--press", "Close"}, "selected Gamma\npicked Gamma\napplied Gamma []\nclosed\n", ""},
      {"picking the current item changes nothing but is still a pick", {"--select", "Alpha", "--press", "Close"},
       "picked Alpha\nclosed\n", ""},
      {"type fills the focused field before the next press", {"--type", "Smith v. Jones", "--press", "Apply",
       "--press", "Close"}, "applied Alpha [Smith v. Jones]\nclosed\n", ""},
      {"a nested input dialog takes the actions meant for it, the outer one the rest",
       {"--press", "Add...", "--type", "Delta", "--press", "OK", "--select", "Delta", "--press", "Close"},
       "added Delta\nselected Delta\npicked Delta\nclosed\n", ""},
      {"a message box answered from --answer, printed on one line", {"--press", "Ask", "--answer", "no",
       "--press", "Close"}, "asked 7\nclosed\n", "message: Test Plug-in: Proceed?\\nThe second line. -> no\n"},
      {"Help reports the file instead of starting a viewer", {"--press", "Help", "--press", "Close"},
       "help opened\nclosed\n", "", std::string("open: ") + QUILLON_TEST_PLUGIN + "\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = runScript(row.script);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find(kStarted + row.out + row.document), std::string::npos) << result.out;
    EXPECT_EQ(result.err, row.err);
  }
}

TEST(DialogScript, ScriptsOutOfStepExitWithEight) {
  const struct {
    const char* name;
    std::vector<std::string> script;
    std::string document;  // empty: the run stopped before its outputs
    std::string err;
  } rows[] = {
      {"a press that finds no button stops the run and lists what was there",
       {"--select", "Gamma", "--press", "Frobnicate", "--press", "Close"}, "",
       std::string("quillon: press Frobnicate: not found in dialog \"Test Dialog\"; ") + kInventory + "\n" +
           kStopped},
      {"a disabled button is not pressed", {"--press", "Locked"}, "",
       std::string("quillon: press Locked: not found in dialog \"Test Dialog\"; ") + kInventory + "\n" + kStopped},
      {"an item the list lacks", {"--select", "Delta"}, "",
       std::string("quillon: select Delta: not found in dialog \"Test Dialog\"; ") + kInventory + "\n" + kStopped},
      {"a failure in the nested dialog closes it, then the outer one", {"--press", "Add...", "--press", "Apply"}, "",
       "quillon: press Apply: not found in dialog \"Add Item\"; buttons: \"OK\", \"Cancel\"; list items: none\n"
       "quillon: dialog \"Add Item\" closed: the script stopped\n" + kStopped},
      {"a dialog with no action left is cancelled, the outputs still written", {"--select", "Beta"},
       "selected Beta\npicked Beta\ncancelled\n",
       std::string("quillon: dialog \"Test Dialog\" closed: no action left; ") + kInventory + "\n"},
      {"actions left over after the dialog closed", {"--press", "Close", "--select", "Beta"}, "closed\n",
       "quillon: select Beta: no dialog appeared\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = runScript(row.script);
    EXPECT_EQ(result.exitCode, 8);
    EXPECT_EQ(result.err, row.err);
    if (row.document.empty()) {
      EXPECT_TRUE(result.out.ends_with(kStarted)) << "stopped before its outputs:\n" << result.out;
    } else {
      EXPECT_NE(result.out.find(kStarted + row.document), std::string::npos) << result.out;
    }
  }
}

// The dialog's "To File" saves the document it was opened on (an unnamed
// one asks for a name) and then makes a new one, as Create Table to File does.
TEST(DialogScript, NamePromptAndTheNewDocument) {
  quillon_test::TemporaryFolder folder;
  const std::string brief = folder.file("brief.md"), first = folder.file("first.qdoc"),
                    second = folder.file("second.qdoc");
  platform_test::writeFile(brief, "Brief text.\n");
  const auto textOf = [](const std::string& file) {
    return runQuillon({QUILLON_TEST_PLUGIN}, {file, "--export-text", "-"}).out;
  };
  const struct {
    const char* name;
    std::vector<std::string> naming;
    std::string prompted, original;  // the name given, and the file holding the brief afterwards
  } rows[] = {
      {"--name answers the prompt; --save writes the new document", {"--name", first, "--save", second}, first,
       first},
      {"without --name the prompt takes the --save path, which the new document then replaces", {"--save", second},
       second, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> arguments = {brief, "--invoke", "Test Command", "--press", "To File", "--press",
                                          "Close", "--export-text", "-"};
    arguments.insert(arguments.end(), row.naming.begin(), row.naming.end());
    const ProgramResult result = runQuillon({QUILLON_TEST_PLUGIN}, arguments, kDialog);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("save prompt: " + row.prompted + "\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("new document\nclosed\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Brief text."), std::string::npos) << "the export shows the new document";
    EXPECT_EQ(textOf(second).find("Brief text."), std::string::npos) << "--save wrote the new document";
    EXPECT_NE(textOf(second).find("new document"), std::string::npos);
    if (!row.original.empty()) {
      EXPECT_NE(textOf(row.original).find("Brief text."), std::string::npos) << "the prompt's file holds the brief";
    }
  }
}

// Without a display the dialogs run offscreen; a platform the user names is
// used as named (an unknown one fails in Qt, so it was not replaced).
TEST(DialogScript, PlatformWithoutADisplay) {
  quillon_test::TempRegistry registry;
  registry.set("Software\\Velmor\\Quillon\\17\\Third Party", "DLL1", QUILLON_TEST_PLUGIN);
  for (const std::string platform : {"", "lexorda-no-such-platform"}) {
    SCOPED_TRACE("QT_QPA_PLATFORM=" + platform);
    const ProgramResult result = quillon_test::runProgram(
        "/usr/bin/env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=" + platform, QUILLON_PROGRAM,
                         "--invoke", "Test Command", "--select", "Beta", "--press", "Close", "--export-text", "-"},
        {{"QUILLON_REGISTRY", registry.file()}, {"QUILLON_TEST_PLUGIN_DIALOG", "1"}});
    if (platform.empty()) {
      EXPECT_EQ(result.exitCode, 0) << result.err;
      EXPECT_EQ(result.err, "") << "no platform notices";
      EXPECT_NE(result.out.find("selected Beta\npicked Beta\nclosed\n"), std::string::npos) << result.out;
    } else {
      EXPECT_NE(result.exitCode, 0);
      EXPECT_NE(result.err.find(platform), std::string::npos) << result.err;
    }
  }
}

}  // namespace
