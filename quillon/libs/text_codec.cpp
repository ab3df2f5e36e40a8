// Windows-1252 <-> host units, and host units -> UTF-8.
#include "quillon/libs/text_codec.h"

#include <array>

namespace quillon {
namespace {

// Bytes 0x80..0x9F, the only ones whose code point differs from the byte.
// Undefined bytes hold their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t kReplacementCharacter = 0xFFFD;

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

char16_t unitOfAnsi(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> ansiOfUnit(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<unsigned char>(unit);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == unit) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
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
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      const char32_t code = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      appendUtf8(out, code);
      ++i;
    } else if (high || low) {
      appendUtf8(out, kReplacementCharacter);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace quillon
