// Implements the word-by-word dictionary match over probe tokens.
#include "tools/dictionary_check/matcher_probe.h"

#include "db/text.h"

namespace tools {
namespace {

std::string bareCandidate(const std::string& candidate) {
  return db::stripTrailing(db::stripBrackets(candidate), false);
}

}  // namespace

std::vector<ProbeToken> probeTokens(std::string_view text) {
  std::vector<ProbeToken> tokens;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t blank = text.find(' ', start);
    const std::size_t end = blank == std::string_view::npos ? text.size() : blank;
    if (end > start) tokens.push_back({std::string(text.substr(start, end - start)), ProbeTokenKind::Word});
    if (blank == std::string_view::npos) break;
    tokens.push_back({" ", ProbeTokenKind::Blank});
    start = blank + 1;
  }
  return tokens;
}

ProbeMatch probeDictionaryName(const std::vector<ProbeToken>& tokens,
                               db::EntryTypeCollection& dictionary) {
  ProbeMatch match;
  if (tokens.empty()) return match;
  std::size_t cursor = 0;
  std::string candidate = db::lowerCase(tokens[0].text);
  std::int32_t typeId = dictionary.findWordInString(bareCandidate(candidate));
  if (typeId == -1) return match;

  int covered = 0;
  int skipped = 0;
  bool grew = false;
  std::string best;
  while (typeId != -1 && cursor + 1 < tokens.size()) {
    grew = true;
    best = candidate;
    covered += skipped + 1;
    ++cursor;
    candidate += tokens[cursor].text;
    skipped = 0;
    while (tokens[cursor].kind == ProbeTokenKind::Blank && cursor + 1 < tokens.size()) {
      ++skipped;
      ++cursor;
      candidate += tokens[cursor].text;
    }
    candidate = db::lowerCase(candidate);
    typeId = dictionary.findWordInString(bareCandidate(candidate));
  }
  if (!grew) return match;
  if (typeId != -1) {
    // The tokens ran out while the candidate still matched.
    best = db::stripTrailingBlanks(candidate);
    covered += skipped + 1;
  }
  const std::int32_t wholeType = dictionary.findWordInString(bareCandidate(best) + "~");
  if (wholeType == -1) return match;
  const db::EntryName* entry = dictionary.getEntryName(bareCandidate(best), wholeType);
  if (entry == nullptr) return match;
  match.covered = covered;
  match.typeId = wholeType;
  match.entry = entry;
  return match;
}

ProbeMatch probeHistoryPhrase(const std::vector<ProbeToken>& tokens,
                              db::EntryTypeCollection& dictionary) {
  ProbeMatch match;
  if (tokens.empty()) return match;
  std::string candidate = db::stripTrailing(db::lowerCase(tokens[0].text), false);
  if (!dictionary.findWordInHistoryPhrasesString(candidate)) return match;
  std::string best = candidate;
  int covered = 1;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    candidate += db::lowerCase(tokens[i].text);
    if (tokens[i].kind == ProbeTokenKind::Blank) continue;
    const std::string bare = db::stripTrailing(candidate, false);
    if (!dictionary.findWordInHistoryPhrasesString(bare)) break;
    best = bare;
    covered = static_cast<int>(i) + 1;
  }
  const db::EntryName* entry = dictionary.getHistoryPhraseEntryName(best);
  if (entry == nullptr) return match;
  match.covered = covered;
  match.typeId = db::kEntryTypeHistoryPhrases;
  match.entry = entry;
  return match;
}

}  // namespace tools
