// UTF-8 helpers for the host's text formats. In: UTF-8 bytes, code points,
// and the host's items. Out: code points, UTF-8 text, and what an item looks
// like as Unicode. Encoding one code point and the code-page tables live in
// quillon/doc/charsets.h.
#pragma once

#include <cstddef>
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

// `text` as UTF-8; code points that are not Unicode scalars become U+FFFD.
std::string toUtf8(const std::u32string& text);

// What a character item shows as: a Character's byte through Windows-1252, a
// Special through the host's sets ('?' when undefined), a hard space as a
// blank. 0 for every other kind, for control bytes and for the five bytes
// Windows-1252 leaves unused.
char32_t itemUnicode(const doc::Item& item);

}  // namespace quillon::format::internal
