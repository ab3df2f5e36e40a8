// One host command as the host understands it, decoded from a command block:
// its number and its parameters as plain values, and the result a document
// gives back. In: nothing (plain types). Out: values that the executor fills
// and the document reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

// How a parameter's 8-byte value slot is read, decided by its type letter.
enum class ValueKind {
  Integer,     // every letter not listed below: the low 32 bits
  Number,      // 'D', 'J'..'M': a double
  AnsiText,    // 'N', 'O', 'P', 'V': pointer to a zero-terminated ANSI text
  HostString,  // 'Q', 'R': pointer to a host string (16-bit units)
  WideText,    // 'f': pointer to zero-terminated 16-bit units
};

// Returns how a letter's value is stored. Example: valueKindOf('Q') == HostString.
ValueKind valueKindOf(char letter);

inline constexpr std::uint16_t kParameterOmitted = 0x8000;

struct CommandParameter {
  char letter = 0;
  std::uint16_t flags = 0;
  ValueKind kind = ValueKind::Integer;
  std::int32_t integer = 0;  // low 32 bits of the value, whatever the letter
  double number = 0.0;       // ValueKind::Number
  std::string ansi;          // ValueKind::AnsiText
  std::u16string text;       // ValueKind::HostString and WideText
  bool nullPointer = false;  // a text letter whose pointer was null
  bool unreadable = false;   // a text pointer that is not a live global block

  bool omitted() const { return (flags & kParameterOmitted) != 0; }
  bool isText() const {
    return kind == ValueKind::AnsiText || kind == ValueKind::HostString ||
           kind == ValueKind::WideText;
  }
};

struct CommandRequest {
  std::uint16_t command = 0;
  std::uint16_t pluginAtom = 0;
  std::uint16_t hostAtom = 0;
  std::uint32_t declaredCount = 0;  // the block's count; parameters may hold fewer
  std::vector<CommandParameter> parameters;

  // The integer of parameter i, or fallback when it is missing or omitted.
  std::int32_t integerAt(std::size_t i, std::int32_t fallback = 0) const;
  // The text of parameter i as host units (ANSI texts converted from
  // Windows-1252); empty when missing, omitted or not a text.
  std::u16string textAt(std::size_t i) const;
};

// What a document answers. The executor writes integer or text into the reply
// as the command's reply kind says.
struct CommandResult {
  std::int32_t integer = 0;
  std::u16string text;
};

inline CommandResult integerResult(std::int32_t value) { return CommandResult{value, {}}; }
inline CommandResult textResult(std::u16string text) { return CommandResult{0, std::move(text)}; }

}  // namespace quillon
