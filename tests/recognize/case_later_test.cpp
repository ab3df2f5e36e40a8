// A case cited again: in full with another pinpoint, in the reporter short
// form ("Smith, 123 U.S. at 460"), and the short name that later short forms
// find it by, with and without abbreviations written out; and subsequent
// history, whose phrase stays with the first case while the citation after
// it is filed as a case of its own, exactly once.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "db/abbreviation_collection.h"
#include "recognize/internal/case_citations.h"
#include "recognize/recognizer.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

using namespace recognize::internal;

db::AbbreviationCollection abbreviationsOf(const std::vector<std::pair<std::string, std::vector<std::string>>>& rows) {
  db::AbbreviationCollection abbreviations;
  for (const auto& [name, longForms] : rows) {
    db::Abbreviation& abbreviation = abbreviations.abbreviations[name];
    abbreviation.name = name;
    for (const std::string& longForm : longForms) abbreviation.longForms.Add(db::DString(longForm));
  }
  return abbreviations;
}

class CaseRepeats : public ::testing::Test {
 protected:
  void SetUp() override {
    shippedDictionary();  // loading it resets the abbreviation context
    setAbbreviationContext(nullptr, false);
  }
  void TearDown() override { setAbbreviationContext(nullptr, false); }
};

TEST_F(CaseRepeats, SameKeyOtherNameStaysApart) {
  // The volume and page are the same but the names share nothing: unknown
  // beats wrong, so neither absorbs the other.
  const CitationTable table =
      recognizeMarkdown("Smith v. Jones, 123 U.S. 456 (1990). Adams v. Baker, 123 U.S. 456 (1990).");
  EXPECT_EQ(table.citations.size(), 2U);
}

// occurrences: of the one full citation in the document; lastGroup: the words of its last occurrence
struct ReporterShortFormRow { const char* name; std::string markdown; std::size_t occurrences; const char* lastGroup;
                              int form = kBluebook; };

TEST_F(CaseRepeats, ReporterShortForm) {
  const std::string smith = "Smith v. Jones, 123 U.S. 456 (1990).";
  const std::vector<ReporterShortFormRow> rows = {
      {"party name, volume, reporter, at and pinpoint", smith + " Later the Court noted this. Smith, 123 U.S. at 460.",
       2, "123 U.S. at 460."},
      {"sentence ending in a number before a name that is also a reporter name",
       smith + " It was said at 546. Smith, 123 U.S. at 460.", 2, "123 U.S. at 460."},
      {"comma between reporter and at", smith + " Smith, 123 U.S., at 460.", 2, "123 U.S., at 460."},
      {"second party's name", smith + " See Jones, 123 U.S. at 461-62.", 2, "123 U.S. at 461-62."},
      {"no name, one case in that volume", smith + " See 123 U.S. at 460.", 2, "123 U.S. at 460."},
      {"name of another case", smith + " See Adams, 123 U.S. at 460.", 1, "123 U.S. 456 (1990)"},
      {"other volume", smith + " See Smith, 124 U.S. at 460.", 1, "123 U.S. 456 (1990)"},
      {"other reporter", smith + " See Smith, 123 F.3d at 460.", 1, "123 U.S. 456 (1990)"},
      {"California short form with supra", "People v. Smith (1990) 50 Cal.3d 100. (Smith, supra, 50 Cal.3d at p. 110.)",
       2, "50 Cal.3d at", kCalifornia},
  };
  for (const ReporterShortFormRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 1U);
    const Citation& citation = *table.citations[0];
    EXPECT_EQ(citation.occurrencePages.size(), row.occurrences);
    EXPECT_EQ(citation.ids.size(), row.occurrences);
    ASSERT_EQ(citation.occurrenceGroups.size(), row.occurrences);
    EXPECT_EQ(occurrenceText(citation, row.occurrences - 1), row.lastGroup);
  }
}

// shortName: rebuilt from the filed tokens: trailing "," put back
// shortKey: the filed short-form key
// occurrences: "Acme Company, 123 U.S. at 460" finds the case only when expanded
struct ExpansionRow { const char* name; bool expand; const char* shortName; const char* shortKey;
                      std::size_t occurrences; };

TEST_F(CaseRepeats, AbbreviationsInTheShortName) {
  // "Admin." has two long forms and is left as written.
  const db::AbbreviationCollection abbreviations =
      abbreviationsOf({{"Co.", {"Company"}}, {"Ass'n", {"Association"}}, {"Admin.", {"Administration", "Administrative"}}});
  const std::vector<ExpansionRow> rows = {
      {"expansion on", true, "Acme Company v. Admin. Association, ", "acmecompanyvadminassociation", 2},
      {"expansion off", false, "Acme Co. v. Admin. Ass'n, ", "acmecovadminass'n", 1},
  };
  for (const ExpansionRow& row : rows) {
    SCOPED_TRACE(row.name);
    setAbbreviationContext(row.expand ? &abbreviations : nullptr, row.expand);
    const CitationTable table =
        recognizeMarkdown("Acme Co. v. Admin. Ass'n, 123 U.S. 456 (1990). See Acme Company, 123 U.S. at 460.");
    ASSERT_EQ(table.citations.size(), 1U);
    const Citation& filed = *table.citations[0];
    EXPECT_EQ(filed.shortName, row.shortKey);
    EXPECT_EQ(filed.occurrencePages.size(), row.occurrences);
    // The text itself is never expanded.
    EXPECT_EQ(citationText(filed), "Acme Co. v. Admin. Ass'n, 123 U.S. 456 (1990)");
    Citation rebuilt = filed;
    buildShortName(rebuilt);
    EXPECT_EQ(rebuilt.shortName, row.shortName);
  }
}

// text: kWhole when the first case's text runs to the end of the paragraph
// (its final period aside): the history stays with the first case.
struct FiledCase { const char* key; const char* text; std::size_t occurrences = 1; };
constexpr const char* kWhole = nullptr;

// cases: in table order
struct HistoryRow { const char* name; const char* markdown; std::vector<FiledCase> cases; int form = kBluebook; };

TEST(CaseHistory, LaterCitationFiledOnceOfItsOwn) {
  const std::vector<HistoryRow> rows = {
      {"affirmed", "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998).",
       {{"523 u.s. 300", "523 U.S. 300 (1998)"}, {"100 f.3d 200", kWhole}}},
      {"certiorari denied", "Doe v. Roe, 50 F.3d 10, 12 (2d Cir. 1995), cert. denied, 516 U.S. 900 (1995).",
       {{"516 u.s. 900", "516 U.S. 900 (1995)"}, {"50 f.3d 10", kWhole}}},
      {"two phrases in a row",
       "Smith v. Jones, 1 F. Supp. 20 (D. Mass. 1990), aff'd, 3 F.3d 4 (1st Cir. 1991), cert. denied, 5 U.S. 6 (1992).",
       {{"3 f.3d 4", "3 F.3d 4 (1st Cir. 1991)"}, {"5 u.s. 6", "5 U.S. 6 (1992)"}, {"1 f. supp. 20", kWhole}}},
      {"new party names after sub nom.",
       "Smith v. Jones, 1 F.3d 1 (9th Cir. 1990), aff'd sub nom. Doe v. Roe, 2 U.S. 2 (1991).",
       {{"2 u.s. 2", "Doe v. Roe, 2 U.S. 2 (1991)"}, {"1 f.3d 1", kWhole}}},
      {"new party name after sub nom. that is also a reporter name",
       "Doe v. Roe, 1 F.3d 1 (9th Cir. 1990), aff'd sub nom. Smith v. Jones, 2 U.S. 2 (1991).",
       {{"2 u.s. 2", "Smith v. Jones, 2 U.S. 2 (1991)"}, {"1 f.3d 1", kWhole}}},
      {"phrase with a court parenthetical and no citation after it",
       "Smith v. Jones, 1 F.3d 1 (9th Cir. 1990), cert. denied (U.S. Mar. 3, 1991).", {{"1 f.3d 1", kWhole}}},
      {"the walk reads on after the later citation",
       "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998). See Doe v. Roe, 50 F.3d 10 (2d Cir. 1995).",
       {{"523 u.s. 300", "523 U.S. 300 (1998)"},
        {"100 f.3d 200", "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998)"},
        {"50 f.3d 10", "Doe v. Roe, 50 F.3d 10 (2d Cir. 1995)"}}},
      {"Id. after the history refers to the first case",
       "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998). Id. at 205.",
       {{"523 u.s. 300", "523 U.S. 300 (1998)"},
        {"100 f.3d 200", "Smith v. Jones, 100 F.3d 200 (9th Cir. 1997), aff'd, 523 U.S. 300 (1998)", 2}}},
      {"the later citation merges with an earlier full citation",
       "Roe v. Doe, 523 U.S. 300 (1998).\n\nSmith v. Jones, 1 F.3d 2 (9th Cir. 1997), aff'd sub nom. Roe v. Doe, "
       "523 U.S. 300 (1998).",
       {{"523 u.s. 300", "Roe v. Doe, 523 U.S. 300 (1998)", 2},
        {"1 f.3d 2", "Smith v. Jones, 1 F.3d 2 (9th Cir. 1997), aff'd sub nom. Roe v. Doe, 523 U.S. 300 (1998)"}}},
      {"a case inside another's explanatory parenthetical is no history; its page \"8)\" closes that",
       "Doe v. Roe, 5 F.3d 6 (1st Cir. 1993) (quoting Adams v. Baker, 7 U.S. 8).",
       {{"5 f.3d 6", "Doe v. Roe, 5 F.3d 6 (1st Cir. 1993)"}, {"7 u.s. 8", "Adams v. Baker, 7 U.S. 8"}}},
      {"and between two authorities is no history",
       "Smith v. Jones, 1 U.S. 1 (1990) and Doe v. Roe, 2 U.S. 2 (1991).",
       {{"1 u.s. 1", "Smith v. Jones, 1 U.S. 1 (1990)"}, {"2 u.s. 2", "Doe v. Roe, 2 U.S. 2 (1991)"}}},
      {"California run: the later citation is read in the Bluebook form and keeps its pinpoint",
       "People v. Smith (1990) 50 Cal.3d 100, 105, aff'd (1991) 60 Cal.3d 200, 210.",
       {{"60 cal. 3d 200", "60 Cal.3d 200, 210"}, {"50 cal. 3d 100", "People v. Smith (1990) 50 Cal.3d 100"}},
       kCalifornia},
  };
  for (const HistoryRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), row.cases.size());
    std::vector<int> ids;
    for (const FiledCase& expected : row.cases) {
      SCOPED_TRACE(expected.key);
      const Citation* citation = table.findByKey(expected.key);
      ASSERT_NE(citation, nullptr);
      EXPECT_EQ(citation->kind, kCase);
      const std::string whole(row.markdown, std::string_view(row.markdown).size() - 1);
      EXPECT_EQ(citationText(*citation), expected.text == kWhole ? whole : expected.text);
      EXPECT_EQ(citation->occurrencePages.size(), expected.occurrences);
      EXPECT_EQ(citation->occurrenceGroups.size(), expected.occurrences);
      ids.insert(ids.end(), citation->ids.begin(), citation->ids.end());
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "every occurrence has its own number";
  }
}

TEST(CaseHistory, CutAnywhereRecordsEachCitationAtMostOnce) {
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
