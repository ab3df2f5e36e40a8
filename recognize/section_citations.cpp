// Reads the section part of a statutory citation (section sign or
// subdivision word, number, bracketed subdivisions, et seq.) into a citation,
// and turns a bare section sign into an occurrence of a statute already cited
// or into a new citation that borrows the code name of the statute before it.
#include "recognize/internal/section_citations.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "db/entry_name.h"
#include "db/entry_type_collection.h"
#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/filing.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {


// Bracketed groups longer than this are parentheticals about the statute,
// not subdivisions of the section.
constexpr std::size_t kLongestSubdivisionGroup = 20;

bool opensGroup(const Token& token) { return token.isWord() && !token.text.empty() && token.text.front() == '('; }
bool isSemicolon(const Token& token) { return token.isWord() && token.text == ";"; }

// A word that cannot continue a section number even when it stands right
// against it: the separators the tokenizer cuts out as words of their own.
bool endsNumber(const Token& token) { return token.text == ";" || token.text == "\""; }

bool isYear(std::string_view word) {
  if (word.size() != 4 || (word[0] != '1' && word[0] != '2')) return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Which bracketed groups after a section belong to it. A table lists each
// edition of a code as its own entry, so an edition ("(2012)", "(West
// 2012)", "(Supp. 2020)", "(2012 & Supp. V 2017)") joins the section like a
// subdivision ("(a)", "(43)", "(iii)"); a parenthetical that explains the
// citation ("(emphasis added)", "(citation omitted)", "(Count One)") or
// defines a term ('(the "ADA")') does not.
bool isSectionGroup(const std::string& group) {
  if (group.size() > kLongestSubdivisionGroup || group.find('"') != std::string::npos ||
      group.find(kOpeningQuoteText) != std::string::npos)
    return false;
  const std::string inner = db::stripBrackets(group);
  if (inner.empty()) return false;
  if (inner.find(' ') == std::string::npos && inner.size() <= 6) return true;
  bool year = false;
  std::size_t from = 0;
  while (from <= inner.size()) {
    std::size_t to = inner.find(' ', from);
    if (to == std::string::npos) to = inner.size();
    const std::string word = db::stripTrailing(inner.substr(from, to - from), true);
    from = to + 1;
    if (word.empty() || word == "&") continue;
    if (isYear(word)) {
      year = true;
    } else if (!(word.front() >= 'A' && word.front() <= 'Z')) {
      return false;  // "(amended 2015)", "(effective 2020)": prose about it
    }
  }
  return year;
}

bool trailingFiller(const Token& token) { return token.isBlank() || token.isSpecial() || isPunctuationWord(token); }

// The section reader of both forms; `checkReporter` runs the Bluebook test for
// words that are really a case reporter citation.
bool readSectionPart(Paragraph& p, std::size_t& cursor, Citation& citation, bool checkReporter) {
  TokenList& tokens = p.tokens;
  const std::size_t end = p.end();
  const std::size_t start = cursor;
  if (start >= end) return true;

  const MarkSnapshot marks(p);
  const std::size_t tokensBefore = citation.tokens.size();
  const std::size_t groupBefore = currentGroup(citation).size();
  // Paragraph index of every token this call appends to citation.tokens.
  std::vector<std::size_t> taken;
  auto take = [&](std::size_t i) {
    if (!tokens[i].isSuperscript()) taken.push_back(i);
    takeToken(citation, tokens[i]);
  };

  // Section signs, blanks and words such as "section" before the number.
  std::size_t i = start;
  while (i < end && (tokens[i].isBlank() || tokens[i].isSpecial() || (tokens[i].isWord() && isSubdivisionWord(p, i))))
    ++i;
  const std::size_t afterPrefix = i;

  // The number: words standing right against each other ("1983", "12-101.5"),
  // ended by a bracketed group ("(a)").
  std::string number;
  bool groupFound = false;
  while (i < end && tokens[i].isWord() && !tokens[i].isSuperscript() && !endsNumber(tokens[i])) {
    if (opensGroup(tokens[i])) {
      std::size_t g = i;
      const std::string text = collectGroup(p, g, '(', ')', nullptr);
      // A group still open at the paragraph's end is not part of the section.
      if (text.empty()) break;
      groupFound = true;
      if (number.empty()) number = text;
      i = g + 1;
      break;
    }
    number += tokens[i].text;
    ++i;
  }
  if (!groupFound && !isNumberWord(number, true, true)) i = afterPrefix;

  // The number is marked like the tail, so that no later reader takes it as
  // the title of the next code.
  for (std::size_t k = start; k < i; ++k) {
    take(k);
    p.setGrouped(k, 1);
  }
  while (i < end && (tokens[i].isBlank() || tokens[i].isHardSpace())) take(i++);

  bool reading = true;
  if (checkReporter && i < end && tokens[i].isWord()) {
    db::EntryName entry;
    const std::size_t covered = matchDictionaryName(p, i, entry);
    if (covered > 0 && entry.entry_type_id == db::kEntryTypeReporters) {
      const std::size_t after = skipBlanks(p, i + covered);
      if (after < end && tokens[after].isWord() && isNumberWord(tokens[after].text, false, false)) {
        marks.restore(start, end);
        return false;
      }
      reading = false;
    }
  }

  // The tail: further numbers, subdivision words and short bracketed groups.
  while (reading && i < end) {
    Token& token = tokens[i];
    if (isSemicolon(token)) break;
    if (opensGroup(token)) {
      std::size_t g = i;
      const std::string text = collectGroup(p, g, '(', ')', nullptr);
      if (text.empty()) break;
      if (!isSectionGroup(text)) {
        marks.restore(i, g + 1);
        break;
      }
      citation.key += text;
      for (std::size_t k = i; k <= g; ++k) {
        if (!tokens[k].isSuperscript()) {
          citation.tokens.push_back(tokens[k]);
          taken.push_back(k);
        }
        currentGroup(citation).push_back(tokens[k]);
      }
      i = g + 1;
      continue;
    }
    if (token.isSuperscript()) {
      currentGroup(citation).push_back(token);
      ++i;
      continue;
    }
    if (isStandingPeriod(token)) break;
    bool takeIt = token.isSpecial() || token.isBlank() || isPunctuationWord(token) || isSubdivisionWord(p, i);
    if (!takeIt && token.isWord() && isNumberWord(token.text, true, false) && !isRecordCite(token.text))
      takeIt = !numberOpensNextName(p, i);
    if (!takeIt) break;
    take(i);
    p.setGrouped(i, 1);
    ++i;
  }

  // Blanks, signs and punctuation at the end belong to the sentence, not the
  // section; the walk reads them again.
  while (citation.tokens.size() > tokensBefore && !taken.empty() && trailingFiller(citation.tokens.back())) {
    citation.tokens.pop_back();
    marks.restore(taken.back(), taken.back() + 1);
    taken.pop_back();
  }
  TokenList& group = currentGroup(citation);
  while (group.size() > groupBefore && trailingFiller(group.back())) group.pop_back();

  if (!taken.empty()) cursor = taken.back();
  return true;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool isAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// The first dictionary authority whose key holds `section` as a whole
// number: "1983" is found in "42u.s.c.1983(a)" but "1" and "983" are not, and
// a case key never owns a section.
Citation* findSectionOwner(const CitationTable& table, std::string_view section) {
  for (const auto& owned : table.citations) {
    if (owned->kind != kDictionaryAuthority) continue;
    const std::string& key = owned->key;
    for (std::size_t at = key.find(section); at != std::string::npos; at = key.find(section, at + 1)) {
      const bool openBefore = at == 0 || !isAlnum(key[at - 1]) || !isAlnum(section.front());
      const std::size_t after = at + section.size();
      const bool openAfter = after >= key.size() || !isAlnum(key[after]) || !isAlnum(section.back());
      if (openBefore && openAfter) return owned.get();
    }
  }
  return nullptr;
}

// Index of the last token of `previous`'s code name within its tokens: the
// words, joined by one blank where a blank stands, that spell its entry name.
// A name written in another form of the entry ("Gov. Code" for "Cal. Gov't
// Code") is found by asking the dictionary again.
bool findCodeNameEnd(Paragraph& p, const Citation& previous, std::size_t& nameEnd) {
  const std::string target = db::lowerCase(previous.entryName);
  if (target.empty()) return false;
  std::string collected;
  bool blankBefore = false;
  for (std::size_t k = 0; k < previous.tokens.size(); ++k) {
    const Token& token = previous.tokens[k];
    if (token.isBlank() || token.isHardSpace()) {
      blankBefore = !collected.empty();
      continue;
    }
    if (!token.isWord()) {
      collected.clear();
      blankBefore = false;
      continue;
    }
    const std::string word = db::lowerCase(db::stripTrailing(token.text, false));
    std::string candidate = collected.empty() ? word : collected + (blankBefore ? " " : "") + word;
    if (!startsWith(target, candidate)) candidate = startsWith(target, word) ? word : std::string();
    collected = candidate;
    blankBefore = false;
    if (!collected.empty() && collected == target) {
      nameEnd = k;
      return true;
    }
  }

  TokenList copy = previous.tokens;
  Paragraph again{copy, p.table, p.dictionary, p.citationForm};
  again.otherAuthorities = p.otherAuthorities;
  for (std::size_t k = 0; k < copy.size(); ++k) {
    if (!copy[k].isWord()) continue;
    db::EntryName entry;
    const std::size_t covered = matchDictionaryName(again, k, entry);
    if (covered > 0 && entry.name == previous.entryName) {
      nameEnd = k + covered - 1;
      return true;
    }
  }
  return false;
}

// Copies `previous`'s text up to and including its code name, the blanks
// after it and a bracketed group that opens right there, adding word texts
// to `key`.
void copyCodeName(const Citation& previous, std::size_t nameEnd, Citation& made, std::string& key) {
  const TokenList& from = previous.tokens;
  auto copy = [&](std::size_t k) {
    made.tokens.push_back(from[k]);
    if (from[k].isWord()) key += from[k].text;
  };
  for (std::size_t k = 0; k <= nameEnd && k < from.size(); ++k) copy(k);
  std::size_t k = nameEnd + 1;
  while (k < from.size() && (from[k].isBlank() || from[k].isHardSpace())) copy(k++);
  if (k >= from.size() || !from[k].isWord() || from[k].text.empty() || from[k].text.front() != '(') return;
  int depth = 0;
  for (std::size_t g = k; g < from.size(); ++g) {
    if (from[g].isWord()) {
      for (char c : from[g].text) depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    }
    if (depth <= 0) {
      for (std::size_t c = k; c <= g; ++c) copy(c);
      return;
    }
  }
}

// Words that may stand capitalised before a bare section sign in a
// sentence without naming a source ("The § 1983 claim", "Under § 5").
bool isProseWord(const std::string& bare) {
  static const char* const kWords[] = {
      "the",     "a",       "an",       "and",       "or",      "but",       "under",     "this",    "that",
      "these",   "those",   "its",      "their",     "each",    "every",     "any",       "no",      "both",
      "unlike",  "like",    "with",     "also",      "thus",    "here",      "as",        "by",      "for",
      "from",    "of",      "to",       "on",        "because", "so",        "then",      "only",    "former",
      "new",     "while",   "after",    "before",    "whether", "although",  "if",        "when",    "where",
      "unless",  "once",    "how",      "what",      "why",     "nor",       "not",       "yet",     "even",
      "since",   "indeed",  "moreover", "therefore", "instead", "rather",    "finally",   "first",   "second",
      "third",   "further", "likewise", "similarly", "nothing", "neither",   "accordingly"};
  for (const char* word : kWords) {
    if (bare == word) return true;
  }
  return false;
}

bool unknownNameBefore(const Paragraph& p, std::size_t sign) {
  std::size_t k = sign;
  while (k > 0 && (p.tokens[k - 1].isBlank() || p.tokens[k - 1].isHardSpace())) --k;
  if (k == 0 || k == sign) return false;
  const Token& word = p.tokens[k - 1];
  if (!word.isWord() || takenElsewhere(word) || word.isSuperscript()) return false;
  const char last = word.text.back();
  if (last == ',' || last == ';' || last == ':' || last == '\'') return false;
  if (!isCapitalStart(word.text, false) || isSignalWord(word.text)) return false;
  const std::string bare = db::lowerCase(db::stripTrailing(word.text, true));
  if (bare.size() >= 2 && bare.compare(bare.size() - 2, 2, "'s") == 0) return false;
  return !isProseWord(bare) && bare != "id" && bare != "ibid";
}

}  // namespace

bool readSection(Paragraph& p, std::size_t& cursor, Citation& citation) {
  return readSectionPart(p, cursor, citation, p.citationForm != kCalifornia);
}

void recognizeSectionSign(Paragraph& p, std::size_t& cursor) {
  if (cursor >= p.end() || !p.tokens[cursor].isSectionSign()) return;
  CitationTable& table = p.table;
  const std::size_t remembered = cursor;
  // The sign belongs to a name the dictionary does not know ("Sentencing
  // Guidelines § 4B1.2", "Restatement (Second) of Torts § 402A"): giving it
  // to the code cited before would file a section that code does not have.
  // That source also ends the reach of the citation before it.
  if (unknownNameBefore(p, cursor)) {
    table.previous = nullptr;
    return;
  }
  const MarkSnapshot marks(p);
  p.tokens[remembered].used = 1;

  Citation scratch;
  scratch.occurrenceGroups.emplace_back();
  std::size_t read = cursor;
  const bool accepted = readSection(p, read, scratch);
  scratch.kind = kDictionaryAuthority;
  scratch.key = normaliseKey(scratch.key, kDictionaryAuthority);

  auto giveUp = [&] {
    marks.restore(remembered, p.end());
    p.tokens[remembered].used = 0;
  };
  if (!accepted || scratch.key.empty() || scratch.tokens.empty()) {
    giveUp();
    return;
  }
  const Token sign = p.tokens[remembered];

  Citation* owner = findSectionOwner(table, scratch.key);
  if (owner == nullptr) owner = findCitedSection(p, scratch.key);
  if (owner != nullptr) {
    owner->addOccurrence(sign);
    owner->occurrenceGroups.push_back(scratch.occurrenceGroups.back());
    owner->ids.push_back(table.count);
    owner->noteNumbers.push_back(sign.noteNumber);
    ++table.count;
    table.previous = owner;
    cursor = read;
    return;
  }

  Citation* previous = table.previous;
  std::size_t nameEnd = 0;
  // Without a statute just before it, a bare section sign names nothing we
  // can tell; so does one after a statute whose code name cannot be found in
  // its text again.
  if (previous == nullptr || previous->kind != kDictionaryAuthority || !table.contains(previous) ||
      !findCodeNameEnd(p, *previous, nameEnd)) {
    giveUp();
    return;
  }
  Citation* made = table.newCitation();
  if (made == nullptr) {
    giveUp();
    return;
  }
  std::string key;
  copyCodeName(*previous, nameEnd, *made, key);
  for (const Token& token : scratch.tokens) {
    made->tokens.push_back(token);
    if (token.isWord()) key += token.text;
  }
  made->occurrenceGroups.push_back(scratch.occurrenceGroups.back());
  made->kind = kDictionaryAuthority;
  made->key = normaliseKey(key, kDictionaryAuthority);
  trimTokens(made->tokens);
  // No dictionary entry stands behind a bare section sign.
  made->jurisdiction = 0;
  // It cites a section of the code just named, so it sits with that code.
  made->group = previous->group;
  made->addOccurrence(sign);
  made->noteNumbers.push_back(sign.noteNumber);
  ++table.count;
  made->entryName = previous->entryName;
  table.previous = made;
  if (table.pending == made) table.pending = nullptr;
  marks.restore(remembered, read + 1);
  cursor = read;
}

}  // namespace recognize::internal
