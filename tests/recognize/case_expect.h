// What the case tests compare: a citation's occurrence group as one text and
// the case with a given key. In: a table filled from a test document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "recognize/citation_table.h"

namespace recognize::testing {

// The words of one occurrence group joined as typed (blanks as " ").
inline std::string groupText(const Citation& citation, std::size_t occurrence) {
  if (occurrence >= citation.occurrenceGroups.size()) return "<no group>";
  std::string text;
  for (const Token& token : citation.occurrenceGroups[occurrence]) {
    text += token.isBlank() || token.isHardSpace() ? std::string(" ") : token.text;
  }
  return text;
}

// The citation whose (normalised) key is `key`, or null.
inline const Citation* findByKey(const CitationTable& table, std::string_view key) {
  for (const auto& citation : table.citations) {
    if (citation && citation->key == key) return citation.get();
  }
  return nullptr;
}

}  // namespace recognize::testing
