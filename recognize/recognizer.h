// Turns the tokens of one paragraph into citations filed in the run's table.
// In: the paragraph's tokens, the table, the dictionary and the citation form.
// Out: new citations or further occurrences in the table; flags set on the
// tokens. Never throws and reports nothing: text that cannot be read as a
// citation is simply not recorded.
#pragma once

#include <cstddef>

#include <string>
#include <string_view>

#include "db/abbreviation_collection.h"
#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "recognize/token.h"

namespace recognize {

enum CitationForm : int { kBluebook = 0, kCalifornia = 1 };

// What every recogniser of one paragraph shares. `tokens.size()` is the end.
// Cursor convention of every recogniser: on success the cursor stands on the
// last token consumed, on failure where it started; the walk then moves one
// token on.
struct Paragraph {
  TokenList& tokens;
  CitationTable& table;
  db::EntryTypeCollection& dictionary;
  int citationForm = kBluebook;

  std::size_t end() const { return tokens.size(); }
};

// Walks the tokens left to right and files every citation found. An empty
// list returns at once; running out of memory ends the walk silently.
// Example: recognizeParagraph(tokens, table, dictionary, kBluebook);
void recognizeParagraph(TokenList& tokens, CitationTable& table, db::EntryTypeCollection& dictionary,
                        int citationForm);

// Files a recognised dictionary authority (kind 2): merge with the citation
// that `lookup` finds (the new record is then destroyed), or keep it as new
// (tokens trimmed, first occurrence and a second id added, previous set).
// `entry` is the dictionary entry name it was found by; a type-8 entry leaves
// the citation's jurisdiction as it is. A citation trimmed to nothing is
// destroyed instead of kept.
enum class KeyLookup { ByKey, Matching };
void fileAuthority(Paragraph& p, Citation& citation, const db::EntryName& entry, KeyLookup lookup);

// Adds the occurrence that `from` (a just-read citation or scratch) holds to
// `target`: first token's pages, its last occurrence group, its first id (the
// running count when it has none) and the note number; count grows and
// target becomes previous. A `from` without tokens adds nothing.
void mergeOccurrence(CitationTable& table, Citation& target, const Citation& from);

// Trims a new citation's tokens: drops the words before a closing quotation
// mark or an unpaired straight quote, blanks and punctuation at both ends,
// unbalanced parentheses and an outer pair around everything.
// Example: {said so" Smith Act.} -> {Smith Act}.
// Normalises a key: lower case; for kind 2 without blanks and special
// characters; trailing ",;:" off; parentheses balanced; at most the last 200
// characters. Example: ("42 U.S.C. 1983.", 2) -> "42u.s.c.1983".
void trimTokens(TokenList& tokens);
std::string normaliseKey(std::string_view key, int kind);

// The abbreviations that case names are expanded with, and whether to expand:
// set by the generation driver for its run (process-wide, as the host runs
// one generation at a time). Null means no expansion.
void setAbbreviationContext(const db::AbbreviationCollection* abbreviations, bool expand);
const db::AbbreviationCollection* abbreviationsForExpansion();

}  // namespace recognize
