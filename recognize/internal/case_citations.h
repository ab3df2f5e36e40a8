// Case citations, read outwards from the reporter: volume and case name
// backwards, page, pinpoints, parallel citation, court and year, subsequent
// history forwards; and the reporter short form ("Smith, 123 U.S. at 45").
#pragma once

#include <cstddef>

#include "db/entry_name.h"
#include "recognize/internal/paragraph.h"

namespace recognize::internal {

// The case recogniser of the paragraph's citation form. `cursor` stands on the
// reporter's first token, `covered` tokens long. True: the citation is filled
// (tokens, key, shortName, first occurrence group) and the cursor stands on
// the last token consumed. False: the cursor is back where it was (a reporter
// short form may have added an occurrence to an earlier case meanwhile).
// The key is "volume reporter first-page", so that citations of one
// case with other pinpoints or parentheticals merge; the occurrence group is
// the contiguous text from the volume (California: the year) to the
// parenthetical. A citation after a history phrase ("aff'd, 5 F.3d 6") is
// filed on its own, always read in the Bluebook form, before this returns,
// and its tokens are consumed here, so the walk never reads them again.
// Example: "See Smith v. Jones, 123 U.S. 456, 460 (1990)." gives the text
// "Smith v. Jones, 123 U.S. 456, 460 (1990)" and the key "123 U.S. 456".
// `reporter` is the dictionary entry found there; its name, not the text as
// typed, stands in the key.
bool recognizeCase(Paragraph& p, std::size_t& cursor, Citation& citation, const db::EntryName& reporter,
                   std::size_t covered);

// Reads the name that ends before `cursor` backwards and inserts its tokens at
// the front of citation.tokens (footnote marks left out, introductory words
// trimmed from its front). Stops at a ";", a word ending in ":", a signal, a
// token another citation took (grouped), a long lower-case word or two short
// words in a row. `cursor` is at most p.end(); 0 reads nothing. Also used by
// the code and numbered readers.
void collectCaseName(Paragraph& p, std::size_t cursor, Citation& citation, bool numbersAllowed);

// Removes blanks and introductory signals ("See", "e.g.,", "in" unless it
// opens "In re") from the front of citation.tokens; stops at the first other
// word or a special character. Empty tokens stay empty.
void stripLeadingSignals(Citation& citation);

// Sets citation.shortName from its tokens up to the first nameStop token
// ("supra" and "at" left out), with abbreviations expanded when the run asks
// for it; no tokens give an empty name.
void buildShortName(Citation& citation);

}  // namespace recognize::internal
