// One recognised authority with every occurrence of it in the document.
#pragma once

#include <string>
#include <vector>

#include "recognize/token.h"

namespace recognize {

enum CitationKind : int { kNoKind = 0, kCase = 1, kDictionaryAuthority = 2, kOtherAuthority = 3 };

struct Citation {
  int kind = kNoKind;
  int jurisdiction = 0;
  TokenList tokens;                        // the first full text, in document order
  std::vector<int> pages;                  // distinct logical pages, in order met
  std::vector<int> physicalPages;          // per occurrence
  std::vector<int> occurrencePages;        // per occurrence, repeats kept
  std::vector<TokenList> occurrenceGroups; // per occurrence: pinpoints, parentheticals
  std::vector<int> ids;                    // the table's count at each occurrence
  std::vector<int> noteNumbers;            // per occurrence
  std::string key;
  std::string entryName;
  bool pageWasNew = false;
  std::string shortName;                   // a case's name; its short-form key once filed

  // Records the pages of one occurrence whose first token is `token`.
  void addOccurrence(const Token& token);
};

}  // namespace recognize
