// Command blocks in the host's layout, built from the test side: a 32-byte
// header, then 16-byte slots {letter, flags, value at 8}.
#include "tests/quillon/block_builder.h"

#include <cstring>

namespace quillon_test {
namespace {

// The T at offset of the reply, or T{} when it does not lie inside it.
template <typename T>
T replyAt(const void* reply, std::size_t offset) {
  const platform::GlobalHandle handle = platform::globalHandleOf(reply);
  T value{};
  if (handle != nullptr && platform::globalSize(handle) >= offset + sizeof value) {
    std::memcpy(&value, static_cast<const char*>(reply) + offset, sizeof value);
  }
  return value;
}

}  // namespace

BlockBuilder::BlockBuilder(std::uint16_t command, std::uint32_t parameterCount) : size_((parameterCount + 3) * 16) {
  handle_ = platform::globalAlloc(platform::kGhnd, size_);
  block_ = platform::globalLock(handle_);
  put(18, &command, sizeof command).put(20, &parameterCount, sizeof parameterCount);
}

BlockBuilder::~BlockBuilder() {
  for (platform::GlobalHandle copy : copies_) (void)platform::globalFree(copy);
  (void)platform::globalFree(handle_);
}

BlockBuilder& BlockBuilder::put(std::size_t offset, const void* value, std::size_t bytes) {
  if (block_ != nullptr && offset + bytes <= size_) std::memcpy(static_cast<char*>(block_) + offset, value, bytes);
  return *this;
}

BlockBuilder& BlockBuilder::slot(std::uint32_t i, char letter, std::uint16_t flags, const void* value,
                                 std::size_t bytes) {
  const std::uint32_t code = static_cast<unsigned char>(letter);
  const std::size_t at = 32 + 16 * static_cast<std::size_t>(i);
  return put(at, &code, sizeof code).put(at + 4, &flags, sizeof flags).put(at + 8, value, bytes);
}

void* BlockBuilder::copyToGlobal(const void* data, std::size_t bytes) {
  const platform::GlobalHandle copy = platform::globalAlloc(platform::kGhnd, bytes);
  if (copy == nullptr) return nullptr;
  copies_.push_back(copy);
  void* address = platform::globalLock(copy);
  std::memcpy(address, data, bytes);
  return address;
}

std::intptr_t BlockBuilder::sendTo(platform::WindowHandle window) {
  reply_ = nullptr;
  struct {
    void* block;
    void** replySlot;
  } record{block_, &reply_};
  return platform::sendMessage(window, 1035, 0, reinterpret_cast<std::intptr_t>(&record));
}

std::intptr_t BlockBuilder::release(platform::WindowHandle window) {
  return platform::sendMessage(window, 1050, 0, reinterpret_cast<std::intptr_t>(reply_));
}

std::int32_t replyInt32(const void* reply) { return replyAt<std::int32_t>(reply, 136); }
std::int16_t replyInt16(const void* reply) { return replyAt<std::int16_t>(reply, 136); }

std::u16string replyText(const void* reply) {
  std::u16string text;
  for (std::size_t at = 138; char16_t unit = replyAt<char16_t>(reply, at); at += 2) text += unit;
  return text;
}

}  // namespace quillon_test
