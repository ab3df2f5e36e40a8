// Moves the insertion point and the selection, and places, finds and removes
// bookmarks. In: the host's cursor and bookmark operations. Out: the new
// insertion point, selection and bookmark set.
//
// How moves treat zero-width codes (attribute, font, size, spacing, margin,
// indent, hyperlink, keep-together and page-number codes):
// - A character here is any item that is not a code (ordinary or special
//   character, hard space, tab, dot-leader tab, hard return, hard page break,
//   note reference).
// - moveCharLeft first steps over the codes just left of the insertion point,
//   then over one character, and stops right before that character (after
//   any codes in front of it). moveCharRight steps over codes just right of
//   the insertion point, then over one character, and stops right after it
//   (before any codes behind it). One move therefore passes exactly one
//   character and lands next to it; where no character is left in that
//   direction the insertion point stays.
// - With a selection, moveCharLeft ends it at its start and moveCharRight at
//   its end, without moving further.
// - selectCharLeft moves the selection's moving end as moveCharLeft moves
//   the insertion point, the other end staying; without a selection it
//   starts one at the insertion point. Right after typing "ab", it selects
//   exactly "b" (codes typed before "b" stay outside), and moveCharRight then
//   returns to where typing continues.
// - moveOverCodesRight/Left step over codes only, never a character: they
//   let a caller pass the end of a hyperlink or keep-together range that
//   stands right after a character.
// - Text typed at a position goes exactly there: after the codes before it,
//   before the codes after it.
#include <algorithm>

#include "quillon/doc/document.h"
#include "quillon/doc/visible_text.h"

namespace quillon::doc {

std::optional<Range> Document::selection() const {
  if (!anchor_ || *anchor_ == point_) return std::nullopt;
  return Range{std::min(*anchor_, point_), std::max(*anchor_, point_)};
}

void Document::setSelectMode(bool on) {
  selectMode_ = on;
  if (on && !selection()) anchor_ = point_;
}

void Document::moveTo(std::size_t position) {
  noteSpot_.reset();
  position = std::min(position, items_.size());
  if (selectMode_) {
    if (!anchor_) anchor_ = point_;
  } else {
    anchor_.reset();
  }
  point_ = position;
}

void Document::select(std::size_t anchor, std::size_t point) {
  noteSpot_.reset();
  anchor_ = std::min(anchor, items_.size());
  point_ = std::min(point, items_.size());
}

std::size_t Document::leftOfCharacter(std::size_t from) const {
  std::size_t i = from;
  while (i > 0 && items_[i - 1].isCode()) --i;
  return i > 0 ? i - 1 : from;
}

std::size_t Document::rightOfCharacter(std::size_t from) const {
  std::size_t i = from;
  while (i < items_.size() && items_[i].isCode()) ++i;
  return i < items_.size() ? i + 1 : from;
}

void Document::moveCharLeft() {
  // Ending a selection inside a note leaves the insertion point in the note,
  // at the selection's start.
  const auto spot = noteSpot();
  noteSpot_.reset();
  if (auto range = selection()) {
    point_ = range->start;
    if (spot) noteSpot_ = NoteSpot{spot->reference, spot->start, spot->start};
  } else {
    point_ = leftOfCharacter(point_);
  }
  anchor_.reset();
  if (selectMode_) anchor_ = point_;
}

void Document::moveCharRight() {
  if (auto range = selection()) {
    point_ = range->end;
  } else {
    point_ = rightOfCharacter(point_);
  }
  anchor_.reset();
  if (selectMode_) anchor_ = point_;
}

void Document::selectCharLeft() {
  noteSpot_.reset();
  if (!anchor_) anchor_ = point_;
  point_ = leftOfCharacter(point_);
}

void Document::moveOverCodesRight() {
  anchor_.reset();
  while (point_ < items_.size() && items_[point_].isCode()) ++point_;
  if (selectMode_) anchor_ = point_;
}

void Document::moveOverCodesLeft() {
  anchor_.reset();
  while (point_ > 0 && items_[point_ - 1].isCode()) --point_;
  if (selectMode_) anchor_ = point_;
}

void Document::goToStart() { moveTo(0); }
void Document::goToEnd() { moveTo(items_.size()); }

bool Document::deleteSelection() {
  const auto range = selection();
  if (!range) return false;
  eraseItems(range->start, range->end);
  point_ = range->start;
  anchor_.reset();
  if (selectMode_) anchor_ = point_;
  return true;
}

std::string Document::selectedText() const {
  const auto range = selection();
  if (const auto spot = noteSpot(); spot && range) return visibleText(noteOf(*spot), spot->start, spot->end);
  return range ? visibleText(items_, range->start, range->end) : std::string{};
}

void Document::createBookmark(std::string_view name, bool overSelection) {
  const auto range = selection();
  if (overSelection && range) {
    bookmarks_.setRange(name, range->start, range->end);
  } else {
    bookmarks_.setPoint(name, point_);
  }
}

bool Document::goToBookmark(std::string_view name) {
  const Bookmark* mark = bookmarks_.find(name);
  if (!mark) return false;
  moveTo(mark->start.position);
  return true;
}

bool Document::selectBookmark(std::string_view name) {
  const Bookmark* mark = bookmarks_.find(name);
  if (!mark) return false;
  select(mark->start.position, mark->end.position);
  return true;
}

bool Document::deleteBookmark(std::string_view name) { return bookmarks_.erase(name); }

std::optional<std::string> Document::bookmarkName(std::size_t n) const {
  const Bookmark* mark = bookmarks_.at(n);
  if (!mark) return std::nullopt;
  return mark->name;
}

}  // namespace quillon::doc
