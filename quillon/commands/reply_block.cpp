// Reply blocks in global memory, integer at 136 or host string at 138.
#include "quillon/commands/reply_block.h"

#include <cstring>

#include "platform/platform.h"
#include "quillon/commands/block_layout.h"

namespace quillon {
namespace {

// Room for the integer at 136, rounded to whole 16-byte lines.
constexpr std::size_t kIntegerReplyBytes = 144;

}  // namespace

void* buildReply(ReplyKind kind, const CommandResult& result) {
  if (kind == ReplyKind::None) return nullptr;
  const std::size_t size = kind == ReplyKind::Text
                               ? block::kReplyText + (result.text.size() + 1) * sizeof(char16_t)
                               : kIntegerReplyBytes;
  const platform::GlobalHandle handle = platform::globalAlloc(platform::kGhnd, size);
  if (handle == nullptr) return nullptr;
  auto* bytes = static_cast<std::uint8_t*>(platform::globalLock(handle));
  if (bytes == nullptr) {
    (void)platform::globalFree(handle);
    return nullptr;
  }
  switch (kind) {
    case ReplyKind::Int32:
      std::memcpy(bytes + block::kReplyInteger, &result.integer, sizeof(std::int32_t));
      break;
    case ReplyKind::Int16: {
      const auto value = static_cast<std::int16_t>(result.integer);
      std::memcpy(bytes + block::kReplyInteger, &value, sizeof value);
      break;
    }
    case ReplyKind::Text:
      // The terminator is already there: the block was zeroed.
      std::memcpy(bytes + block::kReplyText, result.text.data(),
                  result.text.size() * sizeof(char16_t));
      break;
    case ReplyKind::None:
      break;
  }
  return bytes;
}

bool releaseReply(void* reply) {
  if (reply == nullptr) return false;
  const platform::GlobalHandle handle = platform::globalHandleOf(reply);
  if (handle == nullptr) return false;
  (void)platform::globalUnlock(handle);
  return platform::globalFree(handle) == nullptr;
}

}  // namespace quillon
