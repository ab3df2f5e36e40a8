// The host's character sets and the Windows-1252 code page. In: a host
// character (set, number) or a Unicode code point. Out: its Unicode form or
// its Windows-1252 byte.
#pragma once

#include <cstdint>
#include <optional>

namespace quillon::doc {

// Unicode code point of host character (set, number) for sets 1 and 4, or
// nullopt for a character the host does not define. specialToUnicode(4, 3) is
// the bullet U+2022.
std::optional<char32_t> specialToUnicode(int set, int number);

// The host character whose Unicode form is `codePoint`, or nullopt. Where
// several share a code point the lowest set, then number, wins:
// unicodeToSpecial(0x00A7) is {4, 6}; unicodeToSpecial(0x25CF) is {4, 0}.
struct HostCharacter {
  std::uint8_t set = 0;
  std::uint8_t number = 0;
  bool operator==(const HostCharacter&) const = default;
};
std::optional<HostCharacter> unicodeToSpecial(char32_t codePoint);

// Windows-1252 byte for a code point, or nullopt when the code page has none
// (combining marks, most symbols). unicodeToCp1252(0x201C) == 0x93.
std::optional<std::uint8_t> unicodeToCp1252(char32_t codePoint);

// Letter case in Windows-1252 (ASCII and the Western European letters);
// bytes without a case come back unchanged.
std::uint8_t lowerCp1252(std::uint8_t byte);
std::uint8_t upperCp1252(std::uint8_t byte);
// True for digits and letters of Windows-1252: what whole-word search and
// initial capitals count as part of a word.
bool isWordByte(std::uint8_t byte);

}  // namespace quillon::doc
