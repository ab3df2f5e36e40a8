// Secondary sources: law review articles ("Author, Title, 55 Harv. L. Rev.
// 615, 620 (1942)"), books, treatises, restatements, dictionaries, model
// codes and web pages closed by a date or edition parenthetical ("(3d ed.
// 2018)"), and news articles ("Jane Doe, Title, N.Y. Times, Oct. 14, 2023").
// In: the paragraph at the token that anchors the source. Out: a kind-3
// citation from the author's first word to the last token of the source.
#include <algorithm>

#include "db/entry_type_collection.h"
#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/other_authorities.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

// The last token of the longest journal name (type 9) starting at `at`;
// kNoToken for none. Grows word by word while some journal begins so.
std::size_t matchJournal(Paragraph& p, std::size_t at, db::EntryName& entry) {
  db::EntryType* journals = p.dictionary.type(db::kEntryTypeJournals);
  if (journals == nullptr || journals->entryNames.empty()) return kNoToken;
  std::string candidate = db::lowerCase(p.tokens[at].text);
  if (!journals->ContainsEntryWithName(candidate)) return kNoToken;
  std::size_t best = kNoToken;
  for (std::size_t i = at;;) {
    if (const db::EntryName* found = journals->GetNameThatContains(candidate)) {
      best = i;
      entry = *found;
    }
    const std::size_t next = skipBlanks(p, i + 1);
    if (next == i + 1 || next >= p.end() || !p.tokens[next].isWord()) break;
    std::string longer = candidate + " " + db::lowerCase(p.tokens[next].text);
    if (!journals->ContainsEntryWithName(longer)) break;
    candidate = std::move(longer);
    i = next;
  }
  return best;
}

// A page or pinpoint: "615", "615,", "620-21".
bool isPageWord(const Token& token) {
  return token.isWord() && !takenElsewhere(token) && !token.text.starts_with('(') &&
         isNumberWord(token.text, false, true);
}

// The words of tokens [first, last] joined by blanks; numbers (a volume)
// left out unless `numbers`.
std::string wordsText(const Paragraph& p, std::size_t first, std::size_t last, bool numbers = false) {
  std::string text;
  for (std::size_t i = first; i <= last; ++i)
    if (p.tokens[i].isWord() && (numbers || !isNumberWord(p.tokens[i].text, true, true))) text += p.tokens[i].text + " ";
  return text;
}

// Works cited by their title alone, without an author.
bool isTitleOnlyWork(const Paragraph& p, Span title) {
  const std::string first = bareText(p.tokens[title.first].text);
  if (first == "restatement" || first == "model" || first == "uniform" || first == "unif" || first == "u.c.c")
    return true;
  for (std::size_t i = title.first; i <= title.last; ++i)
    if (p.tokens[i].isWord() && bareText(p.tokens[i].text) == "dictionary") return true;
  return false;
}

// Whether a part can be a person's or body's name as authors are written:
// not a sentence's opening ("Our Court", "The parties") or a party.
bool isPlausibleAuthor(const Paragraph& p, Span part) {
  static const char* const kOpeners[] = {"the", "this", "that", "these", "those", "our", "his", "her", "its",
                                         "their", "a", "an", "as", "but", "and", "when", "here", "there"};
  static const char* const kParties[] = {"court", "plaintiff", "plaintiffs", "defendant", "defendants", "appellant",
                                         "appellee", "petitioner", "respondent", "parties", "government"};
  const std::string first = bareText(p.tokens[part.first].text);
  if (std::any_of(std::begin(kOpeners), std::end(kOpeners), [&](const char* w) { return first == w; })) return false;
  for (std::size_t i = part.first; i <= part.last; ++i) {
    const std::string bare = bareText(p.tokens[i].text);
    if (std::any_of(std::begin(kParties), std::end(kParties), [&](const char* w) { return bare == w; })) return false;
  }
  return true;
}

// Words (not blanks) in a part.
std::size_t wordCount(const Paragraph& p, Span part) {
  std::size_t words = 0;
  for (std::size_t i = part.first; i <= part.last; ++i) words += p.tokens[i].isWord() ? 1 : 0;
  return words;
}

// The author (the first of two or more parts) as later references find it.
std::string authorKey(const Paragraph& p, const Body& body) {
  return body.parts.size() >= 2 ? authorWords(p, body.parts[0].first, body.parts[0].last) : "";
}

db::EntryName noEntry() { return db::EntryName{}; }

// Whether a publication names a newspaper or magazine.
bool isPeriodical(const Paragraph& p, Span part) {
  static const char* const kWords[] = {"times",  "post",   "journal", "j",        "news",    "tribune", "herald",
                                       "gazette", "chronicle", "mag", "magazine", "wkly",    "weekly",  "daily",
                                       "reuters", "bloomberg", "globe", "economist", "atlantic", "yorker", "politico",
                                       "press",  "bull",   "bulletin", "register", "sun",     "star",    "inquirer"};
  for (std::size_t i = part.first; i <= part.last; ++i) {
    const std::string bare = bareText(p.tokens[i].text);
    if (std::any_of(std::begin(kWords), std::end(kWords), [&](const char* w) { return bare == w; })) return true;
  }
  return false;
}

bool isMonth(const std::string& bare) {
  static const char* const kMonths[] = {"jan",  "january",   "feb", "february", "mar",  "march",   "apr",
                                        "april", "may",      "june", "july",    "aug",  "august",  "sept",
                                        "september", "oct",  "october", "nov",  "november", "dec", "december"};
  return std::any_of(std::begin(kMonths), std::end(kMonths), [&](const char* m) { return bare == m; });
}

// The URL after `last` (over a comma and blanks), or `last`.
std::size_t takeUrl(const Paragraph& p, std::size_t last) {
  std::size_t url = nextWord(p, last + 1);
  if (url < p.end() && isPunctuationWord(p.tokens[url])) url = nextWord(p, url + 1);
  return url < p.end() && url - last <= 4 && isUrlWord(p.tokens[url]) && !takenElsewhere(p.tokens[url]) ? url : last;
}

}  // namespace

bool recognizeArticle(Paragraph& p, std::size_t& cursor) {
  const std::size_t volume = cursor;
  const Token& vol = p.tokens[volume];
  if (!isNumberWord(vol.text, false, false) || db::stripTrailing(vol.text, true) != vol.text) return false;
  const std::size_t name = skipBlanks(p, volume + 1);
  if (name == volume + 1 || name >= p.end() || !p.tokens[name].isWord()) return false;
  db::EntryName journal;
  const std::size_t nameEnd = matchJournal(p, name, journal);
  if (nameEnd == kNoToken) return false;
  const std::size_t page = skipBlanks(p, nameEnd + 1);
  if (page >= p.end() || !isPageWord(p.tokens[page])) return false;
  // Pinpoints: ", 620", ", 620-21".
  std::size_t last = page;
  for (std::size_t next = nextWord(p, last + 1); next < p.end() && p.tokens[last].text.ends_with(',') &&
                                                 isPageWord(p.tokens[next]);
       next = nextWord(p, last + 1))
    last = next;
  const std::size_t group = nextWord(p, last + 1);
  const std::size_t groupEnd = group < p.end() ? yearGroupEnd(p, group) : kNoToken;
  if (groupEnd == kNoToken) return false;
  const Body body = readBodyBackward(p, volume, 2, true);
  if (body.empty()) return false;
  const std::string key = vol.text + " " + journal.name + " " + bareText(p.tokens[page].text);
  return fileOtherAuthority(p, cursor, {body.first(), takeUrl(p, groupEnd)}, key, authorKey(p, body), journal);
}

bool recognizeBook(Paragraph& p, std::size_t& cursor, std::size_t locator, std::size_t group) {
  const std::size_t groupEnd = yearGroupEnd(p, group);
  if (groupEnd == kNoToken) return false;
  // A page or section pinpoint before the parenthetical is part of the locator.
  if (locator == group) {
    for (std::size_t k = group; k > p.claimedEnd && group - k < 10;) {
      const Token& token = p.tokens[k - 1];
      const std::string bare = bareText(token.text);
      if (token.isBlank() || token.isHardSpace()) {
        --k;
      } else if (isPageWord(token) || bare == "at" || bare == "n" || bare == "ch" || bare == "pt" || bare == "cmt") {
        locator = --k;
      } else {
        break;
      }
    }
  }
  const std::size_t last = takeUrl(p, groupEnd);
  const bool web = last != groupEnd;
  const Body body = readBodyBackward(p, locator, web ? 3 : 2, false);
  if (body.empty()) return false;
  const Span title = body.parts.back();
  // A volume stands before the author, never at the head of a title ("123 Foo 456" is a case).
  if (isNumberWord(p.tokens[title.first].text, false, true)) return false;
  const bool titleOnly = body.parts.size() == 1 && isTitleOnlyWork(p, title);
  if (body.parts.size() == 1 && !titleOnly && !web) return false;
  // "Our Court, Jackson (1954)": a sentence, not an author and a title.
  if (!web && body.parts.size() >= 2 && (!isPlausibleAuthor(p, body.parts.front()) ||
                                         (wordCount(p, title) < 2 && !p.tokens[title.first].attribute(kItalic))))
    return false;
  std::string key = wordsText(p, body.first(), title.last);
  if (titleOnly) {
    std::string section;
    if (p.tokens[locator].isSectionSign()) readSectionPart(p, locator, section);
    key += section;
  } else {
    key += wordsText(p, group, groupEnd, true);
  }
  return fileOtherAuthority(p, cursor, {body.first(), last}, key, authorKey(p, body), noEntry());
}

bool recognizeNews(Paragraph& p, std::size_t& cursor) {
  const std::size_t month = cursor;
  if (!isMonth(bareText(p.tokens[month].text))) return false;
  const std::size_t day = nextWord(p, month + 1);
  if (day >= p.end() || !p.tokens[day].text.ends_with(',') || !isPageWord(p.tokens[day])) return false;
  const std::size_t year = nextWord(p, day + 1);
  if (year >= p.end() || takenElsewhere(p.tokens[year])) return false;
  const std::string yearText = db::stripTrailing(p.tokens[year].text, true);
  if (yearText.size() != 4 || !std::all_of(yearText.begin(), yearText.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  std::size_t last = year;
  // A page of the print edition: ", at A1".
  const std::size_t at = nextWord(p, year + 1);
  if (at < p.end() && p.tokens[year].text.ends_with(',') && p.tokens[at].text == "at" && nextWord(p, at + 1) < p.end())
    last = nextWord(p, at + 1);
  const std::size_t url = takeUrl(p, last);
  const Body body = readBodyBackward(p, month, 3, true);
  if (body.parts.size() < 2 || (url == last && !isPeriodical(p, body.parts.back()))) return false;
  const std::string key = wordsText(p, body.first(), body.parts.back().last) + wordsText(p, month, month) +
                          p.tokens[day].text + yearText;
  const std::string author = body.parts.size() == 3 ? authorKey(p, body) : "";
  return fileOtherAuthority(p, cursor, {body.first(), url}, key, author, noEntry());
}

}  // namespace recognize::internal
