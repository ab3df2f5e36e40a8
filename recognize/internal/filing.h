// Filing a recognised citation into the run's table: merged into the citation
// it repeats, or kept as a new one with trimmed tokens and a normalised key;
// and the abbreviation context the case-name reader expands with.
#pragma once

#include <string>
#include <string_view>

#include "db/abbreviation_collection.h"
#include "db/entry_name.h"
#include "recognize/citation_table.h"
#include "recognize/internal/paragraph.h"
#include "recognize/token.h"

namespace recognize::internal {

// Which table lookup decides that a new authority repeats an earlier one.
enum class KeyLookup { ByKey, Matching };

// Files a recognised dictionary authority (kind 2): merges it into the
// citation that `lookup` finds (the new record is then destroyed), or keeps it
// (tokens trimmed, first occurrence and a second id added, previous set). A
// type-8 `entry` leaves the jurisdiction as it is; the group is always the
// entry's; a citation trimmed to nothing is destroyed instead of kept.
void fileAuthority(Paragraph& p, Citation& citation, const db::EntryName& entry, KeyLookup lookup);

// Adds the occurrence `from` holds to `target` (first token's pages, last
// group, first id or the running count, note number); count grows and target
// becomes previous. A `from` without tokens adds nothing.
void mergeOccurrence(CitationTable& table, Citation& target, const Citation& from);

// Trims a new citation's tokens in place: drops the words before a closing
// quotation mark or an unpaired straight quote, loose ends, unbalanced
// parentheses and an outer pair; may leave the list empty.
// Example: {said so" Smith Act.} -> {Smith Act}.
void trimTokens(TokenList& tokens);

// Returns the key lower-cased; kind 2 also without blanks and special
// characters; trailing ",;:" off, parentheses balanced, at most the last 200
// characters. Any input gives some string, possibly empty.
// Example: ("42 U.S.C. 1983.", 2) -> "42u.s.c.1983".
std::string normaliseKey(std::string_view key, int kind);

// The abbreviations to expand case names with, or null when the run does not
// expand (set by setAbbreviationContext).
const db::AbbreviationCollection* abbreviationsForExpansion();

}  // namespace recognize::internal
