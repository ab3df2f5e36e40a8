// Short forms: Id. and ibid. as further occurrences of the citation just
// before (across paragraphs and pages, never from the main text into a note)
// with the pinpoint tail they take; italic and underlined case names; and the
// short-form key both are looked up by. An italic short name with the
// reporter short form on a later page is pinned by tests/tools/cite_brief.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recognize/internal/short_forms.h"
#include "recognize/recognizer.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

using namespace recognize::internal;

// The citation whose text starts with `prefix`; null when none.
const Citation* findCitation(const CitationTable& table, std::string_view prefix) {
  for (const auto& citation : table.citations) {
    if (citationText(*citation).starts_with(prefix)) return citation.get();
  }
  return nullptr;
}

// The logical page of every occurrence of a named citation.
// prefix: the citation's text starts with this
// pages: logical page of each occurrence
// noteNumbers: empty: all in body text
struct Occurrences { const char* prefix; std::vector<int> pages; std::vector<int> noteNumbers = {}; };
struct ShortFormRow { const char* name; std::string markdown; std::size_t citations; std::vector<Occurrences> expect; };

// Checks the row's citations, and that the per-occurrence lists stay in step
// with one rising id per occurrence.
void expectOccurrences(const CitationTable& table, const ShortFormRow& row) {
  SCOPED_TRACE(row.name);
  EXPECT_EQ(table.citations.size(), row.citations) << allKeys(table);
  for (const Occurrences& expected : row.expect) {
    SCOPED_TRACE(expected.prefix);
    const Citation* citation = findCitation(table, expected.prefix);
    ASSERT_NE(citation, nullptr);
    EXPECT_EQ(citation->occurrencePages, expected.pages);
    std::vector<int> distinct;  // each page once, in the order met
    for (const int page : expected.pages)
      if (std::find(distinct.begin(), distinct.end(), page) == distinct.end()) distinct.push_back(page);
    EXPECT_EQ(citation->pages, distinct);
    const std::size_t n = citation->occurrencePages.size();
    // A new dictionary authority keeps the number it was created with and
    // the one its first occurrence got; a case has one per occurrence.
    EXPECT_EQ(citation->ids.size(), citation->kind == kDictionaryAuthority ? n + 1 : n);
    EXPECT_EQ(citation->occurrenceGroups.size(), n);
    EXPECT_EQ(citation->physicalPages.size(), n);
    EXPECT_EQ(citation->noteNumbers, expected.noteNumbers.empty() ? std::vector<int>(n, 0) : expected.noteNumbers);
    for (std::size_t i = 1; i < citation->ids.size(); ++i) EXPECT_LT(citation->ids[i - 1], citation->ids[i]);
  }
}

TEST(ShortForms, OccurrencesOfEarlierCitations) {
  const std::string zebulon = "Zebulon v. Quimby, 123 U.S. 456 (1990).";  // most rows cite it first
  // clang-format off
  const std::vector<ShortFormRow> rows = {
      {"Id. with nothing before it", "Id. at 5. Ibid.", 0, {}},
      {"several in a row all count for the same case",
       zebulon + " Id. at 460. Ibid. See id.", 1, {{"Zebulon", {1, 1, 1, 1}}}},
      {"pinpoints after Id. make no citation", zebulon + " Id. at 5, 7.", 1, {{"Zebulon", {1, 1}}}},
      {"Id. refers to the last of two", "Zebulon v. Quimby, 123 U.S. 456 (1990); 42 U.S.C. § 1983. Id.",
       2, {{"Zebulon", {1}}, {"42 U.S.C. § 1983", {1, 1}}}},
      {"a title number after the tail stays with its code",
       zebulon + " Id. at 5; 42 U.S.C. § 1983.", 2, {{"Zebulon", {1, 1}}, {"42 U.S.C. § 1983", {1}}}},
      {"previous carries over to the next paragraph and page",
       zebulon + "\n\n\\newpage\n\nId. at 460.\n\n\\newpage\n\nIbid.", 1, {{"Zebulon", {1, 2, 3}}}},
      {"Id. at the start of a note has no previous", zebulon + "[^1]\n\n[^1]: Id. at 460.", 1, {{"Zebulon", {1}}}},
      {"Id. later in a note refers to that note's citation",
       zebulon + "\n\n\\newpage\n\nText.[^1]\n\n"
       "[^1]: Marbury v. Madison, 5 U.S. 137 (1803). Id. at 140.",
       2, {{"Zebulon", {1}}, {"Marbury", {2, 2}, {1, 1}}}},
      {"italic short name after the full cite",
       "Cleveland Bd. of Educ. v. Loudermill, 470 U.S. 532 (1985). The rule in *Loudermill* applies.",
       1, {{"Cleveland Bd. of Educ. v. Loudermill", {1, 1}}}},
      {"a party name that is also a reporter name",
       "Smith v. Quimby, 123 U.S. 456 (1990). As *Smith* held.", 1, {{"Smith v. Quimby", {1, 1}}}},
      {"underlined short name", zebulon + " As [Zebulon]{.underline} held.", 1, {{"Zebulon", {1, 1}}}},
      {"short name with supra and a pinpoint", zebulon + " *Zebulon*, supra, at 546.", 1, {{"Zebulon", {1, 1}}}},
      {"short name becomes previous for Id.",
       "Zebulon v. Quimby, 123 U.S. 456 (1990); Marbury v. Madison, 5 U.S. 137 (1803). *Zebulon* rules. Id. at 460.",
       2, {{"Zebulon", {1, 1, 1}}, {"Marbury", {1}}}},
      {"the first case in table order wins",
       zebulon + " Zebulon v. Marbury, 5 U.S. 6 (1801). *Zebulon* says. *Marbury* too.",
       2, {{"Zebulon v. Quimby", {1, 1}}, {"Zebulon v. Marbury", {1, 1}}}},
      {"all words of the run must match", zebulon + " *Baker Zebulon* is unrelated.", 1, {{"Zebulon", {1}}}},
      {"italic full name is not a short form", zebulon + " *Zebulon v. Quimby* was right.", 1, {{"Zebulon", {1}}}},
      {"italic parties around a plain v.", zebulon + " *Zebulon* v. *Quimby* was right.", 1, {{"Zebulon", {1}}}},
      {"italic full cite repeated counts once",
       "*Zebulon v. Quimby*, 123 U.S. 456 (1990). *Zebulon v. Quimby*, 123 U.S. 456, 460 (1990).",
       1, {{"Zebulon", {1, 1}}}},
      {"lower-case italic words are no short form", zebulon + " It is *smith* work.", 1, {{"Zebulon", {1}}}},
      {"an unmatched italic name stays a new case's name",
       zebulon + " Id. *Baker*, 5 U.S. 6 (1801).", 2, {{"Zebulon", {1, 1}}, {"Baker, 5 U.S. 6", {1}}}},
      {"italic name, supra and the reporter short form count once",
       zebulon + " *Zebulon*, supra, 123 U.S. at 460.", 1, {{"Zebulon", {1, 1}}}},
      {"reporter short form without a full citation", "See Zebulon, 123 U.S. at 460.", 0, {}},
      {"reporter short form becomes previous for Id.",
       zebulon + " Doe v. Roe, 780 F.3d 100 (9th Cir. 2015). Zebulon, 123 U.S. at 460. Id.",
       2, {{"Zebulon", {1, 1, 1}}, {"Doe v. Roe", {1}}}},
      {"short name in a note takes the page of the note's reference",
       zebulon + "\n\n\\newpage\n\n\\newpage\n\nAs held.[^1]\n\n[^1]: See *Zebulon*.",
       1, {{"Zebulon", {1, 3}, {0, 1}}}},
  };
  // clang-format on
  for (const ShortFormRow& row : rows) expectOccurrences(recognizeMarkdown(row.markdown), row);
}

TEST(ShortId, TailMarksPinpointsGrouped) {
  // grouped: expected mark per token
  struct Row { const char* name; std::vector<std::string> texts; std::string grouped; };
  const std::vector<Row> rows = {
      {"pinpoints up to the last number", {"Id.", " ", "at", " ", "5,", " ", "7", " ", "held"}, "111111110"},
      {"no tail", {"Id.", " ", "The"}, "110"},
      {"Id. alone", {"Id."}, "1"},
      {"final punctuation is not taken", {"Id.", " ", "at", " ", "5", ";"}, "111110"},
      {"a semicolon inside the paragraph is", {"Id.", ";", " ", "X"}, "1110"},
      {"a reporter and its pinpoint", {"Id.", " ", "123", " ", "U.S.", " ", "at", " ", "460", " ", "x"}, "11111111110"},
      {"a history phrase with its parenthetical", {"Id.", " ", "aff'd", " ", "(mem.)", " ", "x"}, "1111110"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CitationTable table;
    Citation* earlier = table.newCitation();
    table.pending = nullptr;
    table.previous = earlier;
    TokenList tokens = tokensOf(row.texts);
    recognizeParagraph(tokens, table, shippedDictionary(), kBluebook);
    EXPECT_EQ(earlier->occurrencePages.size(), 1U);
    std::string grouped;
    for (const Token& token : tokens) grouped += token.grouped ? '1' : '0';
    EXPECT_EQ(grouped, row.grouped);
  }
}

TEST(ShortFormKey, DerivedFromShortName) {
  struct Row { const char* name; const char* shortName; const char* key; };
  const std::vector<Row> rows = {
      {"party names with a trailing number", "Smith v. Jones Co. 123", "smithvjonesco"},
      {"a number alone", "123", ""},
      {"trailing blanks first", "Smith v. Jones Co. 123   ", "smithvjonesco"},
      {"a last word with letters stays", "Smith v. Jones 12a", "smithvjones12a"},
      {"brackets and commas go", "In re (Doe), Inc.,", "inredoeinc"},
      {"only the last number goes", "Doe 5 v. Roe 6", "doe5vroe"},
      {"empty", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Citation citation;
    citation.shortName = row.shortName;
    deriveShortFormKey(citation);
    EXPECT_EQ(citation.shortName, row.key);
  }
}

}  // namespace
}  // namespace recognize::testing
