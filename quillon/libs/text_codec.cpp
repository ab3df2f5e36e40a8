// Windows-1252 <-> host units, and host units -> UTF-8, through the code page
// and the encoder of the host's document (quillon/doc/charsets.h).
#include "quillon/libs/text_codec.h"

#include <cstdint>

#include "quillon/doc/charsets.h"

namespace quillon {
namespace {

// The five bytes Windows-1252 leaves unused stand for the unit of the same
// value, so that every byte survives a round trip through a host string.
bool isUnusedByte(char16_t unit) {
  return unit >= 0x80 && unit <= 0x9F && !doc::cp1252ToUnicode(static_cast<std::uint8_t>(unit));
}

}  // namespace

char16_t unitOfAnsi(unsigned char byte) {
  return static_cast<char16_t>(doc::cp1252ToUnicode(byte).value_or(byte));
}

std::optional<unsigned char> ansiOfUnit(char16_t unit) {
  if (isUnusedByte(unit)) return static_cast<unsigned char>(unit);
  return doc::unicodeToCp1252(unit);
}

std::u16string hostStringOfAnsi(std::string_view ansi) {
  std::u16string units;
  units.reserve(ansi.size());
  for (const char c : ansi) units += unitOfAnsi(static_cast<unsigned char>(c));
  return units;
}

std::string ansiOfHostString(std::u16string_view units) {
  std::string ansi;
  ansi.reserve(units.size());
  for (const char16_t unit : units) {
    const std::optional<unsigned char> byte = ansiOfUnit(unit);
    ansi += byte ? static_cast<char>(*byte) : '?';
  }
  return ansi;
}

std::string utf8OfHostString(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      const char32_t code = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      doc::appendUtf8(out, code);
      ++i;
    } else {
      doc::appendUtf8(out, unit);  // a lone surrogate comes out as U+FFFD
    }
  }
  return out;
}

}  // namespace quillon
