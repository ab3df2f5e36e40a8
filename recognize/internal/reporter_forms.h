// Reporter citations in the shapes that the dictionary's prefix match does
// not read: pages and volumes not yet known ("603 U.S. ___"), reporters typed
// in another spacing or without periods ("N. Y. S. 2d", "F Supp 2d"), and the
// neutral forms that carry the court inside one word ("2006-Ohio-2095") or
// have no volume ("T.C. Memo. 2019-233").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "db/entry_name.h"
#include "recognize/internal/paragraph.h"

namespace recognize::internal {

// How a volume or page that is not known yet stands in a key, whatever the
// writer typed for it.
inline constexpr std::string_view kBlankNumberKey = "___";

// A volume or page not known yet: "__", "___", "----" (a trailing ",", ";"
// or "." allowed), or a lone em or en dash. Example: "___," -> true, "-" -> false.
bool isBlankNumber(const Token& token);

// The parts of a neutral citation written as one word, year-court-number:
// "2006-Ohio-2095," -> {"2006", "Ohio", "2095"}; none for any other word.
struct HyphenNeutral {
  std::string year, court, number;
};
std::optional<HyphenNeutral> parseHyphenNeutral(std::string_view text);

// A year-number page of a reporter cited without a volume: "2019-233".
bool isYearNumber(std::string_view text);

// Whether an occurrence's words hold `key` as one of its citations: "144 s.
// ct. 2244" in "603 U.S. ___, 144 S. Ct. 2244 (2024)"; with pageFollows, a
// volume and reporter ("144 s. ct.") before a page. Compared lower-cased
// without blanks and periods, never inside a longer number.
bool citesInGroup(const TokenList& group, std::string_view key, bool pageFollows);

// The reporter that starts at `cursor` when the dictionary's own match found
// none, or a shorter one: a neutral word ("2006-Ohio-2095", its court a case
// reporter of the dictionary), or a reporter typed in another spacing or
// without periods that names exactly one dictionary entry
// (EntryTypeCollection::findWrittenForm), between a volume of digits, which
// itself follows a case name's "," or a year's ")", and a page. Returns the
// tokens covered (0 for none) and fills `entry` with its type set.
// Example: in "Doe v. Roe, 5 F. R. D. 7" at "F." -> 5, entry "F.R.D.".
std::size_t matchWrittenReporter(Paragraph& p, std::size_t cursor, db::EntryName& entry);

}  // namespace recognize::internal
