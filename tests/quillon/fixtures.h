// Shared pieces of the stand-in host's tests. In: a test's need for a
// registry of its own, a built library or a built program. Out: a private
// registry file in force for the test process (values under
// HKEY_LOCAL_MACHINE), a library opened with dlopen for the length of a test,
// and a program's exit code and output.
#pragma once

#include <dlfcn.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace quillon_test {

using platform_test::TemporaryFolder;

class TempRegistry {
 public:
  const std::string& file() const { return file_; }

  void set(const std::string& key, const std::string& name, const std::string& value) const {
    using namespace platform;
    RegistryKey handle = nullptr;
    if (regCreateKey(RegistryRoot::LocalMachine, key, &handle, nullptr) == Status::Ok)
      (void)regSetString(handle, name, value);
    (void)regCloseKey(handle);
  }

  // The value, or nullopt when the key or the value is missing.
  std::optional<std::string> get(const std::string& key, const std::string& name) const {
    using namespace platform;
    RegistryKey handle = nullptr;
    std::string value;
    const bool found = regOpenKey(RegistryRoot::LocalMachine, key, RegistryAccess::Read, &handle) == Status::Ok &&
                       regQueryString(handle, name, 4096, &value) == Status::Ok;
    (void)regCloseKey(handle);
    return found ? std::optional(value) : std::nullopt;
  }

 private:
  TemporaryFolder folder_;
  std::string file_ = folder_.file("registry.reg");
  platform_test::ScopedEnvironment environment_{"QUILLON_REGISTRY", file_};
};

// Functions are looked up by name through a given pointer type.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL), &dlclose) {}

  bool loaded() const { return handle_ != nullptr; }
  void* symbol(const std::string& name) const { return handle_ ? dlsym(handle_.get(), name.c_str()) : nullptr; }
  template <typename Fn>
  Fn function(const std::string& name) const { return reinterpret_cast<Fn>(symbol(name)); }

 private:
  std::unique_ptr<void, int (*)(void*)> handle_;  // closed when the test ends
};

struct ProgramResult {
  int exitCode = -1;  // -1 when it could not be started or did not exit normally
  std::string out, err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs one of the built programs as a child process, the way a user or the
// build does, with extra environment.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const Environment& environment = {});

}  // namespace quillon_test
