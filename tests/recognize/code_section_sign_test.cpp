// Bare section signs: a further occurrence of a statute already in the table,
// a new citation borrowing the code name of the statute just cited, or
// nothing at all; and the paragraph ends a section reader can meet.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/code_expect.h"
#include "tests/recognize/document_fixture.h"

namespace recognize::testing {
namespace {

TEST(SectionSigns, AfterAStatuteMakesANewCitationWithItsCodeName) {
  const struct {
    const char* name;
    const char* markdown;
    int form;
    const char* firstKey;
    const char* key;
    const char* text;
    const char* entryName;
  } rows[] = {
      {"federal code", "28 U.S.C. § 1331; see also § 1367(a).", kBluebook, "28u.s.c.1331", "28u.s.c.1367(a)",
       "28 U.S.C. § 1367(a)", "U.S.C."},
      {"state code", "Cal. Civ. Code § 1714; § 1714.10 too.", kBluebook, "cal.civ.code1714", "cal.civ.code1714.10",
       "Cal. Civ. Code § 1714.10", "Cal. Civ. Code"},
      {"California short name found again through the dictionary", "(Gov. Code, § 12940; see § 12945)", kCalifornia,
       "gov.code,12940", "gov.code,12945", "Gov. Code, § 12945", "Cal. Gov't Code"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 2u) << allKeys(table);
    EXPECT_EQ(table.citations[0]->key, row.firstKey);
    const Citation& made = *table.citations[1];
    EXPECT_EQ(made.kind, kDictionaryAuthority);
    EXPECT_EQ(made.key, row.key);
    EXPECT_EQ(citationText(made), row.text);
    EXPECT_EQ(made.entryName, row.entryName);
    EXPECT_EQ(made.jurisdiction, 0);  // no dictionary entry behind a bare sign
    EXPECT_EQ(table.previous, &made);
  }
}

TEST(SectionSigns, NumberAlreadyInAKeyAddsAnOccurrence) {
  const CitationTable table = recognizeMarkdown(
      "The statute, 42 U.S.C. § 1983, is old.\n\nSmith v. Jones, 123 F.3d 456 (9th Cir. 1997). Under § 1983 "
      "relief is limited.");
  const Citation* statute = citationWithKey(table, "42u.s.c.1983");
  ASSERT_NE(statute, nullptr) << allKeys(table);
  ASSERT_EQ(statute->occurrenceGroups.size(), 2u);
  EXPECT_EQ(occurrenceText(*statute, 1), "§ 1983");
  EXPECT_EQ(statute->occurrencePages.size(), 2u);
  EXPECT_EQ(table.previous, statute);
  EXPECT_EQ(table.citations.size(), 2u) << allKeys(table);
}

TEST(SectionSigns, PartOfANumberIsNotThatSection) {
  // 1 and 983 stand inside "1983" but are other sections of the code.
  const CitationTable table = recognizeMarkdown("See 42 U.S.C. § 1983; § 1; § 983.");
  EXPECT_NE(citationWithKey(table, "42u.s.c.1"), nullptr) << allKeys(table);
  EXPECT_NE(citationWithKey(table, "42u.s.c.983"), nullptr) << allKeys(table);
  const Citation* statute = citationWithKey(table, "42u.s.c.1983");
  ASSERT_NE(statute, nullptr);
  EXPECT_EQ(statute->occurrenceGroups.size(), 1u);
}

TEST(SectionSigns, GivingUpLeavesTheTokensUnmarked) {
  TokenList tokens = {word("Smith"), blank(), sectionSign(), blank(), word("ordinary"), blank()};
  CitationTable table;
  recognizeParagraph(tokens, table, shippedDictionary(), kBluebook);
  EXPECT_TRUE(table.citations.empty());
  for (const Token& token : tokens) {
    EXPECT_EQ(token.used, 0);
    EXPECT_EQ(token.grouped, 0);
  }
}

TEST(SectionSigns, ParagraphEndsInsideTheSection) {
  // Hand-made paragraphs without the closing blank a document always has.
  const struct {
    const char* name;
    TokenList tokens;
    std::size_t citations;
    const char* lastKey;
  } rows[] = {
      {"sign is the last token", {word("42"), blank(), word("U.S.C."), blank(), sectionSign()}, 0, ""},
      {"two signs at the end", {word("42"), blank(), word("U.S.C."), blank(), sectionSign(), sectionSign()}, 0, ""},
      {"a lone sign", {sectionSign()}, 0, ""},
      {"group still open at the end",
       {word("42"), blank(), word("U.S.C."), blank(), sectionSign(), blank(), word("1983"), word("(a")},
       1,
       "42u.s.c.1983"},
      {"bare sign whose tail runs to the end",
       {word("42"), blank(), word("U.S.C."), blank(), sectionSign(), blank(), word("5"), word(";"), blank(),
        sectionSign(), blank(), word("6"), word("(b)"), word("(1")},
       2,
       "42u.s.c.6(b)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TokenList tokens = row.tokens;
    CitationTable table;
    recognizeParagraph(tokens, table, shippedDictionary(), kBluebook);
    ASSERT_EQ(table.citations.size(), row.citations) << allKeys(table);
    if (row.citations > 0) {
      EXPECT_EQ(table.citations.back()->key, row.lastKey);
    }
  }
}

TEST(SectionSigns, EveryShortParagraphIsReadWithinItsTokens) {
  // All paragraphs of up to four pieces drawn from the words the code readers
  // react to: each must end, and no citation may hold more than was there.
  const TokenList pieces = {word("42"), word("U.S.C."), sectionSign(), blank(),      word("(a"),  word("1983)"),
                            word(";"),  word("Pub."),   word("L."),    word("Fed."), word("(b)"), word("III,")};
  const std::size_t n = pieces.size();
  for (std::size_t code = 0; code < n * n * n * n; ++code) {
    TokenList tokens;
    for (std::size_t rest = code; tokens.size() < 4; rest /= n) tokens.push_back(pieces[rest % n]);
    CitationTable table;
    recognizeParagraph(tokens, table, shippedDictionary(), static_cast<int>(code % 2));
    for (const auto& citation : table.citations) ASSERT_LE(citation->tokens.size(), tokens.size()) << code;
  }
}

}  // namespace
}  // namespace recognize::testing
