// Turns library paths into loaded modules, symbol names into addresses, and
// addresses and modules back into absolute file names, over the dynamic
// loader. A Module is the loader's own handle.
#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/platform.h"

namespace platform {
namespace {

struct ModuleTable {
  std::mutex mutex;
  // Loads counted by loadLibrary and undone by freeLibrary. Only these may be
  // closed: closing a handle we never opened would unbalance the loader.
  std::unordered_map<void*, long> loads;
};

ModuleTable& table() {
  static ModuleTable instance;
  return instance;
}

void* handleOf(Module module) { return reinterpret_cast<void*>(module); }
Module moduleOf(void* handle) { return reinterpret_cast<Module>(handle); }

void* mainProgramHandle() {
  static void* const handle = dlopen(nullptr, RTLD_LAZY);
  return handle;
}

link_map* linkMapOf(void* handle) {
  link_map* map = nullptr;
  if (handle == nullptr || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0) return nullptr;
  return map;
}

link_map* mainProgramMap() {
  static link_map* const map = linkMapOf(mainProgramHandle());
  return map;
}

// True when the handle names a loaded object. The loader's handles are its
// link-map entries, so a stale or made-up handle is caught by walking the
// list instead of being handed to the loader. Where a loader's handles are
// something else, the check cannot be made and the handle is trusted.
bool isLoaded(void* handle) {
  static const bool handlesAreMaps = mainProgramMap() == mainProgramHandle();
  if (handle == nullptr) return false;
  if (!handlesAreMaps) return true;
  link_map* map = mainProgramMap();
  while (map != nullptr && map->l_prev != nullptr) map = map->l_prev;
  for (; map != nullptr; map = map->l_next) {
    if (static_cast<void*>(map) == handle) return true;
  }
  return false;
}

std::string canonicalPath(const char* path) {
  if (path == nullptr || *path == '\0') return {};
  char* resolved = ::realpath(path, nullptr);
  if (resolved == nullptr) return {};
  std::string out(resolved);
  std::free(resolved);
  return out;
}

bool isMainProgram(const link_map* map) {
  return map == mainProgramMap() || map->l_name == nullptr || map->l_name[0] == '\0';
}

std::string fileNameOf(const link_map* map) {
  return isMainProgram(map) ? canonicalPath("/proc/self/exe") : canonicalPath(map->l_name);
}

void* openCounted(const std::string& file) {
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  ModuleTable& modules = table();
  std::lock_guard lock(modules.mutex);
  ++modules.loads[handle];
  return handle;
}

}  // namespace

Module loadLibrary(const std::string& path) {
  if (path.empty()) return nullptr;
  if (path.find(kPathSeparator) != std::string::npos) {
    // Load by absolute name, so that the module's file name stays right after
    // the current directory changes.
    const std::string absolute = canonicalPath(path.c_str());
    return moduleOf(openCounted(absolute.empty() ? path : absolute));
  }
  std::string folder;
  if (currentDirectory(&folder)) {
    const std::string local = folder + kPathSeparator + path;
    if (fileExists(local)) return moduleOf(openCounted(local));
  }
  return moduleOf(openCounted(path));
}

bool pinLoadedLibrary(const std::string& fileName) {
  // RTLD_NOLOAD finds only a library already there; RTLD_NODELETE keeps it.
  void* handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  if (handle == nullptr) return false;
  dlclose(handle);  // drops the reference just taken; the pin stays
  return true;
}

bool freeLibrary(Module module) {
  void* handle = handleOf(module);
  if (handle == nullptr) return false;
  ModuleTable& modules = table();
  std::lock_guard lock(modules.mutex);
  const auto found = modules.loads.find(handle);
  if (found == modules.loads.end()) return false;
  if (--found->second == 0) modules.loads.erase(found);
  dlclose(handle);
  return true;
}

void* procAddress(Module module, const char* name) {
  void* handle = handleOf(module);
  if (handle == nullptr || name == nullptr) return nullptr;
  ModuleTable& modules = table();
  std::lock_guard lock(modules.mutex);
  if (!isLoaded(handle)) return nullptr;
  dlerror();
  void* address = dlsym(handle, name);
  if (address == nullptr) return nullptr;
  // The loader also searches the module's dependencies; an export lookup
  // answers only for the module itself.
  Dl_info info{};
  link_map* owner = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) != 0 &&
      owner != nullptr && owner != linkMapOf(handle)) {
    return nullptr;
  }
  return address;
}

Module moduleOfAddress(const void* address) {
  if (address == nullptr) return nullptr;
  ModuleTable& modules = table();
  std::lock_guard lock(modules.mutex);
  Dl_info info{};
  link_map* map = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || map == nullptr) {
    return nullptr;
  }
  if (isMainProgram(map)) return moduleOf(mainProgramHandle());
  // Open without loading to learn the handle, then close at once: asking
  // which module holds an address must not keep that module loaded.
  void* handle = dlopen(map->l_name, RTLD_NOLOAD | RTLD_LAZY);
  if (handle == nullptr) return nullptr;
  dlclose(handle);
  return moduleOf(handle);
}

std::string moduleFileName(Module module) {
  ModuleTable& modules = table();
  std::lock_guard lock(modules.mutex);
  void* handle = module == nullptr ? mainProgramHandle() : handleOf(module);
  if (!isLoaded(handle)) return {};
  const link_map* map = linkMapOf(handle);
  return map != nullptr ? fileNameOf(map) : std::string();
}

}  // namespace platform
