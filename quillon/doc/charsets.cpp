// Maps host characters and Windows-1252 bytes to Unicode and back through
// compiled-in tables, so that a build needs no data files, and encodes UTF-8.
#include "quillon/doc/charsets.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace quillon::doc {
namespace {

struct HostChar {
  int set;
  int number;
  char32_t unicode;
};

constexpr HostChar kHostChars[] = {
#include "quillon/doc/charsets_table.inc"
};

// The same characters ordered by code point, then set and number, for the
// reverse lookup; sorted at compile time so that no table is built at run time.
constexpr auto kByUnicode = [] {
  std::array<HostChar, std::size(kHostChars)> sorted{};
  std::copy(std::begin(kHostChars), std::end(kHostChars), sorted.begin());
  std::sort(sorted.begin(), sorted.end(), [](const HostChar& a, const HostChar& b) {
    if (a.unicode != b.unicode) return a.unicode < b.unicode;
    return a.set != b.set ? a.set < b.set : a.number < b.number;
  });
  return sorted;
}();

// Code points of bytes 0x80..0x9F; 0 where the code page leaves the byte unused.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<char32_t> specialToUnicode(int set, int number) {
  const auto* end = std::end(kHostChars);
  const auto* it = std::lower_bound(std::begin(kHostChars), end, std::pair{set, number},
                                    [](const HostChar& c, std::pair<int, int> key) {
                                      return std::pair{c.set, c.number} < key;
                                    });
  if (it == end || it->set != set || it->number != number) return std::nullopt;
  return it->unicode;
}

std::optional<HostCharacter> unicodeToSpecial(char32_t codePoint) {
  const auto* it = std::lower_bound(kByUnicode.begin(), kByUnicode.end(), codePoint,
                                    [](const HostChar& c, char32_t key) { return c.unicode < key; });
  if (it == kByUnicode.end() || it->unicode != codePoint) return std::nullopt;
  return HostCharacter{static_cast<std::uint8_t>(it->set), static_cast<std::uint8_t>(it->number)};
}

std::optional<char32_t> cp1252ToUnicode(std::uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t cp = kHigh[byte - 0x80];
  if (cp == 0) return std::nullopt;
  return cp;
}

std::optional<std::uint8_t> unicodeToCp1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<std::uint8_t>(codePoint);
  }
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] != 0 && kHigh[i] == codePoint) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

std::uint8_t lowerCp1252(std::uint8_t b) {
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return b + 0x20;
  if (b == 0x8A || b == 0x8C || b == 0x8E) return b + 0x10;
  if (b == 0x9F) return 0xFF;
  return b;
}

std::uint8_t upperCp1252(std::uint8_t b) {
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return b - 0x20;
  if (b == 0x9A || b == 0x9C || b == 0x9E) return b - 0x10;
  if (b == 0xFF) return 0x9F;
  return b;
}

bool isWordByte(std::uint8_t b) {
  return (b >= '0' && b <= '9') || lowerCp1252(b) != upperCp1252(b) || b == 0xDF;
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

}  // namespace quillon::doc
