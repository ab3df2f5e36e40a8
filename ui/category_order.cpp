// Splitting, joining and moving category names of the Sorting page's lists.
#include "ui/category_order.h"

#include <algorithm>
#include <cctype>

namespace ui {
namespace {

int find(const CategoryNames& names, const std::string& name) {
  const auto same = [&name](const std::string& entry) {
    return entry.size() == name.size() &&
           std::equal(entry.begin(), entry.end(), name.begin(), [](unsigned char a, unsigned char b) {
             return std::tolower(a) == std::tolower(b);
           });
  };
  const auto at = std::find_if(names.begin(), names.end(), same);
  return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

}  // namespace

void splitCategory(CategoryNames& names, const std::string& kind, bool split) {
  const std::string federal = kind + " (Federal)", state = kind + " (State)";
  if (split) {
    const int whole = find(names, kind);
    if (whole < 0) return;
    names[static_cast<std::size_t>(whole)] = federal;
    names.insert(names.begin() + whole + 1, state);
    return;
  }
  const int federalAt = find(names, federal), stateAt = find(names, state);
  // Replacing keeps every position, so the State entry is still where it was.
  if (federalAt >= 0) names[static_cast<std::size_t>(federalAt)] = kind;
  if (stateAt >= 0) names.erase(names.begin() + stateAt);
}

int moveCategory(CategoryNames& names, int index, int delta) {
  const int last = static_cast<int>(names.size()) - 1;
  if (index < 0 || index > last) return index;
  const int to = std::clamp(index + delta, 0, last);
  std::string moved = names[static_cast<std::size_t>(index)];
  names.erase(names.begin() + index);
  names.insert(names.begin() + to, std::move(moved));
  return to;
}

}  // namespace ui
