// Full case citations read from documents: name, volume, reporter, page,
// pinpoints, parallel citations and the court-and-year parenthetical, in both
// citation forms; and the texts that are not case citations at all.

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

}  // namespace
}  // namespace recognize::testing
