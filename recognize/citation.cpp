// Records the pages of one occurrence of a citation.
#include "recognize/citation.h"

#include <algorithm>

namespace recognize {

void Citation::addOccurrence(const Token& token) {
  pageWasNew = std::find(pages.begin(), pages.end(), token.page) == pages.end();
  if (pageWasNew) pages.push_back(token.page);
  occurrencePages.push_back(token.page);
  physicalPages.push_back(token.physicalPage);
}

}  // namespace recognize
