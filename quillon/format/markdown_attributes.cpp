// Normalises a paragraph's attribute codes in passes: balance them, narrow
// emphasis to the text it covers, balance again, order codes that share a
// place. In: the inline parser's items. Out: the same items, codes in one form.
#include "quillon/format/markdown_attributes.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quillon::format::internal {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

Item off(int attribute) { return Item::codeOf(CodeKind::AttributeOff, attribute); }

bool isBlankItem(const Item& item) { return item == Item::character(' ') || item.kind == ItemKind::Tab; }

// Emphasis cannot begin or end at a blank in Markdown, so spans that do
// (typed as "*<u> x</u>*") are narrowed to their first and last non-blank:
// what is imported is then what export writes back. Underline, written with
// brackets, keeps its blanks. Expects balanced, unnested spans.
void narrowToText(std::vector<Item>& items) {
  const std::size_t n = items.size();
  std::vector<std::size_t> nextSolid(n + 1, kNone);
  std::vector<std::size_t> prevSolid(n, kNone);
  for (std::size_t i = n; i-- > 0;) {
    nextSolid[i] = !items[i].isCode() && !isBlankItem(items[i]) ? i : nextSolid[i + 1];
  }
  for (std::size_t i = 0; i < n; ++i) {
    const bool solid = !items[i].isCode() && !isBlankItem(items[i]);
    prevSolid[i] = solid ? i : (i > 0 ? prevSolid[i - 1] : kNone);
  }
  const auto narrowed = [](int attribute) {
    return attribute == doc::kItalic || attribute == doc::kBold || attribute == doc::kSuperscript ||
           attribute == doc::kSubscript;
  };
  // Positions doubled so that a moved code can sit just before or after an item.
  std::vector<std::size_t> key(n);
  std::vector<bool> drop(n, false);
  std::array<std::size_t, 256> openAt{};
  openAt.fill(kNone);
  for (std::size_t i = 0; i < n; ++i) {
    key[i] = 2 * i + 1;
    const Item& item = items[i];
    if (!item.isCode() || item.value < 0 || item.value >= 256 || !narrowed(item.value)) continue;
    const auto a = static_cast<std::size_t>(item.value);
    if (item.code == CodeKind::AttributeOn) {
      openAt[a] = i;
      const std::size_t q = nextSolid[i];
      key[i] = q == kNone ? 2 * n + 1 : 2 * q;
    } else if (item.code == CodeKind::AttributeOff && openAt[a] != kNone) {
      const std::size_t p = prevSolid[i];
      if (p == kNone || p < openAt[a]) {
        drop[i] = drop[openAt[a]] = true;  // only blanks inside
      } else {
        key[i] = 2 * p + 2;
      }
      openAt[a] = kNone;
    }
  }
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return key[x] < key[y]; });
  std::vector<Item> out;
  out.reserve(n);
  for (std::size_t i : order) {
    if (!drop[i]) out.push_back(items[i]);
  }
  items = std::move(out);
}

void balance(std::vector<Item>& items) {
  struct Span {
    int depth = 0;
    std::size_t on = kNone;       // the kept code that opened the current span
    std::size_t lastOff = kNone;  // the kept code that closed the previous one
  };
  std::array<Span, 256> spans{};
  std::vector<bool> keep(items.size(), true);
  std::size_t lastContent = kNone;
  const auto after = [&](std::size_t index) { return index != kNone && (lastContent == kNone || index > lastContent); };
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    const bool attributeCode =
        item.isCode() && (item.code == CodeKind::AttributeOn || item.code == CodeKind::AttributeOff) &&
        item.value >= 0 && item.value < 256;
    if (!attributeCode) {
      if (!item.isCode()) lastContent = i;
      continue;
    }
    Span& span = spans[static_cast<std::size_t>(item.value)];
    if (item.code == CodeKind::AttributeOn) {
      if (span.depth++ > 0) {
        keep[i] = false;
      } else if (after(span.lastOff)) {
        // Off then on again with nothing between: one span goes on.
        keep[span.lastOff] = keep[i] = false;
        span.lastOff = kNone;
      } else {
        span.on = i;
      }
    } else if (span.depth == 0 || --span.depth > 0) {
      keep[i] = false;
    } else if (after(span.on)) {
      keep[span.on] = keep[i] = false;  // an empty span
      span.on = kNone;
    } else {
      span.lastOff = i;
    }
  }
  std::vector<Item> out;
  out.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (keep[i]) out.push_back(items[i]);
  }
  for (std::size_t a = 0; a < spans.size(); ++a) {
    if (spans[a].depth > 0) out.push_back(off(static_cast<int>(a)));
  }
  items = std::move(out);
}

}  // namespace

int nestingRank(int attribute) {
  switch (attribute) {
    case doc::kUnderline: return 0;
    case doc::kItalic: return 1;
    case doc::kBold: return 2;
    case doc::kSuperscript: return 3;
    case doc::kSubscript: return 4;
    default: return 5 + attribute;
  }
}

namespace {

bool isAttributeCode(const Item& item) {
  return item.isCode() && (item.code == CodeKind::AttributeOn || item.code == CodeKind::AttributeOff) &&
         item.value >= 0 && item.value < 256;
}

// Codes at one place in one order: spans ending there close innermost
// first, then spans starting there open outermost (the one that ends last)
// first. Export writes spans that way, so importing its Markdown gives the
// same codes. Expects balanced, unnested spans.
void orderCodes(std::vector<Item>& items) {
  const std::size_t n = items.size();
  std::vector<std::size_t> partner(n, kNone);
  std::array<std::size_t, 256> openAt{};
  openAt.fill(kNone);
  for (std::size_t i = 0; i < n; ++i) {
    if (!isAttributeCode(items[i])) continue;
    const auto a = static_cast<std::size_t>(items[i].value);
    if (items[i].code == CodeKind::AttributeOn) {
      openAt[a] = i;
    } else if (openAt[a] != kNone) {
      partner[i] = openAt[a];
      partner[openAt[a]] = i;
      openAt[a] = kNone;
    }
  }
  // place[i]: how many non-code items stand before item i, so that codes
  // between the same two characters share a place.
  std::vector<std::size_t> place(n, 0);
  std::size_t solid = 0;
  for (std::size_t k = 0; k < n; ++k) {
    place[k] = solid;
    if (!items[k].isCode()) ++solid;
  }
  std::size_t i = 0;
  while (i < n) {
    if (!isAttributeCode(items[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < n && isAttributeCode(items[j])) ++j;
    std::vector<std::size_t> run;
    for (std::size_t k = i; k < j; ++k) run.push_back(k);
    std::stable_sort(run.begin(), run.end(), [&](std::size_t x, std::size_t y) {
      const bool xOff = items[x].code == CodeKind::AttributeOff;
      const bool yOff = items[y].code == CodeKind::AttributeOff;
      if (xOff != yOff) return xOff;
      const std::size_t px = partner[x] == kNone ? 0 : place[partner[x]];
      const std::size_t py = partner[y] == kNone ? 0 : place[partner[y]];
      if (px != py) return px > py;
      // Spans that start and end at the same places nest in a fixed order.
      const int rx = nestingRank(items[x].value);
      const int ry = nestingRank(items[y].value);
      return xOff ? rx > ry : rx < ry;
    });
    std::vector<Item> sorted;
    for (std::size_t k : run) sorted.push_back(items[k]);
    std::copy(sorted.begin(), sorted.end(), items.begin() + static_cast<std::ptrdiff_t>(i));
    i = j;
  }
}

}  // namespace

void normalizeAttributes(std::vector<Item>& items) {
  balance(items);
  narrowToText(items);
  balance(items);  // narrowing may leave spans back to back
  orderCodes(items);
}

}  // namespace quillon::format::internal
