// Runs the document's search commands: where a search starts, what a match
// selects, and the extending mode in which matches grow one selection.
#include "quillon/doc/document.h"

namespace quillon::doc {

bool Document::searchForward() {
  const auto range = selection();
  const auto match = findForward(items_, searchText_, searchOptions_, range ? range->end : point_);
  if (!match) return false;
  if (extending_) {
    select(std::min(extendFrom_, match->start), match->end);
  } else {
    select(match->start, match->end);
  }
  return true;
}

bool Document::searchBackward() {
  const auto range = selection();
  const auto match = findBackward(items_, searchText_, searchOptions_, range ? range->start : point_);
  if (!match) return false;
  select(match->start, match->end);
  return true;
}

void Document::beginExtendingSearch() {
  extending_ = true;
  extendFrom_ = point_;
}

}  // namespace quillon::doc
