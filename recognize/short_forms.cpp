// References back to an authority already in the table. In: the paragraph's
// tokens at an Id./ibid. word or at an underlined or italic run. Out: a further
// occurrence of a citation already filed (never a new citation), and the
// used/nameRun/grouped marks on the tokens read. Also turns a case's name into
// the short-form key that italic or underlined names are looked up by.
#include "recognize/internal/short_forms.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "db/entry_name.h"
#include "db/entry_type_collection.h"
#include "db/text.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

bool isEmphasised(const Token& token) { return token.attribute(kUnderline) || token.attribute(kItalic); }

bool isVersus(const Token& token) { return token.isWord() && (token.text == "v." || token.text == "v"); }

// True when the bare number at `i` is the title number of a code, rule or
// numbered authority that follows it ("Id. at 5; 42 U.S.C. § 1983"): the tail
// must leave it to that citation. A number before a case reporter stays in
// the tail, since "Smith, 123 U.S. at 460" is the short form itself.
bool numberOpensAuthority(Paragraph& p, std::size_t i) {
  const std::string& text = p.tokens[i].text;
  if (text.empty() || text.back() == ',' || text.back() == ';' || text.back() == ':' || text.back() == '.') {
    return false;
  }
  std::size_t next = i + 1;
  while (next < p.end() && (p.tokens[next].isBlank() || p.tokens[next].isHardSpace())) ++next;
  if (next == i + 1 || next >= p.end() || !p.tokens[next].isWord()) return false;
  db::EntryName entry;
  if (matchDictionaryName(p, next, entry) == 0) return false;
  return entry.entry_type_id != db::kEntryTypeReporters && entry.entry_type_id != db::kEntryTypeCaseSources;
}

// Pinpoint words that a short form's tail steps over: numbers, "at",
// "supra", blanks and inner punctuation.
bool isTailWord(Paragraph& p, std::size_t i) {
  const Token& token = p.tokens[i];
  if (token.isBlank() || token.isHardSpace()) return true;
  if (!token.isWord()) return false;
  if (isNumberWord(token.text, false, false)) return !numberOpensAuthority(p, i);
  // "Smith, supra, 123 U.S. at 460": without supra the tail would stop short
  // and the reporter would count the same reference a second time.
  const std::string bare = db::stripTrailing(db::lowerCase(token.text), true);
  if (token.text == "at" || bare == "supra") return true;
  // A final period or semicolon closes the sentence rather than the pinpoint.
  return !token.text.empty() && db::isPunctuationOnly(token.text) && i + 1 < p.end();
}

// One underlined or italic run and what it says about itself.
struct NameRun {
  std::size_t first = 0;
  std::size_t last = 0;  // inclusive
  bool capitalised = false;
  bool holdsVersus = false;
  std::vector<std::string> words;
};

// Collects the emphasised tokens from `first` on, marking them used and
// nameRun. A token another run or short form already took ends the run, so
// that no token is taken twice. `first` must be an emphasised token.
NameRun collectRun(Paragraph& p, std::size_t first) {
  NameRun run;
  run.first = first;
  run.last = first;
  bool decided = false;
  for (std::size_t i = first; i < p.end() && isEmphasised(p.tokens[i]); ++i) {
    Token& token = p.tokens[i];
    if (i != first && (token.used || token.nameRun)) break;
    token.used = 1;
    token.nameRun = 1;
    run.last = i;
    if (!token.isWord()) continue;
    if (isVersus(token)) run.holdsVersus = true;
    if (!decided) {
      // Initials and single letters say nothing about the run.
      const std::string bare = db::stripTrailing(token.text, true);
      if (bare.size() <= 1) continue;
      decided = true;
      run.capitalised = bare.front() >= 'A' && bare.front() <= 'Z';
    }
    if (run.capitalised) run.words.push_back(token.text);
  }
  return run;
}

void clearRunMarks(Paragraph& p, const NameRun& run, bool keepNameRun) {
  for (std::size_t i = run.first; i <= run.last && i < p.end(); ++i) {
    p.tokens[i].used = 0;
    if (!keepNameRun) p.tokens[i].nameRun = 0;
  }
}

// The first word after the run over blanks and special characters, or end().
std::size_t nextWord(const Paragraph& p, std::size_t i) {
  while (i < p.end() && !p.tokens[i].isWord()) ++i;
  return i;
}

}  // namespace

void recordIdOccurrence(Paragraph& p, std::size_t& cursor) {
  if (cursor >= p.end()) return;
  Citation* previous = p.table.previous;
  if (previous == nullptr) return;
  const Token& id = p.tokens[cursor];
  previous->addOccurrence(id);
  previous->occurrenceGroups.push_back(TokenList{id});
  previous->ids.push_back(p.table.count);
  previous->noteNumbers.push_back(id.noteNumber);
  ++p.table.count;
  // The Id. word belongs to this occurrence; marking it keeps a case name
  // read backwards from a later volume from starting with it.
  p.setGrouped(cursor, 1);
  consumeShortFormTail(p, cursor);
  if (cursor < p.end()) p.setGrouped(cursor, 1);
}

void recordNameRunOccurrence(Paragraph& p, std::size_t& cursor) {
  if (cursor >= p.end()) return;
  const Token& start = p.tokens[cursor];
  if (!isEmphasised(start) || start.used || start.nameRun) return;

  NameRun run = collectRun(p, cursor);
  // "Smith v. Jones" names a case in full, whether "v." is emphasised with
  // the parties or stands between two runs; it is never a short form. Its
  // runs keep their nameRun marks so that the second party is not tried on
  // its own when the walk reaches it.
  bool fullName = run.holdsVersus;
  NameRun second;
  bool hasSecond = false;
  const std::size_t after = nextWord(p, run.last + 1);
  if (!fullName && after < p.end() && isVersus(p.tokens[after])) {
    fullName = true;
    const std::size_t party = nextWord(p, after + 1);
    if (party < p.end() && isEmphasised(p.tokens[party]) && !p.tokens[party].used && !p.tokens[party].nameRun) {
      second = collectRun(p, party);
      hasSecond = true;
    }
  }
  if (fullName) {
    clearRunMarks(p, run, true);
    if (hasSecond) clearRunMarks(p, second, true);
    return;
  }
  if (!run.capitalised || run.words.empty()) {
    clearRunMarks(p, run, false);
    return;
  }

  // "Frias, supra" names a party: with two cases of that party the table
  // cannot tell which is meant, so nothing is recorded rather than the first.
  std::size_t supra = run.last + 1;
  while (supra < p.end() && (!p.tokens[supra].isWord() || db::isPunctuationOnly(p.tokens[supra].text))) ++supra;
  Citation* found = nullptr;
  bool ambiguous = false;
  if (supra < p.end() && db::lowerCase(db::stripTrailing(p.tokens[supra].text, true)) == "supra") {
    std::vector<std::string> party;
    for (const std::string& word : run.words) party.push_back(db::lowerCase(db::stripTrailing(word, true)));
    found = findCaseByParty(p.table, party, &ambiguous);
  }
  if (found == nullptr && !ambiguous) found = p.table.findByShortName(run.words);
  if (found == nullptr) {
    // The walk reads these tokens normally, but no later token of the run
    // starts another attempt.
    clearRunMarks(p, run, true);
    return;
  }
  const Token& first = p.tokens[run.first];
  found->addOccurrence(first);
  found->occurrenceGroups.emplace_back(p.tokens.begin() + static_cast<std::ptrdiff_t>(run.first),
                                       p.tokens.begin() + static_cast<std::ptrdiff_t>(run.last + 1));
  found->ids.push_back(p.table.count);
  found->noteNumbers.push_back(first.noteNumber);
  ++p.table.count;
  p.table.previous = found;
  cursor = run.last;
  consumeShortFormTail(p, cursor);
}

void consumeShortFormTail(Paragraph& p, std::size_t& cursor) {
  std::size_t i = cursor + 1;
  while (i < p.end()) {
    // Punctuation and blanks begin no name; asking would only cost lookups.
    const bool mayStartName = p.tokens[i].isWord() && !db::isPunctuationOnly(p.tokens[i].text);
    db::EntryName entry;
    const std::size_t reporter = mayStartName ? matchDictionaryName(p, i, entry) : 0;
    if (reporter > 0 && entry.entry_type_id == db::kEntryTypeReporters) {
      const std::size_t stop = std::min(i + reporter, p.end());
      for (; i < stop; ++i) p.setGrouped(i, 1);
      cursor = stop - 1;
      continue;
    }
    const std::size_t phrase = mayStartName ? matchHistoryPhrase(p, i) : 0;
    if (phrase > 0) {
      const std::size_t stop = std::min(i + phrase, p.end());
      for (; i < stop; ++i) p.setGrouped(i, 1);
      cursor = stop - 1;
      // A parenthetical right after the phrase ("aff'd (mem.)") belongs to it.
      std::size_t group = i;
      while (group < p.end() && (p.tokens[group].isBlank() || p.tokens[group].isHardSpace())) ++group;
      if (group < p.end() && p.tokens[group].isWord()) {
        std::size_t close = group;
        if (!collectGroup(p, close, '(', ')', nullptr).empty()) {
          for (std::size_t g = i; g <= close; ++g) p.setGrouped(g, 1);
          cursor = close;
          i = close + 1;
        }
      }
      continue;
    }
    if (!isTailWord(p, i)) return;
    p.setGrouped(i, 1);
    cursor = i;
    ++i;
  }
}

void deriveShortFormKey(Citation& citation) {
  std::string name = db::stripTrailingBlanks(citation.shortName);
  const std::size_t blank = name.rfind(' ');
  const std::string lastWord = blank == std::string::npos ? name : name.substr(blank + 1);
  bool digitsOnly = !lastWord.empty();
  for (char c : lastWord) digitsOnly = digitsOnly && c >= '0' && c <= '9';
  if (digitsOnly) name = blank == std::string::npos ? std::string() : name.substr(0, blank);
  std::string key;
  key.reserve(name.size());
  for (char c : name) {
    if (c != '.' && c != ',' && c != '(' && c != ')' && c != ' ') key += c;
  }
  citation.shortName = db::lowerCase(key);
}

}  // namespace recognize::internal
