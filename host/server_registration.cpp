// Reads and writes the host's plug-in list: values DLL1 to DLL16 that hold
// plug-in file names, matched by the part after the last path separator.
#include "host/server_registration.h"

#include <optional>
#include <strings.h>

#include "platform/platform.h"

namespace host {
namespace {

constexpr std::size_t kRegisterReadLimit = 260;
constexpr std::size_t kUnregisterReadLimit = 100;

std::optional<std::string> baseName(const std::string& path) {
  const auto cut = path.rfind(platform::kPathSeparator);
  if (cut == std::string::npos) return std::nullopt;
  return path.substr(cut + 1);
}

bool sameBaseName(const std::string& value, const std::string& base) {
  const std::optional<std::string> other = baseName(value);
  return other && strcasecmp(other->c_str(), base.c_str()) == 0;
}

std::string slotName(int slot) { return "DLL" + std::to_string(slot); }

bool registerForVersion(int version, const std::string& pluginFile) {
  platform::ScopedRegistryKey key;
  bool created = false;
  if (platform::regCreateKey(platform::RegistryRoot::LocalMachine, pluginListKey(version), key.out(),
                             &created) != platform::Status::Ok) {
    return false;
  }
  const std::optional<std::string> base = baseName(pluginFile);
  if (!base) return false;

  int slot = created ? 1 : 0;
  if (!created) {
    int freeSlot = 0;
    for (int n = 1; n <= kPluginSlots; ++n) {
      std::string value;
      if (platform::regQueryString(key.get(), slotName(n), kRegisterReadLimit, &value) ==
          platform::Status::Ok) {
        if (sameBaseName(value, *base)) {
          slot = n;
          break;
        }
      } else if (freeSlot == 0) {
        freeSlot = n;
      }
    }
    if (slot == 0) slot = freeSlot;
  }
  if (slot == 0) return false;
  return platform::regSetString(key.get(), slotName(slot), pluginFile) == platform::Status::Ok;
}

void unregisterForVersion(platform::RegistryRoot root, int version, const std::string& pluginFile) {
  platform::ScopedRegistryKey key;
  if (platform::regOpenKey(root, pluginListKey(version), platform::RegistryAccess::All, key.out()) !=
      platform::Status::Ok) {
    return;
  }
  if (const std::optional<std::string> base = baseName(pluginFile)) {
    for (int n = 1; n <= kPluginSlots; ++n) {
      std::string value;
      if (platform::regQueryString(key.get(), slotName(n), kUnregisterReadLimit, &value) ==
              platform::Status::Ok &&
          sameBaseName(value, *base)) {
        (void)platform::regDeleteValue(key.get(), slotName(n));
        break;
      }
    }
  }
}

}  // namespace

std::string pluginListKey(int hostVersion) {
  return "Software\\Velmor\\Quillon\\" + std::to_string(hostVersion) + "\\Third Party";
}

int registerPlugin(const std::string& pluginFile) {
  bool all = true;
  for (int version = kFirstRegisteredHostVersion; version <= kLastRegisteredHostVersion; ++version) {
    if (!registerForVersion(version, pluginFile)) all = false;
  }
  return all ? 1 : 0;
}

int unregisterPlugin(const std::string& pluginFile) {
  for (int version = kFirstRegisteredHostVersion; version <= kLastRegisteredHostVersion; ++version) {
    unregisterForVersion(platform::RegistryRoot::LocalMachine, version, pluginFile);
    unregisterForVersion(platform::RegistryRoot::CurrentUser, version, pluginFile);
  }
  return 1;
}

}  // namespace host
