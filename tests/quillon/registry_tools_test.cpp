// qreg and qregsvr run as the build and an installer run them. In: command
// lines, against a registry file of the test's own. Out: values written,
// listed and deleted, plug-ins registered, and the errors of bad commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"
#include "tests/quillon/run_program.h"

namespace {

using quillon_test::ProgramResult;
using quillon_test::runProgram;

constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";
constexpr const char* kHklmInstallKey = "HKLM\\Software\\Velmor\\Lexorda\\1.0";
constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";

class RegistryTools : public testing::Test {
 protected:
  ProgramResult qreg(const std::vector<std::string>& arguments) {
    return runProgram(QUILLON_QREG, arguments, {{"QUILLON_REGISTRY", registry_.file()}});
  }
  ProgramResult qregsvr(const std::vector<std::string>& arguments, quillon_test::Environment extra = {}) {
    extra.emplace_back("QUILLON_REGISTRY", registry_.file());
    return runProgram(QUILLON_QREGSVR, arguments, extra);
  }
  // Fails the test unless text holds line.
  static void expectLine(const std::string& text, const std::string& line) {
    EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << text;
  }
  quillon_test::TempRegistry registry_;
};

TEST_F(RegistryTools, AddQueryListAndDeleteValues) {
  const std::string quoted = "C:\\Program Files\\\"Lexorda\"\\";
  const ProgramResult added = qreg({"add", kHklmInstallKey, "/v", "installPath", "/d", quoted});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_EQ(registry_.get(kInstallKey, "installPath"), quoted);
  registry_.set(kInstallKey, "other", "/a/one.so");
  registry_.set("Software\\Velmor\\Lexorda\\Other", "DLL9", "/elsewhere.so");

  const ProgramResult queried = qreg({"query", kHklmInstallKey, "/v", "installPath"});
  EXPECT_EQ(queried.exitCode, 0) << queried.err;
  expectLine(queried.out, "HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0\n");
  expectLine(queried.out, "    installPath    REG_SZ    " + quoted + "\n");
  EXPECT_EQ(queried.out.find("other"), std::string::npos) << "only the named value";
  const ProgramResult listed = qreg({"query", kHklmInstallKey});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  expectLine(listed.out, "    installPath    REG_SZ    " + quoted + "\n");
  expectLine(listed.out, "    other    REG_SZ    /a/one.so\n");
  EXPECT_EQ(listed.out.find("DLL9"), std::string::npos) << "another key's value";

  ASSERT_EQ(qreg({"delete", kHklmInstallKey, "/v", "installPath", "/f"}).exitCode, 0);
  EXPECT_EQ(registry_.get(kInstallKey, "installPath"), std::nullopt);
  EXPECT_EQ(registry_.get(kInstallKey, "other"), "/a/one.so");
  const ProgramResult again = qreg({"delete", kHklmInstallKey, "/v", "installPath"});
  EXPECT_EQ(again.exitCode, 1);
  expectLine(again.err, "installPath");
}

TEST_F(RegistryTools, RootsAndKeyNamesIgnoreLetterCase) {
  const struct { const char* name; const char* addKey; const char* queryKey; } rows[] = {
      {"short root", "HKLM\\Software\\A", "HKEY_LOCAL_MACHINE\\software\\a"},
      {"long root in lower case", "hkey_local_machine\\Software\\B", "HKLM\\SOFTWARE\\B"},
      {"current user", "HKCU\\Software\\C", "hkcu\\Software\\C\\"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(qreg({"add", row.addKey, "/v", "v", "/d", row.name}).exitCode, 0);
    const ProgramResult queried = qreg({"query", row.queryKey, "/v", "V"});
    EXPECT_EQ(queried.exitCode, 0) << queried.err;
    expectLine(queried.out, row.name);
  }
  EXPECT_EQ(qreg({"query", "HKLM\\Software\\C", "/v", "v"}).exitCode, 1) << "the two roots are separate";
}

TEST_F(RegistryTools, BadCommandLinesFailWithAMessage) {
  const struct { const char* name; std::vector<std::string> arguments; } rows[] = {
      {"no arguments", {}},
      {"unknown root", {"add", "HKXX\\Software\\A", "/v", "a", "/d", "b"}},
      {"unknown operation", {"rename", "HKLM\\Software\\A"}},
      {"a value type other than text", {"add", "HKLM\\Software\\A", "/v", "a", "/t", "REG_DWORD", "/d", "1"}},
      {"/v without a name", {"query", "HKLM\\Software\\A", "/v"}},
      {"query of a missing key", {"query", "HKLM\\Software\\Missing"}},
      {"query of a missing value", {"query", kHklmInstallKey, "/v", "nope"}},
      {"delete without a value name", {"delete", kHklmInstallKey}},
  };
  registry_.set(kInstallKey, "installPath", "/x/");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = qreg(row.arguments);
    EXPECT_EQ(result.exitCode, 1);
    expectLine(result.err, "ERROR");
  }
  EXPECT_EQ(registry_.get(kInstallKey, "installPath"), "/x/");
}

TEST_F(RegistryTools, QregsvrRunsThePluginsOwnRegistrationWithItsFullFileName) {
  const std::filesystem::path plugin = QUILLON_TEST_PLUGIN;
  const ProgramResult registered = qregsvr({plugin.string()});
  ASSERT_EQ(registered.exitCode, 0) << registered.err;
  EXPECT_EQ(registered.out, "DllRegisterServer in " + plugin.string() + " succeeded.\n");
  EXPECT_EQ(registry_.get(kPluginListKey, "DLL1"), plugin.string());

  const ProgramResult unregistered = qregsvr({"/u", "/s", plugin.string()});
  EXPECT_EQ(unregistered.exitCode, 0) << unregistered.err;
  EXPECT_EQ(unregistered.out, "") << "/s is silent";
  EXPECT_EQ(registry_.get(kPluginListKey, "DLL1"), std::nullopt);

  // A bare name from the plug-in's folder: the plug-in still learns its full name.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(plugin.parent_path());
  const ProgramResult bare = qregsvr({"/s", plugin.filename().string()});
  std::filesystem::current_path(before);
  ASSERT_EQ(bare.exitCode, 0) << bare.err;
  EXPECT_EQ(registry_.get(kPluginListKey, "DLL1"), plugin.string());
}

TEST_F(RegistryTools, QregsvrFailures) {
  const struct { const char* name; std::vector<std::string> arguments; quillon_test::Environment environment;
                 const char* message; } rows[] = {
      {"registration reports failure", {QUILLON_TEST_PLUGIN}, {{"QUILLON_TEST_PLUGIN_REGISTER_FAILS", "1"}},
       "DllRegisterServer in "},
      {"library without the entry point", {QUILLON_STRING_LIBRARY}, {}, "does not export DllRegisterServer"},
      {"missing file", {"/nonexistent/plugin.so"}, {}, "could not be loaded"},
      {"no file named", {"/s"}, {}, "usage"},
      {"two files named", {QUILLON_TEST_PLUGIN, QUILLON_TEST_PLUGIN}, {}, "invalid argument"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = qregsvr(row.arguments, row.environment);
    EXPECT_EQ(result.exitCode, 1);
    expectLine(result.err, row.message);
  }
}

}  // namespace
