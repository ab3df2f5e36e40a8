// Shared pieces of the stand-in host's tests: a scratch folder, an
// environment variable set for a scope, and a private registry file.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace quillon_test {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillon-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Sets an environment variable (or unsets it, for nullopt) until the end of
// the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Points the platform registry at an empty file of the test's own.
class TempRegistry {
 public:
  TempRegistry() : file_(dir_.path() + "/registry.reg"), env_("QUILLON_REGISTRY", file_) {}
  const std::string& file() const { return file_; }
  const std::string& folder() const { return dir_.path(); }

  void set(platform::RegistryRoot root, const std::string& key, const std::string& name,
           const std::string& value) const {
    platform::RegistryKey handle = nullptr;
    if (platform::regCreateKey(root, key, &handle, nullptr) != platform::Status::Ok) return;
    (void)platform::regSetString(handle, name, value);
    (void)platform::regCloseKey(handle);
  }

  // The value, or nullopt when the key or the value is missing.
  std::optional<std::string> get(platform::RegistryRoot root, const std::string& key,
                                 const std::string& name) const {
    platform::RegistryKey handle = nullptr;
    if (platform::regOpenKey(root, key, platform::RegistryAccess::Read, &handle) !=
        platform::Status::Ok) {
      return std::nullopt;
    }
    std::string value;
    const bool ok = platform::regQueryString(handle, name, 4096, &value) == platform::Status::Ok;
    (void)platform::regCloseKey(handle);
    if (!ok) return std::nullopt;
    return value;
  }

 private:
  TempDir dir_;
  std::string file_;
  ScopedEnv env_;
};

}  // namespace quillon_test
