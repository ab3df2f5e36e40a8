// Carries out the host's calls into the plug-in: accepting the host, the
// plug-in atom, and the two kinds of token the plug-in answers.
#include "host/entry_points.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

#include "db/connection.h"
#include "host/command_block.h"
#include "host/host_library.h"
#include "host/main_dialog_launch.h"
#include "host/process_values.h"
#include "host/registration.h"

namespace host {
namespace {

constexpr int kAtomNameBuffer = 39;
// The announcement record: a 2-byte lead, then two pointer-sized fields (the
// host's name as a host string, the command-bar window), packed.
constexpr std::size_t kAnnouncementNameOffset = 2;
constexpr std::size_t kAnnouncementBarOffset = kAnnouncementNameOffset + sizeof(void*);

std::uint16_t commandIdOf(const void* block) {
  std::uint16_t id = 0;
  std::memcpy(&id, static_cast<const std::uint8_t*>(block) + kBlockCommandNumber, sizeof id);
  return id;
}

// The host string's ANSI form, through the host's own conversion.
std::string ansiOf(const HostChar* hostString) {
  const HostFunctions& f = hostLibraries().functions();
  if (hostString == nullptr || f.hostStringToAnsi == nullptr) return {};
  std::size_t units = 0;
  while (hostString[units] != 0) ++units;
  std::vector<char> ansi(units + 1, '\0');
  f.hostStringToAnsi(hostString, ansi.data());
  return std::string(ansi.data());
}

void handleAnnouncement(const void* block) {
  const std::uint8_t* record = nullptr;
  std::memcpy(&record, static_cast<const std::uint8_t*>(block) + slotOffset(0, kSlotValue),
              sizeof record);
  if (record == nullptr) return;
  const HostChar* hostName = nullptr;
  platform::WindowHandle bar = nullptr;
  std::memcpy(&hostName, record + kAnnouncementNameOffset, sizeof hostName);
  std::memcpy(&bar, record + kAnnouncementBarOffset, sizeof bar);
  if (strcasecmp(ansiOf(hostName).c_str(), kHostName) != 0) return;

  const HostFunctions& f = hostLibraries().functions();
  if (f.getCommandBarStyle == nullptr || (f.getCommandBarStyle(bar) & kBarStyleFixed) != 0) return;
  const std::uintptr_t id = processValues().registrationId;
  const std::intptr_t position = platform::sendMessage(bar, kBarQueryMessage, id, 0);
  if ((position & 0xFFFF) == 0xFFFF) {
    (void)platform::sendMessage(bar, kBarAddMessage, id, kBarAddArgument);
  }
}

void runPluginCommand() {
  std::string installPath;
  {
    platform::ScopedRegistryKey key;
    if (platform::regOpenKey(platform::RegistryRoot::LocalMachine, kInstallationKey,
                             platform::RegistryAccess::Read, key.out()) != platform::Status::Ok) {
      (void)platform::messageBox(nullptr, kNoInstallationKeyMessage, kStartupErrorCaption,
                                 platform::kMbOk | platform::kMbIconError);
      return;
    }
    if (platform::regQueryString(key.get(), kInstallPathValue, kInstallPathLimit, &installPath) !=
        platform::Status::Ok) {
      (void)platform::messageBox(nullptr, kNoInstallPathMessage, kStartupErrorCaption,
                                 platform::kMbOk | platform::kMbIconError);
      return;
    }
  }
  setInstallationPaths(installPath.c_str());
  runMainDialog();
}

std::string concatenated(const char* folder, const char* file) {
  // Plain "%s%s": no separator is added, so the registry value must end in one.
  char buffer[kInstallPathLimit + 64];
  std::snprintf(buffer, sizeof buffer, "%s%s", folder, file);
  return buffer;
}

}  // namespace

void recordPluginModule(platform::Module module) { processValues().pluginModule = module; }

int compatibility(std::uint32_t hostAtom, std::uint16_t versionWord) {
  const int major = versionWord & 0xFF;
  const int minor = versionWord >> 8;
  if (major < kLowestHostMajor) return 0;
  if (!hostLibraries().bind(major, minor)) return 0;

  const auto atom = static_cast<platform::Atom>(hostAtom & 0xFFFF);
  char name[kAtomNameBuffer] = {};
  if (platform::globalGetAtomName(atom, name, kAtomNameBuffer) == 0) return 0;
  if (strcasecmp(name, kHostName) != 0) return 0;

  ProcessValues& values = processValues();
  values.hostAtom = atom;
  values.registrationId = static_cast<std::uint16_t>(
      registerCommand(hostLibraries().functions(), lexordaCommand(atom, major)) & 0xFFFF);
  return 1;
}

int entry() {
  processValues().pluginAtom = platform::globalAddAtom(kPluginAtomName);
  return 1;
}

int exitPlugin() {
  hostLibraries().unbind();
  ProcessValues& values = processValues();
  if (values.pluginAtom != 0) {
    (void)platform::globalDeleteAtom(values.pluginAtom);
    values.pluginAtom = 0;
  }
  return 1;
}

std::uint32_t validateToken(const void* block) {
  if (block == nullptr) return 0;
  return commandIdOf(block) == processValues().registrationId ? kTokenAccepted : 0;
}

int handleToken(void* const* blockReference, platform::WindowHandle hostWindow) {
  processValues().hostWindow = hostWindow;
  if (blockReference == nullptr || *blockReference == nullptr) return 0;
  const void* block = *blockReference;
  const std::uint16_t id = commandIdOf(block);
  if (id == kAnnouncementToken) {
    handleAnnouncement(block);
    return 0;
  }
  if (id == processValues().registrationId) runPluginCommand();
  return 0;
}

void setInstallationPaths(const char* installPath) {
  ProcessValues& values = processValues();
  db::setDatabasePath(concatenated(installPath, "tabauth3.db"));
  values.userGuidePath = concatenated(installPath, "LexordaUserGuide.pdf");
  values.legalNoticePath = concatenated(installPath, "Legal.txt");
  values.licenceTextPath = concatenated(installPath, "license.rtf");
}

}  // namespace host
