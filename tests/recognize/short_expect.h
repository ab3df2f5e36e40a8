// What the short-form tests compare: for each named citation, the logical
// page of every occurrence, and that the per-occurrence lists stay in step.
// In: a table filled from a test document.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "recognize/citation_table.h"
#include "tests/recognize/document_fixture.h"

namespace recognize::testing {

struct Occurrences {
  const char* prefix;                 // the citation's text starts with this
  std::vector<int> pages;             // logical page of each occurrence
  std::vector<int> noteNumbers = {};  // empty: all in body text
};

struct ShortFormRow {
  const char* name;
  const char* markdown;
  std::size_t citations;
  std::vector<Occurrences> expect;
};

inline void expectOccurrences(const CitationTable& table, const ShortFormRow& row) {
  SCOPED_TRACE(row.name);
  EXPECT_EQ(table.citations.size(), row.citations);
  for (const Occurrences& expected : row.expect) {
    SCOPED_TRACE(expected.prefix);
    const Citation* citation = findCitation(table, expected.prefix);
    ASSERT_NE(citation, nullptr);
    EXPECT_EQ(citation->occurrencePages, expected.pages);
    const std::size_t n = citation->occurrencePages.size();
    // A new dictionary authority keeps the number it was created with and
    // the one its first occurrence got; a case has one per occurrence.
    EXPECT_EQ(citation->ids.size(), citation->kind == kDictionaryAuthority ? n + 1 : n);
    EXPECT_EQ(citation->occurrenceGroups.size(), n);
    EXPECT_EQ(citation->physicalPages.size(), n);
    const std::vector<int> notes = expected.noteNumbers.empty() ? std::vector<int>(n, 0) : expected.noteNumbers;
    EXPECT_EQ(citation->noteNumbers, notes);
    // Every occurrence has its own number in the run.
    for (std::size_t i = 1; i < citation->ids.size(); ++i) EXPECT_LT(citation->ids[i - 1], citation->ids[i]);
  }
}

}  // namespace recognize::testing
