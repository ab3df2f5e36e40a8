// The bookmark report of a batch run. In: a document. Out: one line per
// bookmark in the document's (byte-wise) name order:
//   "bookmark NAME page LOGICAL physical PHYSICAL"        a point
//   "bookmark NAME page LOGICAL physical PHYSICAL to END" a range, END being
//                                                         the logical page of its end
// Names print as UTF-8. Lays the document out as far as the last bookmark.
#pragma once

#include <string>
#include <vector>

#include "quillon/doc/document.h"

namespace quillon::app {

std::vector<std::string> bookmarkLines(doc::Document& document);

}  // namespace quillon::app
