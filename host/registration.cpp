// Turns the command's texts and bitmap into a host command descriptor and
// reads back the temporary id the host gives the command.
#include "host/registration.h"

#include "host/bitmaps.h"

namespace host {
namespace {

constexpr std::size_t kHostStringBufferBytes = 100;
constexpr int kFirstMajorWith32BitIcons = 17;

using HostStringBuffer = std::array<HostChar, kHostStringBufferBytes / sizeof(HostChar)>;

}  // namespace

CommandRegistration lexordaCommand(platform::Atom hostAtom, int hostMajor) {
  CommandRegistration command;
  command.commandName = "Velmor TOA";
  command.displayTexts = {"TOA Tool", "Lexorda", "Table of Authorities Tool"};
  command.hostAtom = hostAtom;
  command.bitmapResource = hostMajor >= kFirstMajorWith32BitIcons ? kBitmap32 : kBitmap24;
  command.hostArgument = 0;
  command.creationSwitch = "create";
  return command;
}

std::uint32_t registerCommand(const HostFunctions& host, const CommandRegistration& command) {
  if (command.commandName.size() >= kMaxRegistrationText) return kRegistrationFailed;
  for (const std::string& text : command.displayTexts) {
    if (text.size() >= kMaxRegistrationText) return kRegistrationFailed;
  }
  if (host.ansiToHostString == nullptr || host.createCommandDescriptor == nullptr ||
      host.addDynamicCommand == nullptr || host.getDynamicCommandId == nullptr ||
      host.destroyCommandDescriptor == nullptr) {
    return kRegistrationFailed;
  }

  HostStringBuffer name{};
  std::array<HostStringBuffer, 3> texts{};
  host.ansiToHostString(command.commandName.c_str(), name.data());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    host.ansiToHostString(command.displayTexts[i].c_str(), texts[i].data());
  }

  const std::vector<std::uint8_t>* bitmap = loadBitmapResource(command.bitmapResource);
  void* descriptor = host.createCommandDescriptor(
      name.data(), 0, 0, texts[0].data(), texts[1].data(), texts[2].data(), 0, 0,
      command.hostArgument, bitmap != nullptr ? bitmap->data() : nullptr, 0, 0, 0, 0, 0);
  if (descriptor == nullptr) return kRegistrationFailed;

  host.addDynamicCommand(command.hostAtom, descriptor);
  const std::uint32_t id = host.getDynamicCommandId(command.hostAtom, name.data());
  // The host copied what it keeps; the descriptor is ours to destroy either way.
  host.destroyCommandDescriptor(descriptor);
  if ((id & 0xFFFF) == kRegistrationFailed) return kRegistrationFailed;
  return id & 0xFFFF;
}

}  // namespace host
