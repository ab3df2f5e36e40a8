// A host window for the command tests. In: command blocks sent with message
// 1035 and replies released with message 1050. Out: a record of every block
// as the host saw it (its bytes, and the data each pointer slot pointed to),
// and replies in the layout the plug-in reads, freed again on 1050.
#pragma once

#include <cstdint>
#include <cstring>
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
  std::size_t blockBytes = 0;         // size of the global block it points into
  std::string ansi;                   // up to the first zero byte
  std::vector<host::HostChar> units;  // up to the first zero unit
};

struct SentCommand {
  std::vector<std::uint8_t> bytes;  // the whole block, as allocated
  bool replySlotWasNull = false;    // the plug-in cleared its reply pointer
  // Per slot; nullopt for a null pointer, a non-pointer letter or a pointer
  // that is not a live global block.
  std::vector<std::optional<Pointee>> pointees;

  // Little-endian field at offset; all ones beyond the block, so that a block
  // of the wrong size shows.
  template <typename T>
  T at(std::size_t offset) const {
    T value = static_cast<T>(~T{});
    if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
  }
  std::uint16_t number() const { return at<std::uint16_t>(host::kBlockCommandNumber); }
  std::uint32_t count() const { return at<std::uint32_t>(host::kBlockParameterCount); }
  char letter(std::size_t i) const { return static_cast<char>(at<std::uint32_t>(host::slotOffset(i, 0))); }
  std::uint16_t flags(std::size_t i) const { return at<std::uint16_t>(host::slotOffset(i, host::kSlotFlags)); }
  std::uint64_t raw(std::size_t i) const { return at<std::uint64_t>(host::slotOffset(i, host::kSlotValue)); }
  std::int32_t integer(std::size_t i) const { return static_cast<std::int32_t>(raw(i)); }
  // Every letter of the block's slots, e.g. "QIIIIIII".
  std::string letters() const;
};

class RecordingHost {
 public:
  // Creates the window and makes it processValues().hostWindow; the previous
  // window is restored on destruction.
  RecordingHost();
  ~RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  // The reply given to every following command: none, bytes placed at 136
  // (zero-filled to four), or a text converted through the bound string
  // library and placed at 138.
  void noReply() { replyBytes_.reset(), replyText_.reset(); }
  void replyBytes(std::vector<std::uint8_t> bytesAt136) { noReply(), replyBytes_ = std::move(bytesAt136); }
  void replyText(std::string_view ansi) { noReply(), replyText_ = std::string(ansi); }
  void answerWith(std::intptr_t answer) { answer_ = answer; }

  const std::vector<SentCommand>& sent() const { return sent_; }
  const SentCommand& last() const { return sent_.back(); }
  // The second argument of every message 1050, in order.
  const std::vector<std::intptr_t>& released() const { return released_; }
  void clear() { sent_.clear(), released_.clear(); }

 private:
  std::intptr_t onMessage(std::uint32_t message, std::intptr_t lparam);
  void* makeReply();

  platform::WindowHandle window_ = nullptr;
  platform::WindowHandle previous_ = nullptr;
  std::optional<std::vector<std::uint8_t>> replyBytes_;
  std::optional<std::string> replyText_;
  std::intptr_t answer_ = 0;
  std::vector<SentCommand> sent_;
  std::vector<std::intptr_t> released_;
  std::vector<void*> outstanding_;  // replies not yet released, freed at the end
};

// The units of an ANSI text as the bound string library converts it, up to
// the zero unit, straight through the library rather than through HostText,
// so that expected units do not depend on the code under test. Empty when the
// library is unbound.
std::vector<host::HostChar> hostUnits(std::string_view ansi);

}  // namespace commands_test
