// Shared pieces of the plug-in boundary tests: a scratch folder, a private
// registry file, an atom for the test's lifetime and a token block.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/platform.h"

namespace host_test {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexorda-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Points the platform registry at an empty file of the test's own.
class TempRegistry {
 public:
  TempRegistry() {
    const char* old = std::getenv("QUILLON_REGISTRY");
    old_ = old ? old : "";
    setenv("QUILLON_REGISTRY", (dir_.path() + "/registry.reg").c_str(), 1);
  }
  ~TempRegistry() { setenv("QUILLON_REGISTRY", old_.c_str(), 1); }

  void set(platform::RegistryRoot root, const std::string& key, const std::string& name,
           const std::string& value) const {
    platform::RegistryKey handle = nullptr;
    if (platform::regCreateKey(root, key, &handle, nullptr) != platform::Status::Ok) return;
    (void)platform::regSetString(handle, name, value);
    (void)platform::regCloseKey(handle);
  }
  // The value, or "<missing>".
  std::string get(platform::RegistryRoot root, const std::string& key, const std::string& name) const {
    platform::RegistryKey handle = nullptr;
    std::string value = "<missing>";
    if (platform::regOpenKey(root, key, platform::RegistryAccess::Read, &handle) != platform::Status::Ok) return value;
    if (platform::regQueryString(handle, name, 1024, &value) != platform::Status::Ok) value = "<missing>";
    (void)platform::regCloseKey(handle);
    return value;
  }

 private:
  TempDir dir_;
  std::string old_;
};

// Adds an atom for the test's lifetime.
class ScopedAtom {
 public:
  explicit ScopedAtom(const std::string& name) : atom_(platform::globalAddAtom(name)) {}
  ~ScopedAtom() { (void)platform::globalDeleteAtom(atom_); }
  platform::Atom atom() const { return atom_; }

 private:
  platform::Atom atom_;
};

// A token block as the host builds it: command id at 18, parameter 0's value
// (a full pointer) at 40.
inline std::array<std::uint8_t, 64> tokenBlock(std::uint16_t id, const void* parameter0 = nullptr) {
  std::array<std::uint8_t, 64> block{};
  std::memcpy(block.data() + 18, &id, sizeof id);
  std::memcpy(block.data() + 40, &parameter0, sizeof parameter0);
  return block;
}

inline constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";

// The folder of the running test program, which stands in for the host folder.
inline std::string hostFolder() {
  const std::string program = platform::moduleFileName(nullptr);
  return program.substr(0, program.rfind('/') + 1);
}

}  // namespace host_test
