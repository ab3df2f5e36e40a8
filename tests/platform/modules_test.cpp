// Checks dynamic libraries: where a bare name is looked for, reference
// counts, symbol lookup limited to the module itself, which module holds an
// address, and absolute module file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using platform::Module;
using platform_test::canonical;

constexpr const char* kProbeName = "lexorda_probe.so";

using AnswerFunction = int (*)();

int callAnswer(Module module) {
  const auto answer = reinterpret_cast<AnswerFunction>(platform::procAddress(module, "lexordaProbeAnswer"));
  return answer != nullptr ? answer() : -1;
}

// A folder holding a copy of the probe library under its bare name.
class ProbeFolder {
 public:
  ProbeFolder() {
    std::filesystem::copy_file(LEXORDA_PROBE_LIBRARY, folder_.file(kProbeName));
  }
  const std::string& path() const { return folder_.path(); }
  std::string library() const { return canonical(folder_.file(kProbeName)); }

 private:
  platform_test::TemporaryFolder folder_;
};

int functionInThisProgram() { return 1; }

TEST(Modules, BareNameIsLookedForInTheCurrentDirectoryFirst) {
  ProbeFolder probe;
  Module module = nullptr;
  {
    platform_test::ScopedCurrentDirectory here(probe.path());
    module = platform::loadLibrary(kProbeName);
  }
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(callAnswer(module), 42);
  // Absolute, and still right now that the current directory has changed back.
  EXPECT_EQ(platform::moduleFileName(module), probe.library());
  EXPECT_TRUE(platform::freeLibrary(module));
}

TEST(Modules, SameBareNameInTwoFoldersLoadsTwoModules) {
  ProbeFolder first;
  ProbeFolder second;
  Module a = nullptr;
  Module b = nullptr;
  {
    platform_test::ScopedCurrentDirectory here(first.path());
    a = platform::loadLibrary(kProbeName);
  }
  {
    platform_test::ScopedCurrentDirectory here(second.path());
    b = platform::loadLibrary(kProbeName);
  }
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(platform::moduleFileName(a), first.library());
  EXPECT_EQ(platform::moduleFileName(b), second.library());
  EXPECT_TRUE(platform::freeLibrary(a));
  EXPECT_TRUE(platform::freeLibrary(b));
}

TEST(Modules, BareNameNotInTheCurrentDirectoryUsesTheOrdinarySearch) {
  platform_test::TemporaryFolder empty;
  platform_test::ScopedCurrentDirectory here(empty.path());
  const Module system = platform::loadLibrary("libm.so.6");
  ASSERT_NE(system, nullptr);
  const std::string file = platform::moduleFileName(system);
  EXPECT_EQ(file.front(), '/');
  EXPECT_EQ(file, canonical(file)) << "the name is canonical";
  EXPECT_TRUE(platform::fileExists(file));
  EXPECT_TRUE(platform::freeLibrary(system));
  EXPECT_EQ(platform::loadLibrary(kProbeName), nullptr) << "the probe is on no search path";
}

TEST(Modules, RelativePathIsTakenFromTheCurrentDirectory) {
  ProbeFolder probe;
  const std::string parent = std::filesystem::path(probe.path()).parent_path().string();
  const std::string relative =
      "./" + std::filesystem::path(probe.path()).filename().string() + "/" + kProbeName;
  platform_test::ScopedCurrentDirectory here(parent);
  const Module module = platform::loadLibrary(relative);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(platform::moduleFileName(module), probe.library());
  EXPECT_TRUE(platform::freeLibrary(module));
}

TEST(Modules, EachLoadCountsAndEachFreeUndoesOne) {
  ProbeFolder probe;
  const Module first = platform::loadLibrary(probe.library());
  const Module second = platform::loadLibrary(probe.library());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second) << "a loaded library is loaded once";

  EXPECT_TRUE(platform::freeLibrary(first));
  EXPECT_EQ(callAnswer(first), 42) << "one load remains";
  EXPECT_TRUE(platform::freeLibrary(first));
  // Unloaded: the handle is stale and every call on it fails safely.
  EXPECT_FALSE(platform::freeLibrary(first));
  EXPECT_EQ(platform::procAddress(first, "lexordaProbeAnswer"), nullptr);
  EXPECT_EQ(platform::moduleFileName(first), "");
}

TEST(Modules, ProcAddressAnswersOnlyForTheModuleItself) {
  ProbeFolder probe;
  const Module module = platform::loadLibrary(probe.library());
  ASSERT_NE(module, nullptr);
  const auto* counter = static_cast<const int*>(platform::procAddress(module, "lexordaProbeCounter"));
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(*counter, 7);
  EXPECT_EQ(platform::procAddress(module, "lexordaProbeMissing"), nullptr);
  EXPECT_EQ(platform::procAddress(module, "malloc"), nullptr) << "found in a dependency, not exported here";
  EXPECT_EQ(platform::procAddress(module, nullptr), nullptr);
  EXPECT_EQ(platform::procAddress(nullptr, "lexordaProbeAnswer"), nullptr);
  EXPECT_TRUE(platform::freeLibrary(module));
}

TEST(Modules, ModuleOfAddressNamesTheHolderWithoutKeepingItLoaded) {
  ProbeFolder probe;
  const Module module = platform::loadLibrary(probe.library());
  ASSERT_NE(module, nullptr);
  const void* function = platform::procAddress(module, "lexordaProbeAnswer");
  const void* data = platform::procAddress(module, "lexordaProbeCounter");
  ASSERT_NE(function, nullptr);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(platform::moduleOfAddress(function), module);
  EXPECT_EQ(platform::moduleOfAddress(data), module);
  EXPECT_EQ(platform::moduleOfAddress(static_cast<const char*>(function) + 1), module);
  // Had moduleOfAddress counted loads, the library would outlive this free.
  EXPECT_TRUE(platform::freeLibrary(module));
  EXPECT_EQ(platform::moduleFileName(module), "");
}

TEST(Modules, MainProgramAndPlatformLibraryHaveTheirFileNames) {
  const std::string program = canonical("/proc/self/exe");
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(platform::moduleFileName(nullptr), program);
  const Module main = platform::moduleOfAddress(reinterpret_cast<const void*>(&functionInThisProgram));
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(platform::moduleFileName(main), program);
  EXPECT_FALSE(platform::freeLibrary(main)) << "never loaded through loadLibrary";

  const Module system = platform::moduleOfAddress(reinterpret_cast<const void*>(&platform::globalAddAtom));
  ASSERT_NE(system, nullptr);
  EXPECT_NE(system, main);
  EXPECT_EQ(platform::moduleFileName(system), canonical(LEXORDA_PLATFORM_LIBRARY));
}

TEST(Modules, FailuresReturnTheirFailureValues) {
  platform_test::TemporaryFolder folder;
  platform_test::writeFile(folder.file("not_a_library.so"), "just text\n");
  platform_test::ScopedCurrentDirectory here(folder.path());
  struct Row {
    const char* name;
    std::string path;
  };
  const Row rows[] = {
      {"empty name", ""},
      {"missing absolute path", "/nonexistent/lexorda_probe.so"},
      {"missing relative path", "./lexorda_probe.so"},
      {"bare name of a file that is not a library", "not_a_library.so"},
      {"a folder", folder.path()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::loadLibrary(row.path), nullptr);
  }
  EXPECT_FALSE(platform::freeLibrary(nullptr));

  int onTheStack = 0;
  const auto onTheHeap = std::make_unique<int>(0);
  EXPECT_EQ(platform::moduleOfAddress(nullptr), nullptr);
  EXPECT_EQ(platform::moduleOfAddress(&onTheStack), nullptr);
  EXPECT_EQ(platform::moduleOfAddress(onTheHeap.get()), nullptr);
  EXPECT_EQ(platform::moduleFileName(reinterpret_cast<Module>(&onTheStack)), "");
  EXPECT_EQ(platform::procAddress(reinterpret_cast<Module>(&onTheStack), "malloc"), nullptr);
  EXPECT_FALSE(platform::freeLibrary(reinterpret_cast<Module>(&onTheStack)));
}

}  // namespace
