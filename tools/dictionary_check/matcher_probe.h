// Replays the recogniser's dictionary match on a written name. In: a text cut
// into word and blank tokens, and a loaded EntryTypeCollection. Out: how many
// tokens the longest match covers and which entry it names, exactly as the
// word-by-word matcher would find it in a paragraph.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/entry_type_collection.h"

namespace tools {

enum class ProbeTokenKind { Word, Blank };

struct ProbeToken {
  std::string text;
  ProbeTokenKind kind = ProbeTokenKind::Word;
};

// Cuts text at single blanks into word tokens with a blank token (text " ")
// between them. Example: "F. 2d" -> "F.", " ", "2d".
std::vector<ProbeToken> probeTokens(std::string_view text);

struct ProbeMatch {
  int covered = 0;                         // tokens covered; 0 for no match
  std::int32_t typeId = -1;                // the type that holds the whole item
  const db::EntryName* entry = nullptr;    // the entry found
};

// The longest authority name (types 1, 3, 2, 7, 8) that starts at the first
// token: the candidate grows while some item begins with it, and only a whole
// item is accepted. A one-word name that is the last token is not matched.
ProbeMatch probeDictionaryName(const std::vector<ProbeToken>& tokens,
                               db::EntryTypeCollection& dictionary);

// The longest history phrase that starts at the first token.
ProbeMatch probeHistoryPhrase(const std::vector<ProbeToken>& tokens,
                              db::EntryTypeCollection& dictionary);

}  // namespace tools
