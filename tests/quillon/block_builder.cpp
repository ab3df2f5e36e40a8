// Command blocks in the host's layout, built from the test side.
#include "tests/quillon/block_builder.h"

#include <cstring>

namespace quillon_test {
namespace {

constexpr std::size_t kHeader = 32;
constexpr std::size_t kSlot = 16;
constexpr std::uint32_t kExecute = 1035;
constexpr std::uint32_t kRelease = 1050;

std::size_t slotAt(std::uint32_t i, std::size_t field) { return kHeader + kSlot * i + field; }

std::size_t replyBytes(const void* reply) {
  const platform::GlobalHandle handle = platform::globalHandleOf(reply);
  return handle != nullptr ? platform::globalSize(handle) : 0;
}

}  // namespace

BlockBuilder::BlockBuilder(std::uint16_t command, std::uint32_t parameterCount)
    : size_((parameterCount + 3) * kSlot) {
  handle_ = platform::globalAlloc(platform::kGhnd, size_);
  block_ = handle_ != nullptr ? platform::globalLock(handle_) : nullptr;
  if (block_ == nullptr) return;
  put(18, &command, sizeof command);
  put(20, &parameterCount, sizeof parameterCount);
}

BlockBuilder::~BlockBuilder() {
  for (platform::GlobalHandle copy : copies_) (void)platform::globalFree(copy);
  if (handle_ != nullptr) (void)platform::globalFree(handle_);
}

void BlockBuilder::put(std::size_t offset, const void* value, std::size_t bytes) {
  if (block_ == nullptr || offset + bytes > size_) return;
  std::memcpy(static_cast<std::uint8_t*>(block_) + offset, value, bytes);
}

void BlockBuilder::slot(std::uint32_t i, char letter, std::uint16_t flags) {
  const std::uint32_t code = static_cast<unsigned char>(letter);
  put(slotAt(i, 0), &code, sizeof code);
  put(slotAt(i, 4), &flags, sizeof flags);
}

void* BlockBuilder::copyToGlobal(const void* data, std::size_t bytes) {
  const platform::GlobalHandle copy = platform::globalAlloc(platform::kGhnd, bytes);
  if (copy == nullptr) return nullptr;
  copies_.push_back(copy);
  void* address = platform::globalLock(copy);
  if (address != nullptr) std::memcpy(address, data, bytes);
  return address;
}

BlockBuilder& BlockBuilder::integer(std::uint32_t i, char letter, std::int32_t value,
                                    std::uint16_t flags) {
  slot(i, letter, flags);
  put(slotAt(i, 8), &value, sizeof value);
  return *this;
}

BlockBuilder& BlockBuilder::number(std::uint32_t i, char letter, double value,
                                   std::uint16_t flags) {
  slot(i, letter, flags);
  put(slotAt(i, 8), &value, sizeof value);
  return *this;
}

BlockBuilder& BlockBuilder::hostString(std::uint32_t i, char letter, std::u16string_view text,
                                       std::uint16_t flags) {
  const std::u16string terminated(text);
  return pointer(i, letter, copyToGlobal(terminated.c_str(), (text.size() + 1) * 2), flags);
}

BlockBuilder& BlockBuilder::ansi(std::uint32_t i, char letter, std::string_view text,
                                 std::uint16_t flags) {
  const std::string terminated(text);
  return pointer(i, letter, copyToGlobal(terminated.c_str(), text.size() + 1), flags);
}

BlockBuilder& BlockBuilder::pointer(std::uint32_t i, char letter, const void* value,
                                    std::uint16_t flags) {
  slot(i, letter, flags);
  put(slotAt(i, 8), &value, sizeof value);
  return *this;
}

BlockBuilder& BlockBuilder::claimCount(std::uint32_t count) {
  put(20, &count, sizeof count);
  return *this;
}

BlockBuilder& BlockBuilder::atoms(std::uint16_t pluginAtom, std::uint16_t hostAtom) {
  put(8, &pluginAtom, sizeof pluginAtom);
  put(14, &hostAtom, sizeof hostAtom);
  return *this;
}

std::intptr_t BlockBuilder::sendTo(platform::WindowHandle window) {
  reply_ = nullptr;
  struct {
    void* block;
    void** replySlot;
  } record{block_, &reply_};
  return platform::sendMessage(window, kExecute, 0, reinterpret_cast<std::intptr_t>(&record));
}

std::intptr_t BlockBuilder::release(platform::WindowHandle window) {
  return platform::sendMessage(window, kRelease, 0, reinterpret_cast<std::intptr_t>(reply_));
}

std::int32_t replyInt32(const void* reply) {
  std::int32_t value = 0;
  if (replyBytes(reply) >= 140)
    std::memcpy(&value, static_cast<const std::uint8_t*>(reply) + 136, 4);
  return value;
}

std::int16_t replyInt16(const void* reply) {
  std::int16_t value = 0;
  if (replyBytes(reply) >= 138)
    std::memcpy(&value, static_cast<const std::uint8_t*>(reply) + 136, 2);
  return value;
}

std::u16string replyText(const void* reply) {
  std::u16string text;
  const std::size_t size = replyBytes(reply);
  const auto* bytes = static_cast<const std::uint8_t*>(reply);
  for (std::size_t at = 138; at + 2 <= size; at += 2) {
    char16_t unit = 0;
    std::memcpy(&unit, bytes + at, 2);
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

}  // namespace quillon_test
