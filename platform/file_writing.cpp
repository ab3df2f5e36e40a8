// Turns a path and bytes into the file replaced safely: links followed to
// their target, a fresh temporary file written and synced beside it, then
// renamed over it; or a refusal that leaves every file as it was.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "platform/platform.h"

namespace platform {
namespace {

// As many links as the kernel follows before it reports a loop.
constexpr int kMaxLinkHops = 40;
// Keeps ".NAME.XXXXXX" within the 255 bytes a file name may have.
constexpr std::size_t kMaxTemporaryStem = 200;

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that path names once every symbolic link is followed; it need not
// exist yet (a link to a missing file names where the file is to be). Empty,
// with errno set, for a link loop or a link that cannot be read.
std::string finalTarget(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char link[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), link, sizeof link);
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) == sizeof link) {
      errno = ENAMETOOLONG;
      return {};
    }
    const std::string next(link, static_cast<std::size_t>(length));
    path = next.front() == kPathSeparator ? next : folderOf(path) + kPathSeparator + next;
  }
  errno = ELOOP;
  return {};
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

mode_t newFileMode() {
  // umask can only be read by setting it; the host sets it nowhere else.
  const mode_t mask = ::umask(0);
  (void)::umask(mask);
  return 0666 & ~mask;
}

FileWriteResult failure(int errorNumber) { return {FileWriteStatus::Failed, errorNumber}; }

}  // namespace

FileWriteResult writeWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return failure(ENOENT);
  const std::string target = finalTarget(path);
  if (target.empty()) return failure(errno);

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return failure(errno);
  if (exists) {
    if (!S_ISREG(old.st_mode)) return {FileWriteStatus::NotRegularFile, 0};
    // The mode bits first: a privileged process passes every access check.
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return {FileWriteStatus::ReadOnly, 0};
    if (::access(target.c_str(), W_OK) != 0) {
      if (errno == EACCES || errno == EPERM || errno == EROFS) return {FileWriteStatus::ReadOnly, 0};
      return failure(errno);
    }
  }

  const std::string folder = folderOf(target);
  std::string temporary =
      folder + kPathSeparator + "." + nameOf(target).substr(0, kMaxTemporaryStem) + ".XXXXXX";
  // Exclusive creation under a fresh name: a link planted in the folder is
  // never followed. Close-on-exec, so that a viewer started meanwhile does
  // not inherit it.
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return failure(errno);
  bool written = writeAll(fd, bytes) && ::fchmod(fd, exists ? old.st_mode & 07777 : newFileMode()) == 0;
  // A privileged save of someone else's file leaves it theirs; when that is
  // not allowed, the file is still written as ours.
  if (written && exists && ::fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
  written = written && ::fsync(fd) == 0;
  int errorNumber = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    errorNumber = errno;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
    written = false;
    errorNumber = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return failure(errorNumber == 0 ? EIO : errorNumber);
  }
  // The rename itself survives a crash only once the folder is synced.
  if (const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folderFd >= 0) {
    (void)::fsync(folderFd);
    ::close(folderFd);
  }
  return {};
}

}  // namespace platform
