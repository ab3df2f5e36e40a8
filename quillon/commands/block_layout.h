// Where the host finds things in a command block, its reply and the record
// of the execute message. In: nothing. Out: byte offsets and message numbers.
//
// Block: 32-byte header, then one 16-byte slot per parameter. This is a
// 64-bit build, so a slot's 8-byte value holds a whole pointer for the text
// letters, and the execute record is two pointers {block, reply slot}.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillon::block {

inline constexpr std::size_t kPluginAtom = 8;       // 16 bits
inline constexpr std::size_t kHostAtom = 14;        // 16 bits
inline constexpr std::size_t kCommand = 18;         // 16 bits
inline constexpr std::size_t kParameterCount = 20;  // 32 bits
inline constexpr std::size_t kHeaderBytes = 32;
inline constexpr std::size_t kSlotBytes = 16;
inline constexpr std::size_t kSlotLetter = 0;  // 32 bits, an ASCII code
inline constexpr std::size_t kSlotFlags = 4;   // 16 bits
inline constexpr std::size_t kSlotValue = 8;   // 64 bits

// Byte offset of a field of slot i. Example: slotOffset(0, kSlotValue) == 40.
constexpr std::size_t slotOffset(std::size_t index, std::size_t field) {
  return kHeaderBytes + kSlotBytes * index + field;
}

// Bytes a sender allocates for n parameters: header, n slots, 16 spare.
constexpr std::size_t blockBytes(std::size_t parameterCount) {
  return (parameterCount + 3) * kSlotBytes;
}

inline constexpr std::size_t kReplyInteger = 136;
inline constexpr std::size_t kReplyText = 138;

inline constexpr std::uint32_t kMessageExecute = 1035;       // 0x40B
inline constexpr std::uint32_t kMessageReleaseReply = 1050;  // 0x41A

// What the sender's lparam of message 1035 points to.
struct ExecuteRecord {
  const void* block;
  void** replySlot;
};
static_assert(sizeof(ExecuteRecord) == 2 * sizeof(void*));

}  // namespace quillon::block
