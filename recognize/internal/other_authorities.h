// Other authorities (citation kind 3): law review articles, books and
// treatises, restatements, dictionaries, model codes and uniform acts, news
// and web sources, and legislative materials (committee reports, the
// Congressional Record, hearings, bills). In: the paragraph at a token the
// walk meets (a volume, a closing date or edition parenthetical, a section
// sign, a month, "Hearing", a dictionary name). Out: one kind-3 citation filed
// in the table with its full text, or nothing. A text that lacks the date or
// edition that closes such an authority is not one: unknown beats wrong.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "db/entry_name.h"
#include "recognize/internal/paragraph.h"

namespace recognize::internal {

inline constexpr std::size_t kNoToken = static_cast<std::size_t>(-1);

// --- shared readers (other_authorities.cpp) ---

// Tokens [first, last] of a paragraph.
struct Span {
  std::size_t first = 0;
  std::size_t last = 0;
};

// The comma-separated parts of an authority before its locator, left to
// right ("Wayne R. LaFave" and "Substantive Criminal Law"); each part an
// italic or underlined run or a run of title-case words.
struct Body {
  std::vector<Span> parts;
  bool empty() const { return parts.empty(); }
  std::size_t first() const { return parts.front().first; }
};

// The parts that end before `end` (exclusive), read towards the paragraph's
// start, at most `maxParts`; `commaBefore` says that the word before `end`
// must close its part with ",". Reading stops at a token another citation
// took, at ";", a signal, a sentence's lower-case words, and at the last
// token the walk handled. A part naming a case ("v.") makes the body empty.
Body readBodyBackward(const Paragraph& p, std::size_t end, std::size_t maxParts, bool commaBefore);

// The last token of the bracketed group starting at `at` whose text ends in a
// year ("(1965)", "(3d ed. 2018)", "(Am. L. Inst. 1985)"); kNoToken for none.
std::size_t yearGroupEnd(const Paragraph& p, std::size_t at);
// The section part that starts at `from`: section signs, numbers ("2.02",
// "402A", "(2)"), subdivision words and their letters ("cmt. c"). Its last
// token (kNoToken for none); `number` receives the first number, bare.
std::size_t readSectionPart(const Paragraph& p, std::size_t from, std::string& number);
// A word that is a URL ("https://...", "http://..."), punctuation after it allowed.
bool isUrlWord(const Token& token);
// The first word at or after `i` over blanks; p.end() when none.
std::size_t nextWord(const Paragraph& p, std::size_t i);
// The word's text lower-cased without trailing ",;:.".
std::string bareText(const std::string& text);
// The words of tokens [first, last] lower-cased, without numbers and ".,;:",
// one blank between: how an author is found ("2 Wayne R. LaFave" -> "wayne r
// lafave").
std::string authorWords(const Paragraph& p, std::size_t first, std::size_t last);

// Files tokens [first, last] as a kind-3 citation: merged into one with the
// same key (normalised here), or kept with its tokens trimmed and `shortName`
// (an author's words) for later references. Marks the tokens
// grouped, leaves the cursor on `last`, makes the citation previous.
// Returns false only when the table cannot make a citation.
bool fileOtherAuthority(Paragraph& p, std::size_t& cursor, Span span, const std::string& key,
                        const std::string& shortName, const db::EntryName& entry);

// --- the walk's entries ---

// At a token no other recogniser handled: an article at its volume, a book,
// restatement, dictionary, model code or web page at its closing
// parenthetical, a news article at its month, the Congressional Record, a
// hearing or a bill. True (cursor on the last token taken) when one was filed.
bool recognizeOtherAuthority(Paragraph& p, std::size_t& cursor);
// At a section sign: a book or model code whose section stands before its
// closing parenthetical, "LaFave § 15.4" for a book already cited, or the
// section after "supra" or "Id." of one. False leaves the sign to the
// section-sign reader.
bool recognizeOtherAuthorityAtSign(Paragraph& p, std::size_t& cursor);
// Whether a dictionary name (type 7 or 8) names a model code or legislative
// material, so that its citations are other authorities.
bool namesOtherAuthority(const db::EntryName& entry);
// Reads such a name's citation at `cursor` (`covered` tokens of the name).
// False, with the cursor unchanged, when no number or section follows it.
bool recognizeNamedOtherAuthority(Paragraph& p, std::size_t& cursor, const db::EntryName& entry,
                                  std::size_t covered);
// The one other authority whose author has every word of `party` (bare,
// lower case) among its words, or with `surname` as its last word; null for
// none or several.
Citation* findOtherByAuthor(const CitationTable& table, const std::vector<std::string>& party, bool surname = false);

// --- per family ---
bool recognizeArticle(Paragraph& p, std::size_t& cursor);      // at a volume before a journal
bool recognizeBook(Paragraph& p, std::size_t& cursor, std::size_t locator, std::size_t group);
bool recognizeNews(Paragraph& p, std::size_t& cursor);         // at a month
bool recognizeCongressionalRecord(Paragraph& p, std::size_t& cursor);  // at a volume
bool recognizeHearing(Paragraph& p, std::size_t& cursor);      // at "Hearing"
bool recognizeBill(Paragraph& p, std::size_t& cursor);         // at "S." before a number
bool recognizeLegislativeName(Paragraph& p, std::size_t& cursor, const db::EntryName& entry, std::size_t covered);

}  // namespace recognize::internal
