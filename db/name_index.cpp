// Builds and queries the sorted-suffix index of a serialised entry type.
#include "db/name_index.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace db {
namespace {

std::atomic<bool> plainSearch{false};

}  // namespace

NameIndex::NameIndex(std::string text) : text_(std::move(text)) {
  for (std::size_t i = 0; i + 1 < text_.size(); ++i) {
    if (text_[i] == '|' && text_[i + 1] == '|') starts_.push_back(i + 2);
  }
  const std::string_view all(text_);
  // Items of one dictionary differ within a few characters, so comparing
  // whole suffixes stops early; no suffix-array construction is needed.
  std::sort(starts_.begin(), starts_.end(), [all](std::size_t a, std::size_t b) {
    return all.substr(a) < all.substr(b);
  });
}

bool NameIndex::containsAfterBars(std::string_view word) const {
  const std::string_view all(text_);
  // The first suffix not less than word is the only candidate: a suffix that
  // begins with word sorts at or after word, and before any larger one.
  const auto found = std::lower_bound(starts_.begin(), starts_.end(), word,
                                      [all](std::size_t start, std::string_view probe) {
                                        return all.substr(start) < probe;
                                      });
  return found != starts_.end() && all.substr(*found).starts_with(word);
}

void setPlainDictionarySearch(bool plain) { plainSearch.store(plain, std::memory_order_relaxed); }

bool plainDictionarySearch() { return plainSearch.load(std::memory_order_relaxed); }

}  // namespace db
