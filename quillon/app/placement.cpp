// Finds the insertion point a batch run asks for: the start, the end, before
// a text, or after a paragraph.
#include "quillon/app/placement.h"

#include "quillon/doc/charsets.h"
#include "quillon/libs/text_codec.h"

namespace quillon::app {
namespace {

using doc::Item;
using doc::ItemKind;

constexpr char32_t kInvalid = 0xFFFFFFFF;       // matches no item
constexpr char32_t kNoUnicode = 0xFFFFFFFE;     // an item nothing matches
constexpr char32_t kNoBreakSpace = 0x00A0;

enum class Visibility { Invisible, Visible, Boundary };

Visibility visibilityOf(const Item& item) {
  switch (item.kind) {
    case ItemKind::Code:
    case ItemKind::NoteReference:
      return Visibility::Invisible;
    case ItemKind::HardReturn:
    case ItemKind::HardPageBreak:
      return Visibility::Boundary;
    default:
      return Visibility::Visible;
  }
}

// The code point a visible item shows.
char32_t unicodeOf(const Item& item) {
  switch (item.kind) {
    case ItemKind::Character:
      return unitOfAnsi(static_cast<unsigned char>(item.value & 0xFF));
    case ItemKind::Special: {
      const std::optional<char32_t> point = doc::specialToUnicode(item.set, item.value);
      return point ? *point : kNoUnicode;
    }
    case ItemKind::HardSpace:
      return kNoBreakSpace;
    case ItemKind::Tab:
    case ItemKind::DotLeaderTab:
      return U'\t';
    default:
      return kNoUnicode;
  }
}

bool matches(char32_t wanted, char32_t shown) {
  if (wanted == shown) return true;
  switch (wanted) {
    case U' ':
      return shown == kNoBreakSpace;
    case U'\'':
      return shown == 0x2018 || shown == 0x2019;
    case U'"':
      return shown == 0x201C || shown == 0x201D;
    default:
      return false;
  }
}

bool matchesAt(const std::vector<Item>& items, std::size_t start, const std::u32string& wanted) {
  std::size_t at = start;
  for (const char32_t point : wanted) {
    while (at < items.size() && visibilityOf(items[at]) == Visibility::Invisible) ++at;
    if (at >= items.size() || visibilityOf(items[at]) == Visibility::Boundary) return false;
    if (!matches(point, unicodeOf(items[at]))) return false;
    ++at;
  }
  return true;
}

}  // namespace

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                                : (lead >> 3) == 0x1E ? 4 : 0;
    bool valid = length != 0 && i + length <= utf8.size();
    char32_t point = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    if (valid) {
      out.push_back(point);
      i += length;
    } else {
      out.push_back(kInvalid);
      ++i;
    }
  }
  return out;
}

std::optional<std::size_t> findVisibleText(const std::vector<Item>& items, std::string_view utf8) {
  const std::u32string wanted = decodeUtf8(utf8);
  if (wanted.empty()) return std::nullopt;
  for (std::size_t start = 0; start < items.size(); ++start) {
    if (visibilityOf(items[start]) != Visibility::Visible) continue;
    if (matchesAt(items, start, wanted)) return start;
  }
  return std::nullopt;
}

std::optional<std::size_t> afterParagraph(const std::vector<Item>& items, int n) {
  if (n < 1) return std::nullopt;
  int ended = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].endsParagraph() && ++ended == n) return i + 1;
  }
  // An unended last paragraph ends with the text.
  const bool unendedLast = !items.empty() && !items.back().endsParagraph();
  if (unendedLast && ended + 1 == n) return items.size();
  return std::nullopt;
}

std::optional<std::size_t> placementPosition(const doc::Document& document, const Placement& placement) {
  const std::vector<Item>& items = document.items();
  switch (placement.kind) {
    case PlacementKind::AtStart:
      return 0;
    case PlacementKind::AtEnd:
      return items.size();
    case PlacementKind::BeforeText:
      return findVisibleText(items, placement.text);
    case PlacementKind::AfterParagraph:
      return afterParagraph(items, placement.paragraph);
  }
  return std::nullopt;
}

}  // namespace quillon::app
