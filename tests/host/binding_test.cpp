// Binding to the host's libraries: file names per version, bare-name fallback,
// required and optional functions, and the current directory kept.
#include <gtest/gtest.h>

#include "host/host_library.h"
#include "tests/host/fixtures.h"

namespace {

using host::HostLibraryBinding;
using host_test::ScopedCurrentDirectory;
using host_test::TempDir;

std::string fileNameOf(platform::Module module) {
  const std::string path = platform::moduleFileName(module);
  return path.substr(path.rfind('/') + 1);
}

TEST(HostLibraryFileNames, FormedFromMajorAndMinor) {
  struct Row {
    const char* name;
    int major, minor;
    const char* stringLibrary;
    const char* interfaceLibrary;
  } rows[] = {
      {"current host", 17, 0, "hoststr17.so", "hostifc170.so"},
      {"older host with a minor version", 15, 2, "hoststr15.so", "hostifc152.so"},
      {"two-digit minor", 16, 12, "hoststr16.so", "hostifc1612.so"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const host::LibraryFileNames names = host::libraryFileNames(row.major, row.minor);
    EXPECT_EQ(names.stringLibrary, row.stringLibrary);
    EXPECT_EQ(names.interfaceLibrary, row.interfaceLibrary);
  }
}

struct BindCase {
  const char* name;
  int major, minor;
  bool binds;
  const char* stringFile;     // expected file loaded, or "" when none
  const char* interfaceFile;  // expected file loaded, or "" when none
};

void PrintTo(const BindCase& c, std::ostream* os) { *os << c.name; }

class HostLibraryBind : public testing::TestWithParam<BindCase> {};

TEST_P(HostLibraryBind, LoadsTheRightFilesAndKeepsTheCurrentDirectory) {
  const BindCase& c = GetParam();
  TempDir elsewhere;
  ScopedCurrentDirectory cwd(elsewhere.path());
  std::string before;
  ASSERT_TRUE(platform::currentDirectory(&before));

  HostLibraryBinding binding;
  EXPECT_EQ(binding.bind(c.major, c.minor), c.binds);
  EXPECT_EQ(binding.isBound(), c.binds);

  std::string after;
  ASSERT_TRUE(platform::currentDirectory(&after));
  EXPECT_EQ(after, before) << "the current directory must be restored";

  EXPECT_EQ(binding.stringLibrary() ? fileNameOf(binding.stringLibrary()) : "", c.stringFile);
  EXPECT_EQ(binding.interfaceLibrary() ? fileNameOf(binding.interfaceLibrary()) : "",
            c.interfaceFile);
  binding.unbind();
  EXPECT_EQ(binding.stringLibrary(), nullptr);
  EXPECT_EQ(binding.interfaceLibrary(), nullptr);
  EXPECT_EQ(binding.functions().ansiToHostString, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, HostLibraryBind,
    testing::Values(
        BindCase{"Current", 17, 0, true, "hoststr17.so", "hostifc170.so"},
        // Neither hoststr15 nor hostifc152 exists: both bare names are used.
        BindCase{"OlderHostFallsBackToBareNames", 15, 2, true, "hoststr17.so", "hostifc170.so"},
        BindCase{"LacksOnlyOptionalFunctions", 17, 1, true, "hoststr17.so", "hostifc171.so"},
        BindCase{"LacksARequiredFunction", 17, 2, false, "hoststr17.so", "hostifc172.so"},
        BindCase{"StringLibraryLacksFind", 16, 0, false, "hoststr16.so", "hostifc170.so"},
        BindCase{"MajorTooHigh", 4095, 0, false, "", ""},
        BindCase{"MajorTooLow", 9, 0, false, "", ""}),
    [](const testing::TestParamInfo<BindCase>& info) { return std::string(info.param.name); });

TEST(HostLibraryBind, LooksUpAllFunctionsOfTheCurrentHost) {
  HostLibraryBinding binding;
  ASSERT_TRUE(binding.bind(17, 0));
  EXPECT_EQ(binding.lookedUp(), 117);
  EXPECT_EQ(binding.found(), 117);
  const host::HostFunctions& f = binding.functions();
  EXPECT_NE(f.hostStringToAnsi, nullptr);
  EXPECT_NE(f.ansiToHostString, nullptr);
  EXPECT_NE(f.hostStringLength, nullptr);
  EXPECT_NE(f.createCommandDescriptor, nullptr);
  EXPECT_NE(f.addDynamicCommand, nullptr);
  EXPECT_NE(f.getDynamicCommandId, nullptr);
  EXPECT_NE(f.destroyCommandDescriptor, nullptr);
  EXPECT_NE(f.getCommandBarStyle, nullptr);
  binding.unbind();
}

TEST(HostLibraryBind, VersionedClipboardFunctionsAreLookedUpOnlyUpToTheMajorVersion) {
  // Major 15 looks up the pairs for 9 to 15 only: two pairs fewer than 17.
  HostLibraryBinding binding;
  ASSERT_TRUE(binding.bind(15, 0));
  EXPECT_EQ(binding.lookedUp(), 117 - 4);
  binding.unbind();
}

TEST(HostLibraryBind, MissingOptionalFunctionsAreCountedButNotRequired) {
  HostLibraryBinding binding;
  ASSERT_TRUE(binding.bind(17, 1));
  EXPECT_EQ(binding.lookedUp(), 117);
  // DocumentToStorage, PersistentVarGetInteger and the pairs 10 to 17.
  EXPECT_EQ(binding.found(), 117 - 2 - 16);
  binding.unbind();
}

TEST(HostLibraryBind, RebindingReplacesTheHandles) {
  HostLibraryBinding binding;
  ASSERT_FALSE(binding.bind(17, 2));
  ASSERT_TRUE(binding.bind(17, 0));
  EXPECT_EQ(fileNameOf(binding.interfaceLibrary()), "hostifc170.so");
  binding.unbind();
}

}  // namespace
