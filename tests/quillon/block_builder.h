// Builds command blocks the way a plug-in does, for the host's tests and for
// the test plug-in. In: a command, its parameters and a window. Out: a locked
// global memory block in the host's layout (texts in global blocks of their
// own), sent with message 1035, and its reply released with 1050.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace quillon_test {

// What a plug-in sees of the host: its string unit and CreateCommandDescriptor.
using HostChar = std::uint16_t;
using CreateFn = void* (*)(const HostChar*, std::intptr_t, std::intptr_t, const HostChar*, const HostChar*,
                           const HostChar*, std::intptr_t, std::intptr_t, std::intptr_t, const void*, std::intptr_t,
                           std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t);

class BlockBuilder {
 public:
  BlockBuilder(std::uint16_t command, std::uint32_t parameterCount);
  // Frees the text copies and the block (not the reply: see release()).
  ~BlockBuilder();
  BlockBuilder(const BlockBuilder&) = delete;
  BlockBuilder& operator=(const BlockBuilder&) = delete;

  // Each setter writes slot i: the letter, the flags and the 8-byte value.
  BlockBuilder& integer(std::uint32_t i, char l, std::int32_t v, std::uint16_t f = 0) { return slot(i, l, f, &v, 4); }
  BlockBuilder& number(std::uint32_t i, char l, double v, std::uint16_t f = 0) { return slot(i, l, f, &v, 8); }
  // Stores any pointer, e.g. null or one that is not global memory.
  BlockBuilder& pointer(std::uint32_t i, char l, const void* v, std::uint16_t f = 0) { return slot(i, l, f, &v, 8); }
  static_assert(sizeof(void*) == 8, "a slot value holds a 64-bit pointer");
  // Copy the text and its terminator into a global block of its own.
  BlockBuilder& hostString(std::uint32_t i, char letter, std::u16string_view text, std::uint16_t flags = 0) {
    return pointer(i, letter, copyToGlobal(std::u16string(text).c_str(), (text.size() + 1) * 2), flags);
  }
  BlockBuilder& ansi(std::uint32_t i, char letter, std::string_view text, std::uint16_t flags = 0) {
    return pointer(i, letter, copyToGlobal(std::string(text).c_str(), text.size() + 1), flags);
  }
  // Overwrites the parameter count the header claims.
  BlockBuilder& claimCount(std::uint32_t count) { return put(20, &count, sizeof count); }
  BlockBuilder& atoms(std::uint16_t pluginAtom, std::uint16_t hostAtom) {
    return put(8, &pluginAtom, sizeof pluginAtom).put(14, &hostAtom, sizeof hostAtom);
  }

  void* block() const { return block_; }
  // Sends message 1035 with a record {block, &reply} and returns the answer.
  std::intptr_t sendTo(platform::WindowHandle window);
  void* reply() const { return reply_; }
  // Sends message 1050 with the reply and returns the answer.
  std::intptr_t release(platform::WindowHandle window);

 private:
  BlockBuilder& put(std::size_t offset, const void* value, std::size_t bytes);
  BlockBuilder& slot(std::uint32_t i, char letter, std::uint16_t flags, const void* value, std::size_t bytes);
  void* copyToGlobal(const void* data, std::size_t bytes);

  platform::GlobalHandle handle_ = nullptr;
  void* block_ = nullptr;
  std::size_t size_ = 0;
  std::vector<platform::GlobalHandle> copies_;
  void* reply_ = nullptr;
};

// Read a reply within its global block: the 32- or 16-bit integer at 136, or
// the host string from 138. Zero or empty for a null or too short reply.
std::int32_t replyInt32(const void* reply);
std::int16_t replyInt16(const void* reply);
std::u16string replyText(const void* reply);

}  // namespace quillon_test
