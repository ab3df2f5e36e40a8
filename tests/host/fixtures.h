// Shared pieces of the plug-in boundary tests: a private registry file, a
// scratch folder, the host atom, and a recording message-box handler.
#pragma once

#include <cstdlib>
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
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Points the platform registry at an empty file of the test's own.
class TempRegistry {
 public:
  TempRegistry() : file_(dir_.path() + "/registry.reg") {
    const char* old = std::getenv("QUILLON_REGISTRY");
    hadOld_ = old != nullptr;
    if (hadOld_) old_ = old;
    setenv("QUILLON_REGISTRY", file_.c_str(), 1);
  }
  ~TempRegistry() {
    if (hadOld_) {
      setenv("QUILLON_REGISTRY", old_.c_str(), 1);
    } else {
      unsetenv("QUILLON_REGISTRY");
    }
  }
  const std::string& file() const { return file_; }

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
    if (platform::regOpenKey(root, key, platform::RegistryAccess::Read, &handle) !=
        platform::Status::Ok) {
      return "<missing>";
    }
    std::string value;
    const bool ok = platform::regQueryString(handle, name, 1024, &value) == platform::Status::Ok;
    (void)platform::regCloseKey(handle);
    return ok ? value : "<missing>";
  }

 private:
  TempDir dir_;
  std::string file_;
  bool hadOld_ = false;
  std::string old_;
};

// Adds an atom for the test's lifetime.
class ScopedAtom {
 public:
  explicit ScopedAtom(const std::string& name) : atom_(platform::globalAddAtom(name)) {}
  ~ScopedAtom() { (void)platform::globalDeleteAtom(atom_); }
  ScopedAtom(const ScopedAtom&) = delete;
  ScopedAtom& operator=(const ScopedAtom&) = delete;
  platform::Atom atom() const { return atom_; }

 private:
  platform::Atom atom_;
};

// Changes the current directory for the test's lifetime.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& path) {
    (void)platform::currentDirectory(&saved_);
    (void)platform::setCurrentDirectory(path);
  }
  ~ScopedCurrentDirectory() { (void)platform::setCurrentDirectory(saved_); }

 private:
  std::string saved_;
};

// The folder of the running test program, which stands in for the host folder.
inline std::string hostFolder() {
  const std::string program = platform::moduleFileName(nullptr);
  return program.substr(0, program.rfind('/') + 1);
}

}  // namespace host_test
