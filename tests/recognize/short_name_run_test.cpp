// Italic and underlined case names used as short forms, the reporter short
// form, and the short-form key that both are looked up by.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/short_forms.h"
#include "tests/recognize/document_fixture.h"
#include "tests/recognize/short_expect.h"

namespace recognize::testing {
namespace {

TEST(ShortNameRun, OccurrencesOfEarlierCases) {
  // clang-format off
  const std::vector<ShortFormRow> rows = {
      {"italic short name after the full cite",
       "Cleveland Bd. of Educ. v. Loudermill, 470 U.S. 532 (1985). The rule in *Loudermill* applies.",
       1, {{"Cleveland Bd. of Educ. v. Loudermill", {1, 1}}}},
      {"a party name that is also a reporter name",
       "Smith v. Quimby, 123 U.S. 456 (1990). As *Smith* held.",
       1, {{"Smith v. Quimby", {1, 1}}}},
      {"underlined short name", "Zebulon v. Quimby, 123 U.S. 456 (1990). As [Zebulon]{.underline} held.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"short name with supra and a pinpoint", "Zebulon v. Quimby, 123 U.S. 456 (1990). *Zebulon*, supra, at 546.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"short name becomes previous for Id.",
       "Zebulon v. Quimby, 123 U.S. 456 (1990); Marbury v. Madison, 5 U.S. 137 (1803). *Zebulon* rules. Id. at 460.",
       2, {{"Zebulon v. Quimby", {1, 1, 1}}, {"Marbury v. Madison", {1}}}},
      {"the first case in table order wins",
       "Zebulon v. Quimby, 123 U.S. 456 (1990). Zebulon v. Marbury, 5 U.S. 6 (1801). *Zebulon* says. *Marbury* too.",
       2, {{"Zebulon v. Quimby", {1, 1}}, {"Zebulon v. Marbury", {1, 1}}}},
      {"all words of the run must match", "Zebulon v. Quimby, 123 U.S. 456 (1990). *Baker Zebulon* is unrelated.",
       1, {{"Zebulon v. Quimby", {1}}}},
      {"italic full name is not a short form", "Zebulon v. Quimby, 123 U.S. 456 (1990). *Zebulon v. Quimby* was right.",
       1, {{"Zebulon v. Quimby", {1}}}},
      {"italic parties around a plain v.", "Zebulon v. Quimby, 123 U.S. 456 (1990). *Zebulon* v. *Quimby* was right.",
       1, {{"Zebulon v. Quimby", {1}}}},
      {"italic full cite repeated counts once",
       "*Zebulon v. Quimby*, 123 U.S. 456 (1990). *Zebulon v. Quimby*, 123 U.S. 456, 460 (1990).",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"lower-case italic words are no short form", "Zebulon v. Quimby, 123 U.S. 456 (1990). It is *smith* work.",
       1, {{"Zebulon v. Quimby", {1}}}},
      {"an unmatched italic name stays a new case's name",
       "Zebulon v. Quimby, 123 U.S. 456 (1990). Id. *Baker*, 5 U.S. 6 (1801).",
       2, {{"Zebulon v. Quimby", {1, 1}}, {"Baker, 5 U.S. 6", {1}}}},
      {"italic name, supra and the reporter short form count once",
       "Zebulon v. Quimby, 123 U.S. 456 (1990). *Zebulon*, supra, 123 U.S. at 460.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"reporter short form", "Zebulon v. Quimby, 123 U.S. 456 (1990). Zebulon, 123 U.S. at 460.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"italic name with the reporter short form counts once",
       "Zebulon v. Quimby, 123 U.S. 456 (1990). *Zebulon*, 123 U.S. at 460.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"short name on a later page", "Zebulon v. Quimby, 123 U.S. 456 (1990).\n\n\\newpage\n\nSee *Zebulon*.",
       1, {{"Zebulon v. Quimby", {1, 2}}}},
      {"short name in a note takes the page of the note's reference",
       "Zebulon v. Quimby, 123 U.S. 456 (1990).\n\n\\newpage\n\n\\newpage\n\nAs held.[^1]\n\n[^1]: See *Zebulon*.",
       1, {{"Zebulon v. Quimby", {1, 3}, {0, 1}}}},
  };
  // clang-format on
  for (const ShortFormRow& row : rows) expectOccurrences(recognizeMarkdown(row.markdown), row);
}

TEST(ShortNameRun, OccurrenceGroupIsTheRun) {
  const CitationTable table = recognizeMarkdown("Zebulon v. Quimby, 123 U.S. 456 (1990). *Zebulon Quimby* held.");
  ASSERT_EQ(table.citations.size(), 1U);
  const Citation& citation = *table.citations[0];
  EXPECT_EQ(table.previous, &citation);
  ASSERT_EQ(citation.occurrenceGroups.size(), 2U);
  std::string group;
  for (const Token& token : citation.occurrenceGroups[1]) group += token.isBlank() ? std::string(" ") : token.text;
  EXPECT_EQ(group, "Zebulon Quimby");
}

TEST(ShortFormKey, DerivedFromShortName) {
  struct Row {
    const char* name;
    const char* shortName;
    const char* key;
  };
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
