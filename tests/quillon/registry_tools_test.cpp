// qreg and qregsvr run as the build and an installer run them. In: command
// lines, against a registry file of the test's own. Out: values written,
// listed and deleted, plug-ins registered, and the errors of bad commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"

namespace {

using quillon_test::ProgramResult;

constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";
constexpr const char* kHklmInstallKey = "HKLM\\Software\\Velmor\\Lexorda\\1.0";
constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";

class RegistryTools : public testing::Test {
 protected:
  ProgramResult run(const char* program, const std::vector<std::string>& arguments,
                    quillon_test::Environment environment = {}) {
    environment.emplace_back("QUILLON_REGISTRY", registry_.file());
    return quillon_test::runProgram(program, arguments, environment);
  }
  ProgramResult qreg(const std::vector<std::string>& arguments) { return run(QUILLON_QREG, arguments); }
  quillon_test::TempRegistry registry_;
};

// Fails the test unless text holds line.
void expectLine(const std::string& text, const std::string& line) {
  EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << text;
}

TEST_F(RegistryTools, AddQueryListAndDeleteValues) {
  const std::string quoted = "C:\\Program Files\\\"Lexorda\"\\";
  ASSERT_EQ(qreg({"add", kHklmInstallKey, "/v", "installPath", "/d", quoted}).exitCode, 0);
  EXPECT_EQ(registry_.get(kInstallKey, "installPath"), quoted);
  registry_.set(kInstallKey, "other", "/a/one.so");

  const ProgramResult queried = qreg({"query", "hklm\\software\\velmor\\lexorda\\1.0\\", "/v", "installPath"});
  expectLine(queried.out, "    installPath    REG_SZ    " + quoted + "\n");
  EXPECT_EQ(queried.out.find("other"), std::string::npos) << "only the named value";
  expectLine(qreg({"query", kHklmInstallKey}).out, "    other    REG_SZ    /a/one.so\n");

  ASSERT_EQ(qreg({"delete", kHklmInstallKey, "/v", "installPath", "/f"}).exitCode, 0);
  EXPECT_EQ(registry_.get(kInstallKey, "installPath"), std::nullopt);
  EXPECT_EQ(registry_.get(kInstallKey, "other"), "/a/one.so");
  ASSERT_EQ(qreg({"add", "HKCU\\Software\\C", "/v", "v", "/d", "x"}).exitCode, 0);
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
      {"delete of a missing value", {"delete", kHklmInstallKey, "/v", "nope"}},
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
  std::filesystem::remove(registry_.file());
  expectLine(qreg({"query", kHklmInstallKey}).err, "the registry file " + registry_.file() + " does not exist");
}

TEST_F(RegistryTools, QregsvrRunsThePluginsOwnRegistrationWithItsFullFileName) {
  const std::filesystem::path plugin = QUILLON_TEST_PLUGIN;
  const ProgramResult registered = run(QUILLON_QREGSVR, {plugin.string()});
  EXPECT_EQ(registered.out, "DllRegisterServer in " + plugin.string() + " succeeded.\n");
  EXPECT_EQ(registry_.get(kPluginListKey, "DLL1"), plugin.string());

  const ProgramResult unregistered = run(QUILLON_QREGSVR, {"/u", "/s", plugin.string()});
  EXPECT_EQ(unregistered.out, "") << "/s is silent";
  EXPECT_EQ(registry_.get(kPluginListKey, "DLL1"), std::nullopt);

  // A bare name from the plug-in's folder: the plug-in still learns its full name.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(plugin.parent_path());
  const ProgramResult bare = run(QUILLON_QREGSVR, {"/s", plugin.filename().string()});
  std::filesystem::current_path(before);
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
    const ProgramResult result = run(QUILLON_QREGSVR, row.arguments, row.environment);
    EXPECT_EQ(result.exitCode, 1);
    expectLine(result.err, row.message);
  }
}

}  // namespace
