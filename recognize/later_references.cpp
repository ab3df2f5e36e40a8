// Where a later reference points: "Frias, supra" to the one case with that
// party, "LaFave, supra" to the one book or article by that author; an Id. not to a case cited inside another's "(citing ...)", nor past
// a source that is no authority (a record cite, a brief, a treatise). In: the
// paragraph at the reference and the run's table. Out: an occurrence, or a
// changed `previous`.
#include <cstddef>
#include <string>
#include <vector>

#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/other_authorities.h"
#include "recognize/internal/short_forms.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

std::string bareWord(const std::string& text) { return db::lowerCase(db::stripTrailing(text, true)); }

// The words of a filed case's name: its tokens before the volume.
std::vector<std::string> nameWords(const Citation& citation) {
  std::vector<std::string> words;
  for (const Token& token : citation.tokens) {
    if (token.nameStop) break;
    if (token.isWord() && !token.isSuperscript()) words.push_back(bareWord(token.text));
  }
  return words;
}

bool containsRun(const std::vector<std::string>& words, const std::vector<std::string>& run) {
  if (run.empty() || run.size() > words.size()) return false;
  for (std::size_t at = 0; at + run.size() <= words.size(); ++at) {
    std::size_t k = 0;
    while (k < run.size() && words[at + k] == run[k]) ++k;
    if (k == run.size()) return true;
  }
  return false;
}

bool startsCapital(const Token& token) { return token.isWord() && isCapitalStart(token.text, false); }

// Page of a record or brief: "45", "6a", "702-03", with punctuation after it.
bool isRecordPage(const std::string& text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i > from && i < text.size() && text[i] >= 'a' && text[i] <= 'z') ++i;
    return i > from;
  };
  if (!digits()) return false;
  if (i < text.size() && text[i] == '-') {
    ++i;
    if (!digits()) return false;
  }
  while (i < text.size() && (text[i] == '.' || text[i] == ',' || text[i] == ';' || text[i] == ':' || text[i] == ')'))
    ++i;
  return i == text.size();
}

// The next word over blanks, or end.
std::size_t wordAfter(const Paragraph& p, std::size_t i) {
  const std::size_t next = skipBlanks(p, i + 1);
  return next > i + 1 && next < p.end() && p.tokens[next].isWord() ? next : p.end();
}

}  // namespace

Citation* findCaseByParty(const CitationTable& table, const std::vector<std::string>& party, bool* ambiguous) {
  Citation* found = nullptr;
  if (ambiguous != nullptr) *ambiguous = false;
  for (const auto& owned : table.citations) {
    if (owned->kind != kCase || owned.get() == table.pending || !containsRun(nameWords(*owned), party)) continue;
    // Two cases with that party: the reference cannot be told apart.
    if (found != nullptr) {
      if (ambiguous != nullptr) *ambiguous = true;
      return nullptr;
    }
    found = owned.get();
  }
  return found;
}

bool recordSupraOccurrence(Paragraph& p, std::size_t& cursor) {
  const TokenList& tokens = p.tokens;
  // The party: the word with a comma before "supra", and the capitalised
  // words right before it ("Asset Foreclosure Servs., supra").
  std::size_t k = cursor;
  while (k > 0 && (tokens[k - 1].isBlank() || tokens[k - 1].isHardSpace())) --k;
  if (k == 0 || k == cursor || !startsCapital(tokens[k - 1]) || !tokens[k - 1].text.ends_with(',') ||
      takenElsewhere(tokens[k - 1]))
    return false;
  std::vector<std::size_t> words{k - 1};
  constexpr std::size_t kLongestParty = 6;
  for (std::size_t i = k - 1; i > 0 && words.size() < kLongestParty;) {
    std::size_t before = i;
    while (before > 0 && (tokens[before - 1].isBlank() || tokens[before - 1].isHardSpace())) --before;
    if (before == 0 || before == i) break;
    const Token& word = tokens[before - 1];
    const char last = word.isWord() ? word.text.back() : ',';
    if (!startsCapital(word) || takenElsewhere(word) || last == ',' || last == ';' || last == ':' ||
        isSignalWord(word.text) || word.text.starts_with('('))
      break;
    words.insert(words.begin(), before - 1);
    i = before - 1;
  }
  // The longest run of those words that some case holds decides; when more
  // than one case holds it, nothing is recorded.
  for (std::size_t from = 0; from < words.size(); ++from) {
    std::vector<std::string> party;
    for (std::size_t w = from; w < words.size(); ++w) party.push_back(bareWord(tokens[words[w]].text));
    bool ambiguous = false;
    Citation* found = findCaseByParty(p.table, party, &ambiguous);
    if (ambiguous) return false;
    // "LaFave, supra": a book or article by its author.
    if (found == nullptr) found = findOtherByAuthor(p.table, party);
    if (found == nullptr) continue;
    const std::size_t first = words[from];
    found->addOccurrence(tokens[first]);
    found->occurrenceGroups.emplace_back(tokens.begin() + static_cast<std::ptrdiff_t>(first),
                                         tokens.begin() + static_cast<std::ptrdiff_t>(cursor + 1));
    found->ids.push_back(p.table.count);
    found->noteNumbers.push_back(tokens[first].noteNumber);
    ++p.table.count;
    p.table.previous = found;
    for (std::size_t g = first; g <= cursor; ++g) p.setGrouped(g, 1);
    consumeShortFormTail(p, cursor);
    return true;
  }
  return false;
}

bool endsReachOfPrevious(Paragraph& p, std::size_t i) {
  const Token& token = p.tokens[i];
  if (!token.isWord() || takenElsewhere(token)) return false;
  // Every word of the text comes here: most are ruled out before anything is copied.
  const char head = token.text.front();
  const bool mayBeRecord = (head >= 'A' && head <= 'Z') || (head >= '0' && head <= '9') || head == '(' || head == 'e';
  if (!mayBeRecord || token.text.size() > 9) return false;
  if (isRecordCite(token.text)) return true;
  const std::string bare = db::stripBrackets(db::lowerCase(db::stripTrailing(token.text, true)));
  // An edition in a parenthetical: a book or treatise ("(3d ed. 2017)").
  if (bare == "ed" && i > 0) {
    for (std::size_t k = i; k-- > 0 && i - k < 4;)
      if (p.tokens[k].isWord() && p.tokens[k].text.starts_with('(')) return true;
  }
  // Record and brief cites: "Pet. App. 6a", "J.A. 45", "Opening Br. at 12",
  // "(AOB 12)", "2 ER 45", "RP 12".
  static const char* const kRecordWords[] = {"app", "j.a", "ja", "br", "brief", "er", "ser", "eor", "aob", "arb",
                                             "rb", "ob", "ct", "rt", "tr", "dkt", "ecf", "cp", "rp", "excerpts"};
  bool record = false;
  for (const char* word : kRecordWords) record = record || bare == word;
  if (!record || !startsCapital(token)) return false;
  std::size_t next = wordAfter(p, i);
  if (next < p.end() && (bare == "br" || bare == "brief") && bareWord(p.tokens[next].text) == "at")
    next = wordAfter(p, next);
  return next < p.end() && isRecordPage(p.tokens[next].text);
}

bool insideCitingParenthetical(const Paragraph& p, std::size_t at) {
  constexpr std::size_t kLookBack = 80;
  int depth = 0;
  for (std::size_t k = at; k-- > 0 && at - k <= kLookBack;) {
    const Token& token = p.tokens[k];
    if (!token.isWord()) continue;
    for (std::size_t c = token.text.size(); c-- > 0;) {
      if (token.text[c] == ')') ++depth;
      if (token.text[c] != '(') continue;
      if (depth > 0) {
        --depth;
        continue;
      }
      // The innermost parenthesis still open here.
      std::string word = bareWord(token.text.substr(c + 1));
      if (word.empty()) {
        const std::size_t next = wordAfter(p, k);
        if (next < p.end()) word = bareWord(p.tokens[next].text);
      }
      static const char* const kCiting[] = {"citing",     "quoting", "cited",      "overruled",  "abrogated",
                                            "superseded", "relying", "collecting", "disapproved"};
      for (const char* phrase : kCiting)
        if (word == phrase) return true;
      // "(as quoted in ...)"
      const std::size_t next = wordAfter(p, k);
      return word == "as" && next < p.end() && bareWord(p.tokens[next].text) == "quoted";
    }
  }
  return false;
}

}  // namespace recognize::internal
