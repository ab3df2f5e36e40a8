// Builds command blocks the way a plug-in does, for the host's tests and for
// the test plug-in: a locked global memory block in the host's layout, text
// parameters copied into global blocks of their own, sent to a window with
// message 1035 and its reply released with 1050.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace quillon_test {

class BlockBuilder {
 public:
  BlockBuilder(std::uint16_t command, std::uint32_t parameterCount);
  // Frees the text copies and the block (not the reply: see release()).
  ~BlockBuilder();
  BlockBuilder(const BlockBuilder&) = delete;
  BlockBuilder& operator=(const BlockBuilder&) = delete;

  // Each setter writes slot i: the letter, the flags and the value.
  BlockBuilder& integer(std::uint32_t i, char letter, std::int32_t value, std::uint16_t flags = 0);
  BlockBuilder& number(std::uint32_t i, char letter, double value, std::uint16_t flags = 0);
  // Copies the text into a global block of its own (zero-terminated).
  BlockBuilder& hostString(std::uint32_t i, char letter, std::u16string_view text,
                           std::uint16_t flags = 0);
  BlockBuilder& ansi(std::uint32_t i, char letter, std::string_view text, std::uint16_t flags = 0);
  // Stores any pointer, e.g. null or one that is not global memory.
  BlockBuilder& pointer(std::uint32_t i, char letter, const void* value, std::uint16_t flags = 0);
  // Overwrites the parameter count the header claims.
  BlockBuilder& claimCount(std::uint32_t count);
  BlockBuilder& atoms(std::uint16_t pluginAtom, std::uint16_t hostAtom);

  void* block() const { return block_; }

  // Sends message 1035 with a record {block, &reply} and returns the answer.
  std::intptr_t sendTo(platform::WindowHandle window);
  void* reply() const { return reply_; }
  // Sends message 1050 with the reply and returns the answer.
  std::intptr_t release(platform::WindowHandle window);

 private:
  void put(std::size_t offset, const void* value, std::size_t bytes);
  void slot(std::uint32_t i, char letter, std::uint16_t flags);
  void* copyToGlobal(const void* data, std::size_t bytes);

  platform::GlobalHandle handle_ = nullptr;
  void* block_ = nullptr;
  std::size_t size_ = 0;
  std::vector<platform::GlobalHandle> copies_;
  void* reply_ = nullptr;
};

// Reads a reply bounded by its global block: the 32- and 16-bit integer at
// 136 and the host string from 138. The string is empty when the block is
// too small; readers return nullopt-like zeros for a null reply.
std::int32_t replyInt32(const void* reply);
std::int16_t replyInt16(const void* reply);
std::u16string replyText(const void* reply);

}  // namespace quillon_test
