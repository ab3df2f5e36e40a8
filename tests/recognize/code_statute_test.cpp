// Codes cited with a section, read from documents in both citation forms:
// the title number before the code, the section number with its bracketed
// subdivisions and continuation words, and the texts that are not code
// citations at all.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/code_expect.h"
#include "tests/recognize/document_fixture.h"

namespace recognize::testing {
namespace {

struct StatuteRow {
  const char* name;
  const char* markdown;
  int form;
  const char* key;        // normalised: title, code name and section
  const char* text;       // as the table writer types it
  const char* entryName;  // the dictionary entry it was found by
  int jurisdiction;
};

TEST(CodeCitations, OneStatutePerRow) {
  const std::vector<StatuteRow> rows = {
      {"title, code and section", "Plaintiff sues under 42 U.S.C. § 1983.", kBluebook, "42u.s.c.1983",
       "42 U.S.C. § 1983", "U.S.C.", 0},
      {"two sections after a double sign", "Jurisdiction lies under 28 U.S.C. §§ 1331, 1367.", kBluebook,
       "28u.s.c.1331,1367", "28 U.S.C. §§ 1331, 1367", "U.S.C.", 0},
      {"hyphenated section with nested subdivisions", "See 42 U.S.C. § 2000e-2(a)(1).", kBluebook,
       "42u.s.c.2000e-2(a)(1)", "42 U.S.C. § 2000e-2(a)(1)", "U.S.C.", 0},
      {"et seq. continues the section", "The Act applies, 29 U.S.C. § 2601 et seq., here.", kBluebook,
       "29u.s.c.2601etseq", "29 U.S.C. § 2601 et seq", "U.S.C.", 0},
      {"name before the title number", "Civil Rights Act, 42 U.S.C. § 1981.", kBluebook, "42u.s.c.1981",
       "Civil Rights Act, 42 U.S.C. § 1981", "U.S.C.", 0},
      {"defined term before the title is not a name", "The Family and Medical Leave Act (\"FMLA\"), 29 U.S.C. § 2601.",
       kBluebook, "29u.s.c.2601", "29 U.S.C. § 2601", "U.S.C.", 0},
      {"defined term after the section is not a subdivision", "42 U.S.C. § 12101 (the \"ADA\") bars it.", kBluebook,
       "42u.s.c.12101", "42 U.S.C. § 12101", "U.S.C.", 0},
      {"state code named by subject", "Cal. Gov't Code § 12940(a) forbids it.", kBluebook, "cal.gov'tcode12940(a)",
       "Cal. Gov't Code § 12940(a)", "Cal. Gov't Code", 1},
      {"long parenthetical ends the section", "42 U.S.C. § 1983 (providing a remedy for deprivations of rights).",
       kBluebook, "42u.s.c.1983", "42 U.S.C. § 1983", "U.S.C.", 0},
      {"section word instead of the sign", "Cal. Civ. Code section 1714 applies.", kBluebook, "cal.civ.codesection1714",
       "Cal. Civ. Code section 1714", "Cal. Civ. Code", 1},
      {"California form: short code name, comma and subd.", "(Gov. Code, § 12940, subd. (a).)", kCalifornia,
       "gov.code,12940,subd.(a)", "Gov. Code, § 12940, subd. (a)", "Cal. Gov't Code", 1},
      {"California form reads a Bluebook citation too", "See 42 U.S.C. § 1983(a) and more.", kCalifornia,
       "42u.s.c.1983(a)", "42 U.S.C. § 1983(a)", "U.S.C.", 0},
      {"California form: code name written out", "Code Civ. Proc. section 425.16 governs.", kCalifornia,
       "codeciv.proc.section425.16", "Code Civ. Proc. section 425.16", "Cal. Civ. Proc. Code", 1},
  };
  for (const StatuteRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 1u) << allKeys(table);
    const Citation& citation = *table.citations.front();
    EXPECT_EQ(citation.kind, kDictionaryAuthority);
    EXPECT_EQ(citation.key, row.key);
    EXPECT_EQ(citationText(citation), row.text);
    EXPECT_EQ(citation.entryName, row.entryName);
    EXPECT_EQ(citation.jurisdiction, row.jurisdiction);
    EXPECT_EQ(citation.occurrenceGroups.size(), 1u);
  }
}

// Texts that hold a dictionary name or a section sign but cite nothing.
TEST(CodeCitations, NothingIsCited) {
  const struct {
    const char* name;
    const char* markdown;
    std::size_t citations;  // those of other kinds that stand there
  } rows[] = {
      {"code named in prose", "Congress codified it in the U.S.C. long ago.", 0},
      {"code and sign without a number", "Compare the U.S.C. § with the rest.", 0},
      {"numbered-authority name without a number", "The H.R. Rep. discussed it at length.", 0},
      {"numbered name, then a word", "Congress passed a Pub. L. No. that year.", 0},
      {"a bare No. starts nothing", "Only No. 5 was filed.", 0},
      {"section sign at the start of the document", "Under § 17 nothing is cited.", 0},
      {"section sign after a case", "Smith v. Jones, 123 F.3d 456 (9th Cir. 1997). See also § 17.", 1},
      {"section sign without a number after a statute", "42 U.S.C. § 1983. The § sign alone.", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    EXPECT_EQ(table.citations.size(), row.citations) << allKeys(table);
    for (const auto& citation : table.citations) EXPECT_EQ(citation->occurrencePages.size(), 1u);
  }
}

TEST(CodeCitations, NumberBeforeTheNextCodeIsItsTitle) {
  // Neither a section tail nor a rule takes the 42 or 28 of the code after it.
  const struct {
    const char* markdown;
    const char* first;
    const char* second;
  } rows[] = {
      {"See 42 U.S.C. § 1983, 28 U.S.C. § 1331.", "42u.s.c.1983", "28u.s.c.1331"},
      {"Fed. R. Civ. P. 56 and 42 U.S.C. § 1983 both apply.", "fed.r.civ.p.56", "42u.s.c.1983"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.markdown);
    const CitationTable table = recognizeMarkdown(row.markdown);
    ASSERT_EQ(table.citations.size(), 2u) << allKeys(table);
    EXPECT_EQ(table.citations[0]->key, row.first);
    EXPECT_EQ(table.citations[1]->key, row.second);
  }
}

TEST(CodeCitations, SameStatuteInBodyAndNoteIsOneCitation) {
  const CitationTable table =
      recognizeMarkdown("Section 1983 gives a remedy, 42 U.S.C. § 1983.[^1]\n\n[^1]: See 42 U.S.C. § 1983.\n");
  ASSERT_EQ(table.citations.size(), 1u) << allKeys(table);
  const Citation& statute = *table.citations.front();
  EXPECT_EQ(statute.key, "42u.s.c.1983");
  EXPECT_EQ(statute.noteNumbers, (std::vector<int>{0, 1}));
  ASSERT_EQ(statute.occurrenceGroups.size(), 2u);
  EXPECT_EQ(occurrenceText(statute, 1), "42 U.S.C. § 1983.");
}

}  // namespace
}  // namespace recognize::testing
