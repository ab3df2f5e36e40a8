// Keeps named bookmarks sorted by name and moves their ends with every edit.
#include "quillon/doc/bookmarks.h"

#include <algorithm>

namespace quillon::doc {

void Anchor::insert(std::size_t at, std::size_t count) {
  if (position > at || (position == at && sticksRight)) position += count;
}

void Anchor::erase(std::size_t from, std::size_t to) {
  if (to <= from || position < from) return;
  if (position == from) return;  // the deletion lies entirely after this end
  if (position > to) {
    position -= to - from;
    return;
  }
  position = from;
  sticksRight = true;
}

std::vector<Bookmark>::iterator BookmarkSet::lowerBound(std::string_view name) {
  return std::lower_bound(marks_.begin(), marks_.end(), name,
                          [](const Bookmark& b, std::string_view n) { return b.name < n; });
}

void BookmarkSet::setPoint(std::string_view name, std::size_t position) {
  setRange(name, position, position);
}

void BookmarkSet::setRange(std::string_view name, std::size_t start, std::size_t end) {
  if (end < start) std::swap(start, end);
  const bool point = start == end;
  Bookmark mark{std::string(name), {start, !point}, {end, false}};
  auto it = lowerBound(name);
  if (it != marks_.end() && it->name == name) {
    *it = std::move(mark);
  } else {
    marks_.insert(it, std::move(mark));
  }
}

void BookmarkSet::put(Bookmark mark) {
  if (mark.end.position < mark.start.position) std::swap(mark.start, mark.end);
  auto it = lowerBound(mark.name);
  if (it != marks_.end() && it->name == mark.name) {
    *it = std::move(mark);
  } else {
    marks_.insert(it, std::move(mark));
  }
}

bool BookmarkSet::erase(std::string_view name) {
  auto it = lowerBound(name);
  if (it == marks_.end() || it->name != name) return false;
  marks_.erase(it);
  return true;
}

const Bookmark* BookmarkSet::find(std::string_view name) const {
  auto it = const_cast<BookmarkSet*>(this)->lowerBound(name);
  return it != marks_.end() && it->name == name ? &*it : nullptr;
}

const Bookmark* BookmarkSet::at(std::size_t n) const {
  return n >= 1 && n <= marks_.size() ? &marks_[n - 1] : nullptr;
}

void BookmarkSet::insert(std::size_t at, std::size_t count) {
  for (auto& m : marks_) {
    const bool point = m.isPoint();
    m.start.insert(at, count);
    m.end.insert(at, count);
    // A point sticking left must not open into a range around the new text.
    if (point && m.end.position < m.start.position) m.end = m.start;
  }
}

void BookmarkSet::erase(std::size_t from, std::size_t to) {
  for (auto& m : marks_) {
    m.start.erase(from, to);
    m.end.erase(from, to);
  }
}

}  // namespace quillon::doc
