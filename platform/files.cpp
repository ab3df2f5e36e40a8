// Turns current-directory and file-existence questions into POSIX calls.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/platform.h"

namespace platform {

bool currentDirectory(std::string* path) {
  if (path == nullptr) return false;
  std::vector<char> buffer(256);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
      *path = buffer.data();
      return true;
    }
    // Deep folders need a larger buffer; any other error (a removed folder)
    // is a failure.
    if (errno != ERANGE || buffer.size() > (1u << 20)) return false;
    buffer.resize(buffer.size() * 2);
  }
}

bool setCurrentDirectory(const std::string& path) {
  return !path.empty() && ::chdir(path.c_str()) == 0;
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace platform
