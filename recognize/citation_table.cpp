// The run's citation table: creating, dropping and finding citations, and
// taking back an occurrence that a name run counted too early.
#include "recognize/citation_table.h"

#include <algorithm>
#include <new>

#include "db/text.h"

namespace recognize {

Citation* CitationTable::newCitation() {
  try {
    auto citation = std::make_unique<Citation>();
    citation->ids.push_back(count);
    Citation* created = citation.get();
    citations.push_back(std::move(citation));
    ++count;
    pending = created;
    return created;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void CitationTable::dropPending() {
  if (pending != nullptr) remove(pending);
  pending = nullptr;
}

void CitationTable::remove(const Citation* citation) {
  // Compares addresses only, so a pointer to a citation already gone is safe.
  const auto found = std::find_if(citations.begin(), citations.end(),
                                  [citation](const auto& owned) { return owned.get() == citation; });
  if (found == citations.end()) return;
  if (previous == citation) previous = nullptr;
  if (pending == citation) pending = nullptr;
  citations.erase(found);
}

Citation* CitationTable::findByKey(std::string_view key) const {
  for (const auto& citation : citations) {
    if (citation.get() != pending && citation->key == key) return citation.get();
  }
  return nullptr;
}

namespace {

bool matches(const Citation& citation, const Citation& candidate, const Citation* pending) {
  if (&citation == pending || &citation == &candidate || citation.key != candidate.key) return false;
  return citation.kind == kDictionaryAuthority || citation.shortName.find(candidate.shortName) != std::string::npos;
}

}  // namespace

Citation* CitationTable::findMatching(const Citation& candidate) const {
  for (const auto& citation : citations) {
    if (matches(*citation, candidate, pending)) return citation.get();
  }
  return nullptr;
}

std::size_t CitationTable::countMatching(const Citation& candidate) const {
  std::size_t count = 0;
  for (const auto& citation : citations) count += matches(*citation, candidate, pending) ? 1 : 0;
  return count;
}

Citation* CitationTable::findByEntryName(std::string_view text) const {
  for (const auto& citation : citations) {
    if (citation->key.find(text) != std::string::npos) return citation.get();
  }
  return nullptr;
}

Citation* CitationTable::findByShortName(const std::vector<std::string>& words) const {
  std::vector<std::string> compared;
  for (const std::string& word : words) {
    std::string bare = db::stripTrailing(db::lowerCase(word), true);
    if (bare.empty() || bare == "supra" || bare == "see" || bare == "at") continue;
    compared.push_back(std::move(bare));
  }
  if (compared.empty()) return nullptr;
  for (const auto& citation : citations) {
    // The case being read has no short-form key yet; only filed cases answer.
    if (citation.get() == pending) continue;
    const std::string& key = citation->shortName;
    const bool all = std::all_of(compared.begin(), compared.end(),
                                 [&key](const std::string& word) { return key.find(word) != std::string::npos; });
    if (all) return citation.get();
  }
  return nullptr;
}

void CitationTable::undoLastOccurrence() {
  Citation* citation = previous;
  previous = nullptr;
  if (citation == nullptr || citation->occurrencePages.size() <= 1) return;
  const int page = citation->occurrencePages.back();
  citation->occurrencePages.pop_back();
  if (!citation->physicalPages.empty()) citation->physicalPages.pop_back();
  if (!citation->occurrenceGroups.empty()) citation->occurrenceGroups.pop_back();
  if (citation->ids.size() > 1) citation->ids.pop_back();
  if (citation->noteNumbers.size() > 1) citation->noteNumbers.pop_back();
  // The page leaves the list only when no other occurrence stands on it.
  const auto& kept = citation->occurrencePages;
  if (std::find(kept.begin(), kept.end(), page) == kept.end()) {
    const auto at = std::find(citation->pages.begin(), citation->pages.end(), page);
    if (at != citation->pages.end()) citation->pages.erase(at);
  }
}

bool CitationTable::contains(const Citation* citation) const {
  return std::any_of(citations.begin(), citations.end(),
                     [citation](const auto& owned) { return owned.get() == citation; });
}

}  // namespace recognize
