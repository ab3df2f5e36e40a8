// Files a recognised citation into the run's table: merged into the citation
// it repeats, or kept as a new one with its tokens trimmed and its key
// normalised. Also holds the run's abbreviation context.
#include <algorithm>
#include <atomic>
#include <vector>

#include "db/text.h"
#include "recognize/internal/filing.h"
#include "recognize/recognizer.h"

namespace recognize::internal {
namespace {

std::atomic<const db::AbbreviationCollection*> contextAbbreviations{nullptr};
std::atomic<bool> contextExpand{false};

bool startsWith(const std::string& text, char c) { return !text.empty() && text.front() == c; }
bool endsWith(const std::string& text, char c) { return !text.empty() && text.back() == c; }

// Blanks, empty texts and words made only of ".", "," and ";".
bool isLooseEnd(const Token& token) {
  return token.isBlank() || token.text.empty() || (token.isWord() && db::isPunctuationOnly(token.text));
}

void eraseFront(TokenList& tokens, std::size_t count) {
  tokens.erase(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(std::min(count, tokens.size())));
}

void removeQuotedLead(TokenList& tokens) {
  bool open = false;
  std::size_t firstStraight = tokens.size();
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (token.isSpecial() && token.text == kOpeningQuoteText) break;
    if (token.isSpecial() && token.text == kClosingQuoteText) {
      // The citation began inside a quotation that ends here.
      eraseFront(tokens, i + 1);
      return;
    }
    if (token.isWord() && token.text == "\"") {
      open = !open;
      if (firstStraight == tokens.size()) firstStraight = i;
    }
  }
  if (open) eraseFront(tokens, firstStraight + 1);
}

template <typename Drop>
void trimEnds(TokenList& tokens, Drop drop) {
  while (!tokens.empty() && drop(tokens.back())) tokens.pop_back();
  std::size_t front = 0;
  while (front < tokens.size() && drop(tokens[front])) ++front;
  eraseFront(tokens, front);
}

void balanceTokenParentheses(TokenList& tokens) {
  std::vector<std::size_t> open;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    Token& token = tokens[i];
    if (!token.isWord()) continue;
    if (startsWith(token.text, '(')) open.push_back(i);
    if (endsWith(token.text, ')')) {
      if (open.empty()) {
        token.text.pop_back();
      } else {
        open.pop_back();
      }
    }
  }
  for (std::size_t i : open) {
    if (startsWith(tokens[i].text, '(')) tokens[i].text.erase(0, 1);
  }
}

// True when the "(" at the very start is closed only by the ")" at the very
// end of the joined words.
bool outerPairEnclosesAll(const std::vector<const std::string*>& texts) {
  int depth = 0;
  std::size_t seen = 0;
  std::size_t total = 0;
  for (const std::string* text : texts) total += text->size();
  for (const std::string* text : texts) {
    for (char c : *text) {
      ++seen;
      if (c == '(') ++depth;
      if (c == ')' && --depth == 0 && seen < total) return false;
    }
  }
  return true;
}

void stripOuterParentheses(TokenList& tokens) {
  if (tokens.empty()) return;
  Token& first = tokens.front();
  Token& last = tokens.back();
  if (!first.isWord() || !last.isWord() || !startsWith(first.text, '(') || !endsWith(last.text, ')')) return;
  if (&first == &last && first.text.size() < 2) return;
  std::vector<const std::string*> texts;
  for (const Token& token : tokens) {
    if (token.isWord()) texts.push_back(&token.text);
  }
  if (!outerPairEnclosesAll(texts)) return;
  first.text.erase(0, 1);
  last.text.pop_back();
}

}  // namespace

void trimTokens(TokenList& tokens) {
  removeQuotedLead(tokens);
  trimEnds(tokens, isLooseEnd);
  if (!tokens.empty() && tokens.back().isWord()) tokens.back().text = db::stripTrailing(tokens.back().text, true);
  balanceTokenParentheses(tokens);
  const auto isEmpty = [](const Token& token) { return token.text.empty(); };
  trimEnds(tokens, isEmpty);
  stripOuterParentheses(tokens);
  // "(a)" alone becomes empty; an empty first token would carry no text.
  trimEnds(tokens, isEmpty);
  if (tokens.size() >= 2 && tokens.front().isSpecial() && tokens.front().text == kOpeningQuoteText &&
      tokens.back().isSpecial() && tokens.back().text == kClosingQuoteText) {
    tokens.pop_back();
    eraseFront(tokens, 1);
  }
}

std::string normaliseKey(std::string_view key, int kind) {
  std::string text = db::lowerCase(key);
  if (kind == kDictionaryAuthority) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (static_cast<unsigned char>(text[i]) == 0xFF) {
        i += 2;  // the special character's two bytes go with it
        continue;
      }
      if (text[i] != ' ') kept += text[i];
    }
    text = db::stripTrailing(kept, true);
  }
  text = db::stripTrailing(text, false);

  std::string balanced;
  std::vector<std::size_t> open;  // positions in balanced
  for (char c : text) {
    if (c == ')') {
      if (open.empty()) continue;
      open.pop_back();
    } else if (c == '(') {
      open.push_back(balanced.size());
    }
    balanced += c;
  }
  for (auto at = open.rbegin(); at != open.rend(); ++at) balanced.erase(*at, 1);

  if (balanced.size() > 1 && balanced.front() == '(' && balanced.back() == ')' &&
      outerPairEnclosesAll({&balanced})) {
    balanced = balanced.substr(1, balanced.size() - 2);
  }
  constexpr std::size_t kKeyLimit = 200;
  if (balanced.size() > kKeyLimit) balanced.erase(0, balanced.size() - kKeyLimit);
  return balanced;
}

void mergeOccurrence(CitationTable& table, Citation& target, const Citation& from) {
  if (from.tokens.empty()) return;
  const Token& first = from.tokens.front();
  target.addOccurrence(first);
  target.occurrenceGroups.push_back(from.occurrenceGroups.empty() ? TokenList{} : from.occurrenceGroups.back());
  target.ids.push_back(from.ids.empty() ? table.count : from.ids.front());
  target.noteNumbers.push_back(first.noteNumber);
  ++table.count;
  table.previous = &target;
}

namespace {

// Destroys a citation that will not be kept, whether or not it is still the
// table's pending one.
void discard(CitationTable& table, Citation& citation) {
  if (table.pending == &citation) {
    table.dropPending();
  } else {
    table.remove(&citation);
  }
}

}  // namespace

void fileAuthority(Paragraph& p, Citation& citation, const db::EntryName& entry, KeyLookup lookup) {
  CitationTable& table = p.table;
  citation.kind = kDictionaryAuthority;
  citation.key = normaliseKey(citation.key, kDictionaryAuthority);
  Citation* existing = lookup == KeyLookup::ByKey ? table.findByKey(citation.key) : table.findMatching(citation);
  if (existing == &citation) existing = nullptr;
  if (existing != nullptr) {
    mergeOccurrence(table, *existing, citation);
    discard(table, citation);
    return;
  }
  trimTokens(citation.tokens);
  if (citation.tokens.empty()) {
    // Nothing printable is left; record nothing rather than a blank entry.
    discard(table, citation);
    return;
  }
  if (entry.entry_type_id != db::kEntryTypeNumberedAuthorities) citation.jurisdiction = entry.jurisdiction;
  citation.group = entry.group;
  const Token& first = citation.tokens.front();
  citation.addOccurrence(first);
  citation.ids.push_back(table.count);
  citation.noteNumbers.push_back(first.noteNumber);
  ++table.count;
  citation.entryName = entry.name;
  table.previous = &citation;
  if (table.pending == &citation) table.pending = nullptr;
}

const db::AbbreviationCollection* abbreviationsForExpansion() {
  return contextExpand.load() ? contextAbbreviations.load() : nullptr;
}

}  // namespace recognize::internal

namespace recognize {

void setAbbreviationContext(const db::AbbreviationCollection* abbreviations, bool expand) {
  internal::contextAbbreviations.store(abbreviations);
  internal::contextExpand.store(expand);
}

}  // namespace recognize
