// Shared pieces of the stand-in host's tests. In: a test's need for a
// registry of its own. Out: a private registry file, in force for the test
// process, with values set and read under HKEY_LOCAL_MACHINE.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace quillon_test {

using platform_test::ScopedEnvironment;
using platform_test::TemporaryFolder;

class TempRegistry {
 public:
  const std::string& file() const { return file_; }

  void set(const std::string& key, const std::string& name, const std::string& value) const {
    platform::RegistryKey handle = nullptr;
    if (platform::regCreateKey(platform::RegistryRoot::LocalMachine, key, &handle, nullptr) != platform::Status::Ok)
      return;
    (void)platform::regSetString(handle, name, value);
    (void)platform::regCloseKey(handle);
  }

  // The value, or nullopt when the key or the value is missing.
  std::optional<std::string> get(const std::string& key, const std::string& name) const {
    platform::RegistryKey handle = nullptr;
    std::string value;
    const bool found =
        platform::regOpenKey(platform::RegistryRoot::LocalMachine, key, platform::RegistryAccess::Read, &handle) ==
            platform::Status::Ok &&
        platform::regQueryString(handle, name, 4096, &value) == platform::Status::Ok;
    (void)platform::regCloseKey(handle);
    return found ? std::optional(value) : std::nullopt;
  }

 private:
  TemporaryFolder folder_;
  std::string file_ = folder_.file("registry.reg");
  ScopedEnvironment environment_{"QUILLON_REGISTRY", file_};
};

}  // namespace quillon_test
