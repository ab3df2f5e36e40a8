// Registers the plug-in's one command with the host. In: the command's texts,
// the host atom and a bitmap resource. Out: the host's temporary command id in
// the low 16 bits, or kRegistrationFailed.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/host_library.h"
#include "platform/platform.h"

namespace host {

inline constexpr std::uint32_t kRegistrationFailed = 0xD408;
// Texts of this length or longer do not fit the 100-byte host-string buffers.
inline constexpr std::size_t kMaxRegistrationText = 50;

struct CommandRegistration {
  std::string commandName;
  std::array<std::string, 3> displayTexts;
  platform::Atom hostAtom = 0;
  int bitmapResource = 0;
  std::intptr_t hostArgument = 0;
  std::string creationSwitch;
};

// The registration that TPHCompatibility makes for a host of this major version.
CommandRegistration lexordaCommand(platform::Atom hostAtom, int hostMajor);

// Creates a command descriptor, adds it to the host's dynamic command list and
// returns the id the host assigned. kRegistrationFailed when a text is too
// long, the host gives no descriptor, or the host knows no id for the name.
// Example: registerCommand(hostLibraries().functions(), lexordaCommand(atom, 17)).
std::uint32_t registerCommand(const HostFunctions& host, const CommandRegistration& command);

}  // namespace host
