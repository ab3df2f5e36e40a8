// Named places in a document's main text. In: names and positions, and every
// insertion and deletion made to the text. Out: each bookmark's position kept
// on the same text, enumerated by index in byte-wise name order.
//
// A position is a gap between items (0 = before the first). Each end of a
// bookmark has a side: an end that sticks left stays put when text is inserted
// exactly at it (the text goes after the end), one that sticks right moves
// with the inserted text. A new point bookmark sticks left, so that text typed
// after creating it lies after it. A range's start sticks right and its end
// left, so that nothing inserted at either edge joins the range. When a
// deletion swallows an end, or removes the text just before it, that end
// lands at the deletion's start and from then on sticks right: the text typed
// in place of what was deleted goes before it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::doc {

struct Anchor {
  std::size_t position = 0;
  bool sticksRight = false;

  void insert(std::size_t at, std::size_t count);
  void erase(std::size_t from, std::size_t to);
  bool operator==(const Anchor&) const = default;
};

struct Bookmark {
  std::string name;  // Windows-1252, compared byte-wise
  Anchor start;
  Anchor end;  // equal position to start for a point bookmark

  bool isPoint() const { return start.position == end.position; }
  bool operator==(const Bookmark&) const = default;
};

class BookmarkSet {
 public:
  // Creates a point bookmark, or replaces the bookmark of the same name.
  void setPoint(std::string_view name, std::size_t position);
  // Creates a range bookmark over [start, end) or replaces one of that name.
  void setRange(std::string_view name, std::size_t start, std::size_t end);
  // Returns false when no bookmark has this name.
  bool erase(std::string_view name);
  // Adds a bookmark with both ends as given (a reopened file), replacing one
  // of the same name.
  void put(Bookmark mark);
  const Bookmark* find(std::string_view name) const;

  std::size_t size() const { return marks_.size(); }
  // Bookmark n of 1..size() in byte-wise name order, or nullptr out of range.
  const Bookmark* at(std::size_t n) const;
  const std::vector<Bookmark>& all() const { return marks_; }

  void insert(std::size_t at, std::size_t count);
  void erase(std::size_t from, std::size_t to);

 private:
  std::vector<Bookmark>::iterator lowerBound(std::string_view name);
  std::vector<Bookmark> marks_;  // sorted by name: a brief's marks number in the thousands
};

}  // namespace quillon::doc
