// What the host program asks of its own interface library beyond the
// functions the plug-ins look up: the dynamic commands that plug-ins
// registered, for menus, command bars and command-line invocation. In: a host
// atom and an index. Out: copies of the stored command.
//
// The program loads the library by file name and looks these up with
// platform::procAddress, through the pointer types below, as a plug-in does:
//   auto count = reinterpret_cast<quillon::DynamicCommandCountFn>(
//       platform::procAddress(library, quillon::kDynamicCommandCountName));
#pragma once

#include <cstdint>

#include "quillon/libs/export.h"

// Host-string fields hold at most this many units including the terminator;
// longer texts are cut.
#define QUILLON_COMMAND_TEXT_UNITS 128

struct QuillonCommandInfo {
  std::uint32_t id;  // the temporary command id, 0x9C40 upward
  std::uint16_t name[QUILLON_COMMAND_TEXT_UNITS];
  std::uint16_t displayTexts[3][QUILLON_COMMAND_TEXT_UNITS];
  std::intptr_t hostArgument;
  std::int32_t bitmapWidth;  // 0 when the command came without a bitmap
  std::int32_t bitmapHeight;
  std::uint16_t bitmapBitCount;
  std::uint32_t bitmapPixelBytes;  // rows padded to 4 bytes
};

// Number of dynamic commands under the host atom (low 16 bits used).
QUILLON_EXPORT std::uint32_t QuillonDynamicCommandCount(std::uint32_t hostAtom);

// Fills *info with the index-th command of the atom, in the order commands
// were first added. Returns 1, or 0 (info untouched) for an index out of range
// or a null info.
QUILLON_EXPORT int QuillonDynamicCommandAt(std::uint32_t hostAtom, std::uint32_t index,
                                           QuillonCommandInfo* info);

// Copies up to capacity bytes of the command's bitmap rows into out (which may
// be null when capacity is 0) and returns the full number of pixel bytes; 0
// for an index out of range or a command without bitmap.
QUILLON_EXPORT std::uint32_t QuillonDynamicCommandPixels(std::uint32_t hostAtom,
                                                         std::uint32_t index, std::uint8_t* out,
                                                         std::uint32_t capacity);

// Number of descriptors created and not yet destroyed, so that a test can
// prove a registration released what it made.
QUILLON_EXPORT std::uint32_t QuillonLiveDescriptorCount();

namespace quillon {

using DynamicCommandCountFn = std::uint32_t (*)(std::uint32_t);
using DynamicCommandAtFn = int (*)(std::uint32_t, std::uint32_t, QuillonCommandInfo*);
using DynamicCommandPixelsFn = std::uint32_t (*)(std::uint32_t, std::uint32_t, std::uint8_t*,
                                                 std::uint32_t);
using LiveDescriptorCountFn = std::uint32_t (*)();

inline constexpr const char* kDynamicCommandCountName = "QuillonDynamicCommandCount";
inline constexpr const char* kDynamicCommandAtName = "QuillonDynamicCommandAt";
inline constexpr const char* kDynamicCommandPixelsName = "QuillonDynamicCommandPixels";
inline constexpr const char* kLiveDescriptorCountName = "QuillonLiveDescriptorCount";

}  // namespace quillon
