// The host's character sets, the Windows-1252 code page and UTF-8: the one
// copy of each that the host's document, formats and libraries share. In: a
// host character (set, number), a Windows-1252 byte or a Unicode code point.
// Out: its Unicode form, its Windows-1252 byte or its UTF-8 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

// The Unicode character of a Windows-1252 byte, or nullopt for the five
// bytes the code page leaves unused (0x81 0x8D 0x8F 0x90 0x9D); callers
// decide what those become. cp1252ToUnicode(0x80) == U'\u20AC';
// cp1252ToUnicode(0x41) == U'A'; cp1252ToUnicode(0x81) == nullopt.
std::optional<char32_t> cp1252ToUnicode(std::uint8_t byte);

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

// Appends the UTF-8 form of `cp` (one to four bytes); a surrogate or a value
// beyond U+10FFFF appends U+FFFD, so the output is always valid UTF-8.
// appendUtf8(s, 0xA7) appends "\xC2\xA7".
void appendUtf8(std::string& out, char32_t cp);

}  // namespace quillon::doc
