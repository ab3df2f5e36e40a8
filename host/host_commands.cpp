// The typing and formatting operations of HostCommands. In: the caller's
// texts and host symbolic numbers. Out: one host command each, with values
// translated into the command's own codes.
#include "host/host_commands.h"

#include "host/host_command_call.h"

namespace host {

using internal::CommandCall;
using internal::OnConversionFailure;
using internal::sendPlain;
using internal::translate;
using internal::Translation;

namespace {

constexpr Translation kAttributeValues[] = {{17723, 7}};
constexpr Translation kConvertCaseModes[] = {{17081, 0}, {17740, 3}};

// A command whose single 16-bit parameter 253 omits, answered with an int16.
std::int16_t sendOmittableInt16(std::uint16_t commandNumber, char letter, std::int16_t value) {
  CommandCall call(1);
  call.omittable(0, letter, value);
  call.send(commandNumber);
  return call.replyInt16();
}

void sendAttribute(std::uint16_t commandNumber, std::int32_t attribute) {
  CommandCall call(1);
  call.omittable(0, 'I', translate(kAttributeValues, attribute));
  call.send(commandNumber);
}

}  // namespace

HostCommands& hostCommands() {
  static HostCommands commands;
  return commands;
}

// --- typing -----------------------------------------------------------------

void HostCommands::TypeText(HostText text) {
  CommandCall call(1);
  call.hostString(0, 'Q', text, OnConversionFailure::MarkOmitted);
  call.send(command::kTypeText);
}

void HostCommands::HardReturn() { sendPlain(command::kHardReturn); }
void HostCommands::InsertSpace75() { sendPlain(command::kInsertSpace75); }
void HostCommands::InsertIndent() { sendPlain(command::kInsertIndent); }
void HostCommands::InsertDotLeaderTab() { sendPlain(command::kInsertDotLeaderTab); }

void HostCommands::InsertCharacter(std::uint8_t characterSet, std::uint8_t number) {
  CommandCall call(2);
  call.integer(0, 'C', characterSet);
  call.integer(1, 'C', number);
  call.send(command::kInsertCharacter);
}

// --- character formatting ---------------------------------------------------

void HostCommands::AttributeOn(std::int32_t attribute) {
  sendAttribute(command::kAttributeOn, attribute);
}

void HostCommands::AttributeOff(std::int32_t attribute) {
  sendAttribute(command::kAttributeOff, attribute);
}

void HostCommands::ConvertCase(std::int32_t mode) {
  CommandCall call(1);
  call.integer(0, 'I', translate(kConvertCaseModes, mode));
  call.send(command::kConvertCase);
}

void HostCommands::SetFont(HostText faceName, std::int32_t a, std::int32_t b, std::int32_t c,
                           std::int32_t d, std::int32_t e, std::int32_t f, std::int32_t g) {
  CommandCall call(8);
  call.hostString(0, 'Q', faceName);
  const std::int32_t values[] = {a, b, c, d, e, f, g};
  std::uint16_t index = 1;
  for (const std::int32_t value : values) call.omittable(index++, 'I', value);
  call.send(command::kSetFont);
}

void HostCommands::SetFontSize(std::int16_t size) {
  CommandCall call(1);
  call.integer(0, 'X', size);
  call.send(command::kSetFontSize);
}

// --- paragraph and page formatting ------------------------------------------

void HostCommands::SetLineSpacing(double spacing, std::int16_t second) {
  CommandCall call(2);
  call.number(0, 'J', spacing);
  call.omittable(1, 'W', second);
  call.send(command::kSetLineSpacing);
}

void HostCommands::Command157(double value) {
  CommandCall call(1);
  call.number(0, 'J', value);
  call.send(command::kCommand157);
}

std::int16_t HostCommands::SetMarginLeft(std::int16_t margin) {
  return sendOmittableInt16(command::kSetMarginLeft, 'X', margin);
}

std::int16_t HostCommands::SetMarginRight(std::int16_t margin) {
  return sendOmittableInt16(command::kSetMarginRight, 'X', margin);
}

std::int16_t HostCommands::SetMarginTop(std::int16_t margin) {
  return sendOmittableInt16(command::kSetMarginTop, 'X', margin);
}

std::int16_t HostCommands::SetMarginBottom(std::int16_t margin) {
  return sendOmittableInt16(command::kSetMarginBottom, 'X', margin);
}

std::int16_t HostCommands::Command170(std::int16_t value) {
  return sendOmittableInt16(command::kCommand170, 'W', value);
}

std::int16_t HostCommands::SetParagraphIndent(std::int16_t indent) {
  return sendOmittableInt16(command::kSetParagraphIndent, 'W', indent);
}

void HostCommands::SetFirstLineIndent(std::int16_t offset) {
  CommandCall call(1);
  call.integer(0, 'W', offset);
  call.send(command::kSetFirstLineIndent);
}

std::int32_t HostCommands::ApplyToSelection203(std::int32_t value) {
  CommandCall call(1);
  call.omittable(0, 'I', value);
  call.send(command::kApplyToSelection203);
  return call.replyInt32();
}

}  // namespace host
