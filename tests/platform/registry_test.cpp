// Checks the registry. In: values written through open keys, and registry
// files written by hand, by others or not at all. Out: values read back, each
// call's failure result, and proof that nothing else stored in the file is
// lost by a write, a failed write or a file we cannot understand.
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
  Status get(std::string_view name, std::string* value, std::size_t maxBytes = 500) {
    RegistryKey key = nullptr;
    Status result = regOpenKey(kLM, kKey, RegistryAccess::Read, &key);
    if (result == Status::Ok) result = regQueryString(key, name, maxBytes, value);
    (void)regCloseKey(key);
    return result;
  }

  platform_test::TemporaryFolder folder_;
  const std::string file_ = folder_.file("registry.reg");
  platform_test::ScopedEnvironment registry_{"QUILLON_REGISTRY", file_};
};

TEST_F(RegistryTest, MissingOrEmptyFileIsAnEmptyRegistry) {
  RegistryKey key = reinterpret_cast<RegistryKey>(&key);
  EXPECT_EQ(regOpenKey(kLM, kKey, RegistryAccess::Read, &key), Status::NotFound);
  EXPECT_EQ(key, nullptr);
  key = open(RegistryAccess::Read, "");  // the roots themselves always exist
  std::string value;
  EXPECT_EQ(regQueryString(key, "anything", 100, &value), Status::NotFound);
  EXPECT_EQ(regCloseKey(key), Status::Ok);
  EXPECT_FALSE(fileExists(file_)) << "reading must not create the file";

  writeFile(file_, "");
  EXPECT_EQ(get("installPath", &value), Status::NotFound);
  for (const auto& [path, isNew] : {std::pair{kKey, true}, std::pair{"software\\velmor\\lexorda\\1.0", false}}) {
    bool created = !isNew;
    ASSERT_EQ(regCreateKey(kLM, path, &key, &created), Status::Ok);
    EXPECT_EQ(created, isNew) << path;
    EXPECT_EQ(regCloseKey(key), Status::Ok);
  }
  EXPECT_EQ(readFile(file_), kHeader + kSection + "\n");
}

TEST_F(RegistryTest, ValuesRoundTripAndTheQueryLimitCountsTheZero) {
  const struct { const char* name; std::string valueName, value; std::size_t maxBytes; Status expected; } rows[] = {
      {"quote and backslashes", "installPath", R"(C:\Program Files\"Lexorda"\)", 500, Status::Ok},
      {"empty value", "v", "", 500, Status::Ok},
      {"UTF-8, brackets, equals and surrounding spaces", "v", "  [a]=\"\xC2\xA7 1983\"  ", 500, Status::Ok},
      {"name with a quote", "say \"hi\"", "x", 500, Status::Ok},
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
  // Escaped as the registry editor escapes them.
  ASSERT_EQ(set("pa\"th", R"(C:\dir\"q"\)", "Software\\Velmor", RegistryRoot::CurrentUser), Status::Ok);
  EXPECT_NE(readFile(file_).find("[HKEY_CURRENT_USER\\Software\\Velmor]\n" R"("pa\"th"="C:\\dir\\\"q\"\\")"),
            std::string::npos);
}

TEST_F(RegistryTest, EachCallReportsItsFailure) {
  ASSERT_EQ(set("present", "kept"), Status::Ok);
  const RegistryKey readOnly = open(RegistryAccess::Read), writable = open(RegistryAccess::All);
  const RegistryKey closed = open(RegistryAccess::All);
  ASSERT_EQ(regCloseKey(closed), Status::Ok);
  RegistryKey out = nullptr;
  std::string value;
  const auto openAt = [&](RegistryRoot root, std::string_view path) {
    return regOpenKey(root, path, RegistryAccess::Read, &out);
  };
  const struct { const char* name; std::function<Status()> call; Status expected; } rows[] = {
      {"key under the other root", [&] { return openAt(RegistryRoot::CurrentUser, kKey); }, Status::NotFound},
      {"a name prefix of a key", [&] { return openAt(kLM, "Software\\Velmor\\Lex"); }, Status::NotFound},
      {"open with an empty sub-key name", [&] { return openAt(kLM, "Software\\\\Velmor"); }, Status::Failed},
      {"open without a place for the key", [&] { return regOpenKey(kLM, kKey, RegistryAccess::Read, nullptr); },
       Status::Failed},
      {"create with a line break", [&] { return regCreateKey(kLM, "a\nb", &out, nullptr); }, Status::Failed},
      {"missing value", [&] { return regQueryString(readOnly, "absent", 500, &value); }, Status::NotFound},
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
  EXPECT_EQ(regCloseKey(readOnly), Status::Ok);
  EXPECT_EQ(regCloseKey(writable), Status::Ok);
  ASSERT_EQ(get("present", &value), Status::Ok);
  EXPECT_EQ(value, "kept");
}

TEST_F(RegistryTest, KeysAndValueNamesIgnoreLetterCaseAndParentsExist) {
  ASSERT_EQ(set("installPath", "/a/"), Status::Ok);
  ASSERT_EQ(set("INSTALLPATH", "/b/", "software\\VELMOR\\lexorda\\1.0"), Status::Ok);
  ASSERT_EQ(set("gone", "x"), Status::Ok);
  RegistryKey key = open(RegistryAccess::All, "SOFTWARE\\velmor\\LEXORDA\\1.0");
  std::string value;
  EXPECT_EQ(regQueryString(key, "installpath", 500, &value), Status::Ok);
  EXPECT_EQ(value, "/b/");
  EXPECT_EQ(regDeleteValue(key, "GONE"), Status::Ok);
  EXPECT_EQ(regDeleteValue(key, "gone"), Status::NotFound);
  EXPECT_EQ(regCloseKey(key), Status::Ok);
  // Key and name keep their first spelling and appear once.
  EXPECT_EQ(readFile(file_), kHeader + kSection + "\"installPath\"=\"/b/\"\n\n");
  // Parents exist through their sub-keys; separators at either end are ignored.
  for (const char* parent : {"Software", "\\Software\\Velmor\\", "Software\\Velmor\\Lexorda\\1.0\\"}) {
    EXPECT_EQ(regCloseKey(open(RegistryAccess::Read, parent)), Status::Ok);
  }
}

TEST_F(RegistryTest, WritesReplaceTheFileAtomicallyAndKeepEverythingElse) {
  const std::string before = kHeader + "; entered by hand\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n" +
                             "\"keep\"=\"me \\\"please\\\"\"\n@=\"default\"\n\n" + kSection +
                             "; the folder ends with a separator\n\"installPath\"=\"/old/\"\n\"second\"=\"2\"\n\n" +
                             "[HKEY_CURRENT_USER\\Software\\Velmor]\n\"user\"=\"u\"\n\n";
  writeFile(file_, before);
  ASSERT_EQ(::chmod(file_.c_str(), 0640), 0);
  std::ifstream reader(file_, std::ios::binary);  // opened on the old file

  ASSERT_EQ(set("installPath", "/new/"), Status::Ok);
  std::string expected = before;
  expected.replace(expected.find("/old/"), 5, "/new/");
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

TEST_F(RegistryTest, OpenKeyReadsFilesWrittenElsewhere) {
  ASSERT_EQ(set("installPath", "/a/"), Status::Ok);
  const RegistryKey key = open(RegistryAccess::Read);
  const std::string value = "\"installPath\"=\"/opt/x/\"";
  const struct { const char* name; std::string text; } rows[] = {
      {"byte-order mark and CRLF line ends",
       "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
       "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\r\n" + value + "\r\n\r\n"},
      {"key repeated in another spelling; the later value wins",
       kHeader + kSection + "\"INSTALLPATH\"=\"/old/\"\n\n" + "[hkey_local_machine\\SOFTWARE\\Velmor\\Lexorda\\1.0]\n" +
           value},
      {"indented lines and no final line end", kHeader + "  " + kSection + "\t" + value},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(file_, row.text);  // as another process would, while our key is open
    std::string read;
    ASSERT_EQ(regQueryString(key, "installPath", 500, &read), Status::Ok);
    EXPECT_EQ(read, "/opt/x/");
  }
  EXPECT_EQ(regCloseKey(key), Status::Ok);
}

TEST_F(RegistryTest, MalformedFileIsNeverOverwritten) {
  const struct { const char* name; std::string text; } rows[] = {
      {"older header", "REGEDIT4\n\n" + kSection},
      {"value outside any key", kHeader + "\"a\"=\"b\"\n" + kSection},
      {"unknown escape", kHeader + kSection + "\"a\"=\"b\\n\"\n"},
      {"number value", kHeader + kSection + "\"a\"=dword:00000001\n"},
      {"unknown root", kHeader + "[HKEY_CLASSES_ROOT\\x]\n" + kSection},
      {"text after a value", kHeader + kSection + "\"a\"=\"b\" junk\n"},
      {"unclosed section", kHeader + "[HKEY_LOCAL_MACHINE\\Software\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(file_, kHeader + kSection);
    const RegistryKey key = open(RegistryAccess::All);
    writeFile(file_, row.text);
    RegistryKey other = nullptr;
    std::string value;
    EXPECT_EQ(regOpenKey(kLM, kKey, RegistryAccess::Read, &other), Status::Failed);
    EXPECT_EQ(regCreateKey(kLM, "Software\\New", &other, nullptr), Status::Failed);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(regQueryString(key, "a", 500, &value), Status::Failed);
    EXPECT_EQ(regSetString(key, "a", "overwrite"), Status::Failed);
    EXPECT_EQ(regDeleteValue(key, "a"), Status::Failed);
    EXPECT_EQ(readFile(file_), row.text);
    EXPECT_EQ(regCloseKey(key), Status::Ok);
  }
}

TEST(RegistryFilePath, ComesFromTheEnvironmentOrTheHomeFolder) {
  platform_test::TemporaryFolder home;
  platform_test::ScopedEnvironment homeVariable("HOME", home.path());
  const std::string fallback = home.path() + "/.quillon/registry.reg";
  {
    platform_test::ScopedEnvironment registry("QUILLON_REGISTRY", "/srv/quillon/registry.reg");
    EXPECT_EQ(registryFilePath(), "/srv/quillon/registry.reg");
  }
  platform_test::ScopedEnvironment empty("QUILLON_REGISTRY", "");
  EXPECT_EQ(registryFilePath(), fallback) << "empty";
  platform_test::ScopedEnvironment unset("QUILLON_REGISTRY", std::nullopt);
  EXPECT_EQ(registryFilePath(), fallback) << "unset";
  RegistryKey key = nullptr;
  ASSERT_EQ(regCreateKey(RegistryRoot::CurrentUser, "Software\\Velmor", &key, nullptr), Status::Ok);
  EXPECT_EQ(regCloseKey(key), Status::Ok);
  EXPECT_NE(readFile(fallback).find("[HKEY_CURRENT_USER\\Software\\Velmor]"), std::string::npos)
      << "the first write creates the default folder";
}

}  // namespace
