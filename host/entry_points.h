// What the plug-in's exported functions do. In: the host's calls (version
// word, atoms, tokens, window). Out: the process-wide values, the host
// binding and registration, and the main dialog for the plug-in's command.
// exports.cpp only forwards to these, so that the plug-in's whole behaviour
// lives in testable code.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace host {

inline constexpr int kLowestHostMajor = 15;
inline constexpr std::uint16_t kAnnouncementToken = 0xEF0A;
inline constexpr std::uint32_t kTokenAccepted = 0x00010001;
inline constexpr std::uint32_t kBarQueryMessage = 0x60C;
inline constexpr std::uint32_t kBarAddMessage = 0x50A;
inline constexpr std::intptr_t kBarAddArgument = 0x00060001;
inline constexpr std::uint32_t kBarStyleFixed = 8;

inline constexpr const char* kHostName = "Quillon";
inline constexpr const char* kPluginAtomName = "tabauth";
inline constexpr const char* kInstallationKey = "Software\\Velmor\\Lexorda\\1.0";
inline constexpr const char* kInstallPathValue = "installPath";
inline constexpr std::size_t kInstallPathLimit = 500;

inline constexpr const char* kNoInstallationKeyMessage =
    "Could not determine installation location. Please re-install the Table of Authorities "
    "application.";
inline constexpr const char* kNoInstallPathMessage =
    "Could not locate TOA database location from registry. Please re-install the Table of "
    "Authorities application.";
inline constexpr const char* kStartupErrorCaption = "Error";

// Records `module` as the plug-in's own module.
void recordPluginModule(platform::Module module);

// Accepts a host of major version 15 or later whose atom is named "Quillon"
// (any letter case), binds its libraries and registers the command. Returns 1
// or 0; a failed registration still returns 1 (the id is then 0xD408).
int compatibility(std::uint32_t hostAtom, std::uint16_t versionWord);

// Adds the plug-in atom "tabauth". Returns 1.
int entry();

// Unbinds the host's libraries and deletes the plug-in atom. Returns 1.
int exitPlugin();

// kTokenAccepted when the block's command id is the registration id, else 0.
std::uint32_t validateToken(const void* block);

// Handles a token: the host's command-bar announcement, or the plug-in's own
// command (reads the installation folder and runs the main dialog). Returns 0.
int handleToken(void* const* blockReference, platform::WindowHandle hostWindow);

// Builds the four installation paths by plain concatenation: installPath must
// already end with a separator.
void setInstallationPaths(const char* installPath);

}  // namespace host
