// The section part of statutory citations (section sign or subdivision word,
// number, bracketed subdivisions, et seq.) and the bare section sign that
// refers to a statute already cited.
#pragma once

#include <cstddef>
#include <string>

#include "recognize/internal/paragraph.h"

namespace recognize::internal {

// Reads from the token after the code name (`cursor`) into `citation`'s tokens,
// key and last occurrence group; tokens of the tail are marked grouped. The
// cursor ends on the last token kept in `tokens` (trailing blanks, signs and
// punctuation are given back), or stays where it was when none was kept.
// Bluebook form: false only when the words turn out to be a case reporter
// citation. California form: always true.
bool readSection(Paragraph& p, std::size_t& cursor, Citation& citation);

// A section sign at `cursor` that no dictionary name covers: an occurrence
// of the dictionary authority whose key holds its section as a whole number,
// else a new citation borrowing the code name of `previous` when that is a
// dictionary authority, else nothing (marks cleared, cursor unmoved). On
// success the cursor ends on the last token read.
void recognizeSectionSign(Paragraph& p, std::size_t& cursor);

// The code citation that a later reference to `section` (lower case, no
// blanks: "924(c)(3)(a)") means: of the code cited last with that section
// number, the section itself or the closest cited section holding it; with a
// bare number ("924") the one cited last. Null when none, or when only a
// sibling subdivision was cited ("924(e)" for "924(c)").
Citation* findCitedSection(Paragraph& p, const std::string& section);

// "Section 924(c)" or "sec. 1983" at `cursor`: one more occurrence of the
// cited section that findCitedSection names (which becomes previous), the
// cursor then on the last token of the number. False, with nothing changed,
// when no number follows or no cited section answers.
bool recognizeSectionWord(Paragraph& p, std::size_t& cursor);

}  // namespace recognize::internal
