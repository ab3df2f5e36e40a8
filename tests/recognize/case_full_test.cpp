// Full case citations read from documents: name, volume, reporter, page,
// pinpoints, parallel citations and the court-and-year parenthetical, in both
// citation forms; the forms real briefs use beyond those; and the texts that
// are not case citations at all.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

// A row states what differs from the plain Smith v. Jones citation: the
// text as the table writer types it, the key (volume, reporter and first
// page), the short-form key, and the words of its one occurrence. The plain
// citation itself is pinned by tests/tools/cite_brief.
struct FullCaseRow {
  const char* name;
  const char* markdown;
  const char* text = "Smith v. Jones, 123 U.S. 456 (1990)";
  const char* key = "123 u.s. 456";
  const char* shortKey = "smithvjones";
  const char* group = "123 U.S. 456 (1990)";
  int form = kBluebook;
};

TEST(FullCases, OneCitationPerRow) {
  const std::vector<FullCaseRow> rows = {
      {"sentence words before the name are left out", "The Court then decided Smith v. Jones, 123 U.S. 456 (1990)."},
      {"signal See, e.g.,", "See, e.g., Smith v. Jones, 123 U.S. 456 (1990)."},
      {"a sentence that begins with \"And\"", "And Smith v. Jones, 123 U.S. 456 (1990), held so."},
      {"note reference between name and volume", "Smith v. Jones,[^1] 123 U.S. 456 (1990).\n\n[^1]: A note."},
      {"citation inside parentheses", "This holding (Smith v. Jones, 123 U.S. 456 (1990)) applies."},
      {"end of a quotation before the name",
       "As it said, \xE2\x80\x9Cthe rule is plain.\xE2\x80\x9D Smith v. Jones, 123 U.S. 456 (1990)."},
      {"page ending the sentence takes no later parenthesis", "Smith v. Jones, 123 U.S. 456. (It was doubted.)",
       "Smith v. Jones, 123 U.S. 456", "123 u.s. 456", "smithvjones", "123 U.S. 456."},
      {"pinpoint range and footnote", "Doe v. Roe, 780 F.3d 100, 104-05 & n.3 (9th Cir. 2015).",
       "Doe v. Roe, 780 F.3d 100, 104-05 & n.3 (9th Cir. 2015)", "780 f.3d 100", "doevroe",
       "780 F.3d 100, 104-05 & n.3 (9th Cir. 2015)"},
      {"parallel citations are part of the occurrence",
       "Cleveland Bd. of Educ. v. Loudermill, 470 U.S. 532, 542, 105 S. Ct. 1487, 84 L. Ed. 2d 494 (1985).",
       "Cleveland Bd. of Educ. v. Loudermill, 470 U.S. 532, 542, 105 S. Ct. 1487, 84 L. Ed. 2d 494 (1985)",
       "470 u.s. 532", "clevelandbdofeducvloudermill", "470 U.S. 532, 542, 105 S. Ct. 1487, 84 L. Ed. 2d 494 (1985)"},
      {"footnotes written apart from the pinpoint", "Doe v. Roe, 780 F.3d 100, 104 & nn. 3-4 (9th Cir. 2015).",
       "Doe v. Roe, 780 F.3d 100, 104 & nn. 3-4 (9th Cir. 2015)", "780 f.3d 100", "doevroe",
       "780 F.3d 100, 104 & nn. 3-4 (9th Cir. 2015)"},
      {"nominative reporter in brackets after the reporter", "McCulloch v. Maryland, 17 U.S. (4 Wheat.) 316 (1819).",
       "McCulloch v. Maryland, 17 U.S. (4 Wheat.) 316 (1819)", "17 u.s. 316", "mccullochvmaryland",
       "17 U.S. (4 Wheat.) 316 (1819)"},
      {"small words inside the name", "Brown v. Board of Education, 347 U.S. 483 (1954).",
       "Brown v. Board of Education, 347 U.S. 483 (1954)", "347 u.s. 483", "brownvboardofeducation",
       "347 U.S. 483 (1954)"},
      {"In re after a signal", "See In re Gault, 387 U.S. 1 (1967).", "In re Gault, 387 U.S. 1 (1967)", "387 u.s. 1",
       "inregault", "387 U.S. 1 (1967)"},
      {"California: year before the volume", "People v. Smith (1990) 50 Cal.3d 100, 105.",
       "People v. Smith (1990) 50 Cal.3d 100", "50 cal. 3d 100", "peoplevsmith", "(1990) 50 Cal.3d 100, 105.",
       kCalifornia},
      {"California: bracketed parallel citation", "People v. Smith (1990) 50 Cal.3d 100 [270 Cal.Rptr. 1].",
       "People v. Smith (1990) 50 Cal.3d 100 [270 Cal.Rptr. 1]", "50 cal. 3d 100", "peoplevsmith",
       "(1990) 50 Cal.3d 100 [270 Cal.Rptr. 1]", kCalifornia},
      {"California: signal before the name", "(See People v. Smith (1990) 50 Cal.3d 100, 105.)",
       "People v. Smith (1990) 50 Cal.3d 100", "50 cal. 3d 100", "peoplevsmith", "(1990) 50 Cal.3d 100, 105.)",
       kCalifornia},
  };
  for (const FullCaseRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 1U);
    const Citation& citation = *table.citations[0];
    EXPECT_EQ(citation.kind, kCase);
    EXPECT_EQ(citationText(citation), row.text);
    EXPECT_EQ(citation.key, row.key);
    EXPECT_EQ(citation.shortName, row.shortKey);
    EXPECT_EQ(citation.occurrenceGroups.size(), 1U);
    EXPECT_EQ(occurrenceText(citation, 0), row.group);
    EXPECT_EQ(citation.ids.size(), 1U);
  }
}

struct NotACaseRow { const char* name; const char* markdown; int form = kBluebook; };

TEST(FullCases, TextsThatAreNoCaseCitation) {
  const std::vector<NotACaseRow> rows = {
      {"reporter without a volume", "Smith v. Jones, U.S. 456 (1990)."},
      {"reporter without a page", "Smith v. Jones, 123 F. Supp. was cited."},
      {"page part is a lower-case word", "Smith v. Jones, 123 U.S. reports it."},
      {"reporter is the last word", "See Smith v. Jones, 123 F. Supp."},
      {"footnote mark is no volume", "Smith v. Jones^1^ U.S. 456 (1990)."},
      {"California: reporter without a volume", "People v. Smith (1990) Cal.3d 100.", kCalifornia},
  };
  for (const NotACaseRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    EXPECT_TRUE(table.citations.empty());
    EXPECT_EQ(table.previous, nullptr);
  }
}

// The forms real briefs use beyond "volume reporter page": pages not known
// yet, reporters typed in other spacings or without periods, bracketed and
// blank-page parallels, English reporters, neutral citations, and one entry
// per authority however its reporter is spelt.
// text null: a row's only citation is the whole paragraph less its period; a later one's text is not compared.
struct Filed { const char* key; const char* text = nullptr; std::size_t occurrences = 1; };
struct FormRow { const char* name; std::string markdown; std::vector<Filed> cases; int form = kBluebook; };

TEST(CaseForms, FiledAsAParalegalWould) {
  const std::vector<FormRow> rows = {
      // pages not known yet
      {"blank page, parallel joined", "Loper Bright Enterprises v. Raimondo, 603 U.S. ___, 144 S. Ct. 2244 (2024).",
       {{"603 u.s. ___"}}},
      {"slip opinion cite of the same case", "Loper Bright Enterprises v. Raimondo, 603 U.S. ___ (2024). Loper Bright, "
       "603 U. S. ___, ___ (2024) (slip op., at 7).", {{"603 u.s. ___", "Loper Bright Enterprises v. Raimondo, 603 "
       "U.S. ___ (2024)", 2}}},
      {"__ and a dash are the same blank", "Cain v. Dole, 603 U.S. __ (2024). Cain v. Dole, 603 U.S. \xE2\x80\x94 "
       "(2024).", {{"603 u.s. ___", "Cain v. Dole, 603 U.S. __ (2024)", 2}}},
      {"two cases of one volume stay apart", "Able v. Baker, 603 U.S. ___ (2024); Cain v. Dole, 603 U.S. ___ (2024).",
       {{"603 u.s. ___", "Able v. Baker, 603 U.S. ___ (2024)"}, {"603 u.s. ___", "Cain v. Dole, 603 U.S. ___ (2024)"}}},
      {"cited again by its parallel, in full and short", "Loper Bright Enterprises v. Raimondo, 603 U.S. ___, 144 S. "
       "Ct. 2244 (2024). Loper Bright Enterprises v. Raimondo, 144 S. Ct. 2244, 2260 (2024). Loper Bright, 144 S. Ct. "
       "at 2261.", {{"603 u.s. ___", "Loper Bright Enterprises v. Raimondo, 603 U.S. ___, 144 S. Ct. 2244 (2024)", 3}}},
      {"the same parallel under another name stays apart", "Doe v. Roe, 5 U.S. 1, 7 S. Ct. 9 (1990). Adams v. Baker, 7 "
       "S. Ct. 9 (1990).", {{"5 u.s. 1"}, {"7 s. ct. 9"}}},
      {"no name, nothing tells the case: unknown", "See 603 U.S. ___ (2024).", {}},
      {"a short name two cases share names neither", "Smith v. Able, 603 U.S. ___ (2024); Smith v. Baker, 603 U.S. ___ "
       "(2024). Smith, 603 U.S. ___ (2024).", {{"603 u.s. ___"}, {"603 u.s. ___"}}},
      // parallels after a blank page and in brackets
      {"blank volume and page before the parallels", "Able v. Baker, \xE2\x80\x94 U.S. \xE2\x80\x94, 136 S. Ct. 616, "
       "193 L. Ed. 2d 504 (2015).", {{"___ u.s. ___", "Able v. Baker, {4:34} U.S. {4:34}, 136 S. Ct. 616, 193 L. Ed. "
       "2d 504 (2015)"}}},
      {"California bracket, pinpoints left out", "People v. Jones (2009) 45 Cal.4th 1, 5 [92 Cal.Rptr.3d 784, 790].",
       {{"45 cal. 4th 1", "People v. Jones (2009) 45 Cal.4th 1 [92 Cal.Rptr.3d 784]"}}, kCalifornia},
      // reporters as people type them
      {"spaced letters", "Smith v. Jones, 50 N. Y. S. 2d 100 (1990); Mark v. Lane, 5 F. R. D. 7 (1990).",
       {{"50 n.y.s.2d 100", "Smith v. Jones, 50 N. Y. S. 2d 100 (1990)"}, {"5 f.r.d. 7"}}},
      {"no periods", "Pat v. Ross, 5 P2d 7 (1990); Ida v. May, 5 NY2d 7 (1990); Ore v. Gon, 300 Or 255 (1990); Fed v. "
       "Sup, 5 F Supp 2d 7 (1990).", {{"5 p.2d 7", "Pat v. Ross, 5 P2d 7 (1990)"}, {"5 n.y.2d 7"}, {"300 or. 255"},
       {"5 f. supp. 2d 7"}}},
      {"So. 3d and So.3d are one; the court stays whole", "Ham v. Egg, 50 So. 3d 7 (Fla. 1st DCA 2012). Ham v. Egg, "
       "50 So.3d 7 (Fla. 1st DCA 2012).", {{"50 so. 3d 7", "Ham v. Egg, 50 So. 3d 7 (Fla. 1st DCA 2012)", 2}}},
      {"a written form two entries share: unknown", "Doe v. Roe, 5 Cal App Supp 7 (1990).", {}},
      {"one letter after a volume is no reporter", "Doe v. Roe, 5 F 7 (1990).", {}},
      {"no case name before the volume: not trusted", "Counts 2 Or 3 were dismissed.", {}},
      // English and Commonwealth reporters
      {"year first, English Reports", "Rex v. Smith (1838) 173 Eng. Rep. 559.", {{"173 eng. rep. 559"}}},
      {"year as volume", "Donoghue v. Stevenson, [1932] A.C. 562 (H.L.).", {{"[1932] a.c. 562"}}},
      {"the year tells volumes of one series apart", "Carlill v. Carbolic Smoke Ball Co., [1893] 1 Q.B. 256; Rylands "
       "v. Fletcher, [1866] 1 Q.B. 256.", {{"[1893] 1 q.b. 256", "Carlill v. Carbolic Smoke Ball Co., [1893] 1 Q.B. "
       "256"}, {"[1866] 1 q.b. 256", "Rylands v. Fletcher, [1866] 1 Q.B. 256"}}},
      {"a number ending a sentence is not part of the next name", "It is at 330. Carlill v. Ball, 1 K.B. 25.",
       {{"1 k.b. 25", "Carlill v. Ball, 1 K.B. 25"}}},
      // neutral citations; a neutral word also ends the name reading of the next case
      {"neutral forms", "State v. Hill, 2006-Ohio-2095, \xC2\xB6 12. State v. Car, 2022-NCSC-1. People v. Ill, 2017 IL "
       "App (4th) 160407. State v. Dak, 2019 ND 45. Tax v. Court, T.C. Memo. 2019-233. People v. York, 2024 NY Slip "
       "Op 51192(U).", {{"2006-ohio-2095", "State v. Hill, 2006-Ohio-2095"}, {"2022-ncsc-1", "State v. Car, "
       "2022-NCSC-1"}, {"2017 il app 160407", "People v. Ill, 2017 IL App (4th) 160407"}, {"2019 nd 45"},
       {"t.c. memo. 2019-233", "Tax v. Court, T.C. Memo. 2019-233"}, {"2024 ny slip op 51192"}}},
      // one authority, one entry
      {"U. S. and U.S.", "Dobbs v. Jackson, 596 U. S. 845 (2022). Dobbs v. Jackson, 596 U.S. 845 (2022).",
       {{"596 u.s. 845", "Dobbs v. Jackson, 596 U. S. 845 (2022)", 2}}},
      {"official and common abbreviation", "State v. Wn, 90 Wn.2d 9 (1978). State v. Wn, 90 Wash.2d 9 (1978).",
       {{"90 wash. 2d 9", "State v. Wn, 90 Wn.2d 9 (1978)", 2}}},
  };
  for (const FormRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), row.cases.size()) << allKeys(table);
    for (std::size_t k = 0; k < row.cases.size(); ++k) {
      const Filed& expected = row.cases[k];
      const Citation& citation = *table.citations[k];
      EXPECT_EQ(citation.kind, kCase);
      EXPECT_EQ(citation.key, expected.key);
      if (expected.text != nullptr || row.cases.size() == 1) {
        const std::string whole = row.markdown.substr(0, row.markdown.size() - 1);
        EXPECT_EQ(citationText(citation), expected.text ? expected.text : whole);
      }
      EXPECT_EQ(citation.occurrenceGroups.size(), expected.occurrences);
    }
  }
}

}  // namespace
}  // namespace recognize::testing
