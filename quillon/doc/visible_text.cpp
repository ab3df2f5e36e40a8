// Reads items as Windows-1252 text, dropping what has no character.
#include "quillon/doc/visible_text.h"

#include <algorithm>

#include "quillon/doc/charsets.h"

namespace quillon::doc {

std::string visibleText(const std::vector<Item>& items, std::size_t from, std::size_t to) {
  to = std::min(to, items.size());
  std::string text;
  for (std::size_t i = from; i < to; ++i) {
    const Item& item = items[i];
    switch (item.kind) {
      case ItemKind::Character: text += static_cast<char>(item.value); break;
      case ItemKind::HardSpace: text += '\xA0'; break;
      case ItemKind::Special: {
        const auto unicode = specialToUnicode(item.set, item.value);
        const auto byte = unicode ? unicodeToCp1252(*unicode) : std::nullopt;
        text += byte ? static_cast<char>(*byte) : '?';
        break;
      }
      case ItemKind::Tab:
      case ItemKind::DotLeaderTab: text += '\t'; break;
      case ItemKind::HardReturn: text += '\n'; break;
      case ItemKind::HardPageBreak: text += '\f'; break;
      case ItemKind::NoteReference:
      case ItemKind::Code: break;
    }
  }
  return text;
}

}  // namespace quillon::doc
