// Checks the registry: values written through open keys and read back from
// the file, each call's failure result, and that nothing else stored in the
// file is lost by a write, a failed write or a file we cannot understand.
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

using platform::RegistryAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::Status;
using platform_test::readFile;
using platform_test::writeFile;

constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";
constexpr const char* kHeader = "Windows Registry Editor Version 5.00\n\n";

class RegistryTest : public ::testing::Test {
 protected:
  Status set(RegistryRoot root, std::string_view path, std::string_view name, std::string_view value) {
    RegistryKey key = nullptr;
    const Status created = platform::regCreateKey(root, path, &key, nullptr);
    if (created != Status::Ok) return created;
    const Status result = platform::regSetString(key, name, value);
    EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
    return result;
  }

  Status get(RegistryRoot root, std::string_view path, std::string_view name, std::size_t maxBytes,
             std::string* value) {
    RegistryKey key = nullptr;
    const Status opened = platform::regOpenKey(root, path, RegistryAccess::Read, &key);
    if (opened != Status::Ok) return opened;
    const Status result = platform::regQueryString(key, name, maxBytes, value);
    EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
    return result;
  }

  std::vector<std::string> filesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  platform_test::TemporaryFolder folder_;
  const std::string file_ = folder_.file("registry.reg");
  platform_test::ScopedEnvironment registry_{"QUILLON_REGISTRY", file_};
};

TEST_F(RegistryTest, MissingFileIsAnEmptyRegistry) {
  RegistryKey key = reinterpret_cast<RegistryKey>(&key);
  EXPECT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::Read, &key),
            Status::NotFound);
  EXPECT_EQ(key, nullptr);
  // The roots themselves always exist.
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::CurrentUser, "", RegistryAccess::Read, &key), Status::Ok);
  std::string value;
  EXPECT_EQ(platform::regQueryString(key, "anything", 100, &value), Status::NotFound);
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
  EXPECT_FALSE(platform::fileExists(file_)) << "reading must not create the file";
}

TEST_F(RegistryTest, CreateKeyReportsWhetherItWasNew) {
  RegistryKey key = nullptr;
  bool created = false;
  ASSERT_EQ(platform::regCreateKey(RegistryRoot::LocalMachine, kInstallKey, &key, &created), Status::Ok);
  EXPECT_TRUE(created);
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
  const std::string first = readFile(file_);
  EXPECT_EQ(first, std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n\n");

  ASSERT_EQ(platform::regCreateKey(RegistryRoot::LocalMachine, "software\\velmor\\lexorda\\1.0", &key,
                                   &created),
            Status::Ok);
  EXPECT_FALSE(created);
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
  EXPECT_EQ(readFile(file_), first);
}

TEST_F(RegistryTest, ValuesRoundTripThroughTheFile) {
  struct Row {
    const char* name;
    std::string valueName;
    std::string value;
  };
  const Row rows[] = {
      {"plain folder", "installPath", "/opt/lexorda/"},
      {"quote and backslashes", "installPath", R"(C:\Program Files\"Lexorda"\)"},
      {"only backslashes", "v", R"(\\)"},
      {"empty value", "v", ""},
      {"UTF-8 section sign", "v", "42 U.S.C. \xC2\xA7 1983"},
      {"surrounding spaces", "v", "  padded  "},
      {"brackets and equals", "v", "[a]=\"b\""},
      {"name with a quote", "say \"hi\"", "x"},
      {"default value", "", "default"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, row.valueName, row.value), Status::Ok);
    std::string read = "sentinel";
    ASSERT_EQ(get(RegistryRoot::LocalMachine, kInstallKey, row.valueName, 1024, &read), Status::Ok);
    EXPECT_EQ(read, row.value);
  }
}

TEST_F(RegistryTest, EscapesAreWrittenAsTheRegistryEditorWritesThem) {
  ASSERT_EQ(set(RegistryRoot::CurrentUser, "Software\\Velmor", "pa\"th", R"(C:\dir\"q"\)"), Status::Ok);
  EXPECT_EQ(readFile(file_),
            std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\Velmor]\n" +
                R"("pa\"th"="C:\\dir\\\"q\"\\")" + "\n\n");
}

TEST_F(RegistryTest, QueryLimitCountsTheTerminatingZero) {
  struct Row {
    const char* name;
    std::size_t length;
    std::size_t maxBytes;
    Status expected;
  };
  const Row rows[] = {
      {"499 characters fit in 500 bytes", 499, 500, Status::Ok},
      {"500 characters do not fit in 500 bytes", 500, 500, Status::MoreData},
      {"500 characters fit in 501 bytes", 500, 501, Status::Ok},
      {"empty value needs one byte", 0, 1, Status::Ok},
      {"no room at all", 0, 0, Status::MoreData},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string stored(row.length, 'x');
    ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", stored), Status::Ok);
    std::string read = "sentinel";
    EXPECT_EQ(get(RegistryRoot::LocalMachine, kInstallKey, "installPath", row.maxBytes, &read), row.expected);
    EXPECT_EQ(read, row.expected == Status::Ok ? stored : "sentinel");
  }
}

TEST_F(RegistryTest, EachCallReportsItsFailure) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "present", "kept"), Status::Ok);
  RegistryKey readOnly = nullptr;
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::Read, &readOnly),
            Status::Ok);
  RegistryKey writable = nullptr;
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::All, &writable),
            Status::Ok);
  RegistryKey closed = nullptr;
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::All, &closed),
            Status::Ok);
  ASSERT_EQ(platform::regCloseKey(closed), Status::Ok);

  RegistryKey out = nullptr;
  std::string value;
  struct Row {
    const char* name;
    std::function<Status()> call;
    Status expected;
  };
  const Row rows[] = {
      {"missing key", [&] { return platform::regOpenKey(RegistryRoot::LocalMachine, "Software\\Nobody",
                                                        RegistryAccess::Read, &out); },
       Status::NotFound},
      {"a name prefix is not a parent key",
       [&] { return platform::regOpenKey(RegistryRoot::LocalMachine, "Software\\Vel", RegistryAccess::Read, &out); },
       Status::NotFound},
      {"key under the other root",
       [&] { return platform::regOpenKey(RegistryRoot::CurrentUser, kInstallKey, RegistryAccess::Read, &out); },
       Status::NotFound},
      {"open with an empty sub-key name",
       [&] { return platform::regOpenKey(RegistryRoot::LocalMachine, "Software\\\\Velmor", RegistryAccess::Read,
                                         &out); },
       Status::Failed},
      {"open without a place for the key",
       [&] { return platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::Read, nullptr); },
       Status::Failed},
      {"create with an empty sub-key name",
       [&] { return platform::regCreateKey(RegistryRoot::LocalMachine, "a\\\\b", &out, nullptr); }, Status::Failed},
      {"create with a line break in the name",
       [&] { return platform::regCreateKey(RegistryRoot::LocalMachine, "a\nb", &out, nullptr); }, Status::Failed},
      {"missing value", [&] { return platform::regQueryString(readOnly, "absent", 500, &value); }, Status::NotFound},
      {"query without a place for the value",
       [&] { return platform::regQueryString(readOnly, "present", 500, nullptr); }, Status::Failed},
      {"delete a missing value", [&] { return platform::regDeleteValue(writable, "absent"); }, Status::NotFound},
      {"set on a read-only key", [&] { return platform::regSetString(readOnly, "present", "lost"); },
       Status::AccessDenied},
      {"delete on a read-only key", [&] { return platform::regDeleteValue(readOnly, "present"); },
       Status::AccessDenied},
      {"value with a line break", [&] { return platform::regSetString(writable, "present", "a\nb"); },
       Status::Failed},
      {"query on null", [&] { return platform::regQueryString(nullptr, "present", 500, &value); },
       Status::InvalidHandle},
      {"set on null", [&] { return platform::regSetString(nullptr, "present", "lost"); }, Status::InvalidHandle},
      {"delete on null", [&] { return platform::regDeleteValue(nullptr, "present"); }, Status::InvalidHandle},
      {"close null", [&] { return platform::regCloseKey(nullptr); }, Status::InvalidHandle},
      {"query on a closed key", [&] { return platform::regQueryString(closed, "present", 500, &value); },
       Status::InvalidHandle},
      {"set on a closed key", [&] { return platform::regSetString(closed, "present", "lost"); },
       Status::InvalidHandle},
      {"delete on a closed key", [&] { return platform::regDeleteValue(closed, "present"); },
       Status::InvalidHandle},
      {"close a closed key", [&] { return platform::regCloseKey(closed); }, Status::InvalidHandle},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    out = nullptr;
    EXPECT_EQ(row.call(), row.expected);
    EXPECT_EQ(out, nullptr);
  }
  EXPECT_EQ(platform::regCloseKey(readOnly), Status::Ok);
  EXPECT_EQ(platform::regCloseKey(writable), Status::Ok);

  std::string kept;
  ASSERT_EQ(get(RegistryRoot::LocalMachine, kInstallKey, "present", 500, &kept), Status::Ok);
  EXPECT_EQ(kept, "kept");
}

TEST_F(RegistryTest, DeletedValueIsGone) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "a", "1"), Status::Ok);
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "b", "2"), Status::Ok);
  RegistryKey key = nullptr;
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::All, &key), Status::Ok);
  EXPECT_EQ(platform::regDeleteValue(key, "A"), Status::Ok);
  std::string value;
  EXPECT_EQ(platform::regQueryString(key, "a", 100, &value), Status::NotFound);
  EXPECT_EQ(platform::regDeleteValue(key, "a"), Status::NotFound);
  EXPECT_EQ(platform::regQueryString(key, "b", 100, &value), Status::Ok);
  EXPECT_EQ(value, "2");
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
}

TEST_F(RegistryTest, KeysAndValueNamesIgnoreLetterCase) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/a/"), Status::Ok);
  std::string value;
  ASSERT_EQ(get(RegistryRoot::LocalMachine, "SOFTWARE\\velmor\\LEXORDA\\1.0", "INSTALLPATH", 500, &value),
            Status::Ok);
  EXPECT_EQ(value, "/a/");

  // A write under another spelling replaces the value; key and name keep
  // their first spelling and appear once.
  ASSERT_EQ(set(RegistryRoot::LocalMachine, "software\\VELMOR\\lexorda\\1.0", "INSTALLPATH", "/b/"), Status::Ok);
  EXPECT_EQ(readFile(file_), std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n" +
                                 "\"installPath\"=\"/b/\"\n\n");
}

TEST_F(RegistryTest, ParentKeysExistThroughTheirSubKeys) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/a/"), Status::Ok);
  struct Row {
    const char* name;
    const char* path;
    Status expected;
  };
  const Row rows[] = {
      {"top parent", "Software", Status::Ok},
      {"middle parent", "Software\\Velmor", Status::Ok},
      {"separators at both ends are ignored", "\\Software\\Velmor\\", Status::Ok},
      {"the key itself with a trailing separator", "Software\\Velmor\\Lexorda\\1.0\\", Status::Ok},
      {"a name prefix of a sub-key", "Software\\Velmor\\Lex", Status::NotFound},
      {"below the deepest key", "Software\\Velmor\\Lexorda\\1.0\\More", Status::NotFound},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RegistryKey key = nullptr;
    EXPECT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, row.path, RegistryAccess::Read, &key),
              row.expected);
    if (key != nullptr) {
      EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
    }
  }
}

TEST_F(RegistryTest, WriteKeepsEverythingElseInTheFile) {
  const std::string before = std::string(kHeader) +
                             "; entered by hand\n"
                             "\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                             "\"keep\"=\"me \\\"please\\\"\"\n"
                             "@=\"default\"\n"
                             "\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n"
                             "; the folder ends with a separator\n"
                             "\"installPath\"=\"/old/\"\n"
                             "\"second\"=\"2\"\n"
                             "\n"
                             "[HKEY_CURRENT_USER\\Software\\Velmor]\n"
                             "\"user\"=\"u\"\n"
                             "\n";
  writeFile(file_, before);
  ASSERT_EQ(::chmod(file_.c_str(), 0640), 0);

  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/new/"), Status::Ok);

  std::string expected = before;
  expected.replace(expected.find("/old/"), 5, "/new/");
  EXPECT_EQ(readFile(file_), expected);
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"registry.reg"}) << "temporary file left behind";
  struct stat info {};
  ASSERT_EQ(::stat(file_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(RegistryTest, WriteReplacesTheFileRatherThanRewritingIt) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/a/"), Status::Ok);
  // A reader that opened the old file keeps reading the old contents.
  std::ifstream reader(file_, std::ios::binary);
  ASSERT_TRUE(reader.is_open());
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/b/"), Status::Ok);
  std::ostringstream seen;
  seen << reader.rdbuf();
  EXPECT_NE(seen.str().find("\"/a/\""), std::string::npos);
  EXPECT_NE(readFile(file_).find("\"/b/\""), std::string::npos);
}

TEST_F(RegistryTest, AcceptsFilesWrittenElsewhere) {
  struct Row {
    const char* name;
    std::string text;
  };
  const Row rows[] = {
      {"CRLF line ends",
       "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\r\n"
       "\"installPath\"=\"/opt/x/\"\r\n\r\n"},
      {"byte-order mark",
       "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n"
       "\"installPath\"=\"/opt/x/\"\n"},
      {"key repeated in another spelling",
       std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n\"other\"=\"1\"\n\n"
                              "[hkey_local_machine\\SOFTWARE\\Velmor\\Lexorda\\1.0]\n\"installPath\"=\"/opt/x/\"\n"},
      {"later value of the same name wins",
       std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n"
                              "\"installPath\"=\"/old/\"\n\"INSTALLPATH\"=\"/opt/x/\"\n"},
      {"indented lines and no final line end",
       std::string(kHeader) + "  [HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n\t\"installPath\"=\"/opt/x/\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(file_, row.text);
    std::string value;
    ASSERT_EQ(get(RegistryRoot::LocalMachine, kInstallKey, "installPath", 500, &value), Status::Ok);
    EXPECT_EQ(value, "/opt/x/");
  }
}

TEST_F(RegistryTest, EmptyFileIsAnEmptyRegistry) {
  writeFile(file_, "");
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/a/"), Status::Ok);
  EXPECT_EQ(readFile(file_), std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n" +
                                 "\"installPath\"=\"/a/\"\n\n");
}

TEST_F(RegistryTest, MalformedFileIsNeverOverwritten) {
  const std::string section = "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n";
  struct Row {
    const char* name;
    std::string text;
  };
  const Row rows[] = {
      {"older header", "REGEDIT4\n\n" + section},
      {"no header", section + "\"a\"=\"b\"\n"},
      {"value outside any key", kHeader + std::string("\"a\"=\"b\"\n") + section},
      {"unterminated quote", kHeader + section + "\"a\"=\"b\n"},
      {"unknown escape", kHeader + section + "\"a\"=\"b\\n\"\n"},
      {"number value", kHeader + section + "\"a\"=dword:00000001\n"},
      {"multi-line binary value", kHeader + section + "\"a\"=hex:01,02,\\\n  03\n"},
      {"unknown root", kHeader + std::string("[HKEY_CLASSES_ROOT\\x]\n") + section},
      {"key deletion", kHeader + section + "\n[-HKEY_LOCAL_MACHINE\\Software\\X]\n"},
      {"stray text", kHeader + section + "hello\n"},
      {"text after a value", kHeader + section + "\"a\"=\"b\" junk\n"},
      {"empty sub-key name", kHeader + std::string("[HKEY_LOCAL_MACHINE\\Software\\\\X]\n")},
      {"unclosed section", kHeader + std::string("[HKEY_LOCAL_MACHINE\\Software\n")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(file_, std::string(kHeader) + section);
    RegistryKey key = nullptr;
    ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::All, &key), Status::Ok);
    writeFile(file_, row.text);

    RegistryKey other = nullptr;
    std::string value;
    EXPECT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::Read, &other),
              Status::Failed);
    EXPECT_EQ(platform::regCreateKey(RegistryRoot::LocalMachine, "Software\\New", &other, nullptr), Status::Failed);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(platform::regQueryString(key, "a", 500, &value), Status::Failed);
    EXPECT_EQ(platform::regSetString(key, "a", "overwrite"), Status::Failed);
    EXPECT_EQ(platform::regDeleteValue(key, "a"), Status::Failed);
    EXPECT_EQ(readFile(file_), row.text);
    EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
  }
}

// Makes every write of more than a few bytes fail, even for a privileged
// user whom folder permissions would not stop.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(RegistryTest, FailedWriteLeavesTheFileAsItWas) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/kept/"), Status::Ok);
  const std::string before = readFile(file_);
  RegistryKey key = nullptr;
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::All, &key), Status::Ok);
  {
    ScopedFileSizeLimit limit(8);
    RegistryKey created = nullptr;
    EXPECT_EQ(platform::regSetString(key, "installPath", "/lost/"), Status::AccessDenied);
    EXPECT_EQ(platform::regDeleteValue(key, "installPath"), Status::AccessDenied);
    EXPECT_EQ(platform::regCreateKey(RegistryRoot::LocalMachine, "Software\\New", &created, nullptr),
              Status::Failed);
    EXPECT_EQ(created, nullptr);
  }
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
  EXPECT_EQ(readFile(file_), before);
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"registry.reg"}) << "temporary file left behind";
}

TEST_F(RegistryTest, OpenKeySeesWritesMadeByOthers) {
  ASSERT_EQ(set(RegistryRoot::LocalMachine, kInstallKey, "installPath", "/a/"), Status::Ok);
  RegistryKey key = nullptr;
  ASSERT_EQ(platform::regOpenKey(RegistryRoot::LocalMachine, kInstallKey, RegistryAccess::Read, &key), Status::Ok);
  // Another process replaces the file while our key is open.
  writeFile(file_, std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software\\Velmor\\Lexorda\\1.0]\n" +
                       "\"installPath\"=\"/b/\"\n");
  std::string value;
  EXPECT_EQ(platform::regQueryString(key, "installPath", 500, &value), Status::Ok);
  EXPECT_EQ(value, "/b/");
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
}

TEST(RegistryFilePath, ComesFromTheEnvironment) {
  platform_test::TemporaryFolder home;
  struct Row {
    const char* name;
    std::optional<std::string> registry;
    std::string expected;
  };
  const Row rows[] = {
      {"named by QUILLON_REGISTRY", "/srv/quillon/registry.reg", "/srv/quillon/registry.reg"},
      {"unset falls back to the home folder", std::nullopt, home.path() + "/.quillon/registry.reg"},
      {"empty falls back to the home folder", "", home.path() + "/.quillon/registry.reg"},
  };
  platform_test::ScopedEnvironment homeVariable("HOME", home.path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform_test::ScopedEnvironment registry("QUILLON_REGISTRY", row.registry);
    EXPECT_EQ(platform::registryFilePath(), row.expected);
  }
}

TEST(RegistryFilePath, FirstWriteCreatesTheDefaultFolder) {
  platform_test::TemporaryFolder home;
  platform_test::ScopedEnvironment homeVariable("HOME", home.path());
  platform_test::ScopedEnvironment registry("QUILLON_REGISTRY", std::nullopt);
  RegistryKey key = nullptr;
  ASSERT_EQ(platform::regCreateKey(RegistryRoot::CurrentUser, "Software\\Velmor", &key, nullptr), Status::Ok);
  EXPECT_EQ(platform::regCloseKey(key), Status::Ok);
  EXPECT_NE(readFile(home.path() + "/.quillon/registry.reg").find("[HKEY_CURRENT_USER\\Software\\Velmor]"),
            std::string::npos);
}

}  // namespace
