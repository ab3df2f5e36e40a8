// Case names: reads the party names that stand before a volume number
// backwards, strips introductory signals from their front, and builds the
// short name by which short forms find the case later.
// In: a paragraph's tokens and the citation being read. Out: name tokens at
// the front of citation.tokens, the "No." of a docket marked nameStop, and
// citation.shortName.

#include <cstddef>
#include <string>
#include <vector>

#include "db/abbreviation_collection.h"
#include "db/text.h"
#include "recognize/internal/case_citations.h"
#include "recognize/internal/case_name_runs.h"
#include "recognize/internal/filing.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

// Footnote marks are not part of the words of a name.
bool isNameWordToken(const Token& token) { return token.isWord() && !token.isSuperscript(); }

// A token that ends the whole backward reading wherever it stands in a run.
bool endsNameReading(const Paragraph& p, std::size_t index) {
  const Token& token = p.tokens[index];
  if (token.grouped) return true;
  if (token.text == ";") return true;
  if (!token.text.empty() && token.text.back() == ':') return true;
  return isSignalWord(token.text) && !isInReStart(p, index);
}

// The token at `index` of `tokens` is "in" and the next word over blanks is "re".
bool startsInRe(const TokenList& tokens, std::size_t index) {
  if (db::lowerCase(db::stripTrailing(tokens[index].text, true)) != "in") return false;
  for (std::size_t next = index + 1; next < tokens.size(); ++next) {
    if (tokens[next].isBlank() || tokens[next].isHardSpace()) continue;
    return tokens[next].isWord() && db::lowerCase(db::stripTrailing(tokens[next].text, true)) == "re";
  }
  return false;
}

bool isLeadingSignal(const std::string& word) {
  static const char* const kSignals[] = {"e.g",      "accord",  "see",       "also",    "cf",
                                         "compare",  "contra",  "but",       "generally", "however",
                                         "similarly", "finally", "further"};
  for (const char* signal : kSignals) {
    if (word == signal) return true;
  }
  return false;
}

// The word as the short name writes it: its long form when the run expands
// abbreviations and the word (without trailing ",;:") has exactly one.
std::string expandedWord(const std::string& word) {
  const db::AbbreviationCollection* abbreviations = abbreviationsForExpansion();
  if (abbreviations == nullptr) return word;
  const std::string name = db::stripTrailing(word, false);
  const db::Abbreviation* abbreviation = abbreviations->find(name);
  if (abbreviation == nullptr || abbreviation->longForms.size() != 1) return word;
  std::string expanded = abbreviation->longForms[0].value;
  if (name.size() < word.size()) expanded += word.back();
  return expanded;
}

}  // namespace

NameRunClass classifyNameRun(const Paragraph& p, std::size_t first, std::size_t end, bool numbersAllowed) {
  std::string joined;
  for (std::size_t i = first; i < end; ++i) joined += p.tokens[i].text;
  const Token& head = p.tokens[first];
  // "supra" stands between a short name and its volume ("Smith, supra, 50
  // Cal.3d at p. 110"); reading on over it finds the name.
  if (db::lowerCase(db::stripTrailing(joined, true)) == "supra") return NameRunClass::kName;
  // A number with a full stop ends the sentence before the name ("... H.L.
  // 330. Carlill v. ..."); no party's name holds one.
  if (joined.size() > 1 && joined.back() == '.' &&
      joined.find_first_not_of("0123456789") == joined.size() - 1) {
    return NameRunClass::kStop;
  }
  if (isCapitalStart(head.text, true) || isCapitalSpecial(head) || (end - first == 1 && isSubdivisionWord(p, first)) ||
      isNameParticle(joined) || isCapitalStart(joined, false) || joined == "v." || joined == "v") {
    return NameRunClass::kName;
  }
  const bool number = isNumberWord(joined, false, false);
  if ((number && !numbersAllowed) || (joined.size() > 5 && !number)) return NameRunClass::kStop;
  return NameRunClass::kShort;
}

void collectCaseName(Paragraph& p, std::size_t cursor, Citation& citation, bool numbersAllowed) {
  const TokenList& tokens = p.tokens;
  if (cursor > tokens.size()) cursor = tokens.size();
  std::size_t from = cursor;  // the first token taken into the name
  std::size_t position = cursor;
  bool lastWasName = false;
  bool firstRun = true;
  while (position > 0) {
    std::size_t runEnd = position;
    while (runEnd > 0 && !isNameWordToken(tokens[runEnd - 1])) --runEnd;
    if (runEnd == 0) break;
    std::size_t runBegin = runEnd - 1;
    while (runBegin > 0 && isNameWordToken(tokens[runBegin - 1])) --runBegin;

    bool ended = false;
    for (std::size_t i = runEnd; i-- > runBegin;) {
      if (!endsNameReading(p, i)) continue;
      if (i + 1 < runEnd) from = i + 1;
      ended = true;
      break;
    }
    if (ended) break;

    const NameRunClass kind = classifyNameRun(p, runBegin, runEnd, numbersAllowed);
    if (firstRun && runEnd - runBegin == 1 && tokens[runBegin].text == "No.") p.setNameStop(runBegin, 1);
    firstRun = false;
    from = runBegin;
    position = runBegin;
    if (kind == NameRunClass::kName) {
      lastWasName = true;
      continue;
    }
    if (kind == NameRunClass::kShort && lastWasName) {
      lastWasName = false;
      continue;
    }
    break;  // the ending run is taken too; the trimming below drops it
  }

  // Insert in document order; a footnote mark inside a name is not printed.
  std::vector<std::size_t> taken;
  for (std::size_t i = from; i < cursor; ++i) {
    if (!tokens[i].isSuperscript()) taken.push_back(i);
  }
  std::size_t drop = 0;
  for (; drop < taken.size(); ++drop) {
    const Token& token = tokens[taken[drop]];
    if (token.isBlank()) continue;
    if (token.isSpecial()) {
      if (isCapitalSpecial(token)) break;
      continue;
    }
    if (isSignalWord(token.text) && !isInReStart(p, taken[drop])) continue;
    if (!isCapitalStart(token.text, true) && !isCapitalSpecial(token)) continue;
    if (!token.text.empty() && token.text.back() == ':') continue;
    break;
  }
  TokenList name;
  name.reserve(taken.size() - drop);
  for (std::size_t i = drop; i < taken.size(); ++i) name.push_back(tokens[taken[i]]);
  citation.tokens.insert(citation.tokens.begin(), name.begin(), name.end());
}

void stripLeadingSignals(Citation& citation) {
  TokenList& tokens = citation.tokens;
  std::size_t drop = 0;
  for (; drop < tokens.size(); ++drop) {
    const Token& token = tokens[drop];
    if (token.isSpecial()) break;
    if (token.isBlank()) continue;
    const std::string word = db::stripBrackets(db::lowerCase(db::stripTrailing(token.text, true)));
    if (isLeadingSignal(word)) continue;
    if (word == "in" && !startsInRe(tokens, drop)) continue;
    // Beyond the signal list: "and" is a small word the name reader keeps
    // inside names ("Board and Council"), but no case name begins with it, so
    // "And State v. Frias" files "State v. Frias".
    if (word == "and") continue;
    break;
  }
  tokens.erase(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(drop));
}

void buildShortName(Citation& citation) {
  std::string name;
  for (const Token& token : citation.tokens) {
    if (token.nameStop) break;
    if (token.isBlank() || token.isHardSpace()) {
      name += ' ';
      continue;
    }
    // A grouped token here is a year parenthetical before the volume, not a name word.
    if (token.isSpecial() || token.isSuperscript() || token.grouped) continue;
    const std::string bare = db::lowerCase(db::stripTrailing(token.text, true));
    if (bare == "supra" || bare == "at") continue;
    name += expandedWord(token.text);
  }
  citation.shortName = name;
}

}  // namespace recognize::internal
