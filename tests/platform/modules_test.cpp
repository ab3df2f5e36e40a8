// Checks dynamic libraries. In: copies of a probe library in temporary
// folders, loaded by bare, relative and absolute names. Out: where a bare name
// is looked for, reference counts, symbol lookup limited to the module
// itself, which module holds an address, and absolute module file names.
#include <dlfcn.h>
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

TEST(Modules, BareAndRelativeNamesAreLookedForInTheCurrentDirectoryFirst) {
  TemporaryFolder first, second, empty;
  const std::string firstProbe = copyProbe(first), secondProbe = copyProbe(second);
  const std::filesystem::path secondPath = second.path();
  const Module a = loadFrom(first.path(), kProbe), b = loadFrom(second.path(), kProbe);
  const Module relative = loadFrom(secondPath.parent_path().string(), "./" + secondPath.filename().string() + "/" + kProbe);
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a, b) << "the same bare name in two folders is two modules";
  // Absolute, and still right now that the current directory has changed back.
  for (const auto& [module, path] : {std::pair{a, firstProbe}, {b, secondProbe}, {relative, secondProbe}}) {
    EXPECT_EQ(moduleFileName(module), path);
    EXPECT_TRUE(freeLibrary(module));
  }

  const Module system = loadFrom(empty.path(), "libm.so.6");
  ASSERT_NE(system, nullptr) << "not in the current directory: the ordinary search";
  EXPECT_EQ(moduleFileName(system), canonical(moduleFileName(system))) << "absolute and canonical";
  EXPECT_TRUE(freeLibrary(system));
  EXPECT_EQ(loadFrom(empty.path(), kProbe), nullptr) << "the probe is on no search path";
}

TEST(Modules, LoadsCountAndLookUpsAnswerOnlyForTheModuleItself) {
  TemporaryFolder folder;
  const Module module = loadLibrary(copyProbe(folder));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(loadLibrary(folder.file(kProbe)), module) << "a loaded library is loaded once";
  const void* function = procAddress(module, "lexordaProbeAnswer");
  const auto* counter = static_cast<const int*>(procAddress(module, "lexordaProbeCounter"));
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(*counter, 7);
  // Missing, found in a dependency (not exported here), no name, no module.
  for (const auto& [from, name] : {std::pair{module, "lexordaProbeMissing"}, {module, "malloc"}, {module, nullptr},
                                   {Module{nullptr}, "lexordaProbeAnswer"}}) {
    EXPECT_EQ(procAddress(from, name), nullptr) << (name ? name : "null");
  }
  EXPECT_EQ(moduleOfAddress(counter), module);
  EXPECT_EQ(moduleOfAddress(static_cast<const char*>(function) + 1), module);
  EXPECT_TRUE(freeLibrary(module));
  EXPECT_EQ(reinterpret_cast<int (*)()>(procAddress(module, "lexordaProbeAnswer"))(), 42) << "one load remains";
  EXPECT_TRUE(freeLibrary(module));
  // Unloaded (so moduleOfAddress counted nothing): every call on the stale
  // handle fails safely.
  EXPECT_FALSE(freeLibrary(module));
  EXPECT_EQ(procAddress(module, "lexordaProbeAnswer"), nullptr);
  EXPECT_EQ(moduleFileName(module), "");
}

// Failure values, and the two modules that were never loaded through
// loadLibrary: the program itself and the platform library.
TEST(Modules, FailuresAndModulesNotLoadedHere) {
  TemporaryFolder folder;
  platform_test::writeFile(folder.file("not_a_library.so"), "just text\n");
  platform_test::ScopedCurrentDirectory here(folder.path());
  for (const std::string& path : {std::string(), std::string("./lexorda_probe.so"), std::string("not_a_library.so"),
                                  folder.path()}) {
    EXPECT_EQ(loadLibrary(path), nullptr) << path;
  }
  int onTheStack = 0;
  const auto onTheHeap = std::make_unique<int>(0);
  const auto madeUp = reinterpret_cast<Module>(&onTheStack);
  for (const void* address : {static_cast<const void*>(nullptr), static_cast<const void*>(&onTheStack),
                              static_cast<const void*>(onTheHeap.get())}) {
    EXPECT_EQ(moduleOfAddress(address), nullptr);
  }
  EXPECT_EQ(moduleFileName(madeUp), "");
  EXPECT_EQ(procAddress(madeUp, "malloc"), nullptr);
  EXPECT_FALSE(freeLibrary(madeUp));
  EXPECT_FALSE(freeLibrary(nullptr));

  const std::string program = canonical("/proc/self/exe");
  EXPECT_EQ(moduleFileName(nullptr), program);
  const Module main = moduleOfAddress(reinterpret_cast<const void*>(&functionInThisProgram));
  EXPECT_EQ(moduleFileName(main), program);
  EXPECT_FALSE(freeLibrary(main)) << "never loaded through loadLibrary";
  EXPECT_EQ(moduleFileName(moduleOfAddress(reinterpret_cast<const void*>(&globalAddAtom))),
            canonical(LEXORDA_PLATFORM_LIBRARY));
}

// A toolkit that the plug-in brought in stays when the plug-in goes.
TEST(Modules, PinnedLibraryOutlivesItsLastUnload) {
  TemporaryFolder folder;
  const std::string path = copyProbe(folder);
  const auto stillLoaded = [&] {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
  };
  EXPECT_FALSE(pinLoadedLibrary(path)) << "only a loaded library can be pinned";
  const Module module = loadLibrary(path);
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(pinLoadedLibrary(path));
  EXPECT_TRUE(freeLibrary(module));
  EXPECT_TRUE(stillLoaded());
}

}  // namespace
