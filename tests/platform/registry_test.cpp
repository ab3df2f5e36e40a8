// Checks the registry. In: registry files written by hand, by others or not at
// all, and values written through open keys. Out: values read back, the file
// each write leaves, each call's failure result, and proof that nothing else
// stored in the file is lost by a write, a failed write or a file we cannot
// understand.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using namespace platform;
using platform_test::readFile;
using platform_test::writeFile;

constexpr RegistryRoot kLM = RegistryRoot::LocalMachine;
constexpr const char* kKey = "Software\\Velmor\\Lexorda\\1.0";
const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";
const std::string kSection = "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n";
const std::string kNoFile = "<no file>";

class RegistryTest : public ::testing::Test {
 protected:
  RegistryKey open(RegistryAccess access, std::string_view path = kKey) {
    RegistryKey key = nullptr;
    EXPECT_EQ(regOpenKey(kLM, path, access, &key), Status::Ok) << path;
    return key;
  }
  Status set(std::string_view name, std::string_view value, std::string_view path = kKey, RegistryRoot root = kLM) {
    RegistryKey key = nullptr;
    Status result = regCreateKey(root, path, &key, nullptr);
    if (result == Status::Ok) result = regSetString(key, name, value);
    (void)regCloseKey(key);
    return result;
  }
  void create(std::string_view path, bool isNew) {
    RegistryKey key = nullptr;
    bool created = !isNew;
    EXPECT_EQ(regCreateKey(kLM, path, &key, &created), Status::Ok);
    EXPECT_EQ(created, isNew);
    EXPECT_EQ(regCloseKey(key), Status::Ok);
  }
  // Opens path for reading and queries name; the first failure, or Ok.
  Status get(std::string_view name, std::string* value, std::size_t maxBytes = 500, std::string_view path = kKey) {
    RegistryKey key = nullptr;
    Status result = regOpenKey(kLM, path, RegistryAccess::Read, &key);
    if (result == Status::Ok) result = regQueryString(key, name, maxBytes, value);
    (void)regCloseKey(key);
    return result;
  }

  platform_test::TemporaryFolder folder_;
  const std::string file_ = folder_.file("registry.reg");
  platform_test::ScopedEnvironment registry_{"QUILLON_REGISTRY", file_};
};

// Each row writes the file (or removes it), opens a key for reading and asks
// for a value; the value must be /opt/x/ when the answer is Ok.
TEST_F(RegistryTest, ReadsFilesWrittenByHandOrByOthers) {
  const std::string value = "\"installPath\"=\"/opt/x/\"";
  const std::string ours = kHeader + kSection + value + "\n";
  const std::string crlf = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\r\n" + value + "\r\n\r\n";
  const std::string twice = ours + "\"INSTALLPATH\"=\"/old/\"\n\n[hkey_local_machine\\SOFTWARE\\Velmor\\Lexorda\\1.0]\n";
  const struct { const char* name; std::string text; const char* path; const char* value; Status status; } rows[] = {
      {"no file: an empty registry", kNoFile, kKey, "installPath", Status::NotFound},
      {"an empty file", "", kKey, "installPath", Status::NotFound},
      {"the roots themselves always exist", kNoFile, "", "installPath", Status::NotFound},
      {"byte-order mark and CRLF line ends", crlf, kKey, "installPath", Status::Ok},
      {"key repeated in another spelling; the later value wins", twice + value, kKey, "installPath", Status::Ok},
      {"indented lines and no final line end", kHeader + "  " + kSection + "\t" + value, kKey, "installPath", Status::Ok},
      {"key and value names ignore letter case", ours, "SOFTWARE\\velmor\\LEXORDA\\1.0", "INSTALLPATH", Status::Ok},
      {"a parent exists through its sub-keys", ours, "Software", "installPath", Status::NotFound},
      {"separators at either end are ignored", ours, "\\Software\\Velmor\\Lexorda\\1.0\\", "installPath", Status::Ok},
      {"a name prefix of a key", ours, "Software\\Velmor\\Lex", "installPath", Status::NotFound},
      {"the key under the other root", kHeader + "[HKEY_CURRENT_USER\\Software]\n" + value, "Software", "installPath",
       Status::NotFound},
      {"a missing value", ours, kKey, "absent", Status::NotFound},
      // A file we cannot understand is never read as empty, so no write can lose what it holds.
      {"older header", "REGEDIT4\n\n" + kSection, kKey, "a", Status::Failed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(file_);
    if (row.text != kNoFile) writeFile(file_, row.text);
    std::string read = "sentinel";
    EXPECT_EQ(get(row.value, &read, 500, row.path), row.status);
    EXPECT_EQ(read, row.status == Status::Ok ? "/opt/x/" : "sentinel");
    EXPECT_EQ(readFile(file_), row.text == kNoFile ? "" : row.text);
    EXPECT_EQ(fileExists(file_), row.text != kNoFile) << "reading must not create the file";
  }
}

// One line that cannot be read is reported with its number and skipped, with
// the values of a key it cannot name; the rest loads, and writes keep it.
TEST_F(RegistryTest, ABadLineIsReportedSkippedAndKept) {
  const std::string value = "\"installPath\"=\"/opt/x/\"\n", wrong = "\"installPath\"=\"/wrong/\"\n";
  const std::string notAValue = "not a key, a \"name\"=\"text\" value or a comment";
  const std::string badKey = "not a key under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER; its values are skipped too";
  const struct { const char* name; std::string text; int line; std::string reason; } rows[] = {
      {"value before the first key", kHeader + wrong + kSection + value, 3, "a value before the first key"},
      {"unknown escape", kHeader + kSection + "\"a\"=\"b\\n\"\n" + value, 4, notAValue},
      {"number value", kHeader + kSection + value + "\"installPath\"=dword:00000001\n", 5, notAValue},
      {"text after a value", kHeader + kSection + "\"a\"=\"b\" junk\n" + value, 4, notAValue},
      {"unknown root", kHeader + "[HKEY_CLASSES_ROOT\\x]\n" + wrong + kSection + value, 3, badKey},
      {"unclosed key name", kHeader + kSection + value + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\n" + wrong, 5, badKey},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(file_, row.text);
    EXPECT_EQ(registryProblems(), std::vector<std::string>{file_ + " line " + std::to_string(row.line) + ": " +
                                                           row.reason + "; skipped"});
    std::string read;
    EXPECT_EQ(get("installPath", &read), Status::Ok);
    EXPECT_EQ(read, "/opt/x/");
    ASSERT_EQ(set("added", "yes"), Status::Ok);
    EXPECT_EQ(registryProblems().size(), 1u) << "a write keeps the line: " << readFile(file_);
  }
}

TEST_F(RegistryTest, ValuesRoundTripAndTheQueryLimitCountsTheZero) {
  const struct { const char* name; std::string valueName, value; std::size_t maxBytes; Status expected; } rows[] = {
      {"quote and backslashes", "installPath", R"(C:\Program Files\"Lexorda"\)", 500, Status::Ok},
      {"empty value", "v", "", 500, Status::Ok},
      {"UTF-8, brackets, equals and surrounding spaces", "v", "  [a]=\"\xC2\xA7 1983\"  ", 500, Status::Ok},
      {"default value", "", "default", 500, Status::Ok},
      {"499 characters fit in 500 bytes", "v", std::string(499, 'x'), 500, Status::Ok},
      {"500 characters do not", "v", std::string(500, 'x'), 500, Status::MoreData},
      {"no room at all", "v", "", 0, Status::MoreData},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(set(row.valueName, row.value), Status::Ok);
    std::string read = "sentinel";
    ASSERT_EQ(get(row.valueName, &read, row.maxBytes), row.expected);
    EXPECT_EQ(read, row.expected == Status::Ok ? row.value : "sentinel");
  }
}

// Each write leaves exactly the row's file: keys and names keep their first
// spelling and appear once, values are escaped as the registry editor escapes
// them, and everything else is kept as it was.
TEST_F(RegistryTest, WritesLeaveExactlyTheExpectedFile) {
  const std::string other = "; entered by hand\n\n[HKEY_CURRENT_USER\\Software\\Other]\n"
                            R"("pa\"th"="C:\\dir\\\"q\"\\")" "\n@=\"default\"\n\n";
  const std::string old = kSection + "; a comment\n\"installPath\"=\"/old/\"\n\"second\"=\"2\"\n\n";
  const auto remove = [](const char* name, Status expected) {
    RegistryKey key = nullptr;
    EXPECT_EQ(regOpenKey(kLM, kKey, RegistryAccess::All, &key), Status::Ok);
    EXPECT_EQ(regDeleteValue(key, name), expected);
    EXPECT_EQ(regCloseKey(key), Status::Ok);
  };
  const struct { const char* name; std::string before; std::function<void()> write; std::string after; } rows[] = {
      {"creating a key creates the file", kNoFile, [&] { create(kKey, true); }, kHeader + kSection + "\n"},
      {"an existing key in another spelling is not created again", kHeader + kSection + "\n",
       [&] { create("software\\velmor\\lexorda\\1.0", false); }, kHeader + kSection + "\n"},
      {"a value replaced in place in another spelling", kHeader + other + old,
       [&] { EXPECT_EQ(set("INSTALLPATH", "/new/", "software\\VELMOR\\lexorda\\1.0"), Status::Ok); },
       kHeader + other + kSection + "; a comment\n\"installPath\"=\"/new/\"\n\"second\"=\"2\"\n\n"},
      {"a value deleted in another spelling, then gone", kHeader + old,
       [&] { remove("SECOND", Status::Ok), remove("second", Status::NotFound); },
       kHeader + kSection + "; a comment\n\"installPath\"=\"/old/\"\n\n"},
      {"escaped by the writer", kNoFile,
       [&] { EXPECT_EQ(set("pa\"th", R"(C:\dir\"q"\)", "Software\\Other", RegistryRoot::CurrentUser), Status::Ok); },
       kHeader + "[HKEY_CURRENT_USER\\Software\\Other]\n" R"("pa\"th"="C:\\dir\\\"q\"\\")" "\n\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(file_);
    if (row.before != kNoFile) writeFile(file_, row.before);
    row.write();
    EXPECT_EQ(readFile(file_), row.after);
  }
}

TEST_F(RegistryTest, EachCallReportsItsFailure) {
  ASSERT_EQ(set("present", "kept"), Status::Ok);
  const RegistryKey readOnly = open(RegistryAccess::Read), writable = open(RegistryAccess::All);
  const RegistryKey closed = open(RegistryAccess::All);
  ASSERT_EQ(regCloseKey(closed), Status::Ok);
  RegistryKey out = nullptr;
  std::string value;
  const struct { const char* name; std::function<Status()> call; Status expected; } rows[] = {
      {"open with an empty sub-key name", [&] { return regOpenKey(kLM, "Software\\\\Velmor", RegistryAccess::Read, &out); },
       Status::Failed},
      {"open without a place for the key", [&] { return regOpenKey(kLM, kKey, RegistryAccess::Read, nullptr); },
       Status::Failed},
      {"create with a line break", [&] { return regCreateKey(kLM, "a\nb", &out, nullptr); }, Status::Failed},
      {"set on a read-only key", [&] { return regSetString(readOnly, "present", "lost"); }, Status::AccessDenied},
      {"delete on a read-only key", [&] { return regDeleteValue(readOnly, "present"); }, Status::AccessDenied},
      {"value with a line break", [&] { return regSetString(writable, "present", "a\nb"); }, Status::Failed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    out = nullptr;
    EXPECT_EQ(row.call(), row.expected);
    EXPECT_EQ(out, nullptr);
  }
  for (const RegistryKey key : {RegistryKey{nullptr}, closed}) {
    SCOPED_TRACE(key == nullptr ? "null key" : "closed key");
    EXPECT_EQ(regQueryString(key, "present", 500, &value), Status::InvalidHandle);
    EXPECT_EQ(regSetString(key, "present", "lost"), Status::InvalidHandle);
    EXPECT_EQ(regDeleteValue(key, "present"), Status::InvalidHandle);
    EXPECT_EQ(regCloseKey(key), Status::InvalidHandle);
  }
  ASSERT_EQ(get("present", &value), Status::Ok);
  EXPECT_EQ(value, "kept");
  // Every call reads the file again: another program made it unreadable while
  // our keys were open, and it stays as that program left it.
  const std::string malformed = "REGEDIT4\n\n" + kSection + "\"present\"=\"kept\"\n";
  writeFile(file_, malformed);
  EXPECT_EQ(regQueryString(writable, "present", 500, &value), Status::Failed);
  EXPECT_EQ(regSetString(writable, "present", "overwrite"), Status::Failed);
  EXPECT_EQ(regDeleteValue(writable, "present"), Status::Failed);
  EXPECT_EQ(regCreateKey(kLM, "Software\\New", &out, nullptr), Status::Failed);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(readFile(file_), malformed);
  EXPECT_EQ(regCloseKey(readOnly), Status::Ok);
  EXPECT_EQ(regCloseKey(writable), Status::Ok);
}

TEST_F(RegistryTest, WritesReplaceTheFileAtomicallyOrNotAtAll) {
  const std::string before = kHeader + kSection + "\"installPath\"=\"/old/\"\n\n";
  writeFile(file_, before);
  ASSERT_EQ(::chmod(file_.c_str(), 0640), 0);
  std::ifstream reader(file_, std::ios::binary);  // opened on the old file
  ASSERT_EQ(set("installPath", "/new/"), Status::Ok);
  const std::string expected = kHeader + kSection + "\"installPath\"=\"/new/\"\n\n";
  EXPECT_EQ(readFile(file_), expected);
  std::ostringstream seen;
  seen << reader.rdbuf();
  EXPECT_EQ(seen.str(), before) << "a reader of the old file keeps the old contents";
  struct stat info {};
  ASSERT_EQ(::stat(file_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  // A file size limit makes every write fail, even for a privileged user
  // whom folder permissions would not stop; the file stays as it was.
  const RegistryKey key = open(RegistryAccess::All);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 8;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  RegistryKey created = nullptr;
  EXPECT_EQ(regSetString(key, "installPath", "/lost/"), Status::AccessDenied);
  EXPECT_EQ(regDeleteValue(key, "installPath"), Status::AccessDenied);
  EXPECT_EQ(regCreateKey(kLM, "Software\\New", &created, nullptr), Status::Failed);
  EXPECT_EQ(created, nullptr);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(regCloseKey(key), Status::Ok);
  EXPECT_EQ(readFile(file_), expected);
  // No temporary file is left behind by the write or the failed writes.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"registry.reg"});
}

TEST(RegistryFilePath, ComesFromTheEnvironmentOrTheHomeFolder) {
  platform_test::TemporaryFolder home;
  platform_test::ScopedEnvironment homeVariable("HOME", home.path());
  const std::string fallback = home.path() + "/.quillon/registry.reg";
  for (const std::optional<std::string>& setting : {std::optional<std::string>(""), std::optional<std::string>()}) {
    platform_test::ScopedEnvironment registry("QUILLON_REGISTRY", setting);
    EXPECT_EQ(registryFilePath(), fallback) << (setting ? "empty" : "unset");
  }
  platform_test::ScopedEnvironment registry("QUILLON_REGISTRY", "/srv/quillon/registry.reg");
  EXPECT_EQ(registryFilePath(), "/srv/quillon/registry.reg");
  platform_test::ScopedEnvironment unset("QUILLON_REGISTRY", std::nullopt);
  RegistryKey key = nullptr;
  ASSERT_EQ(regCreateKey(RegistryRoot::CurrentUser, "Software\\Velmor", &key, nullptr), Status::Ok);
  EXPECT_EQ(regCloseKey(key), Status::Ok);
  EXPECT_NE(readFile(fallback).find("[HKEY_CURRENT_USER\\Software\\Velmor]"), std::string::npos)
      << "the first write creates the default folder";
}

}  // namespace
