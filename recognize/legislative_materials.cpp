// Legislative materials: committee reports and documents ("H.R. Rep. No.
// 99-849, at 3 (1986)"), the Congressional Record ("132 Cong. Rec. 5678
// (1986)"), hearings ("...: Hearing on H.R. 4639 Before the Subcomm. on Crime
// ..., 99th Cong. 12 (1986)") and bills ("S. 1630, 97th Cong. (1981)").
// In: the paragraph at the report's or bill's name, the record's volume or
// the word "Hearing". Out: a kind-3 citation whose key leaves out pinpoints,
// so that every cite of one report is one authority.
#include <algorithm>

#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/other_authorities.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

bool isNumber(const Token& token) {
  return token.isWord() && !takenElsewhere(token) && !token.text.starts_with('(') &&
         isNumberWord(token.text, false, true);
}

// "97th", "2d", "1st": the number of a Congress or session.
bool isOrdinal(const Token& token) {
  const std::string bare = bareText(token.text);
  std::size_t digits = 0;
  while (digits < bare.size() && bare[digits] >= '0' && bare[digits] <= '9') ++digits;
  const std::string suffix = bare.substr(digits);
  return token.isWord() && digits > 0 && (suffix == "st" || suffix == "nd" || suffix == "rd" || suffix == "th" ||
                                          suffix == "d");
}

// The word after `i` when it has the bare text `bare`; p.end() otherwise.
std::size_t wordIs(const Paragraph& p, std::size_t i, const char* bare) {
  const std::size_t next = nextWord(p, i + 1);
  return next < p.end() && !takenElsewhere(p.tokens[next]) && bareText(p.tokens[next].text) == bare ? next : p.end();
}

// ", 97th Cong." (or ", 2d Sess." for `word` "sess") after `last`: the last
// token taken, `last` when none follows.
std::size_t readOrdinal(const Paragraph& p, std::size_t last, const char* word) {
  const std::size_t ordinal = nextWord(p, last + 1);
  if (!p.tokens[last].text.ends_with(',') || ordinal >= p.end() || !isOrdinal(p.tokens[ordinal])) return last;
  const std::size_t name = wordIs(p, ordinal, word);
  return name < p.end() ? name : last;
}

std::size_t readCongress(const Paragraph& p, std::size_t last) {
  const std::size_t congress = readOrdinal(p, last, "cong");
  return congress == last ? last : readOrdinal(p, congress, "sess");
}

// The year parenthetical after `last`, when one follows, with a section of
// the bill before it ("§ 2 (2019)"): its last token.
std::size_t readYear(const Paragraph& p, std::size_t last) {
  std::size_t sign = last + 1;
  while (sign < p.end() && (p.tokens[sign].isBlank() || p.tokens[sign].isHardSpace())) ++sign;
  std::string number;
  const std::size_t section = sign < p.end() && p.tokens[sign].isSectionSign() ? readSectionPart(p, sign, number) : kNoToken;
  // Without its year the section is left to the section-sign reader.
  const std::size_t group = nextWord(p, (section == kNoToken ? last : section) + 1);
  const std::size_t end = group < p.end() ? yearGroupEnd(p, group) : kNoToken;
  return end == kNoToken ? last : end;
}

std::string joined(const Paragraph& p, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i <= last; ++i)
    if (p.tokens[i].isWord()) text += p.tokens[i].text + " ";
  return text;
}

db::EntryName namedAs(const char* name) {
  db::EntryName entry;
  entry.name = name;
  return entry;
}

}  // namespace

bool recognizeLegislativeName(Paragraph& p, std::size_t& cursor, const db::EntryName& entry, std::size_t covered) {
  const std::size_t nameEnd = cursor + covered - 1;
  const std::size_t number = nextWord(p, nameEnd + 1);
  if (number >= p.end() || number - nameEnd > 2 || !isNumber(p.tokens[number])) return false;
  std::string key = entry.name + " " + bareText(p.tokens[number].text);
  std::size_t last = number;
  // A part (", pt. 1") is a report of its own, so it joins the key.
  const std::size_t pt = p.tokens[last].text.ends_with(',') ? wordIs(p, last, "pt") : p.end();
  const std::size_t part = pt < p.end() ? nextWord(p, pt + 1) : p.end();
  if (part < p.end() && isNumber(p.tokens[part])) {
    key += " pt. " + bareText(p.tokens[part].text);
    last = part;
  }
  // A pinpoint (", at 3") is left out of the key; a Congress is part of it.
  const std::size_t at = p.tokens[last].text.ends_with(',') ? wordIs(p, last, "at") : p.end();
  const std::size_t page = at < p.end() ? nextWord(p, at + 1) : p.end();
  if (page < p.end() && isNumber(p.tokens[page])) last = page;
  const std::size_t congress = readCongress(p, last);
  if (congress != last) key += joined(p, last + 1, congress);
  last = readYear(p, congress);
  return fileOtherAuthority(p, cursor, {cursor, last}, key, "", entry);
}

bool recognizeCongressionalRecord(Paragraph& p, std::size_t& cursor) {
  const std::size_t volume = cursor;
  if (!isNumber(p.tokens[volume]) || p.tokens[volume].text.back() == ',') return false;
  const std::size_t cong = wordIs(p, volume, "cong");
  const std::size_t rec = cong < p.end() ? wordIs(p, cong, "rec") : p.end();
  const std::size_t page = rec < p.end() ? nextWord(p, rec + 1) : p.end();
  if (page >= p.end() || !isNumber(p.tokens[page])) return false;
  std::size_t last = page;
  for (std::size_t next = nextWord(p, last + 1);
       next < p.end() && p.tokens[last].text.ends_with(',') && isNumber(p.tokens[next]); next = nextWord(p, last + 1))
    last = next;
  last = readYear(p, last);
  // "(statement of Sen. Biden)" names the speaker.
  const std::size_t speaker = nextWord(p, last + 1);
  if (speaker < p.end() && (p.tokens[speaker].text == "(statement" || p.tokens[speaker].text == "(remarks")) {
    for (std::size_t i = speaker; i < p.end() && i - speaker < 16 && !takenElsewhere(p.tokens[i]); ++i) {
      if (db::stripTrailing(p.tokens[i].text, true).ends_with(')')) {
        last = i;
        break;
      }
    }
  }
  const std::string key = p.tokens[volume].text + " Cong. Rec. " + bareText(p.tokens[page].text);
  return fileOtherAuthority(p, cursor, {volume, last}, key, "", namedAs("Cong. Rec."));
}

bool recognizeHearing(Paragraph& p, std::size_t& cursor) {
  const std::size_t hearing = cursor;
  const std::string& text = p.tokens[hearing].text;
  if (text != "Hearing" && text != "Hearings") return false;
  // "..., 99th Cong. 12 (1986)": the Congress closes the hearing's name.
  constexpr std::size_t kLongestName = 60;
  std::size_t cong = p.end();
  for (std::size_t i = hearing + 1; i < p.end() && i - hearing <= kLongestName; ++i) {
    const Token& token = p.tokens[i];
    if (takenElsewhere(token) || (token.isWord() && token.text.ends_with(';'))) return false;
    if (isOrdinal(token) && wordIs(p, i, "cong") < p.end()) {
      cong = wordIs(p, i, "cong");
      break;
    }
  }
  if (cong >= p.end()) return false;
  std::size_t last = readOrdinal(p, cong, "sess");
  const std::size_t page = nextWord(p, last + 1);
  if (page < p.end() && isNumber(p.tokens[page])) last = page;
  const std::size_t end = readYear(p, last);
  if (end == last) return false;  // a hearing is closed by its year
  // The title before it ends with ":" ("Crime Control: Hearing on ...").
  std::size_t first = hearing;
  std::size_t before = hearing;
  while (before > 0 && p.tokens[before - 1].isBlank()) --before;
  if (before > 0 && before < hearing && p.tokens[before - 1].text.ends_with(':')) {
    const Body title = readBodyBackward(p, hearing, 1, false);
    if (!title.empty()) first = title.first();
  }
  return fileOtherAuthority(p, cursor, {first, end}, joined(p, first, cong), "", namedAs("Hearing"));
}

bool recognizeBill(Paragraph& p, std::size_t& cursor) {
  if (p.tokens[cursor].text != "S.") return false;
  const std::size_t number = nextWord(p, cursor + 1);
  if (number >= p.end() || number - cursor > 2 || !isNumber(p.tokens[number])) return false;
  const std::size_t congress = readCongress(p, number);
  if (congress == number) return false;  // "S. 12" alone may be anything
  const std::string key = "S. " + joined(p, number, congress);
  return fileOtherAuthority(p, cursor, {cursor, readYear(p, congress)}, key, "", namedAs("S."));
}

}  // namespace recognize::internal
