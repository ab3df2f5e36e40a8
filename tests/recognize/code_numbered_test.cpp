// Constitutions and rules followed by numbers, numerals and subdivision
// words, and numbered authorities such as public laws: what each run takes,
// where it stops, and the names that cite nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/code_expect.h"
#include "tests/recognize/document_fixture.h"

namespace recognize::testing {
namespace {

struct NumberedRow {
  const char* name;
  const char* markdown;
  const char* key;
  const char* text;
  const char* entryName;
  int jurisdiction;
};

void expectOneCitation(const NumberedRow& row) {
  SCOPED_TRACE(row.name);
  const CitationTable table = recognizeMarkdown(row.markdown);
  ASSERT_EQ(table.citations.size(), 1u) << allKeys(table);
  const Citation& citation = *table.citations.front();
  EXPECT_EQ(citation.kind, kDictionaryAuthority);
  EXPECT_EQ(citation.key, row.key);
  EXPECT_EQ(citationText(citation), row.text);
  EXPECT_EQ(citation.entryName, row.entryName);
  EXPECT_EQ(citation.jurisdiction, row.jurisdiction);
}

TEST(NumberedRuns, TakeNumbersNumeralsAndSubdivisions) {
  const std::vector<NumberedRow> rows = {
      {"article, section and clause", "See U.S. Const. art. III, § 2, cl. 1.", "u.s.const.art.iii,2,cl.1",
       "U.S. Const. art. III, § 2, cl. 1", "U.S. Const.", 0},
      {"amendment numeral", "The U.S. Const. amend. XIV, § 1 guarantees it.", "u.s.const.amend.xiv,1",
       "U.S. Const. amend. XIV, § 1", "U.S. Const.", 0},
      {"rule with subdivisions written against it", "A Fed. R. Civ. P. 12(b)(6) motion tests the complaint.",
       "fed.r.civ.p.12(b)(6)", "Fed. R. Civ. P. 12(b)(6)", "Fed. R. Civ. P.", 0},
      {"capital subdivision", "Under Fed. R. App. P. 4(a)(1)(A), the notice is due.", "fed.r.app.p.4(a)(1)(a)",
       "Fed. R. App. P. 4(a)(1)(A)", "Fed. R. App. P.", 0},
      {"capital word after a rule number starts a sentence", "See Fed. R. Civ. P. 56. A party may move.",
       "fed.r.civ.p.56", "Fed. R. Civ. P. 56", "Fed. R. Civ. P.", 0},
      {"state constitution", "Cal. Const., art. I, § 7 applies.", "cal.const.,art.i,7", "Cal. Const., art. I, § 7",
       "Cal. Const.", 1},
      {"semicolon ends the run", "See U.S. Const. art. I; id. art. II.", "u.s.const.art.i", "U.S. Const. art. I",
       "U.S. Const.", 0},
      {"the name alone is still a citation", "Nothing in the U.S. Const. says so.", "u.s.const", "U.S. Const",
       "U.S. Const.", 0},
      {"subdivision words before the name", "Article III, U.S. Const. limits it.", "articleiii,u.s.const",
       "Article III, U.S. Const", "U.S. Const.", 0},
  };
  for (const NumberedRow& row : rows) expectOneCitation(row);
}

TEST(NumberedRuns, FurtherRuleIsACitationOfItsOwn) {
  const struct {
    const char* name;
    const char* markdown;
    const char* first;
    const char* second;
  } rows[] = {
      {"rules separated by a comma", "See Fed. R. Civ. P. 8(a), Fed. R. Civ. P. 12(b)(6).", "fed.r.civ.p.8(a)",
       "fed.r.civ.p.12(b)(6)"},
      {"the last word of a rule's name is not read backwards", "Under Fed. R. Civ. P. and Fed. R. Evid. 702 alike.",
       "fed.r.civ.p", "fed.r.evid.702"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    ASSERT_EQ(table.citations.size(), 2u) << allKeys(table);
    EXPECT_EQ(table.citations[0]->key, row.first);
    EXPECT_EQ(table.citations[1]->key, row.second);
  }
}

TEST(NumberedRuns, EarlierRuleNumberIsNotReadBackwards) {
  // The 702 belongs to the first rule; the second starts at its own name.
  const CitationTable table = recognizeMarkdown("See Fed. R. Evid. 702, Fed. R. Evid. 403; U.S. Const. amend. I.");
  ASSERT_EQ(table.citations.size(), 3u) << allKeys(table);
  EXPECT_EQ(table.citations[0]->key, "fed.r.evid.702");
  EXPECT_EQ(table.citations[1]->key, "fed.r.evid.403");
  EXPECT_EQ(citationText(*table.citations[1]), "Fed. R. Evid. 403");
  EXPECT_EQ(table.citations[2]->key, "u.s.const.amend.i");
}

TEST(NumberedAuthorities, NameNumberPinpointsAndParallelCitation) {
  const std::vector<NumberedRow> rows = {
      {"public law with section and Statutes at Large", "Pub. L. No. 111-148, § 1501, 124 Stat. 119 (2010).",
       "pub.l.no.111-148,1501,124stat.119", "Pub. L. No. 111-148, § 1501, 124 Stat. 119", "Pub. L. No.", 0},
      {"executive order with register citation", "Exec. Order No. 13,769, 82 Fed. Reg. 8977 (Jan. 27, 2017).",
       "exec.orderno.13,769,82fed.reg.8977", "Exec. Order No. 13,769, 82 Fed. Reg. 8977", "Exec. Order No.", 0},
      {"report with pinpoint", "H.R. Rep. No. 95-595, at 5 (1977).", "h.r.rep.no.95-595,at5",
       "H.R. Rep. No. 95-595, at 5", "H.R. Rep. No.", 0},
      {"Id. after the number is not part of it", "Pub. L. No. 104-191. Id. at 3 says so.", "pub.l.no.104-191",
       "Pub. L. No. 104-191", "Pub. L. No.", 0},
  };
  for (const NumberedRow& row : rows) expectOneCitation(row);
}

TEST(NumberedAuthorities, FurtherNumberedNameIsACitationOfItsOwn) {
  const CitationTable table = recognizeMarkdown("Pub. L. No. 111-148, H.R. Rep. No. 111-443, at 5 (2010).");
  ASSERT_EQ(table.citations.size(), 2u) << allKeys(table);
  EXPECT_EQ(table.citations[0]->key, "pub.l.no.111-148");
  EXPECT_EQ(table.citations[1]->key, "h.r.rep.no.111-443,at5");
}

}  // namespace
}  // namespace recognize::testing
