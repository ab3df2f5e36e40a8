// References back to an authority already cited: Id. and ibid., italic or
// underlined case names (alone or with supra), and the pinpoint tail after
// them. A short form only adds occurrences; it never creates a citation.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "recognize/internal/paragraph.h"

namespace recognize::internal {

// The Id./ibid. word at `cursor`: one more occurrence of the table's previous
// citation (its group the Id. word alone), which stays previous; nothing when
// there is none. The cursor ends on the last token of the pinpoint tail.
// Example: after "Smith v. Jones, 123 U.S. 456." the text "Id. at 5, 7" adds
// one occurrence to that case and leaves the cursor on "7".
void recordIdOccurrence(Paragraph& p, std::size_t& cursor);
// The underlined or italic name run starting at `cursor`: when its words
// (from its first capitalised word on) all occur in a filed case's short-form
// key, one occurrence of that case, which becomes previous, and the cursor
// ends after the tail. A run that holds or stands before "v." is a full case
// name, not a short form. Marks its tokens so that no later token of the same
// run starts another attempt; otherwise the cursor is unchanged.
void recordNameRunOccurrence(Paragraph& p, std::size_t& cursor);
// "Frias, supra" at the word supra (`cursor`): one more occurrence of the one
// filed case whose name holds the party words before it (the longest run of
// them that any case holds), which becomes previous; the cursor then ends
// after the pinpoint tail. False, with nothing changed, when no case or more
// than one holds the party.
bool recordSupraOccurrence(Paragraph& p, std::size_t& cursor);
// The one filed case whose name (before its volume) holds `party` (lower
// case, bare words) as a run of words; null for none or several, and then
// `ambiguous` (when given) tells which.
Citation* findCaseByParty(const CitationTable& table, const std::vector<std::string>& party, bool* ambiguous);
// Whether the word at `i` cites a source that is no authority: a record or
// brief ("Pet. App. 6a", "J.A. 45", "Br. at 12", "4-ER-702") or a book's
// edition ("(3d ed. 2017)"). An Id. after it refers to that source.
bool endsReachOfPrevious(Paragraph& p, std::size_t i);
// Whether `at` stands inside a parenthetical that cites on from the
// authority before it ("(citing", "(quoting", "(cited in", "(overruled by").
bool insideCitingParenthetical(const Paragraph& p, std::size_t at);

// Steps over pinpoints and history words after a short form (numbers, "at",
// "supra", blanks, inner punctuation, a reporter name, a history phrase and
// its parenthetical), marking them grouped; the cursor ends on the last token
// stepped over. A number that opens a following code or rule is left to it.
void consumeShortFormTail(Paragraph& p, std::size_t& cursor);
// Turns a filed case's shortName into its short-form key: a trailing
// all-digit word dropped, ".,()" and blanks removed, lower case.
// Example: "Smith v. Jones Co. 123" -> "smithvjonesco"; "123" -> "".
void deriveShortFormKey(Citation& citation);

}  // namespace recognize::internal
