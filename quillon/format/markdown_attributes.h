// Puts a paragraph's attribute codes in the one form that equal formatting
// has. In: the items the inline parser made, whose codes may nest, repeat,
// stand empty or stay open. Out: balanced, unnested spans that begin and end
// at text, in the order Markdown export writes them, so that importing what
// export wrote gives the same codes.
#pragma once

#include <vector>

#include "quillon/doc/item.h"

namespace quillon::format::internal {

// Drops nested, empty and back-to-back spans of the same attribute, and
// closes any left open, so that equal formatting gives equal codes:
// [i+]a[i-][i+]b[i-] becomes [i+]ab[i-]. Italic, bold, superscript and
// subscript spans are narrowed to their first and last non-blank item
// (emphasis cannot begin or end at a blank in Markdown); underline keeps its
// blanks. Codes at one place come out closing first, innermost first, then
// opening, outermost first. Items that are not attribute codes keep their
// order. Never fails.
void normalizeAttributes(std::vector<doc::Item>& items);

// Where an attribute's span goes among spans that start and end at the same
// places, outermost first: underline, italic, bold, superscript, subscript,
// then any other attribute by number.
int nestingRank(int attribute);

}  // namespace quillon::format::internal
