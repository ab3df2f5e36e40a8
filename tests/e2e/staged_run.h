// Running the staged host as a user does. In: a command line for
// build/stage/run-quillon and a registry of the test's own. Out: the exit
// code and what the program wrote to standard output and standard error,
// apart.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct StagedRun {
  int exitCode = -1;  // -1 when the program could not start or did not exit
  std::string out, err;
};

// Runs run-quillon with these arguments and QUILLON_REGISTRY set to registry.
StagedRun runStaged(const std::string& registry, const std::vector<std::string>& arguments);

// A scratch folder per test holding a copy of the staged registry.
class StagedHost : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the staged host against this test's registry.
  StagedRun run(const std::vector<std::string>& arguments) const { return runStaged(registry_, arguments); }
  // A path inside the scratch folder.
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  // Removes a value from, or sets one in, the test's registry copy.
  void deleteValue(const std::string& key, const std::string& name);
  void setValue(const std::string& key, const std::string& name, const std::string& value);
  // Copies the staged installation into the scratch folder and points the
  // registry at the copy, for a run that changes its database.
  void useOwnInstallation();

  std::filesystem::path dir_;
  std::string registry_;
};

}  // namespace e2e
