// The quillon program with a test plug-in listed in its registry: start-up
// order, command list, command bar, invocation with message boxes answered
// from the command line, the command log, and every start-up failure with
// its message and exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"
#include "tests/quillon/run_program.h"

namespace {

using platform::RegistryRoot;
using quillon_test::ProgramResult;
using quillon_test::TempRegistry;

constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";

class QuillonProgram : public testing::Test {
 protected:
  void listPlugin(int slot, const std::string& file) {
    registry_.set(RegistryRoot::LocalMachine, kPluginListKey, "DLL" + std::to_string(slot), file);
  }
  ProgramResult run(const std::vector<std::string>& arguments,
                    quillon_test::Environment extra = {}) {
    extra.emplace_back("QUILLON_REGISTRY", registry_.file());
    return quillon_test::runProgram(QUILLON_PROGRAM, arguments, extra);
  }
  TempRegistry registry_;
};

// Position of text in out, or npos; fails the test when missing.
std::size_t positionOf(const std::string& out, const std::string& text) {
  const std::size_t at = out.find(text);
  EXPECT_NE(at, std::string::npos) << "missing: " << text << "\nin:\n" << out;
  return at;
}

TEST_F(QuillonProgram, LoadsListsAndAnnouncesThePluginsCommand) {
  listPlugin(3, QUILLON_TEST_PLUGIN);  // slots need not start at 1
  const ProgramResult result = run({"--list-commands"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::size_t loaded =
      positionOf(result.out, std::string("plug-in: ") + QUILLON_TEST_PLUGIN + " loaded\n");
  const std::size_t listed = positionOf(
      result.out, "command: Test Command (Test, Quillon Tests, A command for tests) id 40000\n");
  const std::size_t bar = positionOf(result.out, "command bar: Test Command added\n");
  EXPECT_LT(loaded, listed);
  EXPECT_LT(listed, bar);
}

TEST_F(QuillonProgram, WithoutListCommandsTheCommandsAreNotPrinted) {
  listPlugin(1, QUILLON_TEST_PLUGIN);
  const ProgramResult result = run({});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out.find("command: "), std::string::npos) << result.out;
}

TEST_F(QuillonProgram, InvokingRunsTheCommandAgainstTheHostWindow) {
  listPlugin(1, QUILLON_TEST_PLUGIN);
  const ProgramResult result =
      run({"--invoke", "Test Command", "--answer", "no", "--log-commands"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::size_t typed =
      positionOf(result.out, "host command: TypeText (2) Q \"Hello from the test plug-in\"\n");
  const std::size_t asked = positionOf(result.out, "host command: GetPageNumber (16450)\n");
  const std::size_t page = positionOf(result.out, "message box [Test Plug-in]: page 1\n");
  positionOf(result.out, "message box [Test Plug-in]: answer 7\n");
  EXPECT_LT(typed, asked);
  EXPECT_LT(asked, page);
}

TEST_F(QuillonProgram, MessageBoxesTakeScriptedAnswersInOrderThenTheDefault) {
  struct Row {
    const char* name;
    std::vector<std::string> answers;
    const char* expected;
  } rows[] = {
      {"no script: first button", {}, "answer 6"},
      {"one word", {"--answer", "no"}, "answer 7"},
      {"comma list", {"--answer", "cancel,ok"}, "answer 2"},
      {"several words", {"--answer", "yes", "no"}, "answer 6"},
  };
  listPlugin(1, QUILLON_TEST_PLUGIN);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> arguments = {"--invoke", "Test Command"};
    arguments.insert(arguments.end(), row.answers.begin(), row.answers.end());
    const ProgramResult result = run(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    positionOf(result.out, std::string("message box [Test Plug-in]: ") + row.expected + "\n");
    EXPECT_EQ(result.out.find("host command:"), std::string::npos) << "no log unless asked";
  }
}

TEST_F(QuillonProgram, FailuresAreReportedWithTheirOwnExitCodes) {
  struct Row {
    const char* name;
    const char* plugin;  // listed as DLL1; null lists nothing (the key is missing)
    std::vector<std::string> arguments;
    quillon_test::Environment environment;
    int exitCode;
    const char* message;
  } rows[] = {
      {"no plug-in list",
       nullptr,
       {},
       {},
       2,
       "registry key HKEY_LOCAL_MACHINE\\Software\\Velmor\\Quillon\\17\\Third Party not found"},
      {"plug-in file missing", "/nonexistent/plugin.so", {}, {}, 3, "could not be loaded"},
      {"plug-in lacks an export",
       QUILLON_TEST_PLUGIN_WITHOUT_EXIT,
       {},
       {},
       3,
       "lacks the export TPHExit"},
      {"plug-in refuses the host",
       QUILLON_TEST_PLUGIN,
       {},
       {{"QUILLON_TEST_PLUGIN_REFUSE", "1"}},
       3,
       "refused this host"},
      {"command not registered",
       QUILLON_TEST_PLUGIN,
       {"--invoke", "Nope"},
       {},
       4,
       "no command named \"Nope\" is registered"},
      {"unknown argument", QUILLON_TEST_PLUGIN, {"--bogus"}, {}, 1, "unknown argument: --bogus"},
      {"answer that is no button",
       QUILLON_TEST_PLUGIN,
       {"--answer", "maybe"},
       {},
       1,
       "--answer needs ok, cancel, yes or no"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempRegistry registry;  // a fresh, empty registry per row
    if (row.plugin != nullptr) {
      registry.set(RegistryRoot::LocalMachine, kPluginListKey, "DLL1", row.plugin);
    }
    quillon_test::Environment environment = row.environment;
    environment.emplace_back("QUILLON_REGISTRY", registry.file());
    const ProgramResult result =
        quillon_test::runProgram(QUILLON_PROGRAM, row.arguments, environment);
    EXPECT_EQ(result.exitCode, row.exitCode) << result.out << result.err;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
  }
}

TEST_F(QuillonProgram, AFailingPluginDoesNotStopTheOthers) {
  listPlugin(1, "/nonexistent/plugin.so");
  listPlugin(2, QUILLON_TEST_PLUGIN);
  const ProgramResult result = run({"--invoke", "Test Command"});
  EXPECT_EQ(result.exitCode, 3) << "the failure still shows in the exit code";
  positionOf(result.err, "/nonexistent/plugin.so could not be loaded");
  positionOf(result.out, "command bar: Test Command added\n");
  positionOf(result.out, "message box [Test Plug-in]: page 1\n");
}

}  // namespace
