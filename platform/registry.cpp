// Turns registry calls on open keys into reads and atomic rewrites of the
// registry file named by $QUILLON_REGISTRY.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>
#include <utility>

#include "platform/internal/registry_file.h"
#include "platform/platform.h"

namespace platform {

struct RegistryKeyRecord {
  RegistryRoot root;
  std::string path;
  RegistryAccess access;
};

namespace {

using internal::RegistryDocument;
using internal::RegistryEntry;
using internal::RegistrySection;

// Serialises read-modify-write cycles within the process and guards the set
// of open keys, so that a closed or foreign handle is recognised.
struct RegistryState {
  std::mutex mutex;
  std::unordered_set<const RegistryKeyRecord*> openKeys;
};

RegistryState& state() {
  static RegistryState instance;
  return instance;
}

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return ".";
}

enum class LoadResult { Ok, Failed };

// Reads the whole file into *text. Missing: false with errno ENOENT.
bool readText(const std::string& path, std::string* text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      errno = error;
      return false;
    }
    text->append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return true;
}

// A missing file is an empty registry; an unreadable one, or one without the
// header, is not, so that nothing stored in it can be overwritten. Lines that
// cannot be read are skipped and kept (registryProblems reports them).
LoadResult loadDocument(const std::string& path, RegistryDocument* document) {
  std::string text;
  if (!readText(path, &text)) {
    if (errno != ENOENT) return LoadResult::Failed;
    *document = RegistryDocument{};
    return LoadResult::Ok;
  }
  std::optional<RegistryDocument> parsed = internal::parseRegistryText(text);
  if (!parsed) return LoadResult::Failed;
  *document = std::move(*parsed);
  return LoadResult::Ok;
}

// Replaces the file through writeWholeFile, so that a reader sees either the
// old file or the new one, never half.
bool saveDocument(const std::string& path, const RegistryDocument& document) {
  // The default location ($HOME/.quillon) may not exist yet on a new account.
  const std::size_t slash = path.rfind(kPathSeparator);
  if (slash != std::string::npos && slash > 0) (void)::mkdir(path.substr(0, slash).c_str(), 0755);
  return writeWholeFile(path, internal::formatRegistryText(document)).status == FileWriteStatus::Ok;
}

bool isOpen(const RegistryKeyRecord* key) {
  return key != nullptr && state().openKeys.count(key) != 0;
}

RegistryKey openRecord(RegistryRoot root, std::string path, RegistryAccess access) {
  auto* record = new RegistryKeyRecord{root, std::move(path), access};
  state().openKeys.insert(record);
  return record;
}

}  // namespace

std::string registryFilePath() {
  if (const char* path = std::getenv("QUILLON_REGISTRY"); path != nullptr && *path != '\0') return path;
  return homeFolder() + "/.quillon/registry.reg";
}

std::vector<std::string> registryProblems() {
  const std::string path = registryFilePath();
  std::string text;
  if (!readText(path, &text)) {
    if (errno == ENOENT) return {};
    return {path + " cannot be read: " + std::strerror(errno)};
  }
  const std::optional<RegistryDocument> parsed = internal::parseRegistryText(text);
  if (!parsed) {
    return {path + " is not a registry file: it does not start with \"" + std::string(internal::kRegistryHeader) +
            "\""};
  }
  std::vector<std::string> problems;
  for (const internal::RegistryProblem& problem : parsed->problems) {
    problems.push_back(path + " line " + std::to_string(problem.line) + ": " + problem.reason + "; skipped");
  }
  return problems;
}

Status regOpenKey(RegistryRoot root, std::string_view path, RegistryAccess access, RegistryKey* key) {
  if (key == nullptr) return Status::Failed;
  *key = nullptr;
  const std::optional<std::string> normalized = internal::normalizeKeyPath(path);
  if (!normalized) return Status::Failed;
  std::lock_guard lock(state().mutex);
  RegistryDocument document;
  if (loadDocument(registryFilePath(), &document) != LoadResult::Ok) return Status::Failed;
  if (!internal::keyExists(document, root, *normalized)) return Status::NotFound;
  *key = openRecord(root, *normalized, access);
  return Status::Ok;
}

Status regCreateKey(RegistryRoot root, std::string_view path, RegistryKey* key, bool* created) {
  if (key == nullptr) return Status::Failed;
  *key = nullptr;
  if (created != nullptr) *created = false;
  const std::optional<std::string> normalized = internal::normalizeKeyPath(path);
  if (!normalized) return Status::Failed;
  std::lock_guard lock(state().mutex);
  const std::string file = registryFilePath();
  RegistryDocument document;
  if (loadDocument(file, &document) != LoadResult::Ok) return Status::Failed;
  const bool exists = internal::keyExists(document, root, *normalized);
  if (!exists) {
    // The key's own section is enough: its parents exist through it.
    internal::ensureSection(document, root, *normalized);
    if (!saveDocument(file, document)) return Status::Failed;
  }
  if (created != nullptr) *created = !exists;
  *key = openRecord(root, *normalized, RegistryAccess::All);
  return Status::Ok;
}

Status regQueryString(RegistryKey key, std::string_view name, std::size_t maxBytes, std::string* value) {
  std::lock_guard lock(state().mutex);
  if (!isOpen(key)) return Status::InvalidHandle;
  if (value == nullptr) return Status::Failed;
  RegistryDocument document;
  if (loadDocument(registryFilePath(), &document) != LoadResult::Ok) return Status::Failed;
  const RegistrySection* section = internal::findSection(std::as_const(document), key->root, key->path);
  const RegistryEntry* entry = section != nullptr ? internal::findValue(*section, name) : nullptr;
  if (entry == nullptr) return Status::NotFound;
  // The caller's limit includes the terminating zero.
  if (entry->text.size() >= maxBytes) return Status::MoreData;
  *value = entry->text;
  return Status::Ok;
}

Status regSetString(RegistryKey key, std::string_view name, std::string_view value) {
  std::lock_guard lock(state().mutex);
  if (!isOpen(key)) return Status::InvalidHandle;
  if (key->access != RegistryAccess::All) return Status::AccessDenied;
  if (!internal::fitsOnOneLine(name) || !internal::fitsOnOneLine(value)) return Status::Failed;
  const std::string file = registryFilePath();
  RegistryDocument document;
  if (loadDocument(file, &document) != LoadResult::Ok) return Status::Failed;
  RegistrySection& section = internal::ensureSection(document, key->root, key->path);
  if (RegistryEntry* entry = internal::findValue(section, name)) {
    entry->text = std::string(value);  // the name keeps its first spelling
  } else {
    section.entries.push_back(RegistryEntry{RegistryEntry::Kind::Value, std::string(name), std::string(value)});
  }
  return saveDocument(file, document) ? Status::Ok : Status::AccessDenied;
}

Status regDeleteValue(RegistryKey key, std::string_view name) {
  std::lock_guard lock(state().mutex);
  if (!isOpen(key)) return Status::InvalidHandle;
  if (key->access != RegistryAccess::All) return Status::AccessDenied;
  const std::string file = registryFilePath();
  RegistryDocument document;
  if (loadDocument(file, &document) != LoadResult::Ok) return Status::Failed;
  RegistrySection* section = internal::findSection(document, key->root, key->path);
  const RegistryEntry* entry = section != nullptr ? internal::findValue(*section, name) : nullptr;
  if (entry == nullptr) return Status::NotFound;
  section->entries.erase(section->entries.begin() + (entry - section->entries.data()));
  return saveDocument(file, document) ? Status::Ok : Status::AccessDenied;
}

Status regCloseKey(RegistryKey key) {
  std::lock_guard lock(state().mutex);
  if (!isOpen(key)) return Status::InvalidHandle;
  state().openKeys.erase(key);
  delete key;
  return Status::Ok;
}

}  // namespace platform
