// Fills, sends and reads back one host command for the HostCommands
// operations. In: typed parameters. Out: integers and texts from the reply.
#include "host/host_command_call.h"

#include <cstring>
#include <vector>

namespace host::internal {

void CommandCall::integer(std::uint16_t index, char letter, std::int32_t value) {
  setParameter(handle_, index, letter, 0, parameterInteger(value));
}

void CommandCall::omittable(std::uint16_t index, char letter, std::int32_t value) {
  const std::uint16_t flags = value == kOmittedValue ? kFlagOmitted : 0;
  setParameter(handle_, index, letter, flags, parameterInteger(value));
}

void CommandCall::number(std::uint16_t index, char letter, double value) {
  setParameter(handle_, index, letter, 0, parameterDouble(&value));
}

void CommandCall::hostString(std::uint16_t index, char letter, HostText& text,
                             OnConversionFailure onFailure) {
  const HostChar* converted = text.toHostString();
  const bool omitted = converted == nullptr && onFailure == OnConversionFailure::MarkOmitted;
  setParameter(handle_, index, letter, omitted ? kFlagOmitted : 0,
               parameterHostString(converted));
}

void CommandCall::ansiText(std::uint16_t index, char letter, const HostText& text) {
  setParameter(handle_, index, letter, 0, parameterText(text.ansi()));
}

namespace {

// The reply's size when it is a global block, else 0 (size unknown).
std::size_t replySize(const void* reply) {
  return platform::globalSize(platform::globalHandleOf(reply));
}

// Reads an integer of type T at the reply's integer offset; 0 when a reply of
// known size is too short to hold it.
template <typename T>
T replyInteger(const void* reply) {
  const std::size_t size = replySize(reply);
  if (size != 0 && size < kReplyInteger + sizeof(T)) return 0;
  T value = 0;
  std::memcpy(&value, static_cast<const std::uint8_t*>(reply) + kReplyInteger, sizeof value);
  return value;
}

}  // namespace

std::int32_t CommandCall::replyInt32() const {
  return hasReply() ? replyInteger<std::int32_t>(handle_->reply) : 0;
}

std::int16_t CommandCall::replyInt16() const {
  return hasReply() ? replyInteger<std::int16_t>(handle_->reply) : 0;
}

HostText CommandCall::replyText() const {
  HostText text;
  if (!hasReply()) return text;
  const auto* reply = static_cast<const std::uint8_t*>(handle_->reply);
  // A reply is a global block of known size: read no unit beyond it, even
  // when the host left the text without its terminator.
  const std::size_t size = replySize(reply);
  if (size == 0) {
    text.assignFromHostString(reinterpret_cast<const HostChar*>(reply + kReplyText));
    return text;
  }
  std::vector<HostChar> units;
  for (std::size_t at = kReplyText; at + sizeof(HostChar) <= size; at += sizeof(HostChar)) {
    HostChar unit = 0;
    std::memcpy(&unit, reply + at, sizeof unit);
    if (unit == 0) break;
    units.push_back(unit);
  }
  units.push_back(0);
  text.assignFromHostString(units.data());
  return text;
}

void sendPlain(std::uint16_t commandNumber) {
  CommandCall call(0);
  call.send(commandNumber);
}

}  // namespace host::internal
