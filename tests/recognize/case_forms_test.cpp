// Case citations in the forms real briefs use beyond "volume reporter page":
// pages not known yet, reporters typed in other spacings or without periods,
// bracketed and blank-page parallels, English reporters, neutral citations,
// and one entry per authority however its reporter is spelt.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

// text "" means: the markdown's one citation is the whole paragraph less its final period.
struct Filed { const char* key; const char* text = ""; std::size_t occurrences = 1; };
struct FormRow { const char* name; std::string markdown; std::vector<Filed> cases; int form = kBluebook; };

TEST(CaseForms, FiledAsAParalegalWould) {
  const std::vector<FormRow> rows = {
      // pages not known yet
      {"blank page, parallel joined", "Loper Bright Enterprises v. Raimondo, 603 U.S. ___, 144 S. Ct. 2244 (2024).",
       {{"603 u.s. ___"}}},
      {"slip opinion cite of the same case",
       "Loper Bright Enterprises v. Raimondo, 603 U.S. ___ (2024). Loper Bright, 603 U. S. ___, ___ (2024) "
       "(slip op., at 7).",
       {{"603 u.s. ___", "Loper Bright Enterprises v. Raimondo, 603 U.S. ___ (2024)", 2}}},
      {"__ and a dash are the same blank", "Cain v. Dole, 603 U.S. __ (2024). Cain v. Dole, 603 U.S. \xE2\x80\x94 (2024).",
       {{"603 u.s. ___", "Cain v. Dole, 603 U.S. __ (2024)", 2}}},
      {"two cases of one volume stay apart", "Able v. Baker, 603 U.S. ___ (2024); Cain v. Dole, 603 U.S. ___ (2024).",
       {{"603 u.s. ___", "Able v. Baker, 603 U.S. ___ (2024)"}, {"603 u.s. ___", "Cain v. Dole, 603 U.S. ___ (2024)"}}},
      {"no name, nothing tells the case: unknown", "See 603 U.S. ___ (2024).", {}},
      {"a short name two cases share names neither",
       "Smith v. Able, 603 U.S. ___ (2024); Smith v. Baker, 603 U.S. ___ (2024). Smith, 603 U.S. ___ (2024).",
       {{"603 u.s. ___", "Smith v. Able, 603 U.S. ___ (2024)"}, {"603 u.s. ___", "Smith v. Baker, 603 U.S. ___ (2024)"}}},
      // parallels in brackets and after a blank page
      {"blank volume and page before the parallels",
       "Able v. Baker, \xE2\x80\x94 U.S. \xE2\x80\x94, 136 S. Ct. 616, 193 L. Ed. 2d 504 (2015).",
       {{"___ u.s. ___", "Able v. Baker, {4:34} U.S. {4:34}, 136 S. Ct. 616, 193 L. Ed. 2d 504 (2015)"}}},
      {"California bracket, pinpoints left out", "People v. Jones (2009) 45 Cal.4th 1, 5 [92 Cal.Rptr.3d 784, 790].",
       {{"45 cal. 4th 1", "People v. Jones (2009) 45 Cal.4th 1 [92 Cal.Rptr.3d 784]"}}, kCalifornia},
      // reporters as people type them
      {"spaced letters", "Smith v. Jones, 50 N. Y. S. 2d 100 (1990).", {{"50 n.y.s.2d 100"}}},
      {"spaced initials", "Mark v. Lane, 5 F. R. D. 7 (1990).", {{"5 f.r.d. 7"}}},
      {"no periods", "Pat v. Ross, 5 P2d 7 (1990); Ida v. May, 5 NY2d 7 (1990); Ore v. Gon, 300 Or 255 (1990).",
       {{"5 p.2d 7", "Pat v. Ross, 5 P2d 7 (1990)"}, {"5 n.y.2d 7", "Ida v. May, 5 NY2d 7 (1990)"},
        {"300 or. 255", "Ore v. Gon, 300 Or 255 (1990)"}}},
      {"no periods, several words", "Fed v. Sup, 5 F Supp 2d 7 (1990).", {{"5 f. supp. 2d 7"}}},
      {"So. 3d and So.3d are one; the court stays whole",
       "Ham v. Egg, 50 So. 3d 7 (Fla. 1st DCA 2012). Ham v. Egg, 50 So.3d 7 (Fla. 1st DCA 2012).",
       {{"50 so. 3d 7", "Ham v. Egg, 50 So. 3d 7 (Fla. 1st DCA 2012)", 2}}},
      {"a written form two entries share: unknown", "Doe v. Roe, 5 Cal App Supp 7 (1990).", {}},
      {"one letter after a volume is no reporter", "Doe v. Roe, 5 F 7 (1990).", {}},
      {"no case name before the volume: not trusted", "Counts 2 Or 3 were dismissed.", {}},
      // English and Commonwealth reporters
      {"year first, English Reports", "Rex v. Smith (1838) 173 Eng. Rep. 559.", {{"173 eng. rep. 559"}}},
      {"year as volume", "Donoghue v. Stevenson, [1932] A.C. 562 (H.L.).", {{"[1932] a.c. 562"}}},
      {"the year tells volumes of one series apart",
       "Carlill v. Carbolic Smoke Ball Co., [1893] 1 Q.B. 256; Rylands v. Fletcher, [1866] 1 Q.B. 256.",
       {{"[1893] 1 q.b. 256", "Carlill v. Carbolic Smoke Ball Co., [1893] 1 Q.B. 256"},
        {"[1866] 1 q.b. 256", "Rylands v. Fletcher, [1866] 1 Q.B. 256"}}},
      {"a number ending a sentence is not part of the next name", "It is at 330. Carlill v. Ball, 1 K.B. 25.",
       {{"1 k.b. 25", "Carlill v. Ball, 1 K.B. 25"}}},
      // neutral citations
      {"year-court-number in one word, paragraph pinpoint after", "State v. Hill, 2006-Ohio-2095, \xC2\xB6 12.",
       {{"2006-ohio-2095", "State v. Hill, 2006-Ohio-2095"}}},
      {"one word, a court the tables lack", "State v. Car, 2022-NCSC-1.", {{"2022-ncsc-1"}}},
      {"district in brackets", "People v. Ill, 2017 IL App (4th) 160407.", {{"2017 il app 160407"}}},
      {"state court", "State v. Dak, 2019 ND 45.", {{"2019 nd 45"}}},
      {"memorandum without a volume", "Tax v. Court, T.C. Memo. 2019-233.", {{"t.c. memo. 2019-233"}}},
      {"unreported slip opinion", "People v. York, 2024 NY Slip Op 51192(U).", {{"2024 ny slip op 51192"}}},
      {"a neutral word ends the name reading of the next case",
       "State v. Hill, 2006-Ohio-2095. People v. Ill, 2017 IL App (4th) 160407.",
       {{"2006-ohio-2095", "State v. Hill, 2006-Ohio-2095"}, {"2017 il app 160407", "People v. Ill, 2017 IL App (4th) 160407"}}},
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
      const std::string whole = row.markdown.substr(0, row.markdown.size() - 1);
      EXPECT_EQ(citationText(citation), *expected.text == '\0' ? whole : std::string(expected.text));
      EXPECT_EQ(citation.occurrenceGroups.size(), expected.occurrences);
    }
  }
}

}  // namespace
}  // namespace recognize::testing
