// One host command from build to release, for the HostCommands operations.
// In: parameters by kind and a command number. Out: the host's reply read as
// a 32-bit or 16-bit integer or as a HostText. Internal to the host module.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/command_block.h"
#include "host/host_text.h"

namespace host::internal {

// Whether a failed host-string conversion marks the parameter omitted. Only
// the operations whose texts may legitimately be empty ask for it.
enum class OnConversionFailure { SendNull, MarkOmitted };

// Creates the handle on construction and releases it (parameter copies, the
// host's reply, block, handle) on destruction, so a reply can be read between
// send() and the end of the scope. With a null handle every call is a no-op
// and every reply reads as 0 or empty.
class CommandCall {
 public:
  explicit CommandCall(std::uint16_t parameterCount)
      : handle_(createCommandHandle(parameterCount)) {}
  ~CommandCall() { releaseCommand(handle_); }
  CommandCall(const CommandCall&) = delete;
  CommandCall& operator=(const CommandCall&) = delete;

  // An integer-like parameter ('I', 'W', 'X', 'C', '@', 'F') sent with flags 0.
  void integer(std::uint16_t index, char letter, std::int32_t value);
  // As integer(), but flagged omitted when value is 253.
  void omittable(std::uint16_t index, char letter, std::int32_t value);
  // A double parameter ('J').
  void number(std::uint16_t index, char letter, double value);
  // A host-string parameter ('Q', 'R') from the text's fresh conversion.
  void hostString(std::uint16_t index, char letter, HostText& text,
                  OnConversionFailure onFailure = OnConversionFailure::SendNull);
  // An ANSI parameter ('N', 'V').
  void ansiText(std::uint16_t index, char letter, const HostText& text);

  void send(std::uint16_t commandNumber) { (void)sendCommand(handle_, commandNumber); }

  bool hasReply() const { return handle_ != nullptr && handle_->reply != nullptr; }
  std::int32_t replyInt32() const;
  std::int16_t replyInt16() const;
  HostText replyText() const;

 private:
  CommandHandle handle_;
};

// Sends a command that has neither parameters nor a result.
void sendPlain(std::uint16_t commandNumber);

// The value from a translation table, or the value itself when it is not
// listed. Example: translate(kAttributeValues, 17723) == 7. No table lists
// 253, so an omitted value always travels as the caller passed it.
struct Translation {
  std::int32_t from;
  std::int32_t to;
};
template <std::size_t N>
constexpr std::int32_t translate(const Translation (&table)[N], std::int32_t value) {
  for (const Translation& row : table) {
    if (row.from == value) return row.to;
  }
  return value;
}

}  // namespace host::internal
