// References back to an authority already cited: Id. and ibid., italic or
// underlined case names (alone or with supra), and the pinpoint tail after
// them. A short form only adds occurrences; it never creates a citation.
#pragma once

#include <cstddef>

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
