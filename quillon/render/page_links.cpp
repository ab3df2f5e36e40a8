// Finds the areas the document's hyperlinks cover, line by line, and the
// place each one leads to; see page_links.h.
#include "quillon/render/page_links.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace quillon::render {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;

// The layout's fixed pitch and line height (layout.h).
int charWidth(int size) { return std::max(1, size * 6 / 10); }
int lineHeight(int size) { return std::max(1, size * 12 / 10); }

bool visible(const Item& item) {
  return item.kind == ItemKind::Character || item.kind == ItemKind::Special || item.kind == ItemKind::HardSpace ||
         item.kind == ItemKind::NoteReference;
}

}  // namespace

bool isUri(const std::string& target) {
  const std::size_t colon = target.find(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == target.size()) return false;
  if (!std::isalpha(static_cast<unsigned char>(target[0]))) return false;
  return std::all_of(target.begin(), target.begin() + static_cast<long>(colon), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

std::vector<PageLink> pageLinks(doc::Document& document) {
  const std::vector<doc::LaidLine> lines = document.lines();
  const int pages = document.pageCount();
  const std::vector<Item>& items = document.items();
  std::vector<std::pair<int, PageLink>> areas;  // target index, area
  int size = doc::kDefaultSize;
  int target = -1;  // index of the target in force, -1 outside a link
  for (const doc::LaidLine& line : lines) {
    const std::size_t end = std::min(line.end, items.size());
    int tallest = size;
    for (std::size_t i = line.start; i < end; ++i)
      if (items[i].isCode() && items[i].code == CodeKind::Size && items[i].value > 0)
        tallest = std::max(tallest, std::min(items[i].value, 12000));
    std::optional<PageLink> area;
    const auto close = [&] {
      if (area) areas.emplace_back(target, *area);
      area.reset();
    };
    for (std::size_t i = line.start; i < end; ++i) {
      const Item& item = items[i];
      if (item.isCode()) {
        if (item.code == CodeKind::Size && item.value > 0) size = std::min(item.value, 12000);
        if (item.code == CodeKind::HyperlinkStart || item.code == CodeKind::HyperlinkEnd) {
          close();
          target = item.code == CodeKind::HyperlinkStart ? item.value : -1;
        }
        continue;
      }
      if (target < 0 || !visible(item)) continue;
      const int x = document.itemX(i);
      if (!area) {
        area = PageLink{std::min(line.physicalPage, pages), x, line.y, x, line.y + lineHeight(tallest), 0, 0, {}};
      }
      area->left = std::min(area->left, x);
      area->right = std::max(area->right, x + charWidth(size));
    }
    close();
  }

  std::vector<PageLink> links;
  const std::vector<std::string>& targets = document.targets();
  for (auto& [index, area] : areas) {
    if (index < 0 || static_cast<std::size_t>(index) >= targets.size()) continue;
    const std::string& name = targets[static_cast<std::size_t>(index)];
    if (const doc::Bookmark* mark = document.bookmarks().find(name)) {
      const doc::Placement place = document.placeOf(mark->start.position);
      area.targetPage = std::clamp(place.physicalPage, 1, pages);
      area.targetY = place.y;
    } else if (isUri(name)) {
      area.uri = name;
    } else {
      continue;
    }
    links.push_back(std::move(area));
  }
  return links;
}

}  // namespace quillon::render
