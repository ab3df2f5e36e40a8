// Host command blocks and the four primitives that carry one macro command to
// the host. In: a command number and typed parameters. Out: a block in global
// memory that the host window executes on message 1035, the host's answer, and
// the host's reply, released again on message 1050.
//
// Block layout (little-endian; 32-byte header, one 16-byte slot per parameter,
// (n + 3) * 16 bytes allocated for n parameters, the last 16 stay zero):
//
//   offset       width   field
//   0            32      0
//   4            32      0
//   8            16      plug-in atom
//   10           32      0
//   14           16      host atom
//   16           16      0
//   18           16      command number
//   20           32      parameter count n (written when the block is made)
//   24           32      0
//   28           32      0
//   32 + 16*i    32      type letter of parameter i (its ASCII code)
//   36 + 16*i    16      flags of parameter i; 0x8000 = omitted
//   38 + 16*i    16      reserved, 0
//   40 + 16*i    64      value of parameter i: a 32-bit integer in the low
//                        half, a double, or a pointer
//
// Reply: a 32- or 16-bit integer at byte 136, or a host string at byte 138.
//
// Pointer width. The host's layout was drawn for 32-bit builds; this build is
// 64-bit, so every field that holds a pointer is pointer-sized while every
// integer field keeps its offset and width:
//   - a pointer parameter fills the whole 8-byte value at 40 + 16*i;
//   - the command handle is two pointers {block, reply} (16 bytes, itself a
//     zero-initialised, locked global memory block);
//   - the record sent with message 1035 is two pointers {block, address of the
//     handle's reply pointer}.
//
// Every block and parameter copy is global memory, allocated zeroed and kept
// locked for its whole life, because the host reads and writes it from its own
// module.
//
// Errors: none are thrown. A failed allocation yields a null handle or a null
// parameter copy; every primitive accepts a null handle and then does nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/host_library.h"

namespace host {

// ---------------------------------------------------------------------------
// Layout constants

inline constexpr std::size_t kBlockZero0 = 0;
inline constexpr std::size_t kBlockZero4 = 4;
inline constexpr std::size_t kBlockPluginAtom = 8;
inline constexpr std::size_t kBlockZero10 = 10;  // 32 bits
inline constexpr std::size_t kBlockHostAtom = 14;
inline constexpr std::size_t kBlockZero16 = 16;  // 16 bits
inline constexpr std::size_t kBlockCommandNumber = 18;
inline constexpr std::size_t kBlockParameterCount = 20;
inline constexpr std::size_t kBlockZero24 = 24;
inline constexpr std::size_t kBlockZero28 = 28;
inline constexpr std::size_t kBlockHeaderBytes = 32;

inline constexpr std::size_t kSlotBytes = 16;
// Offsets inside one slot; slot i starts at kBlockHeaderBytes + kSlotBytes * i.
inline constexpr std::size_t kSlotLetter = 0;    // 32 bits
inline constexpr std::size_t kSlotFlags = 4;     // 16 bits
inline constexpr std::size_t kSlotReserved = 6;  // 16 bits
inline constexpr std::size_t kSlotValue = 8;     // 64 bits

// Returns the byte offset of a field of parameter i, e.g.
// slotOffset(1, kSlotValue) == 56.
constexpr std::size_t slotOffset(std::size_t index, std::size_t field) {
  return kBlockHeaderBytes + kSlotBytes * index + field;
}

// Returns the bytes allocated for a block of n parameters: (n + 3) * 16.
constexpr std::size_t blockBytes(std::size_t parameterCount) {
  return (parameterCount + 3) * kSlotBytes;
}

inline constexpr std::size_t kReplyInteger = 136;  // 32- or 16-bit result
inline constexpr std::size_t kReplyText = 138;     // host string result

inline constexpr std::uint32_t kMessageExecute = 1035;       // 0x40B
inline constexpr std::uint32_t kMessageReleaseReply = 1050;  // 0x41A

inline constexpr std::uint16_t kFlagOmitted = 0x8000;
// The value a caller passes for an integer parameter that the command table
// lets it omit.
inline constexpr std::int32_t kOmittedValue = 253;

// ---------------------------------------------------------------------------
// Handles and records

// What a command handle points to. Both pointers are null until create
// succeeds; reply stays null until the host answers a send.
struct CommandHandleRecord {
  std::uint8_t* block = nullptr;
  void* reply = nullptr;
};
static_assert(sizeof(CommandHandleRecord) == 2 * sizeof(void*));

using CommandHandle = CommandHandleRecord*;

// The record whose address travels as the second argument of message 1035.
// The host stores its reply pointer through replySlot before it returns.
struct ExecuteRecord {
  std::uint8_t* block = nullptr;
  void** replySlot = nullptr;
};
static_assert(sizeof(ExecuteRecord) == 2 * sizeof(void*));

// The argument of one parameter. Which member is read depends on the letter:
//   'D', 'J'..'M'          number  (the double it points to; null stores 0.0)
//   'N'..'P', 'V'          pointer (zero-terminated ANSI text, copied)
//   'Q', 'R'               pointer (host string, copied)
//   'f'                    pointer (zero-terminated 16-bit wide text, copied)
//   any other letter       integer (stored as 32 bits)
struct ParameterValue {
  std::int32_t integer = 0;
  const double* number = nullptr;
  const void* pointer = nullptr;
};

// Builders that name the member they fill, e.g. parameterInteger(7).
inline ParameterValue parameterInteger(std::int32_t value) { return {.integer = value}; }
inline ParameterValue parameterDouble(const double* value) { return {.number = value}; }
inline ParameterValue parameterText(const char* ansi) { return {.pointer = ansi}; }
inline ParameterValue parameterHostString(const HostChar* text) { return {.pointer = text}; }
inline ParameterValue parameterWideText(const char16_t* text) { return {.pointer = text}; }

// True for the letters whose slot owns a copy that release frees:
// 'N' to 'R', 'V' and 'f'.
bool letterOwnsCopy(char letter);

// ---------------------------------------------------------------------------
// Primitives

// Allocates the handle and a zeroed block for n parameters and writes n at
// offset 20. Returns null, with nothing left allocated, when either allocation
// fails. Example: createCommandHandle(0) makes a 48-byte block.
CommandHandle createCommandHandle(std::uint16_t parameterCount);

// Writes the letter and flags of slot `index` and its value by the letter's
// storage rule. Host strings are measured with the string library's length
// function (bytes) and copied into a block two bytes longer; a null string, an
// unbound library or a length <= 0 stores null. A copy that cannot be
// allocated stores null. Does nothing for a null handle or an index >= n.
void setParameter(CommandHandle handle, std::uint16_t index, char letter, std::uint16_t flags,
                  const ParameterValue& value);

// Clears the reply pointer, writes the header (atoms from processValues(),
// the command number, zeros elsewhere) and sends message 1035 to
// processValues().hostWindow. Returns the host's answer truncated to 32 bits,
// or 0 for a null handle or an unknown window.
std::int32_t sendCommand(CommandHandle handle, std::uint16_t commandNumber);

// Frees every parameter copy, sends message 1050 with the reply pointer so
// that the host frees its reply, then frees the block and the handle. Does
// nothing for a null handle.
void releaseCommand(CommandHandle handle);

}  // namespace host
