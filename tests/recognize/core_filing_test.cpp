// The per-paragraph walk and filing: which tokens start a citation, how a
// repeated authority becomes a further occurrence, what the table operations
// keep, and how a new citation's tokens are trimmed and its key normalised.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recognize/citation_table.h"
#include "recognize/internal/filing.h"
#include "recognize/recognizer.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

using namespace recognize::internal;

TEST(Walk, WhichTokensStartACitation) {
  // citations: how each citation's text begins
  const struct { const char* name; const char* markdown; std::vector<std::string> citations; } rows[] = {
      {"a lower-case name is not a citation start", "See u.s. const. art. I here.", {}},
      {"a leading bracket does not hide the capital", "See (U.S. Const. art. I) here.", {"U.S. Const."}},
      {"no paragraph at all", "", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    ASSERT_EQ(table.citations.size(), row.citations.size()) << allKeys(table);
    for (std::size_t i = 0; i < row.citations.size(); ++i)
      EXPECT_TRUE(citationText(*table.citations[i]).starts_with(row.citations[i]));
    EXPECT_EQ(table.pending, nullptr) << "nothing is left half-read";
  }
  CitationTable table;
  TokenList none;
  recognizeParagraph(none, table, shippedDictionary(), kBluebook);
  EXPECT_TRUE(table.citations.empty() && table.count == 0 && table.previous == nullptr) << "an empty list";
}

Citation* addCase(CitationTable& table, const std::string& key, const std::string& shortName) {
  Citation* citation = table.newCitation();
  citation->kind = kCase;
  citation->key = key;
  citation->shortName = shortName;
  citation->tokens = {Token{.text = "Smith"}};
  citation->occurrenceGroups.emplace_back();
  citation->addOccurrence(citation->tokens.front());
  table.pending = nullptr;
  return citation;
}

TEST(CitationTable, LookupsSkipThePendingCitation) {
  CitationTable table;
  Citation* smith = addCase(table, "1 u.s. 2", "smithvjones");
  Citation* code = addCase(table, "42u.s.c.1983", "");
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
  EXPECT_EQ(table.findByShortName({"See", "at", ""}), nullptr) << "no word left to compare";
  table.dropPending();
  table.dropPending();
  EXPECT_EQ(table.citations.size(), 2U) << "nothing pending, nothing more dropped";
  EXPECT_EQ(table.pending, nullptr);
}

TEST(CitationTable, UndoLastOccurrence) {
  CitationTable table;
  Citation* smith = addCase(table, "1 u.s. 2", "smith");
  Citation later;
  later.tokens = {Token{.text = "Smith", .page = 2}};
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

TEST(TrimTokens, QuotationMarksLooseEndsAndParentheses) {
  const struct { const char* name; std::vector<std::string> tokens; const char* trimmed; } rows[] = {
      {"closing typographic quote drops the words up to it",
       {"said", " ", "so", ">>", " ", "Smith", " ", "v.", " ", "Jones"}, "Smith v. Jones"},
      {"an opening quote ends the walk; a quoted whole loses both marks", {"<<", "Civil", " ", "Act", ">>"}, "Civil Act"},
      {"quote pair inside is kept", {"<<", "a", ">>", " ", "b"}, "<<a>> b"},
      {"an unpaired straight quote drops the words up to it",
       {"the", " ", "\"", "Civil", " ", "Rights", " ", "Act"}, "Civil Rights Act"},
      {"paired straight quotes stay", {"\"", "Act", "\"", " ", "Title"}, "\"Act\" Title"},
      {"blanks and punctuation words leave both ends", {" ", ".", "Smith", ",", " ", "Act.", " ", ";"}, "Smith, Act"},
      {"the last word loses trailing punctuation", {"Cal.", " ", "Const.,;"}, "Cal. Const"},
      {"a ) nothing opened loses it", {"Act)", " ", "Title"}, "Act Title"},
      {"a ( never closed loses it", {"(Civil", " ", "Act"}, "Civil Act"},
      {"an outer pair around everything goes", {"(Civil", " ", "Act)"}, "Civil Act"},
      {"an outer pair closed early stays", {"(a)", " ", "b", " ", "(c)"}, "(a) b (c)"},
      {"a nested pair survives its unclosed parent", {"(a", " ", "(b)"}, "a (b)"},
      {"one bracketed word loses its brackets", {"(1990)"}, "1990"},
      {"nothing printable is left", {" ", ".", " "}, ""},
      {"a hard space inside stays", {"U.S.", "~", "Const."}, "U.S. Const"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TokenList tokens = tokensOf(row.tokens);
    trimTokens(tokens);
    EXPECT_EQ(typed(tokens), row.trimmed);
  }
}

TEST(NormaliseKey, Rows) {
  std::string longKey;
  for (int i = 0; i < 250; ++i) longKey += static_cast<char>('a' + i % 26);
  const struct { const char* name; std::string key; int kind; std::string normalised; } rows[] = {
      {"dictionary keys lose blanks, hard spaces and section signs",
       std::string("42 U.S.C. \xFF\x04\x06 1983"), kDictionaryAuthority, "42u.s.c.1983"},
      {"a hard space goes with its marker byte", std::string("Cal.\xFF\xFF\x20" "Const. art. I"),
       kDictionaryAuthority, "cal.const.art.i"},
      {"dictionary keys lose a trailing period", "Pub. L. No. 104-191.", kDictionaryAuthority, "pub.l.no.104-191"},
      {"case keys keep blanks and a trailing period", "123 U.S. 456 (1990).", kCase, "123 u.s. 456 (1990)."},
      {"case keys lose trailing , ; :", "123 U.S. 456,;:", kCase, "123 u.s. 456"},
      {"a ) nothing opened is deleted", "1 u.s. 2)", kCase, "1 u.s. 2"},
      {"a ( left open is deleted", "1 u.s. 2 (1990", kCase, "1 u.s. 2 1990"},
      {"only the unclosed ( goes", "a (b (c) d", kCase, "a b (c) d"},
      {"an outer pair around everything goes", "(1 u.s. 2)", kCase, "1 u.s. 2"},
      {"an outer pair closed early stays", "(a) 1 (b)", kCase, "(a) 1 (b)"},
      {"a lone ( is deleted", "(", kCase, ""},
      {"a marker byte at the very end is dropped", std::string("abc\xFF"), kDictionaryAuthority, "abc"},
      {"a key of 250 characters keeps its last 200", longKey, kCase, longKey.substr(50)},
      {"a key of 200 characters is kept whole", longKey.substr(0, 200), kCase, longKey.substr(0, 200)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(normaliseKey(row.key, row.kind), row.normalised);
  }
}

}  // namespace
}  // namespace recognize::testing
