// The host's interface library, its functions with real effects: command
// descriptors, the dynamic command lists per host atom, command-bar styles,
// and the host program's own enumeration of the registered commands. In:
// host strings, descriptor handles and window handles from the plug-ins.
// Out: temporary command ids and stored copies.
#include "quillon/libs/interface_library.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "quillon/libs/export.h"
#include "quillon/libs/internal/dynamic_command_table.h"

namespace {

using HostChar = std::uint16_t;
using quillon::internal::CommandDescriptor;
using quillon::internal::dynamicCommandTable;

// A name longer than this is not a command name; stop rather than run on
// through memory that lacks a terminator.
constexpr std::size_t kMaxHostStringUnits = 4096;

std::u16string copyHostString(const HostChar* text) {
  std::u16string copy;
  if (text == nullptr) return copy;
  for (std::size_t i = 0; i < kMaxHostStringUnits; ++i) {
    HostChar unit = 0;
    std::memcpy(&unit, reinterpret_cast<const unsigned char*>(text) + i * sizeof unit, sizeof unit);
    if (unit == 0) break;
    copy += static_cast<char16_t>(unit);
  }
  return copy;
}

std::uint16_t atomOf(std::uint32_t hostAtom) {
  return static_cast<std::uint16_t>(hostAtom & 0xFFFF);
}

void fillText(std::uint16_t (&out)[QUILLON_COMMAND_TEXT_UNITS], const std::u16string& text) {
  const std::size_t units = std::min<std::size_t>(text.size(), QUILLON_COMMAND_TEXT_UNITS - 1);
  for (std::size_t i = 0; i < units; ++i) out[i] = text[i];
  out[units] = 0;
}

}  // namespace

// Copies the name, the three display texts, the host argument and the packed
// bitmap into a new descriptor. Null for a null name. The unnamed arguments
// are reserved for the host and ignored.
QUILLON_EXPORT void* CreateCommandDescriptor(const HostChar* name, std::intptr_t, std::intptr_t,
                                             const HostChar* text1, const HostChar* text2,
                                             const HostChar* text3, std::intptr_t, std::intptr_t,
                                             std::intptr_t hostArgument, const void* bitmap,
                                             std::intptr_t, std::intptr_t, std::intptr_t,
                                             std::intptr_t, std::intptr_t) {
#ifdef QUILLON_REFUSE_DESCRIPTORS
  // A host that has no room for another command: lets the plug-in's
  // registration failure path be exercised.
  (void)name, (void)text1, (void)text2, (void)text3, (void)hostArgument, (void)bitmap;
  return nullptr;
#endif
  if (name == nullptr) return nullptr;
  CommandDescriptor descriptor;
  descriptor.name = copyHostString(name);
  descriptor.displayTexts = {copyHostString(text1), copyHostString(text2), copyHostString(text3)};
  descriptor.hostArgument = hostArgument;
  descriptor.bitmap = quillon::internal::readPackedDib(bitmap);
  return const_cast<CommandDescriptor*>(
      dynamicCommandTable().createDescriptor(std::move(descriptor)));
}

// Releases a descriptor; an unknown or already released one is ignored.
QUILLON_EXPORT void DestroyCommandDescriptor(void* descriptor) {
  (void)dynamicCommandTable().destroyDescriptor(descriptor);
}

// Adds the descriptor's command to the atom's list (replacing one of the same
// name, which keeps its id). An unknown descriptor adds nothing.
QUILLON_EXPORT void AddDynamicCommand(std::uint32_t hostAtom, void* descriptor) {
  (void)dynamicCommandTable().add(atomOf(hostAtom), descriptor);
}

// The temporary id of the named command under the atom, or 0xD408.
QUILLON_EXPORT std::uint32_t GetDynamicCommandId(std::uint32_t hostAtom, const HostChar* name) {
  if (name == nullptr) return quillon::internal::kUnknownCommandId;
  return dynamicCommandTable()
      .idOf(atomOf(hostAtom), copyHostString(name))
      .value_or(quillon::internal::kUnknownCommandId);
}

// Removes the named command from the atom's list. 1 when it was there, else 0.
QUILLON_EXPORT std::int32_t RemoveDynamicCommand(std::uint32_t hostAtom, const HostChar* name) {
  if (name == nullptr) return 0;
  return dynamicCommandTable().remove(atomOf(hostAtom), copyHostString(name)) ? 1 : 0;
}

// The style flags of a command-bar window; 0 for a bar never styled.
QUILLON_EXPORT std::uint32_t GetCommandBarStyle(platform::WindowHandle commandBar) {
  return dynamicCommandTable().barStyle(commandBar);
}

// Sets the style flags of a command-bar window and returns the old ones.
QUILLON_EXPORT std::uint32_t SetCommandBarStyle(platform::WindowHandle commandBar,
                                                std::uint32_t style) {
  return dynamicCommandTable().setBarStyle(commandBar, style);
}

QUILLON_EXPORT std::uint32_t QuillonDynamicCommandCount(std::uint32_t hostAtom) {
  return static_cast<std::uint32_t>(dynamicCommandTable().count(atomOf(hostAtom)));
}

QUILLON_EXPORT int QuillonDynamicCommandAt(std::uint32_t hostAtom, std::uint32_t index,
                                           QuillonCommandInfo* info) {
  if (info == nullptr) return 0;
  const auto command = dynamicCommandTable().at(atomOf(hostAtom), index);
  if (!command) return 0;
  *info = QuillonCommandInfo{};
  info->id = command->id;
  fillText(info->name, command->descriptor.name);
  for (std::size_t i = 0; i < command->descriptor.displayTexts.size(); ++i) {
    fillText(info->displayTexts[i], command->descriptor.displayTexts[i]);
  }
  info->hostArgument = command->descriptor.hostArgument;
  if (const auto& bitmap = command->descriptor.bitmap) {
    info->bitmapWidth = bitmap->width;
    info->bitmapHeight = bitmap->height;
    info->bitmapBitCount = bitmap->bitCount;
    info->bitmapPixelBytes = static_cast<std::uint32_t>(bitmap->pixels.size());
  }
  return 1;
}

QUILLON_EXPORT std::uint32_t QuillonDynamicCommandPixels(std::uint32_t hostAtom,
                                                         std::uint32_t index, std::uint8_t* out,
                                                         std::uint32_t capacity) {
  const auto command = dynamicCommandTable().at(atomOf(hostAtom), index);
  if (!command || !command->descriptor.bitmap) return 0;
  const std::vector<std::uint8_t>& pixels = command->descriptor.bitmap->pixels;
  if (out != nullptr) {
    std::memcpy(out, pixels.data(), std::min<std::size_t>(capacity, pixels.size()));
  }
  return static_cast<std::uint32_t>(pixels.size());
}

QUILLON_EXPORT std::uint32_t QuillonLiveDescriptorCount() {
  return static_cast<std::uint32_t>(dynamicCommandTable().liveDescriptorCount());
}
