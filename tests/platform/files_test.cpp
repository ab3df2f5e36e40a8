// Checks the current directory and file-existence calls. In: folders and
// paths, good and bad. Out: the directory read back, failures that leave it
// alone, and which paths exist.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using namespace platform;

TEST(CurrentDirectory, DeepFolderIsReadBackInFullAndFailuresLeaveItAlone) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("plain.txt"), "x");
  std::string deep = folder.path();
  for (int i = 0; i < 12; ++i) deep += "/" + std::string(40, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  platform_test::ScopedCurrentDirectory restore(folder.path());
  ASSERT_TRUE(setCurrentDirectory(deep));
  std::string now, after;
  ASSERT_TRUE(currentDirectory(&now));
  EXPECT_EQ(now, platform_test::canonical(deep)) << "longer than 480 bytes";
  EXPECT_TRUE(fileExists(folder.file("plain.txt")) && fileExists(folder.path())) << "files and folders exist";
  for (const std::string& path : {folder.file("missing"), folder.file("plain.txt"), std::string()}) {
    EXPECT_FALSE(fileExists(path + (path.empty() ? "" : "/x"))) << path;
    EXPECT_FALSE(setCurrentDirectory(path)) << path;
    ASSERT_TRUE(currentDirectory(&after));
    EXPECT_EQ(after, now);
  }
  EXPECT_FALSE(currentDirectory(nullptr));
  {
    platform_test::TemporaryFolder doomed;
    ASSERT_TRUE(setCurrentDirectory(doomed.path()));
  }
  std::string path = "untouched";
  EXPECT_FALSE(currentDirectory(&path)) << "a current directory that was removed cannot be read";
  EXPECT_EQ(path, "untouched");
}

}  // namespace

// A saved document is read whole; what cannot be opened must show as null
// even for a root user, whom permissions do not stop.
TEST(ReadFile, OpensOnlyRegularFilesAndReadsThemWhole) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("brief.qdoc"), std::string("\xFFQDC\0x", 6));
  platform_test::writeFile(folder.file("empty"), "");
  struct Row { const char* name; std::string path; std::int64_t size; };
  const Row rows[] = {
      {"a file: the position is its size", folder.file("brief.qdoc"), 6},
      {"an empty file", folder.file("empty"), 0},
      {"missing", folder.file("missing"), -1},
      {"a folder", folder.path(), -1},
      {"no path", "", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ReadFile file = openFileForReading(row.path);
    EXPECT_EQ(fileReadPosition(file), row.size);
    std::vector<std::uint8_t> bytes{1, 2, 3};
    EXPECT_EQ(readWholeFile(file, &bytes), file != nullptr);
    EXPECT_EQ(bytes.size(), file != nullptr ? static_cast<std::size_t>(row.size) : 3u) << "null reads nothing";
    EXPECT_EQ(closeFile(file), file != nullptr);
  }
}
