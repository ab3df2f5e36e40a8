// The host's characters as Unicode, for the table writer and the tools that
// show what a run found. In: a host character (character set, number) or a
// byte of the host's code page (Windows-1252). Out: its Unicode code point,
// or UTF-8 bytes.
//
// The host character table is generated at build time from
// data/host-charsets.tsv (the host's sets 1 and 4, the ones the plug-in
// relies on); the plug-in keeps its own copy because it never links the host.
//
// Errors: none. What the host does not define comes back as nullopt; the
// caller picks the stand-in (the tools print U+FFFD).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace table {

// The Unicode character of host character (set, number), or nullopt for one
// the host's tables do not define (any set other than 1 and 4, a gap).
// hostCharacterToUnicode(4, 6) == U'\u00A7' (section sign);
// hostCharacterToUnicode(9, 9) == nullopt.
std::optional<char32_t> hostCharacterToUnicode(int set, int number);

// The Unicode character of a Windows-1252 byte, or nullopt for the five bytes
// the code page leaves unused (0x81 0x8D 0x8F 0x90 0x9D). Control bytes map
// to themselves. cp1252ToUnicode(0x93) == U'\u201C'; cp1252ToUnicode(0xE9) ==
// U'\u00E9'; cp1252ToUnicode(0x81) == nullopt.
std::optional<char32_t> cp1252ToUnicode(std::uint8_t byte);

// Appends the UTF-8 form of `cp` (one to four bytes). A surrogate or a value
// beyond U+10FFFF appends U+FFFD instead, so the output is always valid UTF-8.
// appendUtf8(s, 0x2014) appends "\xE2\x80\x94".
void appendUtf8(std::string& out, char32_t cp);

}  // namespace table
