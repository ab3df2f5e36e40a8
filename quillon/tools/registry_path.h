// Key names as the registry tools take them on the command line. In: text
// such as "HKLM\Software\Velmor" or "HKEY_CURRENT_USER\Software". Out: the
// root and the path below it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace quillon::tools {

struct RegistryPath {
  platform::RegistryRoot root = platform::RegistryRoot::LocalMachine;
  std::string path;  // below the root, without leading or trailing '\'
};

// Accepts HKLM, HKEY_LOCAL_MACHINE, HKCU and HKEY_CURRENT_USER in any letter
// case, alone or followed by '\' and a path. nullopt for any other root.
std::optional<RegistryPath> parseRegistryPath(std::string_view text);

// The full name the tools print: "HKEY_LOCAL_MACHINE\" + path.
std::string fullKeyName(const RegistryPath& key);

}  // namespace quillon::tools
