// Dictionary authorities other than cases: codes cited with a section (type
// 2), names followed by numbers and subdivision words (type 7) and numbered
// authorities (type 8). In: the paragraph and the name the dictionary found
// at the cursor. Out: the pending citation's tokens, key (token texts in
// order, not yet normalised) and first occurrence group; the walk files it.
#pragma once

#include <cstddef>

#include "recognize/internal/paragraph.h"

namespace recognize::internal {

// All three: `cursor` stands on the name's first token, `covered` tokens long.
// On success the cursor ends on the last token taken; on false it is back
// where it was and every mark the reader set is cleared again.

// A code with its section, read by the section reader of the paragraph's
// form. False when no section follows the name or (Bluebook form) the words
// after it are a case reporter citation.
// Example: "See 42 U.S.C. § 1983." -> tokens "42 U.S.C. § 1983", key
// "42 U.S.C. \xFF\x04\x06 1983".
bool recognizeCode(Paragraph& p, std::size_t& cursor, Citation& citation, std::size_t covered);

// A constitution, rule or guideline with the numbers, numerals and
// subdivision words around it; the name alone is a citation, except a name
// written as one bare abbreviation ("ER", "RAP"), which needs its number and
// is false where it reads as a record cite ("4 ER 702", "(ER 45)", "ER 7-9").
// Example: "Fed. R. Civ. P. 12(b)(6) motion" -> "Fed. R. Civ. P. 12(b)(6)".
bool recognizeNumberedRun(Paragraph& p, std::size_t& cursor, Citation& citation, std::size_t covered);

// A numbered authority: the name, then numbers, "at", further numbered
// names ("No.") and history; false when no number follows the name.
// Example: "Pub. L. No. 111-148, § 1501, 124 Stat. 119 (2010)" -> up to "119".
bool recognizeNumberedAuthority(Paragraph& p, std::size_t& cursor, Citation& citation, std::size_t covered);

// The title or volume number (and a name before it) in front of the name at
// `cursor`, inserted at the front of the citation's tokens and group, the
// number in front of its key; the cursor is unchanged. Tokens an earlier
// citation has flagged (grouped, used, nameStop) and ";" end the reading.
void readBeforeCode(Paragraph& p, std::size_t cursor, Citation& citation);

}  // namespace recognize::internal
