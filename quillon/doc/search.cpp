// Matches a search text item by item, stepping over codes.
#include "quillon/doc/search.h"

#include <algorithm>

#include "quillon/doc/charsets.h"

namespace quillon::doc {
namespace {

bool isWordItem(const Item& item) {
  return item.kind == ItemKind::Character && isWordByte(static_cast<std::uint8_t>(item.value));
}

bool sameByte(std::uint8_t a, std::uint8_t b, bool matchCase) {
  return matchCase ? a == b : lowerCp1252(a) == lowerCp1252(b);
}

// End of a match starting at item `start`, or nullopt.
std::optional<std::size_t> matchAt(const std::vector<Item>& items, std::string_view text,
                                   SearchOptions options, std::size_t start) {
  if (text.empty() || start >= items.size() || items[start].isCode()) return std::nullopt;
  std::size_t i = start;
  for (std::size_t k = 0; k < text.size(); ++k) {
    while (k > 0 && i < items.size() && (items[i].isCode() || items[i].kind == ItemKind::NoteReference)) ++i;
    if (i >= items.size()) return std::nullopt;
    const Item& item = items[i];
    const auto want = static_cast<std::uint8_t>(text[k]);
    if (item.kind == ItemKind::Character) {
      if (!sameByte(static_cast<std::uint8_t>(item.value), want, options.matchCase)) return std::nullopt;
    } else if (item.kind != ItemKind::Tab || want != '\t') {
      return std::nullopt;
    }
    ++i;
  }
  if (options.wholeWords) {
    std::size_t before = start;
    while (before > 0 && items[before - 1].isCode()) --before;
    if (before > 0 && isWordItem(items[before - 1])) return std::nullopt;
    std::size_t after = i;
    while (after < items.size() && items[after].isCode()) ++after;
    if (after < items.size() && isWordItem(items[after])) return std::nullopt;
  }
  return i;
}

// The text of the note referenced by item `at`, or nullptr.
const ItemText* noteAt(const std::vector<Item>& items, std::size_t at, const std::vector<ItemText>* notes) {
  if (!notes || items[at].kind != ItemKind::NoteReference) return nullptr;
  const auto index = static_cast<std::size_t>(items[at].value);
  return index < notes->size() ? &(*notes)[index] : nullptr;
}

// `inner`, found in the note referenced by item `at`, as a match there.
Match noteMatch(std::size_t at, const Match& inner) { return Match{at, at + 1, true, inner.start, inner.end}; }

}  // namespace

std::optional<Match> findForward(const std::vector<Item>& items, std::string_view text,
                                 SearchOptions options, std::size_t from, const std::vector<ItemText>* notes) {
  for (std::size_t start = from; start < items.size(); ++start) {
    if (const ItemText* note = noteAt(items, start, notes)) {
      if (auto inner = findForward(*note, text, options, 0)) return noteMatch(start, *inner);
    } else if (auto end = matchAt(items, text, options, start)) {
      return Match{start, *end};
    }
  }
  return std::nullopt;
}

std::optional<Match> findBackward(const std::vector<Item>& items, std::string_view text,
                                  SearchOptions options, std::size_t before, const std::vector<ItemText>* notes) {
  before = std::min(before, items.size());
  for (std::size_t start = before; start-- > 0;) {
    if (const ItemText* note = noteAt(items, start, notes)) {
      if (auto inner = findBackward(*note, text, options, note->size())) return noteMatch(start, *inner);
      continue;
    }
    auto end = matchAt(items, text, options, start);
    if (end && *end <= before) return Match{start, *end};
  }
  return std::nullopt;
}

}  // namespace quillon::doc
