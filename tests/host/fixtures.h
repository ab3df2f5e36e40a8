// Shared pieces of the plug-in boundary tests. In: what a test needs from the
// host's side. Out: a private registry file, an atom for the test's lifetime,
// a token block and the host folder. Scratch folders and environment
// variables come from the platform tests' helpers.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace host_test {

inline constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";

// Points the platform registry at an empty file of the test's own.
class TempRegistry {
 public:
  void set(platform::RegistryRoot root, const std::string& key, const std::string& name,
           const std::string& value) const {
    platform::RegistryKey handle = nullptr;
    if (platform::regCreateKey(root, key, &handle, nullptr) == platform::Status::Ok) {
      (void)platform::regSetString(handle, name, value);
    }
    (void)platform::regCloseKey(handle);
  }
  // The value, or "<missing>".
  std::string get(platform::RegistryRoot root, const std::string& key, const std::string& name) const {
    platform::RegistryKey handle = nullptr;
    std::string value;
    const bool found = platform::regOpenKey(root, key, platform::RegistryAccess::Read, &handle) == platform::Status::Ok &&
                       platform::regQueryString(handle, name, 1024, &value) == platform::Status::Ok;
    (void)platform::regCloseKey(handle);
    return found ? value : "<missing>";
  }

 private:
  platform_test::TemporaryFolder folder_;
  platform_test::ScopedEnvironment file_{"QUILLON_REGISTRY", folder_.file("registry.reg")};
};

// Adds an atom for the test's lifetime.
struct ScopedAtom {
  explicit ScopedAtom(const std::string& name) : atom(platform::globalAddAtom(name)) {}
  ~ScopedAtom() { (void)platform::globalDeleteAtom(atom); }
  const platform::Atom atom;
};

// A token block as the host builds it: command id at 18, parameter 0's value
// (a full pointer) at 40.
inline std::array<std::uint8_t, 64> tokenBlock(std::uint16_t id, const void* parameter0 = nullptr) {
  std::array<std::uint8_t, 64> block{};
  std::memcpy(block.data() + 18, &id, sizeof id);
  std::memcpy(block.data() + 40, &parameter0, sizeof parameter0);
  return block;
}

// The folder of the running test program, which stands in for the host folder.
inline std::string hostFolder() {
  const std::string program = platform::moduleFileName(nullptr);
  return program.substr(0, program.rfind('/') + 1);
}

}  // namespace host_test
