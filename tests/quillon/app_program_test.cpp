// The quillon program with a test plug-in listed in its registry. In: command
// lines, registries and documents. Out: start-up order, the command list and
// bar, invocation with message boxes answered from the command line and
// printed on standard error, the
// command log, where the plug-in's typing lands in an opened document, and
// failures with their messages and exit codes (those the staged host shows
// with the real plug-in are left to tests/e2e).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/quillon/run_quillon.h"

namespace {

using quillon_test::ProgramResult;
using quillon_test::runQuillon;

constexpr const char* kTyped = "Hello from the test plug-in";  // what the test command types

// Position of line in out; fails the test when it is missing.
std::size_t positionOf(const std::string& out, const std::string& line) {
  const std::size_t at = out.find(line);
  EXPECT_NE(at, std::string::npos) << "missing: " << line << "\nin:\n" << out;
  return at;
}

TEST(QuillonProgram, LoadsListsAndRunsThePluginsCommand) {
  const ProgramResult listing = runQuillon({QUILLON_TEST_PLUGIN}, {"--list-commands"});
  EXPECT_EQ(listing.exitCode, 0) << listing.err;
  const std::size_t loaded = positionOf(listing.out, std::string("plug-in: ") + QUILLON_TEST_PLUGIN + " loaded\n");
  const std::size_t listed =
      positionOf(listing.out, "command: Test Command (Test, Quillon Tests, A command for tests) id 40000\n");
  EXPECT_LT(loaded, listed);
  EXPECT_LT(listed, positionOf(listing.out, "command bar: Test Command added\n"));

  // Scripted answers are taken in order: the second box shows the first answer.
  const ProgramResult result =
      runQuillon({QUILLON_TEST_PLUGIN}, {"--invoke", "Test Command", "--answer", "cancel,ok", "--log-commands"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out.find("command: Test"), std::string::npos) << "commands are listed only when asked";
  const std::size_t typed = positionOf(result.out, "host command: TypeText (2) Q \"Hello from the test plug-in\"\n");
  const std::size_t asked = positionOf(result.out, "host command: GetPageNumber (16450)\n");
  EXPECT_LT(typed, asked);
  EXPECT_EQ(result.err, "message: Test Plug-in: page 1 -> cancel\nmessage: Test Plug-in: answer 2 -> ok\n")
      << "each box on standard error with its answer, and nothing else there";
}

TEST(QuillonProgram, UnscriptedMessageBoxesTakeTheFirstButton) {
  const ProgramResult result = runQuillon({QUILLON_TEST_PLUGIN}, {"--invoke", "Test Command"});
  EXPECT_EQ(result.err, "message: Test Plug-in: page 1 -> yes\nmessage: Test Plug-in: answer 6 -> ok\n");
  EXPECT_EQ(result.out.find("host command:"), std::string::npos) << "no log unless asked";
}

// The test command types at the insertion point; the Markdown export shows
// where that was.
TEST(QuillonProgram, CommandTypesWhereTheInsertionPointWasPlaced) {
  quillon_test::TemporaryFolder folder;
  const std::string brief = folder.file("brief.md");
  platform_test::writeFile(brief, "Statement of the case.\n\nTABLE OF AUTHORITIES\n\nArgument.\n");
  const std::string typed = kTyped;
  const struct { const char* name; std::vector<std::string> placement; std::string before, after; } rows[] = {
      {"default: the start", {}, "", "Statement"},
      {"--before a word inside a paragraph", {"--before", "of the case"}, "Statement ", "of the case."},
      {"--after-paragraph 2 starts paragraph 3", {"--after-paragraph", "2"}, "\n\n", "Argument."},
      {"--at-end: after the return ending the last paragraph", {"--at-end"}, "Argument.\n\n", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> arguments = {brief, "--invoke", "Test Command", "--export-markdown", "-"};
    arguments.insert(arguments.end(), row.placement.begin(), row.placement.end());
    const ProgramResult result = runQuillon({QUILLON_TEST_PLUGIN}, arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::size_t at = positionOf(result.out, typed);
    if (at == std::string::npos) continue;
    EXPECT_EQ(result.out.find(typed, at + 1), std::string::npos) << "typed once";
    EXPECT_EQ(result.out.substr(at + typed.size(), row.after.size()), row.after);
    if (!row.before.empty()) {
      ASSERT_GE(at, row.before.size());
      EXPECT_EQ(result.out.substr(at - row.before.size(), row.before.size()), row.before);
    }
  }
}

TEST(QuillonProgram, FailuresAreReportedWithTheirOwnExitCodes) {
  const struct { const char* name; std::vector<std::string> plugins, arguments; quillon_test::Environment environment;
                 int exitCode; std::string message; } rows[] = {
      {"no registry file", {}, {}, {}, 2, "/registry.reg does not exist\n"},
      {"an empty plug-in path", {""}, {}, {}, 0,
       "warning: DLL3 in HKEY_LOCAL_MACHINE\\Software\\Velmor\\Quillon\\17\\Third Party is empty; no plug-in"},
      {"an over-long plug-in path", {"/" + std::string(4095, 'x')}, {}, {}, 0,
       "Third Party is longer than 4095 bytes; no plug-in is loaded"},
      {"plug-in file missing", {"/nonexistent/plugin.so"}, {}, {}, 3, "could not be loaded"},
      {"plug-in lacks an export", {QUILLON_TEST_PLUGIN_WITHOUT_EXIT}, {}, {}, 3, "lacks the export TPHExit"},
      {"plug-in refuses the host", {QUILLON_TEST_PLUGIN}, {}, {{"QUILLON_TEST_PLUGIN_REFUSE", "1"}}, 3,
       "refused this host"},
      {"a failing plug-in does not stop the others", {"/nonexistent/plugin.so", QUILLON_TEST_PLUGIN},
       {"--invoke", "Test Command"}, {}, 3, "message: Test Plug-in: page 1 -> yes\n"},
      {"presses with no dialog, each reported in order", {QUILLON_TEST_PLUGIN},
       {"--invoke", "Test Command", "--press", "Create Table at Cursor", "--press", "Close"}, {}, 8,
       "quillon: press Create Table at Cursor: no dialog appeared\nquillon: press Close: no dialog appeared\n"},
      {"a plug-in failure is reported before a press", {"/nonexistent/plugin.so"}, {"--press", "OK"}, {}, 3,
       "quillon: press OK: no dialog appeared\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = runQuillon(row.plugins, row.arguments, row.environment);
    EXPECT_EQ(result.exitCode, row.exitCode) << result.out << result.err;
    positionOf(result.err + result.out, row.message);
  }
}

TEST(QuillonProgram, StopsBeforeThePluginsWhenTheDocumentCannotBeHad) {
  const ProgramResult result = runQuillon({QUILLON_TEST_PLUGIN}, {"--before", "TABLE", "--invoke", "Test Command"});
  EXPECT_EQ(result.exitCode, 7);
  EXPECT_EQ(result.err, "quillon: text not found: TABLE\n");
  EXPECT_EQ(result.out, "") << "no plug-in loaded, no command run";
}

}  // namespace
