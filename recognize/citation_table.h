// The citations of one run, in the order they were first found, with the
// running occurrence count and the two citations the recognisers refer back
// to: `previous` (Id., section signs) and `pending` (the one being read).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recognize/citation.h"

namespace recognize {

class CitationTable {
 public:
  std::vector<std::unique_ptr<Citation>> citations;
  Citation* previous = nullptr;
  Citation* pending = nullptr;
  int count = 0;

  // An empty citation holding the current count as its first id, appended and
  // made pending; count grows by one. Null when memory runs out.
  Citation* newCitation();
  // Removes and destroys `pending` when it is still in the table.
  void dropPending();
  // Removes and destroys `citation` (also clears previous/pending pointing at it).
  void remove(const Citation* citation);
  // First citation other than pending whose key equals `key`.
  Citation* findByKey(std::string_view key) const;
  // First citation other than pending with the same key that has kind 2 or
  // whose shortName contains the new one's shortName.
  Citation* findMatching(const Citation& citation) const;
  // How many citations findMatching could have answered.
  std::size_t countMatching(const Citation& citation) const;
  // First citation whose key contains `text`.
  Citation* findByEntryName(std::string_view text) const;
  // First citation (table order) whose short-form key contains every word
  // (lower-cased, trailing ",;:." stripped; "supra", "see", "at" and empty
  // words ignored); null when no word was compared or none qualifies.
  Citation* findByShortName(const std::vector<std::string>& words) const;
  // Removes the last occurrence of previous when it has more than one, then
  // clears previous.
  void undoLastOccurrence();
  bool contains(const Citation* citation) const;
};

}  // namespace recognize
