// What the code, rule and section-sign tests compare: a citation found by its
// normalised key, the text of one occurrence group, and hand-made token lists
// for the paragraph boundaries that a Markdown document cannot produce.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "recognize/citation_table.h"
#include "recognize/token.h"

namespace recognize::testing {

// The citation whose normalised key is `key`, or null.
inline const Citation* citationWithKey(const CitationTable& table, std::string_view key) {
  for (const auto& citation : table.citations)
    if (citation && citation->key == key) return citation.get();
  return nullptr;
}

// The tokens of one occurrence group as typed: blanks and hard spaces as " ",
// the section sign as "§".
inline std::string occurrenceText(const Citation& citation, std::size_t occurrence) {
  if (occurrence >= citation.occurrenceGroups.size()) return "<no group>";
  std::string text;
  for (const Token& token : citation.occurrenceGroups[occurrence]) {
    if (token.isBlank() || token.isHardSpace())
      text += ' ';
    else if (token.isSectionSign())
      text += "\xC2\xA7";
    else if (!token.isSpecial())
      text += token.text;
  }
  return text;
}

// Every key of the table, for failure messages.
inline std::string allKeys(const CitationTable& table) {
  std::string keys;
  for (const auto& citation : table.citations) keys += "[" + citation->key + "] ";
  return keys;
}

// Hand-made tokens: a word, a blank and the section sign.
inline Token word(std::string text) {
  Token token;
  token.text = std::move(text);
  return token;
}
inline Token blank() {
  Token token;
  token.kind = kBlank;
  token.text = " ";
  return token;
}
inline Token sectionSign() {
  Token token;
  token.kind = kSpecial;
  token.text = kSectionSignText;
  return token;
}

}  // namespace recognize::testing
