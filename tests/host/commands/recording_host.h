// A host window for the command tests. In: command blocks sent with message
// 1035 and replies released with message 1050. Out: a record of every block
// as the host saw it (its bytes, and the data each pointer slot pointed to),
// and replies in the layout the plug-in reads, freed again on 1050.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/command_block.h"
#include "host/host_library.h"
#include "platform/platform.h"

namespace commands_test {

// What one pointer slot pointed to while the host held the block. Only live
// global memory blocks are read, and never beyond their size.
struct Pointee {
  std::size_t blockBytes = 0;          // size of the global block it points into
  std::string ansi;                    // up to the first zero byte
  std::vector<host::HostChar> units;   // up to the first zero unit
};

struct SentCommand {
  std::vector<std::uint8_t> bytes;  // the whole block, as allocated
  bool replySlotWasNull = false;    // the plug-in cleared its reply pointer

  std::uint16_t u16(std::size_t offset) const;
  std::uint32_t u32(std::size_t offset) const;
  std::uint64_t u64(std::size_t offset) const;

  std::uint16_t number() const { return u16(host::kBlockCommandNumber); }
  std::uint32_t count() const { return u32(host::kBlockParameterCount); }
  char letter(std::size_t i) const;
  std::uint16_t flags(std::size_t i) const { return u16(host::slotOffset(i, host::kSlotFlags)); }
  std::int32_t integer(std::size_t i) const;
  double number(std::size_t i) const;
  std::uint64_t raw(std::size_t i) const { return u64(host::slotOffset(i, host::kSlotValue)); }
  // Every letter of the block's slots, e.g. "QIIIIIII".
  std::string letters() const;

  // Pointed-to data per slot; nullopt for a null pointer, a non-pointer letter
  // or a pointer that is not a live global block.
  std::vector<std::optional<Pointee>> pointees;
};

// The reply the host gives to every following command.
struct Reply {
  enum class Kind { None, Bytes, Text } kind = Kind::None;
  std::vector<std::uint8_t> bytesAt136;  // Kind::Bytes: bytes from offset 136
  std::string text;                      // Kind::Text: converted to a host string at 138
};

class RecordingHost {
 public:
  // Creates the window and makes it processValues().hostWindow; the previous
  // window is restored on destruction.
  RecordingHost();
  ~RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  void noReply() { reply_ = Reply{}; }
  void replyInt32(std::int32_t value);
  void replyBytes(std::vector<std::uint8_t> bytesAt136);
  // Needs the bound string library; the text is converted through it.
  void replyText(std::string_view ansi);
  void answerWith(std::intptr_t answer) { answer_ = answer; }

  const std::vector<SentCommand>& sent() const { return sent_; }
  const SentCommand& last() const { return sent_.back(); }
  // The second argument of every message 1050, in order.
  const std::vector<std::intptr_t>& released() const { return released_; }
  // Every reply pointer handed out, in order.
  const std::vector<void*>& repliesGiven() const { return given_; }
  void clear() {
    sent_.clear();
    released_.clear();
  }

  platform::WindowHandle window() const { return window_; }

 private:
  std::intptr_t onMessage(std::uint32_t message, std::intptr_t lparam);
  void* makeReply();

  platform::WindowHandle window_ = nullptr;
  platform::WindowHandle previous_ = nullptr;
  Reply reply_;
  std::intptr_t answer_ = 0;
  std::vector<SentCommand> sent_;
  std::vector<std::intptr_t> released_;
  std::vector<void*> given_;
  std::vector<void*> outstanding_;  // replies not yet released, freed at the end
};

// The units of an ANSI text as the bound string library converts it, up to
// the zero unit. Empty when the library is unbound.
std::vector<host::HostChar> hostUnits(std::string_view ansi);

// True when the environment bound the stand-in host's libraries.
bool hostLibrariesBound();

}  // namespace commands_test
