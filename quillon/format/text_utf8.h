// UTF-8 and Windows-1252 helpers for the host's text formats. In: bytes or
// code points, and the host's items. Out: code points, UTF-8 bytes, and what
// an item looks like as Unicode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "quillon/doc/item.h"

namespace quillon::format::internal {

// The code point starting at `pos`, advancing `pos` past it. An invalid
// sequence yields kInvalidUtf8 and advances past its longest valid-looking
// prefix (at least one byte), so a caller that loops never stalls.
// Precondition: pos < text.size().
inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;
char32_t decodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of `cp`; code points beyond Unicode append U+FFFD.
void appendUtf8(std::string& out, char32_t cp);
std::string toUtf8(const std::u32string& text);

// The Unicode character of a Windows-1252 byte; 0 for the five bytes the code
// page leaves unused.
char32_t cp1252ToUnicode(std::uint8_t byte);

// What a character item shows as: a Character's byte through Windows-1252, a
// Special through the host's sets ('?' when undefined), a hard space as a
// blank. 0 for every other kind, and for control bytes.
char32_t itemUnicode(const doc::Item& item);

}  // namespace quillon::format::internal
