// Command block decoding, bounded by the global memory blocks it reads.
#include "quillon/commands/block_decoder.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "quillon/commands/block_layout.h"

namespace quillon {
namespace {

template <typename T>
T readAt(const std::uint8_t* bytes, std::size_t offset) {
  T value{};
  std::memcpy(&value, bytes + offset, sizeof value);
  return value;
}

// The size of the global block that starts at address, or 0.
std::size_t globalBytesAt(const void* address) {
  if (address == nullptr) return 0;
  const platform::GlobalHandle handle = platform::globalHandleOf(address);
  return handle != nullptr ? platform::globalSize(handle) : 0;
}

void readAnsi(const void* address, CommandParameter& p) {
  const std::size_t size = globalBytesAt(address);
  if (size == 0) {
    p.unreadable = true;
    return;
  }
  const auto* bytes = static_cast<const char*>(address);
  p.ansi.assign(bytes, strnlen(bytes, size));
}

void readUnits(const void* address, CommandParameter& p) {
  const std::size_t size = globalBytesAt(address);
  if (size == 0) {
    p.unreadable = true;
    return;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(address);
  for (std::size_t offset = 0; offset + 2 <= size; offset += 2) {
    const auto unit = readAt<std::uint16_t>(bytes, offset);
    if (unit == 0) break;
    p.text += static_cast<char16_t>(unit);
  }
}

CommandParameter decodeSlot(const std::uint8_t* bytes, std::size_t index) {
  CommandParameter p;
  const auto letterCode =
      readAt<std::uint32_t>(bytes, block::slotOffset(index, block::kSlotLetter));
  p.letter = static_cast<char>(letterCode & 0xFF);
  p.flags = readAt<std::uint16_t>(bytes, block::slotOffset(index, block::kSlotFlags));
  p.kind = valueKindOf(p.letter);
  const std::size_t valueAt = block::slotOffset(index, block::kSlotValue);
  p.integer = readAt<std::int32_t>(bytes, valueAt);
  switch (p.kind) {
    case ValueKind::Integer:
      break;
    case ValueKind::Number:
      p.number = readAt<double>(bytes, valueAt);
      break;
    case ValueKind::AnsiText:
    case ValueKind::HostString:
    case ValueKind::WideText: {
      const auto* pointer = readAt<const void*>(bytes, valueAt);
      if (pointer == nullptr) {
        p.nullPointer = true;
      } else if (p.kind == ValueKind::AnsiText) {
        readAnsi(pointer, p);
      } else {
        readUnits(pointer, p);
      }
      break;
    }
  }
  return p;
}

}  // namespace

std::optional<CommandRequest> decodeCommandBlock(const void* blockAddress) {
  const std::size_t size = globalBytesAt(blockAddress);
  if (size < block::kHeaderBytes) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(blockAddress);

  CommandRequest request;
  request.pluginAtom = readAt<std::uint16_t>(bytes, block::kPluginAtom);
  request.hostAtom = readAt<std::uint16_t>(bytes, block::kHostAtom);
  request.command = readAt<std::uint16_t>(bytes, block::kCommand);
  request.declaredCount = readAt<std::uint32_t>(bytes, block::kParameterCount);

  const std::size_t slotsThatFit = (size - block::kHeaderBytes) / block::kSlotBytes;
  const std::size_t count = std::min<std::size_t>(request.declaredCount, slotsThatFit);
  request.parameters.reserve(count);
  for (std::size_t i = 0; i < count; ++i) request.parameters.push_back(decodeSlot(bytes, i));
  return request;
}

}  // namespace quillon
