// qreg and qregsvr run as the build and an installer run them, against a
// registry file of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"
#include "tests/quillon/run_program.h"

namespace {

using platform::RegistryRoot;
using quillon_test::ProgramResult;
using quillon_test::runProgram;
using quillon_test::TempRegistry;

constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";
constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";

class RegistryTools : public testing::Test {
 protected:
  ProgramResult qreg(const std::vector<std::string>& arguments) {
    return runProgram(QUILLON_QREG, arguments, {{"QUILLON_REGISTRY", registry_.file()}});
  }
  ProgramResult qregsvr(const std::vector<std::string>& arguments,
                        quillon_test::Environment extra = {}) {
    extra.emplace_back("QUILLON_REGISTRY", registry_.file());
    return runProgram(QUILLON_QREGSVR, arguments, extra);
  }
  TempRegistry registry_;
};

TEST_F(RegistryTools, AddThenQueryAValue) {
  const ProgramResult added = qreg(
      {"add", "HKLM\\Software\\Velmor\\Lexorda\\1.0", "/v", "installPath", "/d", "/opt/lexorda/"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kInstallKey, "installPath"), "/opt/lexorda/");

  const ProgramResult queried =
      qreg({"query", "HKLM\\Software\\Velmor\\Lexorda\\1.0", "/v", "installPath"});
  EXPECT_EQ(queried.exitCode, 0) << queried.err;
  EXPECT_NE(queried.out.find("HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0\n"),
            std::string::npos)
      << queried.out;
  EXPECT_NE(queried.out.find("    installPath    REG_SZ    /opt/lexorda/\n"), std::string::npos)
      << queried.out;
}

TEST_F(RegistryTools, RootsAndKeyNamesIgnoreLetterCase) {
  struct Row {
    const char* name;
    const char* addKey;
    const char* queryKey;
    RegistryRoot root;
  } rows[] = {
      {"short root", "HKLM\\Software\\A", "HKEY_LOCAL_MACHINE\\software\\a",
       RegistryRoot::LocalMachine},
      {"long root in lower case", "hkey_local_machine\\Software\\B", "HKLM\\SOFTWARE\\B",
       RegistryRoot::LocalMachine},
      {"current user", "HKCU\\Software\\C", "hkcu\\Software\\C\\", RegistryRoot::CurrentUser},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(qreg({"add", row.addKey, "/v", "v", "/d", row.name}).exitCode, 0);
    const ProgramResult queried = qreg({"query", row.queryKey, "/v", "V"});
    EXPECT_EQ(queried.exitCode, 0) << queried.err;
    EXPECT_NE(queried.out.find(row.name), std::string::npos) << queried.out;
  }
  EXPECT_EQ(qreg({"query", "HKLM\\Software\\C", "/v", "v"}).exitCode, 1)
      << "the two roots are separate";
}

TEST_F(RegistryTools, QueryWithoutANameListsEveryValue) {
  registry_.set(RegistryRoot::LocalMachine, kPluginListKey, "DLL1", "/a/one.so");
  registry_.set(RegistryRoot::LocalMachine, kPluginListKey, "DLL2", "/b/two \"quoted\" \\ back.so");
  registry_.set(RegistryRoot::LocalMachine, "Software\\Velmor\\Other", "DLL9", "/elsewhere.so");
  const ProgramResult listed = qreg({"query", std::string("HKLM\\") + kPluginListKey});
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_NE(listed.out.find("    DLL1    REG_SZ    /a/one.so\n"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("    DLL2    REG_SZ    /b/two \"quoted\" \\ back.so\n"),
            std::string::npos)
      << listed.out;
  EXPECT_EQ(listed.out.find("DLL9"), std::string::npos) << "another key's value";
}

TEST_F(RegistryTools, ValuesWithQuotesAndBackslashesSurvive) {
  const std::string value = "C:\\Program Files\\\"Lexorda\"\\";
  ASSERT_EQ(qreg({"add", "HKLM\\Software\\Q", "/v", "path", "/d", value}).exitCode, 0);
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, "Software\\Q", "path"), value);
}

TEST_F(RegistryTools, DeleteRemovesOnlyTheNamedValue) {
  registry_.set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/x/");
  registry_.set(RegistryRoot::LocalMachine, kInstallKey, "other", "kept");
  ASSERT_EQ(
      qreg({"delete", "HKLM\\Software\\Velmor\\Lexorda\\1.0", "/v", "installPath", "/f"}).exitCode,
      0);
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kInstallKey, "installPath"), std::nullopt);
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kInstallKey, "other"), "kept");
  const ProgramResult again =
      qreg({"delete", "HKLM\\Software\\Velmor\\Lexorda\\1.0", "/v", "installPath"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.err.find("installPath"), std::string::npos) << again.err;
}

TEST_F(RegistryTools, BadCommandLinesFailWithAMessage) {
  struct Row {
    const char* name;
    std::vector<std::string> arguments;
  } rows[] = {
      {"no arguments", {}},
      {"unknown root", {"add", "HKXX\\Software\\A", "/v", "a", "/d", "b"}},
      {"unknown operation", {"rename", "HKLM\\Software\\A"}},
      {"a value type other than text",
       {"add", "HKLM\\Software\\A", "/v", "a", "/t", "REG_DWORD", "/d", "1"}},
      {"/v without a name", {"query", "HKLM\\Software\\A", "/v"}},
      {"query of a missing key", {"query", "HKLM\\Software\\Missing"}},
      {"query of a missing value", {"query", "HKLM\\Software\\Velmor\\Lexorda\\1.0", "/v", "nope"}},
      {"delete without a value name", {"delete", "HKLM\\Software\\Velmor\\Lexorda\\1.0"}},
  };
  registry_.set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/x/");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = qreg(row.arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("ERROR"), std::string::npos) << result.err;
  }
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kInstallKey, "installPath"), "/x/");
}

TEST_F(RegistryTools, QregsvrRunsThePluginsOwnRegistration) {
  const std::string plugin = QUILLON_TEST_PLUGIN;
  const ProgramResult registered = qregsvr({plugin});
  ASSERT_EQ(registered.exitCode, 0) << registered.err;
  EXPECT_EQ(registered.out, "DllRegisterServer in " + plugin + " succeeded.\n");
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kPluginListKey, "DLL1"), plugin);

  const ProgramResult unregistered = qregsvr({"/u", "/s", plugin});
  EXPECT_EQ(unregistered.exitCode, 0) << unregistered.err;
  EXPECT_EQ(unregistered.out, "") << "/s is silent";
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kPluginListKey, "DLL1"), std::nullopt);
}

TEST_F(RegistryTools, QregsvrGivesThePluginItsFullFileName) {
  const std::filesystem::path plugin = QUILLON_TEST_PLUGIN;
  const ProgramResult registered = [&] {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(plugin.parent_path());
    ProgramResult result = qregsvr({"/s", plugin.filename().string()});
    std::filesystem::current_path(before);
    return result;
  }();
  ASSERT_EQ(registered.exitCode, 0) << registered.err;
  EXPECT_EQ(registry_.get(RegistryRoot::LocalMachine, kPluginListKey, "DLL1"), plugin.string());
}

TEST_F(RegistryTools, QregsvrFailures) {
  struct Row {
    const char* name;
    std::vector<std::string> arguments;
    quillon_test::Environment environment;
    const char* message;
  } rows[] = {
      {"registration reports failure",
       {QUILLON_TEST_PLUGIN},
       {{"QUILLON_TEST_PLUGIN_REGISTER_FAILS", "1"}},
       "DllRegisterServer in "},
      {"library without the entry point",
       {QUILLON_STRING_LIBRARY},
       {},
       "does not export DllRegisterServer"},
      {"missing file", {"/nonexistent/plugin.so"}, {}, "could not be loaded"},
      {"no file named", {"/s"}, {}, "usage"},
      {"two files named", {QUILLON_TEST_PLUGIN, QUILLON_TEST_PLUGIN}, {}, "invalid argument"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramResult result = qregsvr(row.arguments, row.environment);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
  }
}

}  // namespace
