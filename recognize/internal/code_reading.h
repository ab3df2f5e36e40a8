// Small steps that the code, numbered-authority and section readers share:
// taking a paragraph token into a citation (tokens, occurrence group, key),
// looking past blanks, and saving and restoring the marks readers set so that a
// reader that gives up leaves the paragraph as it found it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/entry_name.h"
#include "db/text.h"
#include "recognize/internal/paragraph.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {

// What a token contributes to a dictionary authority's key: a word its text,
// a blank one blank, a special character 0xFF and its two bytes (removed
// again when the key is normalised).
inline std::string codeKeyText(const Token& token) {
  if (token.isSpecial()) return "\xFF" + token.text;
  if (token.isBlank()) return " ";
  return token.text;
}

// The citation's current occurrence group; one is made when none exists.
inline TokenList& currentGroup(Citation& citation) {
  if (citation.occurrenceGroups.empty()) citation.occurrenceGroups.emplace_back();
  return citation.occurrenceGroups.back();
}

// Appends `token` to the citation's tokens, current group and key. A
// superscript token (a note mark) goes to the group only.
inline void takeToken(Citation& citation, const Token& token) {
  currentGroup(citation).push_back(token);
  if (token.isSuperscript()) return;
  citation.tokens.push_back(token);
  citation.key += codeKeyText(token);
}

// The same for the tokens [from, to) of the paragraph.
inline void takeTokens(Citation& citation, const TokenList& tokens, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < tokens.size(); ++i) takeToken(citation, tokens[i]);
}

// True when an earlier citation or short form has already taken the token.
inline bool takenElsewhere(const Token& token) { return token.grouped || token.used || token.nameStop; }

// True for a word made only of ".", "," and ";" (not for other kinds).
inline bool isPunctuationWord(const Token& token) { return token.isWord() && db::isPunctuationOnly(token.text); }

// A record cite written as one word, volume-letters-page ("4-ER-702",
// "2-SER-45"): a place in the record, never a section or rule number.
inline bool isRecordCite(std::string_view text) {
  std::size_t i = 0;
  auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > from;
  };
  if (!digits() || i >= text.size() || text[i++] != '-') return false;
  const std::size_t letters = i;
  while (i < text.size() && text[i] >= 'A' && text[i] <= 'Z') ++i;
  if (i == letters || i >= text.size() || text[i++] != '-') return false;
  return digits();
}

// A word of periods standing alone: the end of a sentence after a bracketed
// subdivision ("924(c). Section"), or a leader of dots in a table of contents.
inline bool isStandingPeriod(const Token& token) {
  return isPunctuationWord(token) && token.text.find('.') != std::string::npos;
}

// First index at or after `i` that is neither a blank nor a hard space;
// p.end() when none.
inline std::size_t skipBlanks(const Paragraph& p, std::size_t i) {
  while (i < p.end() && (p.tokens[i].isBlank() || p.tokens[i].isHardSpace())) ++i;
  return i;
}

// True when the number at `i` stands bare before a dictionary name (over
// blanks and hard spaces): it is that name's title or volume. A number with
// punctuation after it ends what came before.
// Example: in "§ 1983, 28 U.S.C. § 1331" the 28 opens the second code, the
// "1983," does not.
inline bool numberOpensNextName(Paragraph& p, std::size_t i) {
  if (i >= p.end()) return false;
  const std::string& text = p.tokens[i].text;
  if (!text.empty() && (text.back() == ',' || text.back() == ';' || text.back() == ':' || text.back() == '.'))
    return false;
  const std::size_t next = skipBlanks(p, i + 1);
  if (next == i + 1 || next >= p.end() || !p.tokens[next].isWord()) return false;
  db::EntryName entry;
  return matchDictionaryName(p, next, entry) > 0;
}

}  // namespace recognize::internal
