// Runs the staged quillon program as a user does and reads what it prints:
// the plug-in registered through the registry, its command on the command
// bar, and the command token reaching the plug-in.
#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exitCode = -1;
  std::string output;
};

// Runs the staged host with a registry of the test's own.
ProgramRun runQuillon(const std::string& registry, const std::string& arguments) {
  const std::string command = "QUILLON_REGISTRY='" + registry + "' '" LEXORDA_STAGE_DIR
                              "/run-quillon' " + arguments + " 2>&1";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class StagedHost : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lexorda-e2e-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    registry_ = (dir_ / "registry.reg").string();
    fs::copy_file(fs::path(LEXORDA_STAGE_DIR) / "registry.reg", registry_,
                  fs::copy_options::overwrite_existing);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Removes a value from the test's registry copy.
  void deleteValue(const std::string& key, const std::string& name) {
    setenv("QUILLON_REGISTRY", registry_.c_str(), 1);
    platform::RegistryKey handle = nullptr;
    ASSERT_EQ(platform::regOpenKey(platform::RegistryRoot::LocalMachine, key,
                                   platform::RegistryAccess::All, &handle),
              platform::Status::Ok);
    ASSERT_EQ(platform::regDeleteValue(handle, name), platform::Status::Ok);
    (void)platform::regCloseKey(handle);
    unsetenv("QUILLON_REGISTRY");
  }

  fs::path dir_;
  std::string registry_;
};

TEST_F(StagedHost, PluginRegistersItsCommandAndPutsItOnTheBar) {
  const ProgramRun run = runQuillon(registry_, "--list-commands");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("tabauth.so"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("command: Velmor TOA"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("command bar: Velmor TOA added"), std::string::npos) << run.output;
}

TEST_F(StagedHost, CommandTokenReachesThePluginWithTheInstalledPaths) {
  const ProgramRun run = runQuillon(registry_, "--invoke 'Velmor TOA'");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  const std::string database = std::string(LEXORDA_INSTALL_DIR) + "/tabauth3.db";
  EXPECT_NE(run.output.find("message box [Lexorda]"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(database), std::string::npos) << run.output;
}

TEST_F(StagedHost, MissingInstallPathIsReportedAndNoDialogOpens) {
  deleteValue("Software\\Velmor\\Lexorda\\1.0", "installPath");
  const ProgramRun run = runQuillon(registry_, "--invoke 'Velmor TOA'");
  EXPECT_NE(run.output.find("message box [Error]: Could not locate TOA database location from "
                            "registry. Please re-install the Table of Authorities application."),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("message box [Lexorda]"), std::string::npos) << run.output;
}

TEST_F(StagedHost, UnknownCommandIsAnError) {
  const ProgramRun run = runQuillon(registry_, "--invoke 'No Such Command'");
  EXPECT_NE(run.exitCode, 0) << run.output;
}

}  // namespace
