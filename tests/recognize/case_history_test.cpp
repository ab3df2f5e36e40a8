// Subsequent history after a case citation: the phrase stays with the first
// case, the citation after it is filed as a case of its own, exactly once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/case_expect.h"
#include "tests/recognize/document_fixture.h"

namespace recognize::testing {
namespace {

struct FiledCase {
  const char* key;
  const char* text;
};

struct HistoryRow {
  const char* name;
  const char* markdown;
  std::vector<FiledCase> cases;  // in table order, one occurrence each
};

class CaseHistory : public ::testing::Test {
 protected:
  void SetUp() override { setAbbreviationContext(nullptr, false); }
};

TEST_F(CaseHistory, LaterCitationFiledOnceOfItsOwn) {
  const std::vector<HistoryRow> rows = {
      {"affirmed",
       "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998).",
       {{"523 u.s. 300", "523 U.S. 300 (1998)"},
        {"100 f.3d 200", "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998)"}}},
      {"certiorari denied",
       "Doe v. Roe, 50 F.3d 10, 12 (2d Cir. 1995), cert. denied, 516 U.S. 900 (1995).",
       {{"516 u.s. 900", "516 U.S. 900 (1995)"},
        {"50 f.3d 10", "Doe v. Roe, 50 F.3d 10, 12 (2d Cir. 1995), cert. denied, 516 U.S. 900 (1995)"}}},
      {"two phrases in a row",
       "Smith v. Jones, 1 F. Supp. 20 (D. Mass. 1990), aff'd, 3 F.3d 4 (1st Cir. 1991), cert. denied, 5 U.S. 6 "
       "(1992).",
       {{"3 f.3d 4", "3 F.3d 4 (1st Cir. 1991)"},
        {"5 u.s. 6", "5 U.S. 6 (1992)"},
        {"1 f. supp. 20", "Smith v. Jones, 1 F. Supp. 20 (D. Mass. 1990), aff'd, 3 F.3d 4 (1st Cir. 1991), cert. "
                         "denied, 5 U.S. 6 (1992)"}}},
      {"new party names after sub nom.",
       "Smith v. Jones, 1 F.3d 1 (9th Cir. 1990), aff'd sub nom. Doe v. Roe, 2 U.S. 2 (1991).",
       {{"2 u.s. 2", "Doe v. Roe, 2 U.S. 2 (1991)"},
        {"1 f.3d 1", "Smith v. Jones, 1 F.3d 1 (9th Cir. 1990), aff'd sub nom. Doe v. Roe, 2 U.S. 2 (1991)"}}},
      {"new party name after sub nom. that is also a reporter name",
       "Doe v. Roe, 1 F.3d 1 (9th Cir. 1990), aff'd sub nom. Smith v. Jones, 2 U.S. 2 (1991).",
       {{"2 u.s. 2", "Smith v. Jones, 2 U.S. 2 (1991)"},
        {"1 f.3d 1", "Doe v. Roe, 1 F.3d 1 (9th Cir. 1990), aff'd sub nom. Smith v. Jones, 2 U.S. 2 (1991)"}}},
      {"phrase with a court parenthetical and no citation after it",
       "Smith v. Jones, 1 F.3d 1 (9th Cir. 1990), cert. denied (U.S. Mar. 3, 1991).",
       {{"1 f.3d 1", "Smith v. Jones, 1 F.3d 1 (9th Cir. 1990), cert. denied (U.S. Mar. 3, 1991)"}}},
      {"and between two authorities is no history",
       "Smith v. Jones, 1 U.S. 1 (1990) and Doe v. Roe, 2 U.S. 2 (1991).",
       {{"1 u.s. 1", "Smith v. Jones, 1 U.S. 1 (1990)"}, {"2 u.s. 2", "Doe v. Roe, 2 U.S. 2 (1991)"}}},
  };
  for (const HistoryRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    ASSERT_EQ(table.citations.size(), row.cases.size());
    for (const FiledCase& expected : row.cases) {
      SCOPED_TRACE(expected.key);
      const Citation* citation = findByKey(table, expected.key);
      ASSERT_NE(citation, nullptr);
      EXPECT_EQ(citation->kind, kCase);
      EXPECT_EQ(citationText(*citation), expected.text);
      EXPECT_EQ(citation->occurrencePages.size(), 1U);
      EXPECT_EQ(citation->occurrenceGroups.size(), 1U);
    }
  }
}

TEST_F(CaseHistory, OccurrenceNumbersStayDistinct) {
  const CitationTable table =
      recognizeMarkdown("Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998). "
                        "See Doe v. Roe, 50 F.3d 10 (2d Cir. 1995).");
  ASSERT_EQ(table.citations.size(), 3U);
  std::vector<int> ids;
  for (const auto& citation : table.citations) {
    ASSERT_EQ(citation->ids.size(), 1U);
    ids.push_back(citation->ids[0]);
  }
  EXPECT_NE(ids[0], ids[1]);
  EXPECT_NE(ids[1], ids[2]);
  EXPECT_NE(ids[0], ids[2]);
  // The case after the history is read by the ordinary walk again.
  EXPECT_EQ(citationText(*findByKey(table, "50 f.3d 10")), "Doe v. Roe, 50 F.3d 10 (2d Cir. 1995)");
}

TEST_F(CaseHistory, IdAfterHistoryRefersToTheFirstCase) {
  const CitationTable table = recognizeMarkdown(
      "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998). Id. at 205.");
  const Citation* first = findByKey(table, "100 f.3d 200");
  const Citation* later = findByKey(table, "523 u.s. 300");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(first->occurrencePages.size(), 2U);
  EXPECT_EQ(later->occurrencePages.size(), 1U);
  EXPECT_EQ(table.previous, first);
}

TEST_F(CaseHistory, HistoryCitationMergesWithEarlierFullCitation) {
  const CitationTable table = recognizeMarkdown(
      "Roe v. Doe, 523 U.S. 300 (1998).\n\n"
      "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd sub nom. Roe v. Doe, 523 U.S. 300 (1998).");
  ASSERT_EQ(table.citations.size(), 2U);
  const Citation* affirmed = findByKey(table, "523 u.s. 300");
  ASSERT_NE(affirmed, nullptr);
  EXPECT_EQ(affirmed->occurrencePages.size(), 2U);
  EXPECT_EQ(citationText(*affirmed), "Roe v. Doe, 523 U.S. 300 (1998)");
}

TEST_F(CaseHistory, CutAnywhereRecordsEachCitationAtMostOnce) {
  // A document cut short (or a paragraph that ends early) may end inside any
  // part of a citation with history; no reader may run past the end, and no
  // citation may be counted twice for one text.
  const std::string full =
      "See Smith v. Jones, 1 F. Supp. 20, 22 (D. Mass. 1990), aff'd sub nom. Doe v. Roe, 3 F.3d 4, "
      "105 S. Ct. 6 (1st Cir. 1991), cert. denied, 5 U.S. 6 (1992).";
  for (std::size_t length = 1; length <= full.size(); ++length) {
    const std::string cut = full.substr(0, length);
    SCOPED_TRACE(cut);
    const CitationTable table = recognizeMarkdown(cut);
    EXPECT_LE(table.citations.size(), 3U);
    for (const auto& citation : table.citations) {
      EXPECT_EQ(citation->occurrencePages.size(), 1U);
      EXPECT_EQ(citation->kind, kCase);
    }
  }
}

}  // namespace
}  // namespace recognize::testing
