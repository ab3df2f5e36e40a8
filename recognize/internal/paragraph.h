// The paragraph that every recogniser of one walk reads: its tokens, the run's
// table, the dictionary and the citation form. Internal to recognize/.
#pragma once

#include <cstddef>

#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "recognize/token.h"

namespace recognize::internal {

// What every recogniser of one paragraph shares. `tokens.size()` is the end.
// Cursor convention of every recogniser: on success the cursor stands on the
// last token consumed, on failure where it started; the walk then moves one
// token on.
struct Paragraph {
  TokenList& tokens;
  CitationTable& table;
  db::EntryTypeCollection& dictionary;
  int citationForm = kBluebook;

  // One past the last token.
  std::size_t end() const { return tokens.size(); }
};

}  // namespace recognize::internal
