// Fills, sends and reads back one host command for the HostCommands
// operations. In: typed parameters. Out: integers and texts from the reply.
#include "host/host_command_call.h"

#include <cstring>

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

std::int32_t CommandCall::replyInt32() const {
  if (!hasReply()) return 0;
  std::int32_t value = 0;
  std::memcpy(&value, static_cast<const std::uint8_t*>(handle_->reply) + kReplyInteger,
              sizeof value);
  return value;
}

std::int16_t CommandCall::replyInt16() const {
  if (!hasReply()) return 0;
  std::int16_t value = 0;
  std::memcpy(&value, static_cast<const std::uint8_t*>(handle_->reply) + kReplyInteger,
              sizeof value);
  return value;
}

HostText CommandCall::replyText() const {
  HostText text;
  if (!hasReply()) return text;
  const auto* at = static_cast<const std::uint8_t*>(handle_->reply) + kReplyText;
  text.assignFromHostString(reinterpret_cast<const HostChar*>(at));
  return text;
}

void sendPlain(std::uint16_t commandNumber) {
  CommandCall call(0);
  call.send(commandNumber);
}

}  // namespace host::internal
