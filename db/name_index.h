// The prefix index of one entry type's serialised text. In: the text that
// EntryType::ToString builds. Out: the same answer as searching that text for
// "||" followed by a word, in O(|word| log n) instead of a scan of the text.
//
// The index keeps every position that follows two "|" characters (overlapping
// pairs included, so the "||||" before a name yields three positions) and
// sorts the suffixes of the text that start there. "||" + word occurs in the
// text exactly when some kept suffix begins with word, whatever the word
// holds: "~", "|", digits or the characters of the next item. Never throws
// after construction; reads only inside its own copy of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class NameIndex {
 public:
  NameIndex() = default;
  // Indexes a copy of text.
  explicit NameIndex(std::string text);

  // True when text contains "||" immediately followed by word.
  // Example: over "~0||||f.2d~" both "f." and "f.2d~" are true, "2d" is false.
  bool containsAfterBars(std::string_view word) const;

  const std::string& text() const { return text_; }

 private:
  std::string text_;
  std::vector<std::size_t> starts_;  // suffix starts, sorted by suffix
};

// Whether EntryType::ContainsEntryWithName scans the serialised text (true)
// or asks the index (false, the default). Process-wide, so that a benchmark
// can compare the two on the same dictionary; both give identical answers.
void setPlainDictionarySearch(bool plain);
bool plainDictionarySearch();

}  // namespace db
