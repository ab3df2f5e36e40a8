// Case citations, read outwards from the reporter name. In: a paragraph's
// tokens with the cursor on a reporter, and the pending citation. Out: the
// citation's tokens, key, short name and first occurrence group; later
// citations after a history phrase filed on their own; a reporter short form
// ("Smith, 123 U.S. at 460") filed as an occurrence of the case it names.

#include "recognize/internal/case_citations.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "db/entry_name.h"
#include "db/text.h"
#include "recognize/internal/filing.h"
#include "recognize/internal/reporter_forms.h"
#include "recognize/internal/short_forms.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

// How far past a subsequent-history phrase such as "aff'd sub nom." the
// reader looks for the reporter of the citation it introduces.
constexpr std::size_t kHistoryNameScan = 40;

bool isGap(const Token& token) { return token.isBlank() || token.isHardSpace(); }

std::size_t skipGaps(const TokenList& tokens, std::size_t i) {
  while (i < tokens.size() && isGap(tokens[i])) ++i;
  return i;
}

bool startsGroup(const Token& token) { return token.isWord() && !token.text.empty() && token.text.front() == '('; }

std::string bareLower(const std::string& text) { return db::lowerCase(db::stripTrailing(text, true)); }

// True when a case reporter (dictionary type 1 or 3) that passes the capital
// test starts at `i`; `covered` receives its token count.
bool reporterStartsAt(Paragraph& p, std::size_t i, std::size_t& covered) {
  covered = 0;
  if (i >= p.end() || !p.tokens[i].isWord() || p.tokens[i].grouped) return false;
  db::EntryName entry;
  const std::size_t length = matchDictionaryName(p, i, entry);
  if (length == 0 || (entry.entry_type_id != 1 && entry.entry_type_id != 3)) return false;
  if (!isCapitalStart(p.tokens[i].text, true)) return false;
  covered = std::min(length, p.end() - i);
  return true;
}

bool dictionaryNameStartsAt(Paragraph& p, std::size_t i) {
  if (i >= p.end() || !p.tokens[i].isWord()) return false;
  db::EntryName entry;
  return matchDictionaryName(p, i, entry) > 0 && isCapitalStart(p.tokens[i].text, true);
}

// A page written as the last word of an enclosing parenthetical, "1)", is a
// page all the same; its ")" closes the parenthetical, not the citation.
bool closesOuterGroup(const std::string& text) {
  return !text.empty() && text.back() == ')' && text.find('(') == std::string::npos;
}

// A page or pinpoint number that ends the citation: "8)" closes the
// parenthetical it stands in, "456." the sentence.
bool endsCitation(const std::string& text) {
  return closesOuterGroup(text) || (!text.empty() && text.back() == '.');
}

std::string pageText(const std::string& text, bool california) {
  std::string page = california ? db::stripBrackets(text) : text;
  if (closesOuterGroup(page)) {
    while (!page.empty() && page.back() == ')') page.pop_back();
  }
  return page;
}

// A volume number stands bare before its reporter: "546." ends a sentence
// and "546," a list, and neither is the volume of a word that follows.
bool isVolumeWord(const Token& token) {
  if (!token.isWord() || token.grouped || token.isSuperscript() || token.text.empty()) return false;
  const char last = token.text.back();
  if (last == '.' || last == ',' || last == ';' || last == ':') return false;
  return isNumberWord(token.text, false, false);
}

bool isPageWord(const Token& token, bool california) {
  return token.isWord() && !token.grouped && isNumberWord(pageText(token.text, california), false, false);
}

// One case being read: the paragraph, the citation and the form's choices.
struct CaseReading {
  Paragraph& p;
  Citation& citation;
  bool california = false;
  // A page word closed an enclosing parenthetical or the sentence: nothing
  // after it belongs to this citation.
  bool readingEnded = false;

  TokenList& group() { return citation.occurrenceGroups.back(); }

  // Copies p.tokens[from, to] into the occurrence group and, with toTokens,
  // into the citation's text (footnote marks stay out of the text).
  void take(std::size_t from, std::size_t to, bool toTokens) {
    for (std::size_t i = from; i <= to && i < p.end(); ++i) {
      const Token& token = p.tokens[i];
      group().push_back(token);
      if (toTokens && !token.isSuperscript()) citation.tokens.push_back(token);
    }
  }

  // Marks p.tokens[from, to] as belonging to this citation, so that the name
  // reader of a later citation stops there instead of running into it.
  void claim(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i <= to && i < p.end(); ++i) p.setGrouped(i, 1);
  }
};

enum class PagePart { kPage, kShortForm, kRejected };

// From `i` (the first token after the reporter): bracketed groups directly
// after the reporter ("17 U.S. (4 Wheat.) 316"), then the first page or "at".
// kPage: the page is taken and `i` stands on it. kShortForm: `i` stands on
// "at", nothing taken. The key receives the page.
PagePart readPagePart(CaseReading& r, std::size_t& i) {
  const TokenList& tokens = r.p.tokens;
  std::size_t j = skipGaps(tokens, i);
  while (j < tokens.size() && startsGroup(tokens[j])) {
    std::size_t close = j;
    if (collectGroup(r.p, close, '(', ')', nullptr).empty()) break;
    j = skipGaps(tokens, close + 1);
  }
  if (j >= tokens.size()) return PagePart::kRejected;
  const bool blank = !tokens[j].grouped && isBlankNumber(tokens[j]);
  if (!blank && !tokens[j].isWord()) return PagePart::kRejected;
  if (bareLower(tokens[j].text) == "at") {
    i = j;
    return PagePart::kShortForm;
  }
  if (!blank && !isPageWord(tokens[j], r.california)) return PagePart::kRejected;

  r.citation.key += ' ';
  r.citation.key +=
      blank ? std::string(kBlankNumberKey) : db::stripTrailing(pageText(tokens[j].text, r.california), true);
  // A dash typed for the page leaves what is glued to it a word of its own:
  // the comma of "— U.S. —, 136 S. Ct. 616", the rest of "----".
  std::size_t last = j;
  while (tokens[j].isSpecial() && last + 1 < tokens.size() && tokens[last + 1].isWord() &&
         !tokens[last + 1].text.empty() && tokens[last + 1].text.find_first_not_of("-,;") == std::string::npos) {
    ++last;
  }
  if (r.california) {
    // The page ends this form's text; a blank keeps it apart from what the
    // table writer puts after it.
    r.take(i, j - 1, true);
    r.take(j, last, false);
    Token pageToken = tokens[j];
    pageToken.text = db::stripTrailing(pageToken.text, false);
    Token blank;
    blank.text = " ";
    blank.kind = kBlank;
    blank.page = pageToken.page;
    blank.physicalPage = pageToken.physicalPage;
    blank.noteNumber = pageToken.noteNumber;
    r.citation.tokens.push_back(pageToken);
    r.citation.tokens.push_back(blank);
  } else {
    r.take(i, last, true);
  }
  r.claim(i, last);
  r.readingEnded = endsCitation(tokens[j].text);
  i = last;
  return PagePart::kPage;
}

// A pinpoint word at `k`: "460", "460-61", "n.5", "n.". A number that a
// dictionary name follows is the volume of the next citation instead.
bool isPinpointAt(CaseReading& r, std::size_t k) {
  const TokenList& tokens = r.p.tokens;
  if (k >= tokens.size() || !tokens[k].isWord() || tokens[k].grouped) return false;
  const std::string lower = db::lowerCase(tokens[k].text);
  if (lower == "n." || lower == "nn.") return true;
  if (!isNumberWord(pageText(tokens[k].text, r.california), false, true)) return false;
  return !dictionaryNameStartsAt(r.p, skipGaps(tokens, k + 1));
}

// Pinpoints after a page, also joined by "&" ("104-05 & n.3").
void readPinpoints(CaseReading& r, std::size_t& i, bool toTokens) {
  const TokenList& tokens = r.p.tokens;
  while (!r.readingEnded) {
    std::size_t k = skipGaps(tokens, i + 1);
    if (k < tokens.size() && tokens[k].isWord() && tokens[k].text == "&") k = skipGaps(tokens, k + 1);
    if (!isPinpointAt(r, k)) return;
    r.take(i + 1, k, toTokens);
    r.claim(i + 1, k);
    const std::string lower = db::lowerCase(tokens[k].text);
    r.readingEnded = lower != "n." && lower != "nn." && endsCitation(tokens[k].text);
    i = k;
  }
}

// A parallel citation after the page: volume, reporter, page and pinpoints,
// as in "470 U.S. 532, 542, 105 S. Ct. 1487". False, with nothing taken, when
// the words after `i` are not one.
bool readParallelCitation(CaseReading& r, std::size_t& i, bool toTokens) {
  const TokenList& tokens = r.p.tokens;
  if (r.readingEnded) return false;
  const std::size_t volume = skipGaps(tokens, i + 1);
  if (volume >= tokens.size() || !isVolumeWord(tokens[volume])) return false;
  std::size_t reporter = volume + 1;
  while (reporter < tokens.size() && (tokens[reporter].isBlank() || tokens[reporter].isSpecial())) ++reporter;
  std::size_t covered = 0;
  if (!reporterStartsAt(r.p, reporter, covered)) return false;
  const std::size_t page = skipGaps(tokens, reporter + covered);
  if (page >= tokens.size() || !isPageWord(tokens[page], r.california)) return false;
  r.take(i + 1, page, toTokens);
  r.claim(i + 1, page);
  r.readingEnded = endsCitation(tokens[page].text);
  i = page;
  readPinpoints(r, i, toTokens);
  return true;
}

// One bracketed group after `i` with the given brackets: the court and year,
// or (California) a bracketed parallel citation.
bool readGroup(CaseReading& r, std::size_t& i, char open, char close, bool toTokens) {
  const TokenList& tokens = r.p.tokens;
  if (r.readingEnded) return false;
  const std::size_t start = skipGaps(tokens, i + 1);
  if (start >= tokens.size() || !tokens[start].isWord() || tokens[start].text.empty() ||
      tokens[start].text.front() != open) {
    return false;
  }
  std::size_t end = start;
  if (collectGroup(r.p, end, open, close, nullptr).empty()) return false;
  r.take(i + 1, end, toTokens);
  i = end;
  return true;
}

// "(slip op., at 7)" after the year of a case whose page is not known yet
// points into the slip opinion and belongs to the citation.
bool startsSlipOpinion(const TokenList& tokens, std::size_t from) {
  const std::size_t at = skipGaps(tokens, from);
  return at < tokens.size() && tokens[at].isWord() && !tokens[at].grouped && db::lowerCase(tokens[at].text) == "(slip";
}

// The bracketed parallel citation of the California form,
// "45 Cal.4th 1, 5 [92 Cal.Rptr.3d 784, 790]", belongs to the authority: a
// paralegal's table lists it after the page, without its pinpoint, and so
// does this reader (the whole bracket goes to the occurrence).
void readBracketedParallel(CaseReading& r, std::size_t& i) {
  const TokenList& tokens = r.p.tokens;
  const std::size_t start = skipGaps(tokens, i + 1);
  std::size_t end = i;
  if (!readGroup(r, end, '[', ']', false)) return;
  std::size_t last = end;  // the parallel's page, when it has a pinpoint after it
  bool reporterSeen = false;
  for (std::size_t k = start + 1; k < end; ++k) {
    if (!tokens[k].isWord()) continue;
    if (!isNumberWord(tokens[k].text, false, false)) {
      reporterSeen = true;
    } else if (reporterSeen && tokens[k].text.back() == ',') {
      last = k;
      break;
    }
  }
  for (std::size_t k = start; k <= last; ++k) {
    if (tokens[k].isSuperscript()) continue;
    r.citation.tokens.push_back(tokens[k]);
  }
  if (last != end) {
    Token& page = r.citation.tokens.back();
    page.text = db::stripTrailing(page.text, false) + "]";
  }
  Token blank = r.citation.tokens.back();
  blank.text = " ";
  blank.kind = kBlank;
  blank.attributes = 0;
  r.citation.tokens.push_back(blank);
  i = end;
}

// Everything after the page that belongs to this occurrence: pinpoints,
// parallel citations and the court-and-year parenthetical.
void readAfterPage(CaseReading& r, std::size_t& i) {
  const bool toTokens = !r.california;  // this form's text ends with the page
  readPinpoints(r, i, toTokens);
  if (r.california) readBracketedParallel(r, i);
  while (readParallelCitation(r, i, toTokens)) {
  }
  if (readGroup(r, i, '(', ')', toTokens) && startsSlipOpinion(r.p.tokens, i + 1)) {
    readGroup(r, i, '(', ')', toTokens);
  }
}

// Where the citation introduced by a history phrase lies: from its first
// word to the last token its reading takes, or nothing when no case citation
// follows. Measured on a scratch copy, so the paragraph keeps its flags.
std::optional<std::pair<std::size_t, std::size_t>> historyCitationExtent(Paragraph& p, std::size_t from,
                                                                         bool nameMayPrecede) {
  const TokenList& tokens = p.tokens;
  std::size_t first = from;
  while (first < tokens.size() &&
         (isGap(tokens[first]) || (tokens[first].isWord() && tokens[first].text != ";" &&
                                   db::isPunctuationOnly(tokens[first].text)))) {
    ++first;
  }
  if (first >= tokens.size() || !tokens[first].isWord()) return std::nullopt;

  // The volume follows the phrase at once, unless the phrase names the
  // parties anew ("sub nom."); then the reporter may stand a little later.
  // A party name that is also a reporter name has no volume and is passed.
  const auto hasVolume = [&tokens, first](std::size_t reporter) {
    std::size_t volume = reporter;
    while (volume > first && (tokens[volume - 1].isBlank() || tokens[volume - 1].isSpecial())) --volume;
    return volume > first && isVolumeWord(tokens[volume - 1]);
  };
  std::size_t reporter = tokens.size();
  std::size_t covered = 0;
  const std::size_t limit = std::min(tokens.size(), first + (nameMayPrecede ? kHistoryNameScan : 4));
  for (std::size_t i = first; i < limit; ++i) {
    if (tokens[i].grouped || tokens[i].text == ";") return std::nullopt;
    if (reporterStartsAt(p, i, covered) && hasVolume(i)) {
      reporter = i;
      break;
    }
    if (!nameMayPrecede && i > first && tokens[i].isWord()) break;  // only the volume may come first
  }
  if (reporter >= tokens.size()) return std::nullopt;

  TokenList scratchTokens = tokens;
  CitationTable scratchTable;
  Paragraph scratch{scratchTokens, scratchTable, p.dictionary, kBluebook};
  Citation measured;
  measured.occurrenceGroups.emplace_back();
  CaseReading reading{scratch, measured, false};
  std::size_t i = std::min(reporter + covered, tokens.size());
  if (readPagePart(reading, i) != PagePart::kPage) return std::nullopt;
  readAfterPage(reading, i);
  return std::make_pair(first, i);
}

// Files the citation at tokens[first, last] on its own, by a recognition of
// just those tokens; the table's pending and previous are given back after.
// Only the cited tokens are copied, not the rest of the paragraph: whatever
// follows is read once, by this reader or by the walk, never twice.
void recognizeHistoryCitation(CaseReading& r, std::size_t first, std::size_t last) {
  TokenList copy(r.p.tokens.begin() + static_cast<std::ptrdiff_t>(first),
                 r.p.tokens.begin() + static_cast<std::ptrdiff_t>(last + 1));
  for (Token& token : copy) {
    // A code citation that swallows a section sign removes the citation
    // before it, which here would be the case still being read.
    if (token.isSectionSign()) return;
    token.grouped = 0;
  }
  CitationTable& table = r.p.table;
  Citation* const previous = table.previous;
  // The later citation is read in the Bluebook form whatever the run's form,
  // so its text keeps the pinpoints that a California reading would drop.
  recognizeParagraph(copy, table, r.p.dictionary, kBluebook);
  table.pending = table.contains(&r.citation) ? &r.citation : nullptr;
  table.previous = table.contains(previous) ? previous : nullptr;
}

bool isConnectingAnd(const std::string& text) {
  const std::string word = db::stripTrailing(text, false);
  return word == "and" || word == "And";
}

std::string joinedLower(const TokenList& tokens, std::size_t from, std::size_t count) {
  std::string text;
  for (std::size_t i = from; i < from + count && i < tokens.size(); ++i) text += tokens[i].text;
  return db::lowerCase(text);
}

// Subsequent history: a phrase ("aff'd", "cert. denied"), a bracketed group
// right after it, and the citation it introduces, which is filed on its own.
void readHistory(CaseReading& r, std::size_t& i) {
  const TokenList& tokens = r.p.tokens;
  const bool toTokens = !r.california;
  while (!r.readingEnded) {
    std::size_t k = i + 1;
    while (k < tokens.size() && (isGap(tokens[k]) || (tokens[k].isWord() && tokens[k].text != ";" &&
                                                      db::isPunctuationOnly(tokens[k].text)))) {
      ++k;
    }
    if (k >= tokens.size() || !tokens[k].isWord() || tokens[k].grouped || tokens[k].text == ";") return;
    const std::size_t phrase = matchHistoryPhrase(r.p, k);
    if (phrase == 0) {
      // "and" joins two history phrases; before anything else it joins two
      // authorities, and the next one is not part of this citation.
      if (!isConnectingAnd(tokens[k].text)) return;
      const std::size_t next = skipGaps(tokens, k + 1);
      if (next >= tokens.size() || matchHistoryPhrase(r.p, next) == 0) return;
      r.take(i + 1, k, toTokens);
      r.claim(i + 1, k);
      i = k;
      continue;
    }
    std::size_t last = std::min(k + phrase, tokens.size()) - 1;
    const bool nameMayPrecede = joinedLower(tokens, k, phrase).find("sub nom") != std::string::npos;
    const std::size_t bracket = skipGaps(tokens, last + 1);
    if (bracket < tokens.size() && startsGroup(tokens[bracket])) {
      std::size_t close = bracket;
      if (!collectGroup(r.p, close, '(', ')', nullptr).empty()) last = close;
    }
    r.take(i + 1, last, toTokens);
    r.claim(i + 1, last);
    i = last;

    const auto extent = historyCitationExtent(r.p, i + 1, nameMayPrecede);
    if (!extent) return;
    recognizeHistoryCitation(r, extent->first, extent->second);
    r.take(i + 1, extent->second, toTokens);
    r.claim(i + 1, extent->second);
    i = extent->second;
  }
}

// Blanks and punctuation directly after the citation go with it; the walk
// trims them from the text again.
void takeTrailing(CaseReading& r, std::size_t& i) {
  const TokenList& tokens = r.p.tokens;
  while (i + 1 < tokens.size()) {
    const Token& next = tokens[i + 1];
    if (!isGap(next) && !(next.isWord() && db::isPunctuationOnly(next.text))) return;
    r.citation.tokens.push_back(next);
    ++i;
  }
}

// The case that "Smith, 123 U.S. at 460" refers to: a case whose key starts
// with the same volume and reporter and whose short-form key contains this
// one's. Without a name the volume and reporter must point to one case only.
Citation* reporterShortFormTarget(const CitationTable& table, const Citation& shortForm) {
  const std::string prefix = shortForm.key + " ";
  Citation* only = nullptr;
  int candidates = 0;
  for (const auto& entry : table.citations) {
    Citation* candidate = entry.get();
    if (candidate == &shortForm || candidate == table.pending || candidate->kind != kCase) continue;
    // A named short form may also point at a case by its parallel citation:
    // "Loper Bright, 144 S. Ct. at 2260" after "603 U.S. ___, 144 S. Ct. 2244".
    const bool byParallel = !shortForm.shortName.empty() && !candidate->occurrenceGroups.empty() &&
                            citesInGroup(candidate->occurrenceGroups.front(), shortForm.key, true);
    if (candidate->key.compare(0, prefix.size(), prefix) != 0 && !byParallel) continue;
    if (!shortForm.shortName.empty()) {
      if (candidate->shortName.find(shortForm.shortName) != std::string::npos) return candidate;
      continue;
    }
    ++candidates;
    if (only == nullptr) only = candidate;
  }
  return candidates == 1 ? only : nullptr;
}

// "at" stood where the first page belongs: an occurrence of a case already
// in the table, never a citation of its own.
void fileReporterShortForm(CaseReading& r, std::size_t reporterEnd, std::size_t at) {
  Citation& citation = r.citation;
  CitationTable& table = r.p.table;
  r.take(reporterEnd, at, true);
  std::size_t last = at;
  readPinpoints(r, last, true);

  std::size_t nameEnd = 0;
  while (nameEnd < citation.tokens.size() && !citation.tokens[nameEnd].nameStop) ++nameEnd;
  while (nameEnd > 0 && (!citation.tokens[nameEnd - 1].isWord() ||
                         db::isPunctuationOnly(citation.tokens[nameEnd - 1].text))) {
    --nameEnd;
  }
  if (nameEnd > 0 && citation.tokens[nameEnd - 1].used) table.undoLastOccurrence();

  citation.kind = kCase;
  citation.key = normaliseKey(citation.key, kCase);
  buildShortName(citation);
  deriveShortFormKey(citation);
  Citation* target = reporterShortFormTarget(table, citation);
  if (target == nullptr || citation.tokens.empty()) return;
  mergeOccurrence(table, *target, citation);
  std::size_t tail = at;
  consumeShortFormTail(r.p, tail);
}

// The volume before the reporter at `reporter`, or npos.
std::size_t findVolume(const TokenList& tokens, std::size_t reporter) {
  std::size_t i = reporter;
  while (i > 0 && isGap(tokens[i - 1])) --i;
  if (i > 0 && !tokens[i - 1].grouped && isBlankNumber(tokens[i - 1])) return i - 1;
  while (i > 0 && (tokens[i - 1].isBlank() || tokens[i - 1].isSpecial())) --i;
  if (i == 0 || !isVolumeWord(tokens[i - 1])) return std::string::npos;
  return i - 1;
}

// A year alone in brackets, "(1838)" or "[1893]", as English reports put it
// before the volume.
bool isBracketYear(const std::string& text) {
  if (text.size() != 6 || (text.front() != '(' && text.front() != '[') ||
      text.back() != (text.front() == '(' ? ')' : ']')) {
    return false;
  }
  return std::all_of(text.begin() + 1, text.end() - 1, [](char c) { return c >= '0' && c <= '9'; });
}

// A Tax Court memorandum has no volume: "T.C. Memo. 2019-233".
bool isVolumelessMemo(const Paragraph& p, const db::EntryName& reporter, std::size_t after) {
  const std::size_t page = skipGaps(p.tokens, after);
  return reporter.name.find("Memo") != std::string::npos && page < p.end() && p.tokens[page].isWord() &&
         isYearNumber(p.tokens[page].text);
}

}  // namespace

bool recognizeCase(Paragraph& p, std::size_t& cursor, Citation& citation, const db::EntryName& reporter,
                   std::size_t covered) {
  const std::size_t start = cursor;
  if (start >= p.end() || covered == 0) return false;
  covered = std::min(covered, p.end() - start);
  // A neutral citation in one word ("2006-Ohio-2095") is its own volume,
  // court and number.
  const bool neutralWord = covered == 1 && parseHyphenNeutral(p.tokens[start].text).has_value();
  // "Smith, 123": a party name that is also a reporter name. A comma never
  // stands between a reporter and its first page, only before "at" in a
  // short form ("123 U.S., at 460").
  const std::string& reporterEnd = p.tokens[start + covered - 1].text;
  if (!neutralWord && !reporterEnd.empty() &&
      (reporterEnd.back() == ',' || reporterEnd.back() == ';' || reporterEnd.back() == ':')) {
    const std::size_t next = skipGaps(p.tokens, start + covered);
    if (reporterEnd.back() != ',' || next >= p.end() || bareLower(p.tokens[next].text) != "at") return false;
  }
  std::size_t volume = neutralWord ? start : findVolume(p.tokens, start);
  const bool memo = volume == std::string::npos && isVolumelessMemo(p, reporter, start + covered);
  if (memo) volume = start;
  if (volume == std::string::npos) return false;  // a case citation needs its volume

  const MarkSnapshot snapshot(p);
  const bool california = p.citationForm == kCalifornia;
  citation.occurrenceGroups.emplace_back();
  CaseReading r{p, citation, california};

  p.setNameStop(volume, 1);
  r.take(volume, start + covered - 1, true);
  // The key is volume, reporter and first page only: pinpoints, parallel
  // citations and the parenthetical differ between citations of one case.
  // The reporter stands in it by its dictionary name, not as typed, so that
  // "596 U. S. 845" and "596 U.S. 845", or "90 Wn.2d 9" and "90 Wash.2d 9",
  // are one authority.
  if (neutralWord) {
    citation.key = db::lowerCase(db::stripTrailing(p.tokens[start].text, true));
  } else if (memo) {
    citation.key = reporter.name;
  } else {
    citation.key = (isBlankNumber(p.tokens[volume]) ? std::string(kBlankNumberKey) : p.tokens[volume].text) + " " +
                   reporter.name;
  }

  std::size_t nameEnd = volume;
  std::size_t yearBefore = volume;
  while (yearBefore > 0 && isGap(p.tokens[yearBefore - 1])) --yearBefore;
  if (!neutralWord && !memo && yearBefore > 0 && p.tokens[yearBefore - 1].isWord() &&
      !p.tokens[yearBefore - 1].grouped && isBracketYear(p.tokens[yearBefore - 1].text)) {
    // "(1838) 173 Eng. Rep. 559", "[1893] 1 Q.B. 256": the year goes with
    // the citation in either form; in square brackets it tells the volumes
    // of one series apart and joins the key.
    const std::size_t year = yearBefore - 1;
    p.setGrouped(year, 1);  // no name word
    TokenList front(p.tokens.begin() + static_cast<std::ptrdiff_t>(year),
                    p.tokens.begin() + static_cast<std::ptrdiff_t>(volume));
    citation.tokens.insert(citation.tokens.begin(), front.begin(), front.end());
    r.group().insert(r.group().begin(), front.begin(), front.end());
    if (p.tokens[year].text.front() == '[') citation.key = p.tokens[year].text + " " + citation.key;
    nameEnd = year;
  } else if (california && !neutralWord) {
    // This form puts the year before the volume: "(1990) 50 Cal.3d 100".
    std::size_t before = volume;
    while (before > 0 && isGap(p.tokens[before - 1])) --before;
    if (before > 0 && p.tokens[before - 1].isWord() && !p.tokens[before - 1].text.empty() &&
        p.tokens[before - 1].text.back() == ')') {
      std::size_t open = before - 1;
      if (!collectGroupBackward(p, open, '(', ')', nullptr).empty()) {
        TokenList front(p.tokens.begin() + static_cast<std::ptrdiff_t>(open),
                        p.tokens.begin() + static_cast<std::ptrdiff_t>(volume));
        citation.tokens.insert(citation.tokens.begin(), front.begin(), front.end());
        r.group().insert(r.group().begin(), front.begin(), front.end());
        nameEnd = open;
      }
    }
  }
  collectCaseName(p, nameEnd, citation, true);
  stripLeadingSignals(citation);

  std::size_t i = start + covered;
  if (neutralWord) {
    i = start;
    r.claim(start, start);
    r.readingEnded = endsCitation(p.tokens[start].text);
  } else {
    const PagePart part = readPagePart(r, i);
    if (part != PagePart::kPage) {
      snapshot.restore();
      if (part == PagePart::kShortForm) fileReporterShortForm(r, start + covered, i);
      cursor = start;
      return false;
    }
  }
  readAfterPage(r, i);
  readHistory(r, i);
  takeTrailing(r, i);
  buildShortName(citation);
  cursor = i;
  return true;
}

}  // namespace recognize::internal
