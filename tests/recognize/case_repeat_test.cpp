// A case cited again: in full with another pinpoint, in the reporter short
// form ("Smith, 123 U.S. at 460"), and the short name that later short forms
// find it by, with and without abbreviations written out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/abbreviation_collection.h"
#include "recognize/case_citations.h"
#include "recognize/recognizer.h"
#include "tests/recognize/case_expect.h"
#include "tests/recognize/document_fixture.h"

namespace recognize::testing {
namespace {

class CaseRepeats : public ::testing::Test {
 protected:
  void SetUp() override {
    shippedDictionary();  // loading it resets the abbreviation context
    setAbbreviationContext(nullptr, false);
  }
  void TearDown() override { setAbbreviationContext(nullptr, false); }
};

TEST_F(CaseRepeats, SameCaseWithOtherPinpointIsOneCitationWithTwoGroups) {
  const CitationTable table = recognizeMarkdown(
      "Smith v. Jones, 123 U.S. 456, 460 (1990).\n\n\\newpage\n\nSmith v. Jones, 123 U.S. 456, 470 (1990).");
  ASSERT_EQ(table.citations.size(), 1U);
  const Citation& citation = *table.citations[0];
  ASSERT_EQ(citation.occurrenceGroups.size(), 2U);
  EXPECT_EQ(groupText(citation, 0), "123 U.S. 456, 460 (1990)");
  EXPECT_EQ(groupText(citation, 1), "123 U.S. 456, 470 (1990)");
  EXPECT_EQ(citation.occurrencePages, (std::vector<int>{1, 2}));
  EXPECT_EQ(citation.pages, (std::vector<int>{1, 2}));
  EXPECT_EQ(citationText(citation), "Smith v. Jones, 123 U.S. 456, 460 (1990)");
}

TEST_F(CaseRepeats, SameKeyOtherNameStaysApart) {
  // The volume and page are the same but the names share nothing: unknown
  // beats wrong, so neither absorbs the other.
  const CitationTable table =
      recognizeMarkdown("Smith v. Jones, 123 U.S. 456 (1990). Adams v. Baker, 123 U.S. 456 (1990).");
  EXPECT_EQ(table.citations.size(), 2U);
}

struct ShortFormRow {
  const char* name;
  const char* markdown;
  int form;
  std::size_t occurrences;  // of the one full citation in the document
  const char* lastGroup;    // the words of the last occurrence
};

TEST_F(CaseRepeats, ReporterShortForm) {
  const std::vector<ShortFormRow> rows = {
      {"party name, volume, reporter, at and pinpoint",
       "Smith v. Jones, 123 U.S. 456 (1990). Later the Court noted this. Smith, 123 U.S. at 460.", kBluebook, 2,
       "123 U.S. at 460."},
      {"sentence ending in a number before a name that is also a reporter name",
       "Smith v. Jones, 123 U.S. 456 (1990). It was said at 546. Smith, 123 U.S. at 460.", kBluebook, 2,
       "123 U.S. at 460."},
      {"comma between reporter and at", "Smith v. Jones, 123 U.S. 456 (1990). Smith, 123 U.S., at 460.",
       kBluebook, 2, "123 U.S., at 460."},
      {"second party's name", "Smith v. Jones, 123 U.S. 456 (1990). See Jones, 123 U.S. at 461-62.", kBluebook, 2,
       "123 U.S. at 461-62."},
      {"no name, one case in that volume", "Smith v. Jones, 123 U.S. 456 (1990). See 123 U.S. at 460.", kBluebook,
       2, "123 U.S. at 460."},
      {"name of another case", "Smith v. Jones, 123 U.S. 456 (1990). See Adams, 123 U.S. at 460.", kBluebook, 1,
       "123 U.S. 456 (1990)"},
      {"other volume", "Smith v. Jones, 123 U.S. 456 (1990). See Smith, 124 U.S. at 460.", kBluebook, 1,
       "123 U.S. 456 (1990)"},
      {"other reporter", "Smith v. Jones, 123 U.S. 456 (1990). See Smith, 123 F.3d at 460.", kBluebook, 1,
       "123 U.S. 456 (1990)"},
      {"California short form with supra",
       "People v. Smith (1990) 50 Cal.3d 100. (Smith, supra, 50 Cal.3d at p. 110.)", kCalifornia, 2,
       "50 Cal.3d at"},
  };
  for (const ShortFormRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 1U);
    const Citation& citation = *table.citations[0];
    EXPECT_EQ(citation.occurrencePages.size(), row.occurrences);
    EXPECT_EQ(citation.ids.size(), row.occurrences);
    ASSERT_EQ(citation.occurrenceGroups.size(), row.occurrences);
    EXPECT_EQ(groupText(citation, row.occurrences - 1), row.lastGroup);
  }
}

TEST_F(CaseRepeats, ReporterShortFormWithoutFullCitationRecordsNothing) {
  const CitationTable table = recognizeMarkdown("See Smith, 123 U.S. at 460.");
  EXPECT_TRUE(table.citations.empty());
  EXPECT_EQ(table.previous, nullptr);
}

TEST_F(CaseRepeats, ReporterShortFormBecomesPrevious) {
  const CitationTable table = recognizeMarkdown(
      "Smith v. Jones, 123 U.S. 456 (1990). Doe v. Roe, 780 F.3d 100 (9th Cir. 2015). Smith, 123 U.S. at 460.");
  ASSERT_EQ(table.citations.size(), 2U);
  const Citation* smith = findByKey(table, "123 u.s. 456");
  ASSERT_NE(smith, nullptr);
  EXPECT_EQ(smith->occurrencePages.size(), 2U);
  EXPECT_EQ(table.previous, smith);
}

struct ExpansionRow {
  const char* name;
  bool expand;
  const char* shortName;  // rebuilt from the filed tokens: trailing "," put back
  const char* shortKey;   // the filed short-form key
};

TEST_F(CaseRepeats, AbbreviationsInTheShortName) {
  db::AbbreviationCollection abbreviations;
  db::Abbreviation company;
  company.name = "Co.";
  company.longForms.Add(db::DString("Company"));
  abbreviations.abbreviations[company.name] = company;
  db::Abbreviation association;
  association.name = "Ass'n";
  association.longForms.Add(db::DString("Association"));
  abbreviations.abbreviations[association.name] = association;
  db::Abbreviation administration;  // two long forms: left as written
  administration.name = "Admin.";
  administration.longForms.Add(db::DString("Administration"));
  administration.longForms.Add(db::DString("Administrative"));
  abbreviations.abbreviations[administration.name] = administration;

  const std::vector<ExpansionRow> rows = {
      {"expansion on", true, "Acme Company v. Admin. Association, ", "acmecompanyvadminassociation"},
      {"expansion off", false, "Acme Co. v. Admin. Ass'n, ", "acmecovadminass'n"},
  };
  for (const ExpansionRow& row : rows) {
    SCOPED_TRACE(row.name);
    setAbbreviationContext(row.expand ? &abbreviations : nullptr, row.expand);
    const CitationTable table = recognizeMarkdown("Acme Co. v. Admin. Ass'n, 123 U.S. 456 (1990).");
    ASSERT_EQ(table.citations.size(), 1U);
    const Citation& filed = *table.citations[0];
    EXPECT_EQ(filed.shortName, row.shortKey);
    // The text itself is never expanded.
    EXPECT_EQ(citationText(filed), "Acme Co. v. Admin. Ass'n, 123 U.S. 456 (1990)");
    Citation rebuilt = filed;
    buildShortName(rebuilt);
    EXPECT_EQ(rebuilt.shortName, row.shortName);
  }
}

TEST_F(CaseRepeats, ExpandedShortNameIsFoundByTheLongWord) {
  db::AbbreviationCollection abbreviations;
  db::Abbreviation company;
  company.name = "Co.";
  company.longForms.Add(db::DString("Company"));
  abbreviations.abbreviations[company.name] = company;
  setAbbreviationContext(&abbreviations, true);
  const CitationTable table = recognizeMarkdown(
      "Acme Co. v. Baker, 123 U.S. 456 (1990). See Acme Company, 123 U.S. at 460.");
  ASSERT_EQ(table.citations.size(), 1U);
  EXPECT_EQ(table.citations[0]->occurrencePages.size(), 2U);
}

}  // namespace
}  // namespace recognize::testing
