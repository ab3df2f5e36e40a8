// Walks a saved file's main text with the readers' page rules. In: file bytes.
// Out: pages of ASCII characters and note packets, in file order.
#include "tests/quillon_native/page_walker.h"

#include <algorithm>
#include <array>

#include "tests/quillon_native/factories.h"

namespace quillon::format::test {
namespace {

constexpr std::array<std::uint8_t, 12> kPageBytes = {0xB4, 0xB5, 0xB7, 0xBA, 0xBD, 0xC0,
                                                     0xC1, 0xC3, 0xC7, 0xC8, 0xCA, 0xCD};
constexpr std::array<std::uint8_t, 12> kPageSubcodes = {3, 6, 8, 9, 0x0D, 0x0F, 0x10, 0x13, 0x16, 0x19, 0x1B, 0x1C};

template <std::size_t N>
bool in(const std::array<std::uint8_t, N>& set, std::uint8_t b) {
  return std::find(set.begin(), set.end(), b) != set.end();
}

}  // namespace

Walk walkMainText(std::string_view file) {
  Walk walk;
  int counterA = 1, counterB = 1, physical = 1;
  bool useB = false;
  const auto raise = [&] { ++counterA, ++counterB, ++physical; };
  std::size_t i = get32(file, 4);
  while (i < file.size()) {
    const auto b = static_cast<std::uint8_t>(file[i]);
    if (b >= 0x21 && b <= 0x7E) {
      walk.characters.push_back({static_cast<char>(b), useB ? counterB : counterA, physical});
    } else if (b >= 0x80 && b <= 0xCF) {
      if (in(kPageBytes, b)) raise();
    } else if (b >= 0xD0 && b <= 0xEF) {
      const auto sub = static_cast<std::uint8_t>(file[i + 1]);
      if (b == 0xD0 && in(kPageSubcodes, sub)) raise();
      if (b == 0xD7 && sub == 0) walk.notePackets.push_back(get16(file, i + 6));
      if (b == 0xD8 && (sub == 2 || sub == 3)) {
        (sub == 2 ? counterA : counterB) = static_cast<int>(get16(file, i + 9));
        useB = sub == 3;
      }
      i += std::max<std::size_t>(1, get16(file, i + 2)) - 1;
    } else if (b >= 0xF0) {
      i = file.find(static_cast<char>(b), i + 1);
      if (i == std::string_view::npos) break;
    }
    ++i;
  }
  return walk;
}

}  // namespace quillon::format::test
