// A reader's-eye walk over a saved file's main text. In: the file's bytes.
// Out: the pages of every ASCII character and the packet of every note
// reference, found by the page rules that readers of the format apply and by
// nothing else: no knowledge of what the writer meant.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillon::format::test {

struct WalkedCharacter {
  char character;
  int logicalPage;
  int physicalPage;
};

struct Walk {
  std::vector<WalkedCharacter> characters;
  std::vector<std::uint32_t> notePackets;
};

Walk walkMainText(std::string_view file);

}  // namespace quillon::format::test
