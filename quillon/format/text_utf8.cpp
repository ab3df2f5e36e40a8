// Decodes and encodes UTF-8 and maps Windows-1252 bytes and host characters to
// Unicode for the Markdown and plain-text formats.
#include "quillon/format/text_utf8.h"

#include <array>

#include "quillon/doc/charsets.h"

namespace quillon::format::internal {
namespace {

// Code points of bytes 0x80..0x9F; 0 where the code page leaves the byte unused.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;  // a stray continuation byte or a lead byte no valid text uses
    return kInvalidUtf8;
  }
  std::size_t used = 1;
  while (used < length && pos + used < text.size() &&
         isContinuation(static_cast<unsigned char>(text[pos + used]))) {
    cp = (cp << 6) | (static_cast<unsigned char>(text[pos + used]) & 0x3F);
    ++used;
  }
  pos += used;
  if (used < length || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return kInvalidUtf8;
  }
  return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string toUtf8(const std::u32string& text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) appendUtf8(out, cp);
  return out;
}

char32_t cp1252ToUnicode(std::uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

char32_t itemUnicode(const doc::Item& item) {
  switch (item.kind) {
    case doc::ItemKind::Character: {
      const auto byte = static_cast<std::uint8_t>(item.value);
      if (byte < 0x20 || byte == 0x7F) return 0;
      return cp1252ToUnicode(byte);
    }
    case doc::ItemKind::Special:
      return doc::specialToUnicode(item.set, item.value).value_or(U'?');
    case doc::ItemKind::HardSpace:
      return U' ';
    default:
      return 0;
  }
}

}  // namespace quillon::format::internal
