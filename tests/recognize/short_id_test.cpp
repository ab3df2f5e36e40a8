// Id. and ibid.: further occurrences of the citation just before, across
// paragraphs and pages but never across from the main text into a note, and
// the pinpoint tail that the short form takes with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "recognize/short_forms.h"
#include "tests/recognize/document_fixture.h"
#include "tests/recognize/short_expect.h"

namespace recognize::testing {
namespace {

TEST(ShortId, OccurrencesOfPrevious) {
  // clang-format off
  const std::vector<ShortFormRow> rows = {
      {"Id. with nothing before it", "Id. at 5. Ibid.", 0, {}},
      {"Id. after a case", "Zebulon v. Quimby, 123 U.S. 456 (1990). Id. at 460.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"several in a row all count for the same case",
       "Zebulon v. Quimby, 123 U.S. 456 (1990). Id. at 460. Ibid. See id.",
       1, {{"Zebulon v. Quimby", {1, 1, 1, 1}}}},
      {"pinpoints after Id. make no citation", "Zebulon v. Quimby, 123 U.S. 456 (1990). Id. at 5, 7.",
       1, {{"Zebulon v. Quimby", {1, 1}}}},
      {"Id. refers to the last of two", "Zebulon v. Quimby, 123 U.S. 456 (1990); 42 U.S.C. § 1983. Id.",
       2, {{"Zebulon v. Quimby", {1}}, {"42 U.S.C. § 1983", {1, 1}}}},
      {"a title number after the tail stays with its code",
       "Zebulon v. Quimby, 123 U.S. 456 (1990). Id. at 5; 42 U.S.C. § 1983.",
       2, {{"Zebulon v. Quimby", {1, 1}}, {"42 U.S.C. § 1983", {1}}}},
      {"previous carries over to the next paragraph and page",
       "Zebulon v. Quimby, 123 U.S. 456 (1990).\n\n\\newpage\n\nId. at 460.\n\n\\newpage\n\nIbid.",
       1, {{"Zebulon v. Quimby", {1, 2, 3}}}},
      {"Id. at the start of a note has no previous", "Zebulon v. Quimby, 123 U.S. 456 (1990).[^1]\n\n[^1]: Id. at 460.",
       1, {{"Zebulon v. Quimby", {1}}}},
      {"Id. later in a note refers to that note's citation",
       "Zebulon v. Quimby, 123 U.S. 456 (1990).\n\n\\newpage\n\nText.[^1]\n\n"
       "[^1]: Marbury v. Madison, 5 U.S. 137 (1803). Id. at 140.",
       2, {{"Zebulon v. Quimby", {1}}, {"Marbury v. Madison", {2, 2}, {1, 1}}}},
  };
  // clang-format on
  for (const ShortFormRow& row : rows) expectOccurrences(recognizeMarkdown(row.markdown), row);
}

TEST(ShortId, GroupIsTheIdWordAndPreviousStays) {
  const CitationTable table = recognizeMarkdown("Zebulon v. Quimby, 123 U.S. 456 (1990). Id. at 460. Ibid.");
  ASSERT_EQ(table.citations.size(), 1U);
  const Citation& citation = *table.citations[0];
  EXPECT_EQ(table.previous, &citation);
  ASSERT_EQ(citation.occurrenceGroups.size(), 3U);
  ASSERT_EQ(citation.occurrenceGroups[1].size(), 1U);
  EXPECT_EQ(citation.occurrenceGroups[1][0].text, "Id.");
  ASSERT_EQ(citation.occurrenceGroups[2].size(), 1U);
  EXPECT_EQ(citation.occurrenceGroups[2][0].text, "Ibid.");
  // Each short form takes the run's next number.
  ASSERT_EQ(citation.ids.size(), 3U);
  EXPECT_EQ(citation.ids[2], citation.ids[1] + 1);
  EXPECT_EQ(table.count, citation.ids[2] + 1);
}

// Tokens typed by hand, for the marks the tail reader leaves.
TokenList words(const std::vector<std::string>& texts) {
  TokenList tokens;
  for (const std::string& text : texts) {
    Token token;
    token.text = text;
    token.kind = text == " " ? kBlank : kWord;
    tokens.push_back(token);
  }
  return tokens;
}

TEST(ShortId, TailMarksPinpointsGrouped) {
  struct Row {
    const char* name;
    std::vector<std::string> texts;
    std::vector<int> grouped;  // expected mark per token
  };
  const std::vector<Row> rows = {
      {"pinpoints up to the last number",
       {"Id.", " ", "at", " ", "5,", " ", "7", " ", "held"},
       {1, 1, 1, 1, 1, 1, 1, 1, 0}},
      {"no tail", {"Id.", " ", "The"}, {1, 1, 0}},
      {"Id. alone", {"Id."}, {1}},
      {"final punctuation is not taken", {"Id.", " ", "at", " ", "5", ";"}, {1, 1, 1, 1, 1, 0}},
      {"a semicolon inside the paragraph is", {"Id.", ";", " ", "X"}, {1, 1, 1, 0}},
      {"a reporter and its pinpoint",
       {"Id.", " ", "123", " ", "U.S.", " ", "at", " ", "460", " ", "x"},
       {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
      {"a history phrase with its parenthetical",
       {"Id.", " ", "aff'd", " ", "(mem.)", " ", "x"},
       {1, 1, 1, 1, 1, 1, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CitationTable table;
    Citation* earlier = table.newCitation();
    table.pending = nullptr;
    table.previous = earlier;
    TokenList tokens = words(row.texts);
    recognizeParagraph(tokens, table, shippedDictionary(), kBluebook);
    EXPECT_EQ(earlier->occurrencePages.size(), 1U);
    std::vector<int> grouped;
    for (const Token& token : tokens) grouped.push_back(token.grouped);
    EXPECT_EQ(grouped, row.grouped);
  }
}

}  // namespace
}  // namespace recognize::testing
