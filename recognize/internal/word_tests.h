// The small questions every recogniser asks about the tokens in front of it:
// does a dictionary name or history phrase start here and how many tokens
// does it cover, is this word a number, a capital, a subdivision word, a
// signal; and the bracketed-group readers. Nothing here changes the document;
// the group readers set and clear `grouped` flags.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "db/entry_name.h"
#include "recognize/internal/paragraph.h"

namespace recognize::internal {

// Tokens covered by the longest whole dictionary name (types 1, 3, 2, 7, 8)
// starting at `cursor`, 0 for none (also for a one-word name that is the
// paragraph's last token); `entry` receives the name found, its
// entry_type_id set to the type it was found in. Blanks inside the name are
// counted, a hard space joins as a blank.
// Example: at "Cal." in "Cal. Const. art. I" -> 3, entry "Cal. Const.".
std::size_t matchDictionaryName(Paragraph& p, std::size_t cursor, db::EntryName& entry);
// Tokens covered by the longest history phrase starting at `cursor`, 0 for none.
std::size_t matchHistoryPhrase(Paragraph& p, std::size_t cursor);

// Whether the first character after "(" (and digits and "-" when allowed)
// is "A" to "Z". Example: ("(12-Abc", true) -> true; ("12abc", true) -> false.
bool isCapitalStart(std::string_view text, bool digitsAllowed);
// A special character of set 1 that is a capital letter (even number >= 24).
bool isCapitalSpecial(const Token& token);
// A volume, page or section number: digits or "_" with at most two other
// characters (".,;: " free), one hyphen unless hyphens are allowed, brackets
// around it only when allowed. Example: "F.2d", "12a", "(1)" with brackets
// -> true; "Cal." -> false; "1-2-3" only with hyphens.
bool isNumberWord(std::string_view text, bool bracketsAllowed, bool hyphensAllowed);
// Section, page, et seq. and the like at the cursor; "and" only before the
// word "following". False for a blank, a special character or past the end.
bool isSubdivisionWord(const Paragraph& p, std::size_t cursor);
// An introductory signal: "In" (capital only), see, cf., e.g., accord, ...
bool isSignalWord(std::string_view text);
// a, an, the, ex, rel, et, al, compared exactly as they stand.
bool isNameParticle(std::string_view text);
// Every character "A" to "Z", "," or "." (numerals such as XIV); false when empty.
bool isAllCapitals(std::string_view text);
// "in" followed over blanks by "re" (both compared in lower case).
bool isInReStart(const Paragraph& p, std::size_t cursor);

// The bracketed group ("(" ... ")", nested groups allowed) that starts at
// `cursor`: its text (texts joined as they stand, a hard space as a blank),
// its tokens appended to `group` when given and marked grouped; the cursor
// left on the closing token. Empty text, nothing marked and the cursor
// unmoved when no complete group starts there.
// Example: at "(9th" in "(9th Cir. 1990)" -> "(9th Cir. 1990)", cursor on "1990)".
std::string collectGroup(Paragraph& p, std::size_t& cursor, char open, char close, TokenList* group);
// The mirror: the group that ends at `cursor`, read towards the paragraph's
// start; the cursor left on its opening token; tokens inserted at the front
// of `group` in document order.
std::string collectGroupBackward(Paragraph& p, std::size_t& cursor, char open, char close, TokenList* group);

}  // namespace recognize::internal
