// Checks dynamic libraries. In: copies of a probe library in temporary
// folders, loaded by bare, relative and absolute names. Out: where a bare name
// is looked for, reference counts, symbol lookup limited to the module
// itself, which module holds an address, and absolute module file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using namespace platform;
using platform_test::canonical;
using platform_test::TemporaryFolder;

constexpr const char* kProbe = "lexorda_probe.so";

int callAnswer(Module module) {
  const auto answer = reinterpret_cast<int (*)()>(procAddress(module, "lexordaProbeAnswer"));
  return answer != nullptr ? answer() : -1;
}

Module loadFrom(const std::string& folder, const std::string& name) {
  platform_test::ScopedCurrentDirectory here(folder);
  return loadLibrary(name);
}

// Copies the probe library into the folder under its bare name; returns its
// canonical path.
std::string copyProbe(const TemporaryFolder& folder) {
  std::filesystem::copy_file(LEXORDA_PROBE_LIBRARY, folder.file(kProbe));
  return canonical(folder.file(kProbe));
}

int functionInThisProgram() { return 1; }

TEST(Modules, BareAndRelativeNamesAreLookedForInTheCurrentDirectory) {
  TemporaryFolder first, second;
  const std::string firstProbe = copyProbe(first), secondProbe = copyProbe(second);
  const std::filesystem::path secondPath = second.path();
  const Module a = loadFrom(first.path(), kProbe);
  const Module b = loadFrom(second.path(), kProbe);
  const Module relative =
      loadFrom(secondPath.parent_path().string(), "./" + secondPath.filename().string() + "/" + kProbe);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b) << "the same bare name in two folders is two modules";
  EXPECT_EQ(callAnswer(a), 42);
  // Absolute, and still right now that the current directory has changed back.
  EXPECT_EQ(moduleFileName(a), firstProbe);
  EXPECT_EQ(moduleFileName(b), secondProbe);
  EXPECT_EQ(moduleFileName(relative), secondProbe);
  for (const Module module : {a, b, relative}) EXPECT_TRUE(freeLibrary(module));
}

TEST(Modules, BareNameNotInTheCurrentDirectoryUsesTheOrdinarySearch) {
  TemporaryFolder empty;
  const Module system = loadFrom(empty.path(), "libm.so.6");
  ASSERT_NE(system, nullptr);
  const std::string file = moduleFileName(system);
  EXPECT_EQ(file.front(), '/');
  EXPECT_EQ(file, canonical(file)) << "the name is canonical";
  EXPECT_TRUE(freeLibrary(system));
  EXPECT_EQ(loadFrom(empty.path(), kProbe), nullptr) << "the probe is on no search path";
}

TEST(Modules, LoadsCountAndLookUpsAnswerOnlyForTheModuleItself) {
  TemporaryFolder folder;
  const std::string probe = copyProbe(folder);
  const Module module = loadLibrary(probe);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(loadLibrary(probe), module) << "a loaded library is loaded once";

  const void* function = procAddress(module, "lexordaProbeAnswer");
  const auto* counter = static_cast<const int*>(procAddress(module, "lexordaProbeCounter"));
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(*counter, 7);
  EXPECT_EQ(procAddress(module, "lexordaProbeMissing"), nullptr);
  EXPECT_EQ(procAddress(module, "malloc"), nullptr) << "found in a dependency, not exported here";
  EXPECT_EQ(procAddress(module, nullptr), nullptr);
  EXPECT_EQ(procAddress(nullptr, "lexordaProbeAnswer"), nullptr);
  EXPECT_EQ(moduleOfAddress(function), module);
  EXPECT_EQ(moduleOfAddress(counter), module);
  EXPECT_EQ(moduleOfAddress(static_cast<const char*>(function) + 1), module);

  EXPECT_TRUE(freeLibrary(module));
  EXPECT_EQ(callAnswer(module), 42) << "one load remains";
  EXPECT_TRUE(freeLibrary(module));
  // Unloaded (so moduleOfAddress counted nothing): every call on the stale
  // handle fails safely.
  EXPECT_FALSE(freeLibrary(module));
  EXPECT_EQ(procAddress(module, "lexordaProbeAnswer"), nullptr);
  EXPECT_EQ(moduleFileName(module), "");
}

TEST(Modules, MainProgramAndPlatformLibraryHaveTheirFileNames) {
  const std::string program = canonical("/proc/self/exe");
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(moduleFileName(nullptr), program);
  const Module main = moduleOfAddress(reinterpret_cast<const void*>(&functionInThisProgram));
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(moduleFileName(main), program);
  EXPECT_FALSE(freeLibrary(main)) << "never loaded through loadLibrary";
  const Module system = moduleOfAddress(reinterpret_cast<const void*>(&globalAddAtom));
  EXPECT_NE(system, main);
  EXPECT_EQ(moduleFileName(system), canonical(LEXORDA_PLATFORM_LIBRARY));
}

TEST(Modules, FailuresReturnTheirFailureValues) {
  TemporaryFolder folder;
  platform_test::writeFile(folder.file("not_a_library.so"), "just text\n");
  platform_test::ScopedCurrentDirectory here(folder.path());
  for (const std::string& path : {std::string(), std::string("/nonexistent/lexorda_probe.so"),
                                  std::string("./lexorda_probe.so"), std::string("not_a_library.so"), folder.path()}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(loadLibrary(path), nullptr);
  }
  EXPECT_FALSE(freeLibrary(nullptr));
  int onTheStack = 0;
  const auto onTheHeap = std::make_unique<int>(0);
  const auto madeUp = reinterpret_cast<Module>(&onTheStack);
  EXPECT_EQ(moduleOfAddress(nullptr), nullptr);
  EXPECT_EQ(moduleOfAddress(&onTheStack), nullptr);
  EXPECT_EQ(moduleOfAddress(onTheHeap.get()), nullptr);
  EXPECT_EQ(moduleFileName(madeUp), "");
  EXPECT_EQ(procAddress(madeUp, "malloc"), nullptr);
  EXPECT_FALSE(freeLibrary(madeUp));
}

}  // namespace
