// Looks host characters and Windows-1252 bytes up in compiled-in tables and
// encodes code points as UTF-8. The host character rows come from
// data/host-charsets.tsv through data/generator/host_charsets.cmake.
#include "table/host_charset.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace table {
namespace {

struct HostCharacter {
  int set;
  int number;
  char32_t unicode;
};

constexpr HostCharacter kHostCharacters[] = {
#include "table/host_charset_table.inc"
};

// The lookup is a binary search; the generator refuses unsorted rows, and this
// keeps a hand-edited build from getting past the compiler.
static_assert(std::is_sorted(std::begin(kHostCharacters), std::end(kHostCharacters),
                             [](const HostCharacter& a, const HostCharacter& b) {
                               return std::pair{a.set, a.number} < std::pair{b.set, b.number};
                             }));

// Windows-1252 differs from Latin-1 only in bytes 0x80..0x9F; 0 marks the
// five bytes the code page leaves unused.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98
};

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::optional<char32_t> hostCharacterToUnicode(int set, int number) {
  const auto* end = std::end(kHostCharacters);
  const auto* it = std::lower_bound(std::begin(kHostCharacters), end, std::pair{set, number},
                                    [](const HostCharacter& c, const std::pair<int, int>& key) {
                                      return std::pair{c.set, c.number} < key;
                                    });
  if (it == end || it->set != set || it->number != number) return std::nullopt;
  return it->unicode;
}

std::optional<char32_t> cp1252ToUnicode(std::uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return char32_t{byte};
  const char32_t cp = kCp1252High[byte - 0x80];
  return cp != 0 ? std::optional<char32_t>(cp) : std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
    return;
  }
  // Continuation bytes carry six bits each; the lead byte marks how many follow.
  const int continuations = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
  constexpr std::array<unsigned, 4> kLeadMark = {0x00, 0xC0, 0xE0, 0xF0};
  out.push_back(static_cast<char>(kLeadMark[continuations] | (cp >> (6 * continuations))));
  for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6) {
    out.push_back(static_cast<char>(0x80 | ((cp >> shift) & 0x3F)));
  }
}

}  // namespace table
