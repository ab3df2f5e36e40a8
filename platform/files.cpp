// Turns current-directory, file-existence and whole-file reading requests
// into POSIX calls.
#include <fcntl.h>
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

struct ReadFileRecord {
  int descriptor = -1;
  std::int64_t position = 0;
};

ReadFile openFileForReading(const std::string& path) {
  if (path.empty()) return nullptr;
  // POSIX has no sharing modes: other readers and writers are always allowed.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    return nullptr;
  }
  return new ReadFileRecord{descriptor, static_cast<std::int64_t>(info.st_size)};
}

std::int64_t fileReadPosition(ReadFile file) { return file == nullptr ? -1 : file->position; }

bool readWholeFile(ReadFile file, std::vector<std::uint8_t>* bytes) {
  if (file == nullptr || bytes == nullptr) return false;
  bytes->clear();
  if (::lseek(file->descriptor, 0, SEEK_SET) != 0) return false;
  std::uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = ::read(file->descriptor, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    bytes->insert(bytes->end(), chunk, chunk + got);
  }
  file->position = static_cast<std::int64_t>(bytes->size());
  return true;
}

bool closeFile(ReadFile file) {
  if (file == nullptr) return false;
  ::close(file->descriptor);
  delete file;
  return true;
}

}  // namespace platform
