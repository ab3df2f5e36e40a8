// Test helpers for the stand-in operating system. In: a test's scratch needs.
// Out: temporary folders, scoped environment variables and current
// directory, whole-file reads and writes, canonical paths.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace platform_test {

// A fresh folder under the system temporary folder, removed with everything
// in it at the end of the scope.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexorda-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets (or with nullopt, unsets) an environment variable for a scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
    if (const char* old = ::getenv(name_.c_str())) saved_ = old;
    set(value);
  }
  ~ScopedEnvironment() { set(saved_); }

 private:
  void set(const std::optional<std::string>& value) {
    (void)(value ? ::setenv(name_.c_str(), value->c_str(), 1) : ::unsetenv(name_.c_str()));
  }
  std::string name_;
  std::optional<std::string> saved_;
};

// Changes the current directory for a scope.
struct ScopedCurrentDirectory {
  explicit ScopedCurrentDirectory(const std::string& path) { std::filesystem::current_path(path); }
  ~ScopedCurrentDirectory() { std::filesystem::current_path(saved_, ignored_); }
  std::filesystem::path saved_ = std::filesystem::current_path();
  std::error_code ignored_;
};

inline std::string readFile(const std::string& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The canonical form of an existing path, or "" when it does not exist.
inline std::string canonical(const std::string& path) {
  std::error_code error;
  return std::filesystem::canonical(path, error).string();
}

}  // namespace platform_test
