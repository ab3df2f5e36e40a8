// The per-paragraph walk and filing, through documents read by the real file
// reader: which tokens start a citation, how a repeated authority becomes a
// further occurrence, and what the table operations keep.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "tests/recognize/document_fixture.h"

namespace recognize {
namespace {

using testing::citationText;
using testing::findCitation;
using testing::recognizeMarkdown;
using testing::shippedDictionary;

std::vector<std::string> textsOf(const CitationTable& table) {
  std::vector<std::string> texts;
  for (const auto& citation : table.citations) texts.push_back(citationText(*citation));
  return texts;
}

bool ascending(const std::vector<int>& values) { return std::is_sorted(values.begin(), values.end()) &&
                                                        std::adjacent_find(values.begin(), values.end()) == values.end(); }

TEST(Walk, WhichTokensStartACitation) {
  const struct {
    const char* name;
    const char* markdown;
    std::vector<std::string> citations;  // how each citation's text begins
  } rows[] = {
      {"a capitalised name is dispatched", "See U.S. Const. art. I here.", {"U.S. Const. art. I"}},
      {"a lower-case name is not a citation start", "See u.s. const. art. I here.", {}},
      {"a leading bracket does not hide the capital", "See (U.S. Const. art. I) here.", {"U.S. Const."}},
      {"the name \"No.\" alone starts nothing", "Docket No. 12-345 was filed.", {}},
      {"a longer type-8 name does", "See Pub. L. No. 104-191 here.", {"Pub. L. No. 104-191"}},
      {"Id. with nothing cited before records nothing", "Id. at 5.", {}},
      {"a section sign after no statute records nothing", "See § 1983 here.", {}},
      {"no paragraph at all", "", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    const std::vector<std::string> texts = textsOf(table);
    ASSERT_EQ(texts.size(), row.citations.size()) << ::testing::PrintToString(texts);
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_TRUE(texts[i].starts_with(row.citations[i])) << texts[i];
    EXPECT_EQ(table.pending, nullptr) << "nothing is left half-read";
  }
}

TEST(Walk, EmptyParagraphReturnsAtOnce) {
  CitationTable table;
  TokenList tokens;
  recognizeParagraph(tokens, table, shippedDictionary(), kBluebook);
  EXPECT_TRUE(table.citations.empty());
  EXPECT_EQ(table.count, 0);
  EXPECT_EQ(table.previous, nullptr);
}

TEST(Walk, ADictionaryAuthorityIsFiledWithItsEntry) {
  const CitationTable table = recognizeMarkdown("As Cal. Const. art. I, § 7 says.");
  const Citation* citation = findCitation(table, "Cal. Const.");
  ASSERT_NE(citation, nullptr);
  EXPECT_EQ(citation->kind, kDictionaryAuthority);
  EXPECT_EQ(citation->entryName, "Cal. Const.");
  EXPECT_EQ(citation->jurisdiction, 1) << "a state constitution";
  EXPECT_EQ(citation->occurrencePages, std::vector<int>{1});
  EXPECT_EQ(citation->noteNumbers, std::vector<int>{0});
  EXPECT_EQ(table.previous, citation);
  EXPECT_EQ(citation->key.find(' '), std::string::npos) << "dictionary keys hold no blanks";
}

TEST(Filing, TheSameCaseTwiceIsOneCitation) {
  const struct {
    const char* name;
    const char* markdown;
    std::vector<int> pages;
    std::vector<int> occurrencePages;
  } rows[] = {
      {"twice on one page", "Zebulon v. Quimby, 123 U.S. 456 (1990).\n\nSee Zebulon v. Quimby, 123 U.S. 456 (1990).",
       {1}, {1, 1}},
      {"on two pages",
       "Zebulon v. Quimby, 123 U.S. 456 (1990).\n\n\\newpage\n\nSee Zebulon v. Quimby, 123 U.S. 456 (1990).", {1, 2},
       {1, 2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    ASSERT_EQ(table.citations.size(), 1U) << ::testing::PrintToString(textsOf(table));
    const Citation& citation = *table.citations.front();
    EXPECT_EQ(citation.kind, kCase);
    EXPECT_EQ(citation.pages, row.pages) << "a page is listed once";
    EXPECT_EQ(citation.occurrencePages, row.occurrencePages);
    EXPECT_EQ(citation.occurrenceGroups.size(), 2U);
    EXPECT_EQ(citation.ids.size(), 2U);
    EXPECT_TRUE(ascending(citation.ids)) << ::testing::PrintToString(citation.ids);
    EXPECT_EQ(citation.noteNumbers, (std::vector<int>{0, 0}));
    EXPECT_EQ(citation.entryName, "U.S.");
  }
}

TEST(Filing, BodyAndNoteOccurrencesMerge) {
  const CitationTable table = recognizeMarkdown(
      "Compare U.S. Const. art. I today.[^1]\n\n[^1]: See U.S. Const. art. I.");
  ASSERT_EQ(textsOf(table), std::vector<std::string>{"U.S. Const. art. I"});
  const Citation& citation = *table.citations.front();
  EXPECT_EQ(citation.occurrencePages, (std::vector<int>{1, 1}));
  EXPECT_EQ(citation.noteNumbers, (std::vector<int>{0, 1})) << "the body first, then the note";
  EXPECT_EQ(citation.occurrenceGroups.size(), 2U);
  EXPECT_TRUE(ascending(citation.ids)) << ::testing::PrintToString(citation.ids);
}

// Filing and the table operations on records built here.
Citation* addCase(CitationTable& table, const std::string& key, const std::string& shortName, int page) {
  Citation* citation = table.newCitation();
  citation->kind = kCase;
  citation->key = key;
  citation->shortName = shortName;
  Token first;
  first.text = "Smith";
  first.page = page;
  citation->tokens.push_back(first);
  citation->occurrenceGroups.emplace_back();
  citation->addOccurrence(first);
  citation->noteNumbers.push_back(0);
  table.pending = nullptr;
  return citation;
}

TEST(Filing, FileAuthorityKeepsOrMerges) {
  CitationTable table;
  TokenList tokens;
  Paragraph p{tokens, table, shippedDictionary(), kBluebook};
  db::EntryName code;
  code.name = "U.S.C.";
  code.entry_type_id = 2;
  code.jurisdiction = 0;
  db::EntryName numbered;
  numbered.name = "Pub. L. No.";
  numbered.entry_type_id = 8;
  numbered.jurisdiction = 0;

  const auto read = [&table](const std::string& key, int page) {
    Citation* citation = table.newCitation();
    Token token;
    token.text = "\"";  // an unpaired quote: trimmed away when kept
    token.page = page;
    citation->tokens.push_back(token);
    token.text = "42";
    citation->tokens.push_back(token);
    citation->key = key;
    citation->occurrenceGroups.emplace_back();
    return citation;
  };
  Citation* first = read("42 U.S.C. 1983", 1);
  fileAuthority(p, *first, code, KeyLookup::Matching);
  ASSERT_EQ(table.citations.size(), 1U);
  EXPECT_EQ(first->key, "42u.s.c.1983");
  EXPECT_EQ(first->tokens.size(), 1U) << "trimmed";
  EXPECT_EQ(first->ids, (std::vector<int>{0, 1})) << "the number from newCitation, then the count";
  EXPECT_EQ(table.count, 2);
  EXPECT_EQ(first->entryName, "U.S.C.");
  EXPECT_EQ(table.pending, nullptr);

  Citation* again = read("42 U.S.C.  1983.", 2);
  fileAuthority(p, *again, code, KeyLookup::Matching);
  ASSERT_EQ(table.citations.size(), 1U) << "merged and the new record dropped";
  EXPECT_EQ(first->pages, (std::vector<int>{1, 2}));
  EXPECT_EQ(first->ids, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(table.count, 4);

  Citation* law = read("Pub. L. No. 5", 1);
  law->jurisdiction = 1;  // set before its recogniser ran
  fileAuthority(p, *law, numbered, KeyLookup::ByKey);
  ASSERT_EQ(table.citations.size(), 2U);
  EXPECT_EQ(law->jurisdiction, 1) << "a numbered authority keeps its own jurisdiction";
  EXPECT_EQ(table.previous, law);
}

TEST(CitationTable, LookupsSkipThePendingCitation) {
  CitationTable table;
  Citation* smith = addCase(table, "1 u.s. 2", "smithvjones", 1);
  Citation* code = addCase(table, "42u.s.c.1983", "", 1);
  code->kind = kDictionaryAuthority;
  Citation* pending = table.newCitation();
  pending->key = "1 u.s. 2";
  pending->shortName = "jones";

  EXPECT_EQ(table.findByKey("1 u.s. 2"), smith);
  EXPECT_EQ(table.findMatching(*pending), smith) << "the short name is contained";
  pending->shortName = "brown";
  EXPECT_EQ(table.findMatching(*pending), nullptr) << "same key, another case";
  pending->key = "42u.s.c.1983";
  EXPECT_EQ(table.findMatching(*pending), code) << "a dictionary authority matches by key alone";
  EXPECT_EQ(table.findByEntryName("u.s.c.1983"), code);
  EXPECT_EQ(table.findByShortName({"Jones,", "supra"}), smith);
  EXPECT_EQ(table.findByShortName({"See", "at", ""}), nullptr) << "no word left to compare";
  EXPECT_EQ(table.findByShortName({"Jones", "Brown"}), nullptr) << "every word must be contained";

  table.dropPending();
  EXPECT_EQ(table.citations.size(), 2U);
  EXPECT_EQ(table.pending, nullptr);
  table.dropPending();
  EXPECT_EQ(table.citations.size(), 2U) << "nothing pending, nothing dropped";
}

TEST(CitationTable, UndoLastOccurrence) {
  CitationTable table;
  Citation* smith = addCase(table, "1 u.s. 2", "smith", 1);
  Citation later;
  Token token;
  token.text = "Smith";
  token.page = 2;
  later.tokens.push_back(token);
  mergeOccurrence(table, *smith, later);
  ASSERT_EQ(smith->pages, (std::vector<int>{1, 2}));
  table.undoLastOccurrence();
  EXPECT_EQ(smith->pages, std::vector<int>{1}) << "the page of the taken-back occurrence goes";
  EXPECT_EQ(smith->occurrencePages, std::vector<int>{1});
  EXPECT_EQ(smith->ids.size(), 1U);
  EXPECT_EQ(smith->occurrenceGroups.size(), 1U);
  EXPECT_EQ(table.previous, nullptr);

  table.previous = smith;
  table.undoLastOccurrence();
  EXPECT_EQ(smith->occurrencePages.size(), 1U) << "the only occurrence stays";
  EXPECT_EQ(table.previous, nullptr);
}

}  // namespace
}  // namespace recognize
