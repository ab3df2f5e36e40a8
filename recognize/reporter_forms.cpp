// Reporter citations in the shapes the dictionary's prefix match does not
// read. In: a paragraph's tokens and the dictionary. Out: whether a word is a
// number not known yet, the parts of a neutral word, and the reporter a
// written form names.
#include "recognize/internal/reporter_forms.h"

#include <algorithm>

#include "db/text.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

// The longest reporter typed word by word: "Cal. App. 4th Supp." is four.
constexpr int kMaxReporterWords = 6;

bool isGap(const Token& token) { return token.isBlank() || token.isHardSpace(); }

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool allLetters(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

std::string bare(std::string_view text) { return db::stripTrailing(text, true); }

// A page after a written reporter: a number, "7)" closing the parenthetical
// the citation stands in, or a number not known yet.
bool isPageAfter(const Token& token) {
  if (isBlankNumber(token)) return true;
  if (!token.isWord() || token.grouped) return false;
  std::string text = token.text;
  if (text.find('(') == std::string::npos) {
    while (!text.empty() && text.back() == ')') text.pop_back();
  }
  return isNumberWord(text, false, false);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string squeezed(std::string_view text) {
  std::string out;
  for (const char c : db::lowerCase(text)) {
    if (c != ' ' && c != '.') out += c;
  }
  return out;
}

}  // namespace

bool citesInGroup(const TokenList& group, std::string_view key, bool pageFollows) {
  std::string words;
  for (const Token& token : group) {
    if (token.isWord()) words += squeezed(token.text);
  }
  const std::string wanted = squeezed(key);
  if (wanted.empty() || key.find(kBlankNumberKey) != std::string_view::npos) return false;  // names no one case
  for (std::size_t at = words.find(wanted); at != std::string::npos; at = words.find(wanted, at + 1)) {
    const std::size_t after = at + wanted.size();
    const bool nextIsDigit = after < words.size() && isDigit(words[after]);
    if ((at == 0 || !isDigit(words[at - 1])) && nextIsDigit == pageFollows) return true;
  }
  return false;
}

bool isBlankNumber(const Token& token) {
  if (token.isSpecial()) {
    return token.text == std::string("\x04\x21", 2) || token.text == std::string("\x04\x22", 2);
  }
  if (!token.isWord()) return false;
  const std::string text = bare(token.text);
  if (text.size() < 2) return false;
  return std::all_of(text.begin(), text.end(), [&text](char c) { return c == text.front(); }) &&
         (text.front() == '_' || text.front() == '-');
}

std::optional<HyphenNeutral> parseHyphenNeutral(std::string_view text) {
  const std::string word = bare(text);
  const std::size_t first = word.find('-');
  if (first == std::string::npos) return std::nullopt;
  const std::size_t second = word.find('-', first + 1);
  if (second == std::string::npos || word.find('-', second + 1) != std::string::npos) return std::nullopt;
  HyphenNeutral parts{word.substr(0, first), word.substr(first + 1, second - first - 1), word.substr(second + 1)};
  if (parts.year.size() != 4 || !allDigits(parts.year) || parts.court.size() < 2 || !allLetters(parts.court) ||
      !allDigits(parts.number)) {
    return std::nullopt;
  }
  return parts;
}

bool isYearNumber(std::string_view text) {
  const std::string word = bare(text);
  const std::size_t dash = word.find('-');
  return dash == 4 && allDigits(word.substr(0, 4)) && allDigits(word.substr(5));
}

std::size_t matchWrittenReporter(Paragraph& p, std::size_t cursor, db::EntryName& entry) {
  const TokenList& tokens = p.tokens;
  if (cursor >= p.end() || !tokens[cursor].isWord() || tokens[cursor].grouped) return 0;
  if (const auto neutral = parseHyphenNeutral(tokens[cursor].text)) {
    const std::string court = db::lowerCase(neutral->court);
    for (const std::int32_t typeId : {db::kEntryTypeReporters, db::kEntryTypeCaseSources}) {
      if (const db::EntryName* found = p.dictionary.getEntryName(court, typeId)) {
        entry = *found;
        entry.entry_type_id = typeId;
        return 1;
      }
    }
    return 0;
  }
  // A written form is trusted only where a case citation plainly stands:
  // "Name, 5 F Supp 2d 7" or "(1990) 5 Cal 3d 7".
  std::size_t volume = cursor;
  while (volume > 0 && isGap(tokens[volume - 1])) --volume;
  if (volume == cursor || volume == 0 || !tokens[volume - 1].isWord() || tokens[volume - 1].grouped ||
      !allDigits(tokens[volume - 1].text)) {
    return 0;
  }
  std::size_t before = volume - 1;
  while (before > 0 && isGap(tokens[before - 1])) --before;
  if (before == 0 || !tokens[before - 1].isWord() || tokens[before - 1].text.empty() ||
      (tokens[before - 1].text.back() != ',' && tokens[before - 1].text.back() != ')')) {
    return 0;
  }

  std::size_t covered = 0;
  std::string written;
  std::size_t i = cursor;
  for (int words = 0; words < kMaxReporterWords && i < p.end() && tokens[i].isWord() && !tokens[i].grouped; ++words) {
    written += tokens[i].text;
    std::size_t next = i + 1;
    while (next < p.end() && isGap(tokens[next])) ++next;
    std::int32_t typeId = -1;
    const db::EntryName* found = nullptr;
    // One letter alone ("5 F 7") is as likely an exhibit or a count.
    const bool longEnough =
        std::count_if(written.begin(), written.end(), [](char c) { return c != ' ' && c != '.'; }) > 1;
    if (longEnough && next < p.end() && next > i + 1 && isPageAfter(tokens[next])) {
      found = p.dictionary.findWrittenForm(written, typeId);
    }
    if (found != nullptr && (typeId == db::kEntryTypeReporters || typeId == db::kEntryTypeCaseSources)) {
      entry = *found;
      entry.entry_type_id = typeId;
      covered = i - cursor + 1;
    }
    if (next == i + 1) break;
    written += ' ';
    i = next;
  }
  return covered;
}

}  // namespace recognize::internal
