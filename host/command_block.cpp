// Builds, sends and releases host command blocks. In: a parameter count,
// typed parameter values and a command number. Out: blocks and parameter
// copies in locked global memory, and the host's answer to message 1035.
#include "host/command_block.h"

#include <bit>
#include <cstring>
#include <new>

#include "host/process_values.h"
#include "platform/platform.h"

namespace host {
namespace {

// Writes an unsigned value byte by byte so the layout is little-endian
// whatever the machine.
template <typename T>
void storeLittleEndian(std::uint8_t* at, T value) {
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

template <typename T>
T loadLittleEndian(const std::uint8_t* at) {
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    value = static_cast<T>(value | (static_cast<T>(at[i]) << (8 * i)));
  }
  return value;
}

void storePointer(std::uint8_t* at, const void* pointer) {
  storeLittleEndian<std::uint64_t>(at, reinterpret_cast<std::uintptr_t>(pointer));
}

void* loadPointer(const std::uint8_t* at) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(loadLittleEndian<std::uint64_t>(at)));
}

// A zeroed global block, locked for its lifetime; null when either step fails.
void* allocateLocked(std::size_t bytes) {
  platform::GlobalHandle handle = platform::globalAlloc(platform::kGhnd, bytes);
  if (handle == nullptr) return nullptr;
  void* address = platform::globalLock(handle);
  if (address == nullptr) (void)platform::globalFree(handle);
  return address;
}

void freeLocked(const void* address) {
  if (address == nullptr) return;
  platform::GlobalHandle handle = platform::globalHandleOf(address);
  if (handle == nullptr) return;
  (void)platform::globalUnlock(handle);
  (void)platform::globalFree(handle);
}

void* copyBytes(const void* source, std::size_t copied, std::size_t allocated) {
  void* copy = allocateLocked(allocated);
  if (copy != nullptr && copied > 0) std::memcpy(copy, source, copied);
  return copy;
}

// Copy of a zero-terminated ANSI text, terminator included.
void* copyAnsi(const char* text) {
  if (text == nullptr) return nullptr;
  const std::size_t length = std::strlen(text);
  return copyBytes(text, length + 1, length + 1);
}

// Copy of a host string measured by the host's own length function; the two
// extra zero bytes end it in a zero unit whatever the source held.
void* copyHostString(const HostChar* text) {
  if (text == nullptr) return nullptr;
  const HostStringLengthFn lengthOf = hostLibraries().functions().hostStringLength;
  if (lengthOf == nullptr) return nullptr;
  const std::int32_t length = lengthOf(text);
  if (length <= 0) return nullptr;
  const auto bytes = static_cast<std::size_t>(length);
  return copyBytes(text, bytes, bytes + 2);
}

void* copyWide(const char16_t* text) {
  if (text == nullptr) return nullptr;
  std::size_t length = 0;
  while (text[length] != u'\0') ++length;
  const std::size_t bytes = (length + 1) * sizeof(char16_t);
  return copyBytes(text, bytes, bytes);
}

bool isDoubleLetter(char letter) {
  return letter == 'D' || (letter >= 'J' && letter <= 'M');
}

bool isAnsiLetter(char letter) {
  return (letter >= 'N' && letter <= 'P') || letter == 'V';
}

bool isHostStringLetter(char letter) { return letter == 'Q' || letter == 'R'; }

// Slots that release may inspect: the count written at creation, but never
// more than the block really holds, in case the host overwrote it.
std::size_t slotCount(const CommandHandleRecord& record) {
  const std::size_t written = loadLittleEndian<std::uint32_t>(record.block + kBlockParameterCount);
  const std::size_t size = platform::globalSize(platform::globalHandleOf(record.block));
  const std::size_t room = size >= blockBytes(0) ? (size - blockBytes(0)) / kSlotBytes : 0;
  return written < room ? written : room;
}

}  // namespace

bool letterOwnsCopy(char letter) {
  return (letter >= 'N' && letter <= 'R') || letter == 'V' || letter == 'f';
}

CommandHandle createCommandHandle(std::uint16_t parameterCount) {
  void* handleMemory = allocateLocked(sizeof(CommandHandleRecord));
  if (handleMemory == nullptr) return nullptr;
  auto* record = new (handleMemory) CommandHandleRecord{};
  auto* block = static_cast<std::uint8_t*>(allocateLocked(blockBytes(parameterCount)));
  if (block == nullptr) {
    freeLocked(handleMemory);
    return nullptr;
  }
  storeLittleEndian<std::uint32_t>(block + kBlockParameterCount, parameterCount);
  record->block = block;
  return record;
}

void setParameter(CommandHandle handle, std::uint16_t index, char letter, std::uint16_t flags,
                  const ParameterValue& value) {
  if (handle == nullptr || handle->block == nullptr) return;
  std::uint8_t* block = handle->block;
  if (index >= loadLittleEndian<std::uint32_t>(block + kBlockParameterCount)) return;

  storeLittleEndian<std::uint32_t>(block + slotOffset(index, kSlotLetter),
                                   static_cast<unsigned char>(letter));
  storeLittleEndian<std::uint16_t>(block + slotOffset(index, kSlotFlags), flags);
  storeLittleEndian<std::uint16_t>(block + slotOffset(index, kSlotReserved), 0);

  std::uint8_t* slot = block + slotOffset(index, kSlotValue);
  if (isDoubleLetter(letter)) {
    const double number = value.number != nullptr ? *value.number : 0.0;
    storeLittleEndian<std::uint64_t>(slot, std::bit_cast<std::uint64_t>(number));
  } else if (isAnsiLetter(letter)) {
    storePointer(slot, copyAnsi(static_cast<const char*>(value.pointer)));
  } else if (isHostStringLetter(letter)) {
    storePointer(slot, copyHostString(static_cast<const HostChar*>(value.pointer)));
  } else if (letter == 'f') {
    storePointer(slot, copyWide(static_cast<const char16_t*>(value.pointer)));
  } else {
    storeLittleEndian<std::uint64_t>(slot, static_cast<std::uint32_t>(value.integer));
  }
}

std::int32_t sendCommand(CommandHandle handle, std::uint16_t commandNumber) {
  if (handle == nullptr || handle->block == nullptr) return 0;
  handle->reply = nullptr;

  std::uint8_t* block = handle->block;
  const ProcessValues& values = processValues();
  storeLittleEndian<std::uint32_t>(block + kBlockZero0, 0);
  storeLittleEndian<std::uint32_t>(block + kBlockZero4, 0);
  storeLittleEndian<std::uint16_t>(block + kBlockPluginAtom, values.pluginAtom);
  storeLittleEndian<std::uint32_t>(block + kBlockZero10, 0);
  storeLittleEndian<std::uint16_t>(block + kBlockHostAtom, values.hostAtom);
  storeLittleEndian<std::uint16_t>(block + kBlockZero16, 0);
  storeLittleEndian<std::uint16_t>(block + kBlockCommandNumber, commandNumber);
  storeLittleEndian<std::uint32_t>(block + kBlockZero24, 0);
  storeLittleEndian<std::uint32_t>(block + kBlockZero28, 0);

  ExecuteRecord record{block, &handle->reply};
  const std::intptr_t answer = platform::sendMessage(
      values.hostWindow, kMessageExecute, 0, reinterpret_cast<std::intptr_t>(&record));
  return static_cast<std::int32_t>(answer);
}

void releaseCommand(CommandHandle handle) {
  if (handle == nullptr) return;
  if (handle->block != nullptr) {
    const std::size_t count = slotCount(*handle);
    for (std::size_t i = 0; i < count; ++i) {
      const auto letter = static_cast<char>(
          loadLittleEndian<std::uint32_t>(handle->block + slotOffset(i, kSlotLetter)));
      if (!letterOwnsCopy(letter)) continue;
      std::uint8_t* slot = handle->block + slotOffset(i, kSlotValue);
      freeLocked(loadPointer(slot));
      storePointer(slot, nullptr);
    }
  }
  (void)platform::sendMessage(processValues().hostWindow, kMessageReleaseReply, 0,
                              reinterpret_cast<std::intptr_t>(handle->reply));
  handle->reply = nullptr;
  freeLocked(handle->block);
  handle->block = nullptr;
  freeLocked(handle);
}

}  // namespace host
