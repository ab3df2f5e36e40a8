// Decodes UTF-8 and tells what the host's items read as in Unicode, for the
// Markdown and plain-text formats.
#include "quillon/format/text_utf8.h"

#include "quillon/doc/charsets.h"

namespace quillon::format::internal {
namespace {

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

std::string toUtf8(const std::u32string& text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) doc::appendUtf8(out, cp);
  return out;
}

char32_t itemUnicode(const doc::Item& item) {
  switch (item.kind) {
    case doc::ItemKind::Character: {
      const auto byte = static_cast<std::uint8_t>(item.value);
      if (byte < 0x20 || byte == 0x7F) return 0;
      return doc::cp1252ToUnicode(byte).value_or(0);
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
