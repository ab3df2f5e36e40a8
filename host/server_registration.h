// Enters the plug-in into the host's plug-in list in the registry and removes
// it again, for every host version the plug-in supports. In: the plug-in's
// full file name. Out: DLL<n> values under each version's "Third Party" key.
#pragma once

#include <string>

namespace host {

inline constexpr int kFirstRegisteredHostVersion = 15;
inline constexpr int kLastRegisteredHostVersion = 18;
inline constexpr int kPluginSlots = 16;

// The key of one host version's plug-in list, e.g. for 15:
// "Software\Velmor\Quillon\15\Third Party".
std::string pluginListKey(int hostVersion);

// Writes the full file name into this plug-in's slot (the slot already naming
// a file of the same base name, else the first free one) for versions 15 to 18.
// Returns 1 when all four versions succeeded, else 0; every version is tried.
int registerPlugin(const std::string& pluginFile);

// Deletes the first slot naming a file of the same base name, under both
// registry roots, for versions 15 to 18. Always returns 1.
int unregisterPlugin(const std::string& pluginFile);

}  // namespace host
