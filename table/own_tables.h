// Finds the paragraphs of a document's own table of contents or table of
// authorities, typed by hand, which are lists of citations with page numbers
// and must not be read as citations of the document. In: the paragraphs of
// one text stream in order. Out: for each, whether to read it.
#pragma once

#include "recognize/token.h"

namespace table {

// Such a table runs from a paragraph that is only the heading "TABLE OF
// CONTENTS" or "TABLE OF AUTHORITIES" (any letter case) to the next heading
// that is neither: a short paragraph without digits, in capitals or bold,
// that is not a category of such a table ("CASES", "Other Authorities"). A
// long paragraph without dot leaders ends it too, so that a heading the rule
// cannot see does not hide the rest of the brief. A table Lexorda built is skipped by its marks
// while the file is read; this serves documents without them.
class OwnTableFilter {
 public:
  // Whether to read `paragraph`; false for the heading and the table's lines.
  bool read(const recognize::TokenList& paragraph);
  // A new text stream starts outside any table.
  void reset() { inside_ = false; }

 private:
  bool inside_ = false;
};

}  // namespace table
