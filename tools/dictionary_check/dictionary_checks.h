// Counts and checks a loaded dictionary. In: an EntryTypeCollection and an
// AbbreviationCollection. Out: entries and representations per type, and one
// line per broken rule:
//   - every entry is found by the recogniser's matcher from its own name (and
//     an authority name passes the capital test that starts a citation);
//   - no representation is shared by two entries of one type;
//   - no name or representation contains a double quote (it would break the
//     statements that store it) or a bar or tilde (they delimit the
//     serialised form the matcher searches).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/abbreviation_collection.h"
#include "db/entry_type_collection.h"

namespace tools {

struct TypeCounts {
  std::int32_t typeId = -1;
  std::string name;
  std::size_t entries = 0;
  std::size_t validRepresentations = 0;
  std::size_t invalidRepresentations = 0;
};

struct AbbreviationCounts {
  std::size_t abbreviations = 0;
  std::size_t withoutLongForm = 0;
  std::size_t withOneLongForm = 0;   // the ones the recogniser expands
  std::size_t withSeveralLongForms = 0;
};

std::vector<TypeCounts> countEntries(const db::EntryTypeCollection& dictionary);
AbbreviationCounts countAbbreviations(const db::AbbreviationCollection& abbreviations);

// One line per broken rule, naming the type and the entry; empty when the
// dictionary is sound.
std::vector<std::string> checkDictionary(db::EntryTypeCollection& dictionary);
std::vector<std::string> checkAbbreviations(const db::AbbreviationCollection& abbreviations);

}  // namespace tools
