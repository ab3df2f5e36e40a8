// Finds, loads and starts the plug-ins that the registry lists, and stops
// them again. In: the host atom and the registry's plug-in list. Out: each
// plug-in's module and exported functions, started in the host's order
// (TPHVersion, TPHCompatibility, TPHEntry), or the reason it could not be.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quillon::app {

// The plug-in exports the host calls (64-bit signatures).
using TphVersionFn = int (*)();
using TphCompatibilityFn = int (*)(std::uint32_t hostAtom, std::uint16_t versionWord);
using TphTimeStampFn = int (*)();
using TphEntryFn = int (*)(std::uint32_t);
using TphExitFn = int (*)();
using TphValidateTokenFn = std::uint32_t (*)(const void* block, std::uint32_t);
using TphHandleTokenFn = int (*)(void** blockReference, platform::WindowHandle hostWindow,
                                 std::uint32_t);
using TphMultipleInstanceFn = int (*)(const char*);

// This host: major version 17, minor 0 (low byte major, high byte minor).
inline constexpr std::uint16_t kHostVersionWord = 17;
inline constexpr const char* kPluginListKey = "Software\\Velmor\\Quillon\\17\\Third Party";
inline constexpr int kPluginSlots = 16;  // values DLL1 .. DLL16
inline constexpr std::uint32_t kTokenAccepted = 0x00010001;

struct Plugin {
  std::string file;
  platform::Module module = nullptr;
  TphVersionFn version = nullptr;
  TphCompatibilityFn compatibility = nullptr;
  TphTimeStampFn timeStamp = nullptr;
  TphEntryFn entry = nullptr;
  TphExitFn exit = nullptr;
  TphValidateTokenFn validateToken = nullptr;
  TphHandleTokenFn handleToken = nullptr;
  TphMultipleInstanceFn multipleInstance = nullptr;
};

struct PluginList {
  std::vector<std::string> files;     // in slot order
  std::string error;                  // set when the list key cannot be opened
  std::vector<std::string> warnings;  // lines of the registry file and slots that were skipped
};

// Reads DLL1..DLL16 of the plug-in list key under the local-machine root;
// slots without a value are free. Warns of each registry line skipped
// (platform::registryProblems) and of a slot whose path is empty or longer
// than kMaxPluginPathBytes, which is skipped. The error names a registry file
// that does not exist, or else the key that is not in it.
PluginList readPluginList();

// DLL values hold full file names; this is the longest the host accepts.
inline constexpr std::size_t kMaxPluginPathBytes = 4096;

struct LoadResult {
  Plugin plugin;  // valid when error is empty
  std::string error;
};

// Loads the library, looks up the eight TPH exports, calls TPHVersion,
// TPHCompatibility(hostAtom, 17) and TPHEntry(0). On any failure the library
// is unloaded again and error says why: it could not be loaded, it lacks an
// export (named), or it refused this host.
LoadResult loadPlugin(const std::string& file, platform::Atom hostAtom);

// Calls TPHExit and unloads the library.
void unloadPlugin(Plugin& plugin);

}  // namespace quillon::app
