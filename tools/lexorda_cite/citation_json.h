// A run's citation table as JSON. In: the filled CitationTable. Out: one
// UTF-8 JSON object listing every citation in table order with its texts,
// pages and occurrences, as the lexorda-cite tool prints it.
//
// Texts are converted from the host's character set: word bytes from
// Windows-1252, special characters (two-byte texts) through the host's
// character tables, blanks and hard spaces as " ". Never throws on odd bytes:
// what has no character becomes U+FFFD.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "recognize/citation_table.h"
#include "recognize/token.h"

namespace lexorda_cite {

// {"citations":[{"kind":1,"jurisdiction":0,"entryName":"U.S.","key":"...",
//   "shortName":"...","text":"...","pages":[1,3],"occurrences":[{"page":1,
//   "physicalPage":1,"id":0,"note":0,"group":"..."}]}]}
// "kind" is 1 for a case, 2 for an authority found through the dictionary
// (statute, code, rule and the like), 3 for another authority (article, book,
// restatement, model code, news or web source, legislative material).
// A dictionary authority (kind 2) adds, after its jurisdiction, the part of
// the table it belongs to: "authorityGroup":"statute" (or "constitution",
// "rule", "regulation", "guideline").
// An occurrence list that is shorter than occurrencePages reads as 0 (or an
// empty group) at the missing places. A read that met damage adds
// ,"damaged":true,"damagedAt":N after the list; a whole file adds nothing.
std::string citationsJson(const recognize::CitationTable& table,
                          std::optional<std::size_t> damagedAt = std::nullopt);

// A token list's text as the table writer types it, in UTF-8.
// Example: tokens "42", hard space, "U.S.C." -> "42 U.S.C.".
std::string tokensText(const recognize::TokenList& tokens);

// A byte string of the host's character set (Windows-1252) as UTF-8.
std::string hostBytesToUtf8(std::string_view bytes);

// `text` (UTF-8) as a quoted JSON string; control characters escaped.
std::string jsonString(std::string_view utf8);

}  // namespace lexorda_cite
