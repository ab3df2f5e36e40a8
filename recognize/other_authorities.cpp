// The readers every other authority shares (its author and title read
// backwards, its closing date parenthetical, filing as kind 3) and the walk's
// entries that pick the family by the token met. In: the paragraph at that
// token. Out: a kind-3 citation in the table, or nothing.
#include "recognize/internal/other_authorities.h"

#include <algorithm>

#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/filing.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

bool isEmphasised(const Token& token) { return token.attribute(kUnderline) || token.attribute(kItalic); }

// Lower-case words that title case keeps small.
bool isSmallWord(const std::string& bare) {
  static const char* const kSmall[] = {"a",    "an",   "and",  "as",   "at",    "but",    "by",   "for",
                                       "from", "in",   "into", "of",   "on",    "or",     "the",  "to",
                                       "upon", "with", "nor",  "over", "under", "&",      "its",  "not",
                                       "per",  "via",  "de",   "van",  "von",   "der",    "la",   "du",
                                       "et",   "al"};
  return std::any_of(std::begin(kSmall), std::end(kSmall), [&](const char* w) { return bare == w; });
}

// A word of a title-case part: capitalised (after opening quotes or "("),
// a number, or a small word.
bool isTitleWord(const Token& token) {
  if (token.isSpecial()) return !token.isSectionSign();
  if (!token.isWord()) return false;
  std::size_t i = 0;
  while (i < token.text.size() && (token.text[i] == '(' || token.text[i] == '"' || token.text[i] == '\'')) ++i;
  if (i == token.text.size()) return false;
  const char c = token.text[i];
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || isSmallWord(bareText(token.text));
}

bool endsWithAny(const std::string& text, const char* chars) {
  return !text.empty() && std::string_view(chars).find(text.back()) != std::string_view::npos;
}

bool isCaseWord(const Token& token) {
  const std::string bare = bareText(token.text);
  return token.isWord() && (bare == "v" || bare == "vs" || bare == "re" || bare == "ex");
}

// One part ending at `last`, read backwards; its first token, or kNoToken.
std::size_t readPart(const Paragraph& p, std::size_t last, std::size_t lower, std::size_t limit) {
  const TokenList& t = p.tokens;
  std::size_t first = last;
  std::size_t words = 0;
  const bool italic = isEmphasised(t[last]);
  for (std::size_t i = last + 1; i-- > lower;) {
    const Token& token = t[i];
    // An italic title may begin with a signal's word ("In Defense of ...").
    if (takenElsewhere(token) || (!italic && token.isWord() && isSignalWord(token.text))) break;
    if (token.isBlank() || token.isHardSpace()) continue;
    if (italic ? !isEmphasised(token) : !isTitleWord(token)) break;
    // A comma or semicolon before this word closes the part before it.
    if (i != last && token.isWord() && endsWithAny(token.text, ",;")) break;
    if (++words > limit) return kNoToken;
    first = i;
  }
  // Leading small words belong to the sentence ("on Wayne R. LaFave").
  while (first <= last && (!t[first].isWord() || (!isEmphasised(t[first]) && !isCapitalStart(t[first].text, true) &&
                                                    !isNumberWord(t[first].text, false, false))))
    ++first;
  return first <= last ? first : kNoToken;
}

}  // namespace

std::size_t readSectionPart(const Paragraph& p, std::size_t from, std::string& number) {
  std::size_t last = kNoToken;
  bool afterSubdivision = false;
  for (std::size_t i = from; i < p.end(); ++i) {
    const Token& token = p.tokens[i];
    if (token.isBlank() || token.isHardSpace()) continue;
    if (takenElsewhere(token)) break;
    if (token.isSectionSign()) {
      last = i;
      continue;
    }
    if (!token.isWord()) break;
    const std::string& text = token.text;
    const bool bracketed = text.starts_with('(') && text.size() <= 6 && db::stripTrailing(text, true).ends_with(')');
    const bool numeric = !text.starts_with('(') && ((text[0] >= '0' && text[0] <= '9') || isNumberWord(text, false, true));
    const bool subdivision = isSubdivisionWord(p, i);
    if (numeric || (bracketed && last != kNoToken && i == last + 1) || subdivision || (afterSubdivision && text.size() <= 2)) {
      if (numeric && number.empty()) number = bareText(text);
      afterSubdivision = subdivision;
      last = i;
      if (endsWithAny(text, ";")) break;
      continue;
    }
    break;
  }
  return last;
}

std::string bareText(const std::string& text) { return db::stripTrailing(db::lowerCase(text), true); }

std::size_t nextWord(const Paragraph& p, std::size_t i) {
  while (i < p.end() && !p.tokens[i].isWord()) ++i;
  return i;
}

bool isUrlWord(const Token& token) {
  return token.isWord() && (token.text.starts_with("https://") || token.text.starts_with("http://"));
}

std::string authorWords(const Paragraph& p, std::size_t first, std::size_t last) {
  std::string out;
  for (std::size_t i = first; i <= last && i < p.end(); ++i) {
    const Token& token = p.tokens[i];
    if (!token.isWord() || isNumberWord(token.text, true, true)) continue;
    std::string word;
    for (const char c : db::lowerCase(token.text))
      if (c != '.' && c != ',' && c != ';' && c != ':') word += c;
    if (!word.empty()) out += (out.empty() ? "" : " ") + word;
  }
  return out;
}

Body readBodyBackward(const Paragraph& p, std::size_t end, std::size_t maxParts, bool commaBefore) {
  Body body;
  constexpr std::size_t kLongestTitle = 25;
  std::size_t i = end;
  for (bool needComma = commaBefore; body.parts.size() < maxParts; needComma = true) {
    while (i > p.claimedEnd && (p.tokens[i - 1].isBlank() || p.tokens[i - 1].isHardSpace())) --i;
    if (i <= p.claimedEnd) break;
    const Token& last = p.tokens[i - 1];
    if (!last.isWord() || takenElsewhere(last) || isSignalWord(last.text)) break;
    if (needComma != last.text.ends_with(',')) break;
    // A comma set apart from an italic title ("*Title*,") closes the part.
    std::size_t partEnd = i - 1;
    if (last.text == "," && partEnd > p.claimedEnd && p.tokens[partEnd - 1].isWord()) --partEnd;
    const std::size_t first = readPart(p, partEnd, p.claimedEnd, kLongestTitle);
    if (first == kNoToken) break;
    body.parts.insert(body.parts.begin(), Span{first, partEnd});
    i = first;
  }
  // A case name read as a title or author: never another authority.
  std::size_t before = body.empty() ? 0 : body.first();
  while (before > 0 && !p.tokens[before - 1].isWord()) --before;
  if (before > 0 && isCaseWord(p.tokens[before - 1])) return Body{};
  for (const Span& part : body.parts)
    for (std::size_t k = part.first; k <= part.last; ++k)
      if (isCaseWord(p.tokens[k])) return Body{};
  return body;
}

std::size_t yearGroupEnd(const Paragraph& p, std::size_t at) {
  const Token& open = p.tokens[at];
  if (!open.isWord() || !open.text.starts_with('(') || takenElsewhere(open)) return kNoToken;
  constexpr std::size_t kLongestGroup = 24;
  for (std::size_t i = at; i < p.end() && i - at <= kLongestGroup; ++i) {
    const Token& token = p.tokens[i];
    if (takenElsewhere(token) || (i > at && token.isWord() && token.text.starts_with('('))) return kNoToken;
    if (!token.isWord()) continue;
    std::string text = db::stripTrailing(token.text, true);
    if (!text.ends_with(')')) continue;
    text.pop_back();
    if (!text.empty() && text.front() == '(') text.erase(0, 1);
    const bool year = text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                      (text.starts_with("1") || text.starts_with("20"));
    return year ? i : kNoToken;
  }
  return kNoToken;
}

bool fileOtherAuthority(Paragraph& p, std::size_t& cursor, Span span, const std::string& key,
                        const std::string& shortName, const db::EntryName& entry) {
  CitationTable& table = p.table;
  Citation* citation = table.newCitation();
  if (citation == nullptr) return false;
  citation->occurrenceGroups.emplace_back();
  for (std::size_t i = span.first; i <= span.last; ++i) {
    citation->tokens.push_back(p.tokens[i]);
    citation->occurrenceGroups.back().push_back(p.tokens[i]);
    p.setGrouped(i, 1);
  }
  citation->kind = kOtherAuthority;
  // Blanks and case do not tell two citations of one work apart.
  citation->key = normaliseKey(key, kDictionaryAuthority);
  cursor = span.last;
  Citation* existing = table.findByKey(citation->key);
  if (existing != nullptr && existing != citation && existing->kind == kOtherAuthority) {
    mergeOccurrence(table, *existing, *citation);
    table.dropPending();
    return true;
  }
  trimTokens(citation->tokens);
  if (citation->tokens.empty()) {
    table.dropPending();
    return true;
  }
  citation->shortName = shortName;
  citation->jurisdiction = entry.jurisdiction;
  citation->entryName = entry.name;
  const Token& first = citation->tokens.front();
  citation->addOccurrence(first);
  citation->ids.push_back(table.count);
  citation->noteNumbers.push_back(first.noteNumber);
  ++table.count;
  table.previous = citation;
  table.pending = nullptr;
  return true;
}

bool recognizeOtherAuthority(Paragraph& p, std::size_t& cursor) {
  const Token& token = p.tokens[cursor];
  if (!token.isWord() || takenElsewhere(token)) return false;
  const char head = token.text.front();
  if (head == '(') {
    const std::size_t group = yearGroupEnd(p, cursor);
    return group != kNoToken && recognizeBook(p, cursor, cursor, cursor);
  }
  if (head >= '0' && head <= '9') return recognizeArticle(p, cursor) || recognizeCongressionalRecord(p, cursor);
  if (head < 'A' || head > 'Z') return false;
  return recognizeNews(p, cursor) || recognizeHearing(p, cursor) || recognizeBill(p, cursor);
}

bool namesOtherAuthority(const db::EntryName& entry) {
  static const char* const kNames[] = {"Model Penal Code", "H.R. Rep. No.", "H.R. Conf. Rep. No.", "H.R. Doc. No.",
                                       "S. Rep. No.",      "S. Doc. No.",   "S. Exec. Doc. No.",   "H.R.",
                                       "H.R. Res.",        "H.R.J. Res.",   "H.R. Con. Res.",      "S. Res.",
                                       "S.J. Res.",        "S. Con. Res."};
  return std::any_of(std::begin(kNames), std::end(kNames), [&](const char* name) { return entry.name == name; });
}

bool recognizeNamedOtherAuthority(Paragraph& p, std::size_t& cursor, const db::EntryName& entry,
                                  std::size_t covered) {
  if (entry.entry_type_id == db::kEntryTypeNumberedAuthorities) return recognizeLegislativeName(p, cursor, entry, covered);
  // A model code: its section, then the parenthetical that closes it.
  const std::size_t nameEnd = cursor + covered - 1;
  std::string section;
  std::size_t last = readSectionPart(p, nameEnd + 1, section);
  if (last == kNoToken) last = nameEnd;
  const std::size_t group = nextWord(p, last + 1);
  const std::size_t groupEnd = group < p.end() ? yearGroupEnd(p, group) : kNoToken;
  if (groupEnd != kNoToken) last = groupEnd;
  if (section.empty() && groupEnd == kNoToken) return false;  // the name alone: prose
  while (last > nameEnd && !p.tokens[last].isWord()) --last;
  return fileOtherAuthority(p, cursor, {cursor, last}, entry.name + " " + section, "", entry);
}

}  // namespace recognize::internal
