// Converts between the host's texts and the encodings around it. In: ANSI
// (Windows-1252) bytes or host strings (16-bit units). Out: the other form, or
// UTF-8 for printing.
//
// Errors: none. Every byte has a unit; a unit without a Windows-1252 byte
// becomes '?'; a lone surrogate prints as U+FFFD.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The unit that a Windows-1252 byte stands for. The five bytes that
// Windows-1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) keep their value,
// so every byte survives a round trip. Example: unitOfAnsi(0x80) == u'\u20AC'.
char16_t unitOfAnsi(unsigned char byte);

// The Windows-1252 byte of a unit, or nullopt when it has none.
// Example: ansiOfUnit(u'\u2014') == 0x97; ansiOfUnit(u'\u0100') == nullopt.
std::optional<unsigned char> ansiOfUnit(char16_t unit);

// Whole-text forms of the two above; ansiOfHostString writes '?' for units
// without a byte.
std::u16string hostStringOfAnsi(std::string_view ansi);
std::string ansiOfHostString(std::u16string_view units);

// UTF-8 for terminals and logs. Surrogate pairs combine; a lone surrogate
// becomes U+FFFD.
std::string utf8OfHostString(std::u16string_view units);

}  // namespace quillon
