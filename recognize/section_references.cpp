// Later references to a code section already cited: "Section 924(c)(3)(A)"
// or "§ 924(c)" after "18 U.S.C. 924(c)". In: the paragraph at the reference
// and the run's table. Out: one more occurrence of the cited section, or
// nothing when the reference cannot be tied to one code without guessing.
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/entry_type_collection.h"
#include "db/text.h"
#include "recognize/internal/code_reading.h"
#include "recognize/internal/section_citations.h"
#include "recognize/internal/word_tests.h"

namespace recognize::internal {
namespace {

bool isAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Position of the last place where `number` stands in `key` as a whole
// number (no letter or digit against either end), npos when none.
std::size_t lastWholeNumber(std::string_view key, std::string_view number) {
  std::size_t found = std::string_view::npos;
  for (std::size_t at = key.find(number); at != std::string_view::npos; at = key.find(number, at + 1)) {
    const std::size_t after = at + number.size();
    if ((at == 0 || !isAlnum(key[at - 1])) && (after >= key.size() || !isAlnum(key[after]))) found = at;
  }
  return found;
}

// The section a code citation's key ends with, from `at`: its number and
// bracketed subdivisions, up to a list or continuation ("1331,1367" gives
// "1331").
std::string sectionFrom(std::string_view key, std::size_t at) {
  std::size_t end = at;
  while (end < key.size() && (isAlnum(key[end]) || key[end] == '(' || key[end] == ')' || key[end] == '.' ||
                              key[end] == '-' || key[end] == ':'))
    ++end;
  return db::stripTrailing(std::string(key.substr(at, end - at)), true);
}

std::string_view baseOf(std::string_view section) { return section.substr(0, section.find('(')); }

}  // namespace

Citation* findCitedSection(Paragraph& p, const std::string& section) {
  const std::string_view base = baseOf(section);
  if (base.empty()) return nullptr;
  struct Cited {
    Citation* citation;
    std::string code, section;
  };
  std::vector<Cited> cited;
  const Cited* latest = nullptr;
  for (const auto& owned : p.table.citations) {
    Citation* citation = owned.get();
    if (citation->kind != kDictionaryAuthority || citation == p.table.pending) continue;
    const std::size_t at = lastWholeNumber(citation->key, base);
    if (at == std::string::npos) continue;
    // Constitutions and rules have articles and rules, not sections of a code.
    if (p.dictionary.getEntryName(db::lowerCase(citation->entryName), db::kEntryTypeCodes) == nullptr) continue;
    std::string own = sectionFrom(citation->key, at);
    if (baseOf(own) != base) continue;
    cited.push_back({citation, citation->key.substr(0, at), std::move(own)});
  }
  for (const Cited& c : cited) {
    if (latest == nullptr || c.citation->ids.back() > latest->citation->ids.back()) latest = &c;
  }
  if (latest == nullptr) return nullptr;
  // The code is the one last cited with this section number; within it the
  // section itself, else the closest cited section that holds it ("924(c)"
  // for "924(c)(3)(a)"). A reference to a sibling ("924(e)") is left alone.
  const Cited* best = nullptr;
  for (const Cited& c : cited) {
    if (c.code != latest->code) continue;
    if (c.section == section) return c.citation;
    const bool holds = section.size() > c.section.size() && section.compare(0, c.section.size(), c.section) == 0 &&
                       section[c.section.size()] == '(';
    if (holds && (best == nullptr || c.section.size() > best->section.size())) best = &c;
  }
  if (best != nullptr) return best->citation;
  return section == base ? latest->citation : nullptr;
}

bool recognizeSectionWord(Paragraph& p, std::size_t& cursor) {
  const TokenList& tokens = p.tokens;
  if (cursor >= p.end() || !tokens[cursor].isWord() || takenElsewhere(tokens[cursor])) return false;
  const std::size_t first = skipBlanks(p, cursor + 1);
  if (first == cursor + 1 || first >= p.end() || !tokens[first].isWord() || takenElsewhere(tokens[first]) ||
      !isNumberWord(tokens[first].text, false, true) || isRecordCite(tokens[first].text))
    return false;
  // The number and the subdivisions written against it.
  std::size_t last = first;
  std::string section = tokens[first].text;
  while (last + 1 < p.end()) {
    const Token& next = tokens[last + 1];
    if (!next.isWord() || next.isSuperscript() || isPunctuationWord(next) || next.text.empty() ||
        next.text.front() != '(')
      break;
    section += next.text;
    ++last;
  }
  Citation* cited = findCitedSection(p, db::lowerCase(db::stripTrailing(section, true)));
  if (cited == nullptr) return false;
  const Token& word = tokens[cursor];
  cited->addOccurrence(word);
  cited->occurrenceGroups.emplace_back(tokens.begin() + static_cast<std::ptrdiff_t>(cursor),
                                       tokens.begin() + static_cast<std::ptrdiff_t>(last + 1));
  cited->ids.push_back(p.table.count);
  cited->noteNumbers.push_back(word.noteNumber);
  ++p.table.count;
  p.table.previous = cited;
  for (std::size_t k = cursor; k <= last; ++k) p.setGrouped(k, 1);
  cursor = last;
  return true;
}

}  // namespace recognize::internal
