// Checks the current directory and file-existence calls, failures included.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using platform_test::canonical;

TEST(CurrentDirectory, ChangesAndReadsBack) {
  platform_test::TemporaryFolder folder;
  std::string saved;
  ASSERT_TRUE(platform::currentDirectory(&saved));
  ASSERT_TRUE(platform::setCurrentDirectory(folder.path()));
  std::string now;
  EXPECT_TRUE(platform::currentDirectory(&now));
  EXPECT_EQ(now, canonical(folder.path()));
  ASSERT_TRUE(platform::setCurrentDirectory(saved));
}

TEST(CurrentDirectory, FailuresLeaveTheDirectoryAlone) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("plain.txt"), "x");
  std::string before;
  ASSERT_TRUE(platform::currentDirectory(&before));
  struct Row {
    const char* name;
    std::string path;
  };
  const Row rows[] = {
      {"missing folder", folder.file("missing")},
      {"a file, not a folder", folder.file("plain.txt")},
      {"empty path", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(platform::setCurrentDirectory(row.path));
    std::string after;
    ASSERT_TRUE(platform::currentDirectory(&after));
    EXPECT_EQ(after, before);
  }
  EXPECT_FALSE(platform::currentDirectory(nullptr));
}

TEST(CurrentDirectory, ReadFailsOnceTheFolderIsRemoved) {
  std::string saved;
  ASSERT_TRUE(platform::currentDirectory(&saved));
  {
    platform_test::TemporaryFolder folder;
    ASSERT_TRUE(platform::setCurrentDirectory(folder.path()));
  }
  std::string path = "untouched";
  EXPECT_FALSE(platform::currentDirectory(&path));
  EXPECT_EQ(path, "untouched");
  ASSERT_TRUE(platform::setCurrentDirectory(saved));
}

TEST(CurrentDirectory, DeepFolderIsReadInFull) {
  platform_test::TemporaryFolder folder;
  std::string deep = folder.path();
  for (int i = 0; i < 12; ++i) deep += "/" + std::string(40, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  platform_test::ScopedCurrentDirectory here(deep);
  std::string now;
  ASSERT_TRUE(platform::currentDirectory(&now));
  EXPECT_GT(now.size(), 480u);
  EXPECT_EQ(now, canonical(deep));
}

TEST(FileExists, FilesAndFoldersExist) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("plain.txt"), "x");
  struct Row {
    const char* name;
    std::string path;
    bool exists;
  };
  const Row rows[] = {
      {"file", folder.file("plain.txt"), true},
      {"folder", folder.path(), true},
      {"missing", folder.file("missing.txt"), false},
      {"below a file", folder.file("plain.txt") + "/x", false},
      {"empty path", "", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::fileExists(row.path), row.exists);
  }
}

}  // namespace
