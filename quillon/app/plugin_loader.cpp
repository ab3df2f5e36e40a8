// Plug-in list, loading, start-up calls and shutdown.
#include "quillon/app/plugin_loader.h"

namespace quillon::app {
namespace {

template <typename Fn>
bool lookUp(platform::Module module, const char* name, Fn& out, std::string& missing) {
  out = reinterpret_cast<Fn>(platform::procAddress(module, name));
  if (out == nullptr && missing.empty()) missing = name;
  return out != nullptr;
}

}  // namespace

PluginList readPluginList() {
  PluginList list;
  list.warnings = platform::registryProblems();
  const std::string file = platform::registryFilePath();
  const std::string keyName = std::string("HKEY_LOCAL_MACHINE\\") + kPluginListKey;
  platform::ScopedRegistryKey key;
  if (platform::regOpenKey(platform::RegistryRoot::LocalMachine, kPluginListKey, platform::RegistryAccess::Read,
                           key.out()) != platform::Status::Ok) {
    list.error = platform::fileExists(file) ? "registry key " + keyName + " not found in " + file
                                            : "registry file " + file + " does not exist";
    return list;
  }
  for (int slot = 1; slot <= kPluginSlots; ++slot) {
    const std::string name = "DLL" + std::to_string(slot);
    std::string path;
    const platform::Status status = platform::regQueryString(key.get(), name, kMaxPluginPathBytes, &path);
    const std::string slotName = name + " in " + keyName;
    if (status == platform::Status::Ok && !path.empty()) {
      list.files.push_back(path);
    } else if (status == platform::Status::Ok) {
      list.warnings.push_back(slotName + " is empty; no plug-in is loaded from it");
    } else if (status == platform::Status::MoreData) {
      list.warnings.push_back(slotName + " is longer than " + std::to_string(kMaxPluginPathBytes - 1) +
                              " bytes; no plug-in is loaded from it");
    }
  }
  return list;
}

LoadResult loadPlugin(const std::string& file, platform::Atom hostAtom) {
  LoadResult result;
  Plugin& p = result.plugin;
  p.file = file;
  p.module = platform::loadLibrary(file);
  if (p.module == nullptr) {
    result.error = "plug-in " + file + " could not be loaded";
    return result;
  }
  std::string missing;
  lookUp(p.module, "TPHVersion", p.version, missing);
  lookUp(p.module, "TPHCompatibility", p.compatibility, missing);
  lookUp(p.module, "TPHTimeStamp", p.timeStamp, missing);
  lookUp(p.module, "TPHEntry", p.entry, missing);
  lookUp(p.module, "TPHExit", p.exit, missing);
  lookUp(p.module, "TPHValidateToken", p.validateToken, missing);
  lookUp(p.module, "TPHHandleToken", p.handleToken, missing);
  lookUp(p.module, "TPHMultipleInstance", p.multipleInstance, missing);
  if (!missing.empty()) {
    result.error = "plug-in " + file + " lacks the export " + missing;
  } else {
    (void)p.version();
    if (p.compatibility(hostAtom, kHostVersionWord) == 0) {
      result.error = "plug-in " + file + " refused this host";
    }
  }
  if (!result.error.empty()) {
    (void)platform::freeLibrary(p.module);
    p = Plugin{};
    return result;
  }
  (void)p.entry(0);
  return result;
}

void unloadPlugin(Plugin& plugin) {
  if (plugin.module == nullptr) return;
  if (plugin.exit != nullptr) (void)plugin.exit();
  (void)platform::freeLibrary(plugin.module);
  plugin = Plugin{};
}

}  // namespace quillon::app
