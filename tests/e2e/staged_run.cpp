// Starts the staged host through its launcher, as a child process with its
// two output streams captured apart.
#include "tests/e2e/staged_run.h"

#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "platform/platform.h"
#include "tests/quillon/fixtures.h"

namespace e2e {

namespace fs = std::filesystem;

StagedRun runStaged(const std::string& registry, const std::vector<std::string>& arguments) {
  const quillon_test::ProgramResult result =
      quillon_test::runProgram(LEXORDA_STAGE_DIR "/run-quillon", arguments, {{"QUILLON_REGISTRY", registry}});
  return {result.exitCode, result.out, result.err};
}

void StagedHost::SetUp() {
  dir_ = fs::temp_directory_path() / ("lexorda-e2e-" + std::to_string(::getpid()) + "-" +
                                      testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::create_directories(dir_);
  registry_ = file("registry.reg");
  fs::copy_file(fs::path(LEXORDA_STAGE_DIR) / "registry.reg", registry_, fs::copy_options::overwrite_existing);
}

void StagedHost::TearDown() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

namespace {

// Runs change on the key of the test's registry.
void changeKey(const std::string& registry, const std::string& key,
               const std::function<platform::Status(platform::RegistryKey)>& change) {
  setenv("QUILLON_REGISTRY", registry.c_str(), 1);
  platform::RegistryKey handle = nullptr;
  ASSERT_EQ(platform::regOpenKey(platform::RegistryRoot::LocalMachine, key, platform::RegistryAccess::All, &handle),
            platform::Status::Ok);
  EXPECT_EQ(change(handle), platform::Status::Ok);
  (void)platform::regCloseKey(handle);
  unsetenv("QUILLON_REGISTRY");
}

}  // namespace

void StagedHost::deleteValue(const std::string& key, const std::string& name) {
  changeKey(registry_, key, [&](platform::RegistryKey handle) { return platform::regDeleteValue(handle, name); });
}

void StagedHost::setValue(const std::string& key, const std::string& name, const std::string& value) {
  changeKey(registry_, key, [&](platform::RegistryKey handle) { return platform::regSetString(handle, name, value); });
}

void StagedHost::useOwnInstallation() {
  std::filesystem::copy(LEXORDA_INSTALL_DIR, file("Lexorda"), std::filesystem::copy_options::recursive);
  setValue("Software\\Velmor\\Lexorda\\1.0", "installPath", file("Lexorda") + "/");
}

}  // namespace e2e
