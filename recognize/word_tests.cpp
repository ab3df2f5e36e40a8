// The dictionary match at a token and the word tests that every recogniser
// shares.
#include "recognize/internal/word_tests.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "db/text.h"

namespace recognize::internal {
namespace {

// What a token adds to a candidate: a hard space joins as one blank.
std::string_view joinedText(const Token& token) { return token.isHardSpace() ? std::string_view(" ") : token.text; }

bool isJoiningBlank(const Token& token) { return token.isBlank() || token.isHardSpace(); }

std::string probeOf(const std::string& candidate) { return db::stripTrailing(db::stripBrackets(candidate), false); }

// The greedy word-by-word growth shared by the dictionary and the history
// phrases: `matches` answers whether some item begins with a probe text.
struct Growth {
  std::string best;
  std::size_t covered = 0;
  bool grew = false;
};

template <typename Matches>
Growth grow(const Paragraph& p, std::size_t cursor, std::string candidate, Matches matches) {
  Growth result;
  const TokenList& tokens = p.tokens;
  bool matching = matches(candidate);
  std::size_t skipped = 0;
  std::size_t at = cursor;
  while (matching && at + 1 < p.end()) {
    result.grew = true;
    result.best = candidate;
    result.covered += skipped + 1;
    ++at;
    candidate += joinedText(tokens[at]);
    skipped = 0;
    while (isJoiningBlank(tokens[at]) && at + 1 < p.end()) {
      ++skipped;
      ++at;
      candidate += joinedText(tokens[at]);
    }
    candidate = db::lowerCase(candidate);
    matching = matches(candidate);
  }
  if (matching && result.grew) {
    // The paragraph ended while the candidate still began some name.
    result.best = db::stripTrailingBlanks(candidate);
    result.covered += skipped + 1;
  }
  return result;
}

}  // namespace

std::size_t matchDictionaryName(Paragraph& p, std::size_t cursor, db::EntryName& entry) {
  if (cursor >= p.end()) return 0;
  db::EntryTypeCollection& dictionary = p.dictionary;
  const Growth growth = grow(p, cursor, db::lowerCase(p.tokens[cursor].text), [&dictionary](const std::string& c) {
    return dictionary.findWordInString(probeOf(c)) != -1;
  });
  // A one-word name standing as the paragraph's last token is not matched.
  if (!growth.grew) return 0;
  const std::string whole = probeOf(growth.best);
  const std::int32_t typeId = dictionary.findWordInString(whole + "~");
  if (typeId == -1) return 0;
  const db::EntryName* found = dictionary.getEntryName(whole, typeId);
  if (found == nullptr) return 0;
  entry = *found;
  // The walk dispatches on the type the name was found in, whatever the
  // record itself says.
  entry.entry_type_id = typeId;
  return growth.covered;
}

std::size_t matchHistoryPhrase(Paragraph& p, std::size_t cursor) {
  if (cursor >= p.end()) return 0;
  db::EntryTypeCollection& dictionary = p.dictionary;
  const Growth growth = grow(p, cursor, db::stripTrailing(db::lowerCase(p.tokens[cursor].text), false),
                             [&dictionary](const std::string& c) {
                               return dictionary.findWordInHistoryPhrasesString(db::stripTrailing(c, false));
                             });
  if (!growth.grew) return 0;
  return dictionary.getHistoryPhraseEntryName(db::stripTrailing(growth.best, false)) != nullptr ? growth.covered : 0;
}

bool isCapitalStart(std::string_view text, bool digitsAllowed) {
  for (char c : text) {
    if (c == '(' || (digitsAllowed && ((c >= '0' && c <= '9') || c == '-'))) continue;
    return c >= 'A' && c <= 'Z';
  }
  return false;
}

bool isCapitalSpecial(const Token& token) {
  if (!token.isSpecial() || token.text.size() < 2) return false;
  const auto set = static_cast<unsigned char>(token.text[0]);
  const auto number = static_cast<unsigned char>(token.text[1]);
  return set == 1 && number % 2 == 0 && number >= 24;
}

bool isNumberWord(std::string_view text, bool bracketsAllowed, bool hyphensAllowed) {
  if (text.empty()) return false;
  const bool opens = text.front() == '(';
  const bool closes = text.back() == ')';
  if (!bracketsAllowed && (opens || closes)) return false;
  if (bracketsAllowed && opens && closes && text.size() >= 2) text = text.substr(1, text.size() - 2);
  int hyphens = 0;
  int others = 0;
  bool digit = false;
  for (char c : text) {
    if (c == '-') {
      if (++hyphens > 1 && !hyphensAllowed) return false;
    } else if ((c >= '0' && c <= '9') || c == '_') {
      digit = true;
    } else if (c == '.' || c == ',' || c == ';' || c == ':' || c == ' ') {
      continue;
    } else if (++others > 2) {
      return false;
    }
  }
  return digit;
}

bool isSubdivisionWord(const Paragraph& p, std::size_t cursor) {
  if (cursor >= p.end() || !p.tokens[cursor].isWord()) return false;
  const std::string word = db::stripTrailing(db::stripBrackets(db::lowerCase(p.tokens[cursor].text)), true);
  if (word == "and") {
    for (std::size_t next = cursor + 1; next < p.end(); ++next) {
      if (p.tokens[next].isWord()) return db::lowerCase(p.tokens[next].text) == "following";
    }
    return false;
  }
  static constexpr std::string_view kWords[] = {
      "following", "et",          "seq",      "amend",        "article",  "art",        "articles",
      "arts",      "chapter",     "ch",       "chapters",     "chs",      "clause",     "cl",
      "clauses",   "cls",         "comment",  "com",          "cmt",      "comments",   "coms",
      "cmts",      "division",    "div",      "divisions",    "divs",     "foll",       "law",
      "page",      "p",           "pages",    "pp",           "paragraph", "par",       "paragraphs",
      "part",      "parts",       "pt",       "pts",          "section",  "sections",   "sec",
      "secs",      "subdivision", "subd",     "subdivisions", "subds",    "title",      "tit",
      "titles",    "tits",        "rule",     "rules"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

bool isSignalWord(std::string_view text) {
  if (text == "In") return true;
  const std::string word = db::stripBrackets(db::stripTrailing(db::lowerCase(text), true));
  static constexpr std::array<std::string_view, 9> kSignals = {"see",     "cf",      "accord",   "e.g",         "however",
                                                               "compare", "relying", "pursuant", "additionally"};
  return std::find(kSignals.begin(), kSignals.end(), word) != kSignals.end();
}

bool isNameParticle(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kParticles = {"a", "an", "the", "ex", "rel", "et", "al"};
  return std::find(kParticles.begin(), kParticles.end(), text) != kParticles.end();
}

bool isAllCapitals(std::string_view text) {
  // An empty word says nothing about numerals; real words are never empty.
  if (text.empty()) return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || c == ',' || c == '.'; });
}

bool isInReStart(const Paragraph& p, std::size_t cursor) {
  if (cursor >= p.end() || !p.tokens[cursor].isWord() || db::lowerCase(p.tokens[cursor].text) != "in") return false;
  std::size_t next = cursor + 1;
  while (next < p.end() && isJoiningBlank(p.tokens[next])) ++next;
  return next < p.end() && p.tokens[next].isWord() && db::lowerCase(p.tokens[next].text) == "re";
}

}  // namespace recognize::internal
