// Later references to an other authority and the section signs inside one:
// "LaFave, supra" and "LaFave § 15.5" find the book by its author's words,
// the section after "supra" or "Id." belongs to that reference, and a
// section sign that stands before a book's or model code's closing
// parenthetical is read with the whole authority. In: the paragraph at the
// sign or the supra's party. Out: an occurrence of a filed kind-3 citation.
#include <algorithm>

#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/other_authorities.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {

Citation* findOtherByAuthor(const CitationTable& table, const std::vector<std::string>& party, bool surname) {
  Citation* found = nullptr;
  for (const auto& owned : table.citations) {
    if (owned->kind != kOtherAuthority || owned->shortName.empty() || owned.get() == table.pending) continue;
    std::vector<std::string> author;
    for (std::size_t at = 0, blank; at <= owned->shortName.size(); at = blank + 1) {
      blank = std::min(owned->shortName.find(' ', at), owned->shortName.size());
      author.push_back(owned->shortName.substr(at, blank - at));
    }
    const bool all = !party.empty() && std::all_of(party.begin(), party.end(), [&](const std::string& word) {
      std::string bare;
      for (const char c : word)
        if (c != '.') bare += c;
      return surname ? bare == author.back() : std::find(author.begin(), author.end(), bare) != author.end();
    });
    if (!all) continue;
    if (found != nullptr) return nullptr;  // two works by that author: neither
    found = owned.get();
  }
  return found;
}

bool recognizeOtherAuthorityAtSign(Paragraph& p, std::size_t& cursor) {
  // The section part of a book or model code runs to its parenthetical.
  constexpr std::size_t kLongestSection = 12;
  for (std::size_t i = cursor + 1; i < p.end() && i - cursor <= kLongestSection; ++i) {
    const Token& token = p.tokens[i];
    if (takenElsewhere(token) || (token.isWord() && token.text.ends_with(';'))) break;
    if (token.isWord() && token.text.starts_with('(')) {
      if (yearGroupEnd(p, i) != kNoToken) {
        if (recognizeBook(p, cursor, cursor, i)) return true;
        break;
      }
      if (!isNumberWord(token.text, true, true)) break;  // "(a)" is a subdivision
    }
  }
  // "LaFave § 15.4", or the section after "LaFave, supra," or "Id.".
  std::size_t before = cursor;
  while (before > 0 && (p.tokens[before - 1].isBlank() || p.tokens[before - 1].isHardSpace())) --before;
  if (before == cursor || before == 0 || !p.tokens[before - 1].isWord()) return false;
  const Token& word = p.tokens[before - 1];
  const std::string bare = bareText(word.text);
  if (bare == "supra" || bare == "id") {
    const Citation* previous = p.table.previous;
    if (previous == nullptr || previous->kind != kOtherAuthority) return false;
    std::string number;
    const std::size_t last = readSectionPart(p, cursor, number);
    for (std::size_t i = cursor; i <= last; ++i) p.setGrouped(i, 1);
    cursor = last;
    return true;
  }
  if (before - 1 < p.claimedEnd || takenElsewhere(word) || !isCapitalStart(word.text, false) ||
      (!word.text.empty() && std::string_view(",;:.").find(word.text.back()) != std::string_view::npos)) {
    return false;
  }
  Citation* found = findOtherByAuthor(p.table, {bare}, true);
  if (found == nullptr) return false;
  const std::size_t first = before - 1;
  std::string number;
  const std::size_t last = readSectionPart(p, cursor, number);
  found->addOccurrence(p.tokens[first]);
  found->occurrenceGroups.emplace_back(p.tokens.begin() + static_cast<std::ptrdiff_t>(first),
                                       p.tokens.begin() + static_cast<std::ptrdiff_t>(last + 1));
  found->ids.push_back(p.table.count);
  found->noteNumbers.push_back(p.tokens[first].noteNumber);
  ++p.table.count;
  p.table.previous = found;
  for (std::size_t i = first; i <= last; ++i) p.setGrouped(i, 1);
  cursor = last;
  return true;
}

}  // namespace recognize::internal
