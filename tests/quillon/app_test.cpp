// The quillon program with a test plug-in listed in its registry. In: command
// lines and registries. Out: start-up order, the command list and bar,
// invocation with message boxes answered from the command line, the command
// log, and every start-up failure with its message and exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"
#include "tests/quillon/run_program.h"

namespace {

using quillon_test::ProgramResult;

constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";

// Runs quillon against a fresh registry listing the plug-ins as DLL1, DLL2, ...
ProgramResult runQuillon(const std::vector<std::string>& plugins, const std::vector<std::string>& arguments,
                         quillon_test::Environment environment = {}) {
  quillon_test::TempRegistry registry;
  for (std::size_t i = 0; i < plugins.size(); ++i)
    registry.set(kPluginListKey, "DLL" + std::to_string(i + 1), plugins[i]);
  environment.emplace_back("QUILLON_REGISTRY", registry.file());
  return quillon_test::runProgram(QUILLON_PROGRAM, arguments, environment);
}

// Position of line in out; fails the test when it is missing.
std::size_t positionOf(const std::string& out, const std::string& line) {
  const std::size_t at = out.find(line);
  EXPECT_NE(at, std::string::npos) << "missing: " << line << "\nin:\n" << out;
  return at;
}

TEST(QuillonProgram, LoadsListsAndAnnouncesThePluginsCommand) {
  quillon_test::TempRegistry registry;
  registry.set(kPluginListKey, "DLL3", QUILLON_TEST_PLUGIN);  // slots need not start at 1
  const ProgramResult result =
      quillon_test::runProgram(QUILLON_PROGRAM, {"--list-commands"}, {{"QUILLON_REGISTRY", registry.file()}});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::size_t loaded = positionOf(result.out, std::string("plug-in: ") + QUILLON_TEST_PLUGIN + " loaded\n");
  const std::size_t listed =
      positionOf(result.out, "command: Test Command (Test, Quillon Tests, A command for tests) id 40000\n");
  EXPECT_LT(loaded, listed);
  EXPECT_LT(listed, positionOf(result.out, "command bar: Test Command added\n"));
  EXPECT_EQ(runQuillon({QUILLON_TEST_PLUGIN}, {}).out.find("command: "), std::string::npos)
      << "commands are listed only when asked";
}

TEST(QuillonProgram, InvokingRunsTheCommandAgainstTheHostWindow) {
  const ProgramResult result =
      runQuillon({QUILLON_TEST_PLUGIN}, {"--invoke", "Test Command", "--answer", "no", "--log-commands"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::size_t typed = positionOf(result.out, "host command: TypeText (2) Q \"Hello from the test plug-in\"\n");
  const std::size_t asked = positionOf(result.out, "host command: GetPageNumber (16450)\n");
  EXPECT_LT(typed, asked);
  EXPECT_LT(asked, positionOf(result.out, "message box [Test Plug-in]: page 1\n"));
  positionOf(result.out, "message box [Test Plug-in]: answer 7\n");
}

TEST(QuillonProgram, MessageBoxesTakeScriptedAnswersInOrderThenTheDefault) {
  const struct { const char* name; std::vector<std::string> answers; const char* expected; } rows[] = {
      {"no script: first button", {}, "answer 6"},
      {"comma list", {"--answer", "cancel,ok"}, "answer 2"},
      {"several words", {"--answer", "yes", "no"}, "answer 6"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> arguments = {"--invoke", "Test Command"};
    arguments.insert(arguments.end(), row.answers.begin(), row.answers.end());
    const ProgramResult result = runQuillon({QUILLON_TEST_PLUGIN}, arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    positionOf(result.out, std::string("message box [Test Plug-in]: ") + row.expected + "\n");
    EXPECT_EQ(result.out.find("host command:"), std::string::npos) << "no log unless asked";
  }
}

TEST(QuillonProgram, FailuresAreReportedWithTheirOwnExitCodes) {
  const struct { const char* name; std::vector<std::string> plugins, arguments; quillon_test::Environment environment;
                 int exitCode; const char* message; } rows[] = {
      {"no plug-in list", {}, {}, {}, 2,
       "registry key HKEY_LOCAL_MACHINE\\Software\\Velmor\\Quillon\\17\\Third Party not found"},
      {"plug-in file missing", {"/nonexistent/plugin.so"}, {}, {}, 3, "could not be loaded"},
      {"plug-in lacks an export", {QUILLON_TEST_PLUGIN_WITHOUT_EXIT}, {}, {}, 3, "lacks the export TPHExit"},
      {"plug-in refuses the host", {QUILLON_TEST_PLUGIN}, {}, {{"QUILLON_TEST_PLUGIN_REFUSE", "1"}}, 3,
       "refused this host"},
      {"command not registered", {QUILLON_TEST_PLUGIN}, {"--invoke", "Nope"}, {}, 4,
       "no command named \"Nope\" is registered"},
      {"unknown argument", {QUILLON_TEST_PLUGIN}, {"--bogus"}, {}, 1, "unknown argument: --bogus"},
      {"answer that is no button", {QUILLON_TEST_PLUGIN}, {"--answer", "maybe"}, {}, 1,
       "--answer needs ok, cancel, yes or no"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = runQuillon(row.plugins, row.arguments, row.environment);
    EXPECT_EQ(result.exitCode, row.exitCode) << result.out << result.err;
    positionOf(result.err, row.message);
  }
  // A failing plug-in does not stop the others, but still shows in the exit code.
  const ProgramResult mixed = runQuillon({"/nonexistent/plugin.so", QUILLON_TEST_PLUGIN}, {"--invoke", "Test Command"});
  EXPECT_EQ(mixed.exitCode, 3);
  positionOf(mixed.err, "/nonexistent/plugin.so could not be loaded");
  positionOf(mixed.out, "command bar: Test Command added\n");
  positionOf(mixed.out, "message box [Test Plug-in]: page 1\n");
}

}  // namespace
