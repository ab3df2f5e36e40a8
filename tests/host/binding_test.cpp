// Binding to the host's libraries: file names per version, bare-name
// fallback, required and optional functions, and the current directory kept.
#include <gtest/gtest.h>

#include "host/host_library.h"
#include "tests/host/fixtures.h"

namespace {

std::string fileNameOf(platform::Module module) {
  if (module == nullptr) return "";
  const std::string path = platform::moduleFileName(module);
  return path.substr(path.rfind('/') + 1);
}

TEST(HostLibraryBind, LoadsTheRightFilesAndKeepsTheCurrentDirectory) {
  // The full host looks up 117 functions; each major version below 17 two
  // versioned clipboard pairs fewer.
  // The files loaded ("" for none); lookedUp and found -1 when not checked.
  const struct { const char* name; int major, minor; bool binds; const char *stringFile, *interfaceFile;
                 int lookedUp, found; } rows[] = {
      {"current host", 17, 0, true, "hoststr17.so", "hostifc170.so", 117, 117},
      {"neither hoststr15 nor hostifc152 exists: both bare names", 15, 2, true, "hoststr17.so", "hostifc170.so",
       113, 113},
      // DocumentToStorage, PersistentVarGetInteger and the pairs 10 to 17.
      {"lacks only optional functions", 17, 1, true, "hoststr17.so", "hostifc171.so", 117, 117 - 2 - 16},
      {"lacks a required function", 17, 2, false, "hoststr17.so", "hostifc172.so", -1, -1},
      {"string library lacks HostStringFind", 16, 0, false, "hoststr16.so", "hostifc170.so", -1, -1},
      {"major too high", 4095, 0, false, "", "", -1, -1},
      {"major too low", 9, 0, false, "", "", -1, -1},
  };
  // The rows load one-digit minors only.
  EXPECT_EQ(host::libraryFileNames(16, 12).interfaceLibrary, "hostifc1612.so");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    platform_test::TemporaryFolder elsewhere;
    std::string saved, before, after;
    ASSERT_TRUE(platform::currentDirectory(&saved));
    ASSERT_TRUE(platform::setCurrentDirectory(elsewhere.path()));
    ASSERT_TRUE(platform::currentDirectory(&before));
    host::HostLibraryBinding binding;
    EXPECT_EQ(binding.bind(row.major, row.minor), row.binds);
    ASSERT_TRUE(platform::currentDirectory(&after));
    (void)platform::setCurrentDirectory(saved);
    EXPECT_EQ(after, before) << "the current directory must be restored";
    EXPECT_EQ(binding.isBound(), row.binds);
    EXPECT_EQ(fileNameOf(binding.stringLibrary()), row.stringFile);
    EXPECT_EQ(fileNameOf(binding.interfaceLibrary()), row.interfaceFile);
    if (row.lookedUp >= 0) {
      EXPECT_EQ(binding.lookedUp(), row.lookedUp);
      EXPECT_EQ(binding.found(), row.found);
    }
    binding.unbind();
    EXPECT_EQ(binding.stringLibrary(), nullptr);
    EXPECT_EQ(binding.interfaceLibrary(), nullptr);
    EXPECT_EQ(binding.functions().ansiToHostString, nullptr);
  }
}

}  // namespace
