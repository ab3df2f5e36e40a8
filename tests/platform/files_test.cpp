// Checks the current directory and file-existence calls. In: folders and
// paths, good and bad. Out: the directory read back, failures that leave it
// alone, and which paths exist.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using namespace platform;

TEST(CurrentDirectory, DeepFolderIsSetAndReadBackInFull) {
  platform_test::TemporaryFolder folder;
  std::string deep = folder.path();
  for (int i = 0; i < 12; ++i) deep += "/" + std::string(40, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  platform_test::ScopedCurrentDirectory restore(folder.path());
  ASSERT_TRUE(setCurrentDirectory(deep));
  std::string now;
  ASSERT_TRUE(currentDirectory(&now));
  EXPECT_GT(now.size(), 480u);
  EXPECT_EQ(now, platform_test::canonical(deep));
}

TEST(CurrentDirectory, FailuresLeaveTheDirectoryAlone) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("plain.txt"), "x");
  std::string before, after;
  ASSERT_TRUE(currentDirectory(&before));
  for (const std::string& path : {folder.file("missing"), folder.file("plain.txt"), std::string()}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(setCurrentDirectory(path));
    ASSERT_TRUE(currentDirectory(&after));
    EXPECT_EQ(after, before);
  }
  EXPECT_FALSE(currentDirectory(nullptr));
  // A current directory that was removed cannot be read.
  platform_test::ScopedCurrentDirectory restore(".");
  {
    platform_test::TemporaryFolder doomed;
    ASSERT_TRUE(setCurrentDirectory(doomed.path()));
  }
  std::string path = "untouched";
  EXPECT_FALSE(currentDirectory(&path));
  EXPECT_EQ(path, "untouched");
}

TEST(FileExists, FilesAndFoldersExist) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("plain.txt"), "x");
  const struct { const char* name; std::string path; bool exists; } rows[] = {
      {"file", folder.file("plain.txt"), true},
      {"folder", folder.path(), true},
      {"missing", folder.file("missing.txt"), false},
      {"below a file", folder.file("plain.txt") + "/x", false},
      {"empty path", "", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(fileExists(row.path), row.exists);
  }
}

}  // namespace
