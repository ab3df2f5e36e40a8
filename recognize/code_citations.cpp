// Reads dictionary authorities other than cases from the tokens around their
// name: codes cited with a section ("42 U.S.C. § 1983"), names followed by
// numbers and subdivision words ("U.S. Const. art. III, § 2") and numbered
// authorities ("Pub. L. No. 111-148"). In: the paragraph, the name's position
// and length. Out: the pending citation's tokens, key and occurrence group.
#include "recognize/internal/code_citations.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "db/entry_name.h"
#include "db/entry_type_collection.h"
#include "db/text.h"
#include "recognize/internal/case_citations.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/section_citations.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {


// A bracketed group before a code name longer than this ("(9th Cir. 1990)")
// closes an earlier citation rather than standing inside this one.
constexpr std::size_t kLongestGroupBeforeCode = 5;
// At most this many abbreviations may stand between two numbers of a
// numbered authority ("124 Stat. 119", "82 Fed. Reg. 8977").
constexpr int kAbbreviationsBetweenNumbers = 2;

bool opensGroup(const Token& token) { return token.isWord() && !token.text.empty() && token.text.front() == '('; }
bool closesGroup(const Token& token) { return token.isWord() && !token.text.empty() && token.text.back() == ')'; }
bool isSemicolon(const Token& token) { return token.isWord() && token.text == ";"; }
bool isQuotation(const Token& token) {
  if (token.isSpecial()) return token.text == kOpeningQuoteText || token.text == kClosingQuoteText;
  return token.text.find('"') != std::string::npos;
}

// Puts the tokens [from, to) of the paragraph in front of the citation's
// tokens and occurrence group, the leading number's text in front of the key,
// then reads a name standing before the number.
void insertLeadingNumber(Paragraph& p, std::size_t from, std::size_t to, Citation& citation) {
  TokenList inserted;
  for (std::size_t k = from; k < to; ++k)
    if (!p.tokens[k].isSuperscript()) inserted.push_back(p.tokens[k]);
  citation.tokens.insert(citation.tokens.begin(), inserted.begin(), inserted.end());
  TokenList& group = currentGroup(citation);
  group.insert(group.begin(), inserted.begin(), inserted.end());
  citation.key = p.tokens[from].text + " " + citation.key;

  // Numbers do not belong to the name: a number there is the page of an
  // earlier citation.
  const std::size_t before = citation.tokens.size();
  collectCaseName(p, from, citation, false);
  if (citation.tokens.size() <= before) return;
  stripLeadingSignals(citation);
  // A quotation in front of the number is a defined term ('Leave Act
  // ("FMLA"), 29 U.S.C.'): the name read is only its tail, so none is kept.
  const auto nameEnd = citation.tokens.begin() + static_cast<std::ptrdiff_t>(citation.tokens.size() - before);
  // A name stands before its title number with a comma ("Civil Rights Act,
  // 42 U.S.C. § 1981"); words without one are the sentence around the
  // citation ("And 42 U.S.C.", "(Count One). Then 29 U.S.C.").
  auto lastWord = nameEnd;
  while (lastWord != citation.tokens.begin() && !(lastWord - 1)->isWord()) --lastWord;
  const bool comma = lastWord != citation.tokens.begin() && !(lastWord - 1)->text.empty() &&
                     (lastWord - 1)->text.back() == ',';
  if (!comma || std::any_of(citation.tokens.begin(), nameEnd, isQuotation))
    citation.tokens.erase(citation.tokens.begin(), nameEnd);
}

// The backward reading of the California form: over blanks and special
// characters only, to a plain number.
void readBeforeCodeCalifornia(Paragraph& p, std::size_t cursor, Citation& citation) {
  std::size_t i = std::min(cursor, p.end());
  while (i > 0 && (p.tokens[i - 1].isBlank() || p.tokens[i - 1].isSpecial()) && !takenElsewhere(p.tokens[i - 1])) --i;
  if (i == 0) return;
  const Token& word = p.tokens[i - 1];
  if (!word.isWord() || word.isSuperscript() || takenElsewhere(word) || !isNumberWord(word.text, false, false)) return;
  insertLeadingNumber(p, i - 1, cursor, citation);
}

bool hasWordAfter(const Citation& citation, std::size_t from) {
  for (std::size_t k = from; k < citation.tokens.size(); ++k)
    if (citation.tokens[k].isWord() && !db::isPunctuationOnly(citation.tokens[k].text)) return true;
  return false;
}

// The first word before `k`, over blanks, special characters and
// punctuation, is a subdivision word ("art." before "III").
bool followsSubdivisionWord(const Paragraph& p, std::size_t k) {
  while (k > 0) {
    const Token& token = p.tokens[k - 1];
    if (token.isWord() && !isPunctuationWord(token)) return isSubdivisionWord(p, k - 1);
    --k;
  }
  return false;
}

bool startsDictionaryName(Paragraph& p, std::size_t i) {
  db::EntryName entry;
  return matchDictionaryName(p, i, entry) > 0;
}

void markGrouped(Paragraph& p, std::size_t from, std::size_t to) {
  for (std::size_t k = from; k < to && k < p.end(); ++k) p.setGrouped(k, 1);
}

// The next word after the subdivision word at `k`, before `limit`, is a
// number or a numeral.
bool numberFollows(const Paragraph& p, std::size_t k, std::size_t limit) {
  for (std::size_t i = k + 1; i < limit; ++i) {
    const Token& token = p.tokens[i];
    if (!token.isWord() || isPunctuationWord(token)) continue;
    return isNumberWord(token.text, true, true) || isAllCapitals(token.text);
  }
  return false;
}

// The words before a type-7 name read with the forward tests. Only a run that
// opens with a subdivision word ("art. III, U.S. Const.") is taken: numbers
// alone before the name are the page or section of an earlier citation.
void readBeforeNumberedRun(Paragraph& p, std::size_t start, Citation& citation) {
  std::size_t i = start;
  std::size_t firstTaken = start;
  int misses = 0;
  while (i > 0) {
    const std::size_t k = i - 1;
    const Token& token = p.tokens[k];
    if (token.isSuperscript() || isSemicolon(token) || takenElsewhere(token)) break;
    if (token.isBlank() || token.isSpecial() || isPunctuationWord(token)) {
      i = k;
      continue;
    }
    const bool taken = isSubdivisionWord(p, k) || isNumberWord(token.text, true, true) ||
                       (isAllCapitals(token.text) && followsSubdivisionWord(p, k));
    if (taken) {
      firstTaken = k;
      misses = 0;
    } else if (++misses >= 2) {
      break;
    }
    i = k;
  }
  // A subdivision word counts only with its number ("Article III,"): "the
  // search clause, Cal. Const." is prose before the name.
  std::size_t anchor = firstTaken;
  const auto opensRun = [&](std::size_t k) {
    return p.tokens[k].isWord() && isSubdivisionWord(p, k) && numberFollows(p, k, start);
  };
  while (anchor < start && !opensRun(anchor)) ++anchor;
  if (anchor >= start) return;

  TokenList inserted(p.tokens.begin() + static_cast<std::ptrdiff_t>(anchor),
                     p.tokens.begin() + static_cast<std::ptrdiff_t>(start));
  std::string keyFront;
  for (const Token& token : inserted) keyFront += codeKeyText(token);
  citation.tokens.insert(citation.tokens.begin(), inserted.begin(), inserted.end());
  TokenList& group = currentGroup(citation);
  group.insert(group.begin(), inserted.begin(), inserted.end());
  citation.key = keyFront + citation.key;
}

}  // namespace

void readBeforeCode(Paragraph& p, std::size_t cursor, Citation& citation) {
  if (cursor == 0 || cursor > p.end()) return;
  const MarkSnapshot marks(p);
  // Tokens flagged by an earlier citation (its parenthetical, section tail,
  // volume) or short form end the reading: they are that citation's.
  std::size_t i = cursor;
  bool found = false;
  while (i > 0) {
    const std::size_t k = i - 1;
    Token& token = p.tokens[k];
    if (takenElsewhere(token) || isSemicolon(token)) break;
    if (token.isBlank() || token.isSpecial() || isPunctuationWord(token)) {
      i = k;
      continue;
    }
    if (closesGroup(token)) {
      std::size_t g = k;
      const std::string text = collectGroupBackward(p, g, '(', ')', nullptr);
      if (!text.empty()) {
        if (text.size() > kLongestGroupBeforeCode) break;
        i = g;
        continue;
      }
    }
    found = !token.isSuperscript() && isNumberWord(token.text, true, false);
    i = k;
    break;
  }
  if (!found) {
    marks.restore(0, cursor);
    return;
  }
  insertLeadingNumber(p, i, cursor, citation);
}

bool recognizeCode(Paragraph& p, std::size_t& cursor, Citation& citation, std::size_t covered) {
  const std::size_t start = cursor;
  const std::size_t end = p.end();
  if (covered == 0 || start >= end) return false;
  const MarkSnapshot marks(p);
  citation.occurrenceGroups.emplace_back();

  if (p.citationForm == kCalifornia)
    readBeforeCodeCalifornia(p, start, citation);
  else
    readBeforeCode(p, start, citation);

  const std::size_t nameEnd = std::min(start + covered, end);
  takeTokens(citation, p.tokens, start, nameEnd);
  const std::size_t afterName = citation.tokens.size();
  std::size_t read = nameEnd;
  const bool accepted = read < end && readSection(p, read, citation);
  // A code name with no section after it is prose about the code, not a
  // citation of it.
  if (!accepted || !hasWordAfter(citation, afterName)) {
    marks.restore(0, end);
    cursor = start;
    return false;
  }
  cursor = read;
  return true;
}

// A rule named by a bare abbreviation ("ER", "RAP", "CrR") is cited only
// with its number: alone it is a word of the sentence ("the ER doctor").
bool bareAbbreviationName(const Paragraph& p, std::size_t start, std::size_t nameEnd) {
  return nameEnd == start + 1 && p.tokens[start].text.find('.') == std::string::npos;
}

// The same abbreviation written as a record cite: after a volume number ("4
// ER 702"), in parentheses ("(ER 45)") or before a page range ("ER 702-03").
bool readsAsRecordCite(const Paragraph& p, std::size_t start) {
  if (p.tokens[start].text.starts_with('(')) return true;
  const std::size_t number = skipBlanks(p, start + 1);
  if (number < p.end() && p.tokens[number].isWord() && p.tokens[number].text.find('-') != std::string::npos)
    return true;
  std::size_t k = start;
  while (k > 0 && (p.tokens[k - 1].isBlank() || p.tokens[k - 1].isHardSpace())) --k;
  return k != start && k > 0 && p.tokens[k - 1].isWord() && isNumberWord(p.tokens[k - 1].text, false, false) &&
         std::isdigit(static_cast<unsigned char>(p.tokens[k - 1].text.back())) != 0;
}

bool recognizeNumberedRun(Paragraph& p, std::size_t& cursor, Citation& citation, std::size_t covered) {
  const std::size_t start = cursor;
  const std::size_t end = p.end();
  citation.occurrenceGroups.emplace_back();
  if (start >= end) return true;
  const bool abbreviation = bareAbbreviationName(p, start, std::min(start + std::max<std::size_t>(covered, 1), end));
  if (abbreviation && readsAsRecordCite(p, start)) return false;
  const MarkSnapshot marks(p);
  const std::size_t nameEnd = std::min(start + std::max<std::size_t>(covered, 1), end);
  takeTokens(citation, p.tokens, start, nameEnd);
  // The name is marked too: the backward reading of a rule right after this
  // one must not take its last word ("P." reads as a subdivision word).
  markGrouped(p, start, nameEnd);

  std::size_t lastTaken = nameEnd - 1;
  bool afterSubdivision = false;
  int misses = 0;
  std::size_t i = nameEnd;
  while (i < end) {
    const Token& token = p.tokens[i];
    if (token.isSuperscript() || isSemicolon(token) || takenElsewhere(token) || isStandingPeriod(token)) break;
    if (token.isBlank() || token.isSpecial() || isPunctuationWord(token)) {
      ++i;
      continue;
    }
    // A period after the last number or subdivision ends the sentence: what
    // follows ("Fed. R. App. P. 4(a)(1)(A). 4-ER-702") is not part of the rule.
    if (lastTaken >= nameEnd && !afterSubdivision && p.tokens[lastTaken].text.ends_with('.')) break;
    // Subdivisions written against the number ("12(b)(6)", "4(a)(1)(A)").
    if (opensGroup(token) && i == lastTaken + 1) {
      std::size_t g = i;
      if (!collectGroup(p, g, '(', ')', nullptr).empty()) {
        takeTokens(citation, p.tokens, i, g + 1);
        markGrouped(p, i, g + 1);
        lastTaken = g;
        afterSubdivision = false;
        misses = 0;
        i = g + 1;
        continue;
      }
    }
    const bool subdivision = isSubdivisionWord(p, i);
    const bool number = isNumberWord(token.text, true, true) && !isRecordCite(token.text);
    // A number that opens the next dictionary name is that citation's title.
    if (number && numberOpensNextName(p, i)) break;
    // Numerals only after a subdivision word: a capital word after a rule
    // number ("Fed. R. Civ. P. 56. A party ...") starts a sentence.
    if (subdivision || number || (afterSubdivision && isAllCapitals(token.text))) {
      takeTokens(citation, p.tokens, lastTaken + 1, i + 1);
      markGrouped(p, lastTaken + 1, i + 1);
      lastTaken = i;
      afterSubdivision = subdivision;
      misses = 0;
      ++i;
      continue;
    }
    // A further name is a citation of its own ("Fed. R. Civ. P. 8(a), Fed. R.
    // Civ. P. 12(b)(6)"), so it ends the run instead of joining it.
    if (startsDictionaryName(p, i)) break;
    if (++misses >= 2) break;
    ++i;
  }
  if (abbreviation && lastTaken == nameEnd - 1) {
    marks.restore(0, end);
    return false;
  }
  readBeforeNumberedRun(p, start, citation);
  cursor = lastTaken;
  return true;
}

bool recognizeNumberedAuthority(Paragraph& p, std::size_t& cursor, Citation& citation, std::size_t covered) {
  const std::size_t start = cursor;
  const std::size_t end = p.end();
  if (covered == 0 || start >= end) return false;
  const MarkSnapshot marks(p);
  citation.occurrenceGroups.emplace_back();
  readBeforeCode(p, start, citation);
  const std::size_t nameEnd = std::min(start + covered, end);
  takeTokens(citation, p.tokens, start, nameEnd);

  // The reading ends on its last number: "at", signs, abbreviations and
  // history words after it are given back.
  std::size_t lastNumber = end;
  bool bareNumber = false;  // the last word was a number with nothing after it
  int abbreviations = 0;
  std::size_t i = nameEnd;
  while (i < end) {
    const Token& token = p.tokens[i];
    if (token.isSuperscript()) break;
    if (token.isBlank() || token.isSpecial()) {
      ++i;
      continue;
    }
    if (opensGroup(token) || isSemicolon(token)) break;
    db::EntryName entry;
    const std::size_t name = matchDictionaryName(p, i, entry);
    if (name > 0) {
      // A "No." continues the authority ("S. Doc. 5, No. 3"); any other
      // name, a further numbered one included, is a citation of its own.
      if (entry.entry_type_id != db::kEntryTypeNumberedAuthorities || db::lowerCase(entry.name) != "no.") break;
      i += name;
      bareNumber = false;
      continue;
    }
    const std::string bare = db::lowerCase(db::stripTrailing(token.text, true));
    if (bare == "at") {
      bareNumber = false;
      ++i;
      continue;
    }
    if (isNumberWord(token.text, false, true)) {
      if (numberOpensNextName(p, i)) break;
      lastNumber = i;
      bareNumber = std::isdigit(static_cast<unsigned char>(token.text.back())) != 0;  // isNumberWord: not empty
      abbreviations = 0;
      ++i;
      continue;
    }
    const std::size_t phrase = matchHistoryPhrase(p, i);
    if (phrase > 0) {
      bareNumber = false;
      i += phrase;
      continue;
    }
    // A parallel session-law or register citation: "124 Stat. 119".
    if (bareNumber && abbreviations < kAbbreviationsBetweenNumbers && !token.text.empty() && token.text.back() == '.' &&
        isCapitalStart(token.text, false) && bare != "id" && bare != "ibid") {
      ++abbreviations;
      ++i;
      continue;
    }
    break;
  }
  if (lastNumber == end) {
    marks.restore(0, end);
    cursor = start;
    return false;
  }
  takeTokens(citation, p.tokens, nameEnd, lastNumber + 1);
  markGrouped(p, nameEnd, lastNumber + 1);

  std::size_t next = lastNumber + 1;
  while (next < end && (p.tokens[next].isBlank() || p.tokens[next].isHardSpace() || isPunctuationWord(p.tokens[next])))
    ++next;
  db::EntryName following;
  if (next < end && matchDictionaryName(p, next, following) > 0 && following.entry_type_id == db::kEntryTypeReporters)
    citation.jurisdiction = following.jurisdiction;
  cursor = lastNumber;
  return true;
}

}  // namespace recognize::internal
