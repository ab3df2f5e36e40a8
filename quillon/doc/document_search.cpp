// Runs the document's search commands: where a search starts, what a match
// selects, and the extending mode in which matches grow one selection; a
// match inside a note selects its reference and keeps the place in the note.
#include "quillon/doc/document.h"

namespace quillon::doc {

std::optional<Document::NoteSpot> Document::noteSpot() const {
  if (!noteSpot_ || noteSpot_->reference >= items_.size()) return std::nullopt;
  const std::size_t at = noteSpot_->reference;
  const auto range = selection();
  const bool here = range ? *range == Range{at, at + 1} : point_ == at;
  return here ? noteSpot_ : std::nullopt;
}

bool Document::searchForward() {
  const auto range = selection();
  const auto spot = extendNote_ ? extendNote_ : noteSpot();
  if (spot) {
    const auto kept = noteSpot();
    const bool sameNote = kept && kept->reference == spot->reference;
    const std::size_t from = sameNote ? kept->end : spot->start;
    if (const auto inner = findForward(noteOf(*spot), searchText_, searchOptions_, from)) {
      select(spot->reference, spot->reference + 1);
      noteSpot_ = NoteSpot{spot->reference, extendNote_ ? extendNote_->start : inner->start, inner->end};
      return true;
    }
    if (extendNote_) return false;
  }
  const std::size_t from = spot ? spot->reference + 1 : range ? range->end : point_;
  const auto match = findForward(items_, searchText_, searchOptions_, from, extending_ ? nullptr : &notes_);
  if (!match) return false;
  if (extending_) {
    select(std::min(extendFrom_, match->start), match->end);
  } else {
    select(match->start, match->end);
    if (match->inNote) noteSpot_ = NoteSpot{match->start, match->noteStart, match->noteEnd};
  }
  return true;
}

bool Document::searchBackward() {
  const auto range = selection();
  const auto spot = noteSpot();
  if (spot) {
    if (const auto inner = findBackward(noteOf(*spot), searchText_, searchOptions_, spot->start)) {
      select(spot->reference, spot->reference + 1);
      noteSpot_ = NoteSpot{spot->reference, inner->start, inner->end};
      return true;
    }
  }
  const std::size_t before = spot ? spot->reference : range ? range->start : point_;
  const auto match = findBackward(items_, searchText_, searchOptions_, before, &notes_);
  if (!match) return false;
  select(match->start, match->end);
  if (match->inNote) noteSpot_ = NoteSpot{match->start, match->noteStart, match->noteEnd};
  return true;
}

void Document::beginExtendingSearch() {
  extending_ = true;
  extendFrom_ = point_;
  const auto spot = noteSpot();
  extendNote_ = spot && point_ == spot->reference ? spot : std::nullopt;
}

}  // namespace quillon::doc
