// Page layout: positions on and across lines, tabs and dot leaders, page
// numbers, keep-together, footnotes, and that lazy re-layout after edits
// agrees with laying out the final text from scratch.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "factories.h"

namespace quillon::doc::test {
namespace {

// Default page: 12 pt characters 120 wide, lines 240 high, text from x 1200
// to 9000 (65 characters), lines from y 1200 to 12000 (45 lines).
constexpr int kLeft = 1200;
constexpr int kTop = 1200;
constexpr int kChar = 120;
constexpr int kLine = 240;

std::string lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "p\n";
  return text;
}

struct PlaceRow {
  const char* name;
  std::string script;  // see build()
  std::size_t position;
  Placement expected;
};

TEST(Layout, PlacesPositions) {
  const std::string name63 = std::string(63, 'n');
  const std::vector<PlaceRow> rows = {
      {"start of the document", "Smith v. Jones", 0, {1, 1, kLeft, kTop}},
      {"same line, same vertical place", "Smith v. Jones", 6, {1, 1, kLeft + 6 * kChar, kTop}},
      {"end of the text", "Smith v. Jones", 14, {1, 1, kLeft + 14 * kChar, kTop}},
      {"last blank that fits stays on the line", repeat("word ", 14), 64, {1, 1, kLeft + 64 * kChar, kTop}},
      {"after a wrap", repeat("word ", 14), 65, {1, 1, kLeft, kTop + kLine}},
      {"after a wrap, inside the word", repeat("word ", 14), 67, {1, 1, kLeft + 2 * kChar, kTop + kLine}},
      {"a word longer than a line is cut", std::string(70, 'x'), 66, {1, 1, kLeft + kChar, kTop + kLine}},
      {"after a hard return", "ab\ncd", 4, {1, 1, kLeft + kChar, kTop + kLine}},
      {"tab to the first stop", "ab\tc", 3, {1, 1, kLeft + 600, kTop}},
      {"tab from a stop to the next", "abcde\tc", 6, {1, 1, kLeft + 1200, kTop}},
      {"dot leader puts what follows at the right margin", "Name[.]3, 7", 5, {1, 1, 9000 - 4 * kChar, kTop}},
      {"dot leader without room moves to the next line", name63 + "[.]3, 7", 64,
       {1, 1, 9000 - 4 * kChar, kTop + kLine}},
      {"last letter of a long name stays on its line", name63 + "[.]3, 7", 62, {1, 1, kLeft + 62 * kChar, kTop}},
      {"left margin code", "<M1800>ab", 2, {1, 1, 1800 + kChar, kTop}},
      {"first-line and paragraph indent", "<I600><F-600>" + std::string(70, 'x'), 68,
       {1, 1, kLeft + 600 + kChar, kTop + kLine}},
      {"double spacing", "<L2000>a\nb", 3, {1, 1, kLeft, kTop + 2 * kLine}},
      {"larger size", "<S400>ab\nc", 3, {1, 1, kLeft + 2 * 240, kTop}},
      {"line 45 is the last of page 1", lines(45), 88, {1, 1, kLeft, kTop + 44 * kLine}},
      {"line 46 opens page 2", lines(45), 90, {2, 2, kLeft, kTop}},
      {"hard page break", "a\fb", 2, {2, 2, kLeft, kTop}},
      {"page-number code numbers its page", "a\f<P10>b\fc", 5, {3, 11, kLeft, kTop}},
      {"page-number code later on the page counts for all of it", lines(3) + "<P7>", 0, {1, 7, kLeft, kTop}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = build(row.script);
    const Placement at = doc.placeOf(row.position);
    EXPECT_EQ(at.physicalPage, row.expected.physicalPage);
    EXPECT_EQ(at.logicalPage, row.expected.logicalPage);
    EXPECT_EQ(at.x, row.expected.x);
    EXPECT_EQ(at.y, row.expected.y);
  }
}

// A heading and its first entry that straddle a page end move together.
TEST(Layout, KeepTogetherMovesTheRangeWhole) {
  for (bool keep : {false, true}) {
    SCOPED_TRACE(keep ? "kept together" : "free");
    Document doc = typed(lines(44));
    const std::size_t title = doc.insertionPoint();
    doc.typeText("Title\nEntry\nafter");
    if (keep) {
      doc.select(title, title + 11);
      ASSERT_TRUE(doc.keepTogether());
    }
    doc.goToStart();
    doc.setSearchText("Title");
    ASSERT_TRUE(doc.searchForward());
    doc.moveCharLeft();
    EXPECT_EQ(doc.pageNumber(), keep ? 2 : 1);
    EXPECT_EQ(doc.verticalPosition(), keep ? kTop : kTop + 44 * kLine);
    doc.setSearchText("Entry");
    ASSERT_TRUE(doc.searchForward());
    EXPECT_EQ(doc.pageNumber(), 2);
    EXPECT_EQ(doc.verticalPosition(), keep ? kTop + kLine : kTop);
    EXPECT_EQ(doc.placeOf(0).physicalPage, 1);
  }
}

TEST(Layout, FootnoteTakesItsSpaceOnTheReferencePage) {
  struct Row {
    const char* name;
    std::size_t noteLength;  // 0: no note
    int expectedPage;
  };
  const std::vector<Row> rows = {
      {"no note: the 45th line fits", 0, 1},
      {"a one-line note pushes its reference line over", 10, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = typed(lines(44));
    doc.typeText("cited");
    if (row.noteLength > 0) doc.insertNote(std::string(row.noteLength, 'n'));
    EXPECT_EQ(doc.pageNumber(), row.expectedPage);
    EXPECT_EQ(doc.placeOf(86).physicalPage, 1);  // the line before stays
  }
  // A long note early on the page leaves room for fewer lines.
  Document doc = typed("ref");
  doc.insertNote(std::string(65 * 3, 'n'));  // three lines of note
  doc.typeText("\n" + lines(41));
  EXPECT_EQ(doc.placeOf(doc.items().size() - 2).physicalPage, 1);  // line 42
  EXPECT_EQ(doc.placeOf(doc.items().size()).physicalPage, 2);      // line 43
}

TEST(Layout, QueriesDoNotLayOutAgainFromTheTop) {
  Document doc = typed(lines(45 * 200));
  doc.goToEnd();
  EXPECT_EQ(doc.physicalPage(), 201);
  const std::size_t full = doc.linesLaidOut();
  EXPECT_GE(full, 9000u);
  doc.typeText("more words");
  doc.hardReturn();
  EXPECT_EQ(doc.physicalPage(), 201);
  EXPECT_LT(doc.linesLaidOut() - full, 5u);  // only the last paragraphs again

  const std::size_t before = doc.linesLaidOut();
  doc.moveTo(45 * 2 * 100);  // start of page 101
  doc.typeText("x");
  EXPECT_EQ(doc.pageNumber(), 101);
  EXPECT_LT(doc.linesLaidOut() - before, 50u);  // up to the end of that page only
  EXPECT_EQ(doc.placeOf(0).physicalPage, 1);
  EXPECT_LT(doc.linesLaidOut() - before, 50u);  // the top was still valid
}

// Lazy re-layout after many scattered edits must agree with a fresh layout
// of the resulting text.
TEST(Layout, IncrementalAgreesWithFreshLayout) {
  std::mt19937 random(12345);
  Document doc;
  for (int i = 0; i < 400; ++i) doc.typeText(i % 9 == 8 ? "end.\n" : "some words ");
  for (int round = 0; round < 200; ++round) {
    const std::size_t size = doc.items().size();
    const std::size_t at = random() % (size + 1);
    switch (random() % 3) {
      case 0:
        doc.moveTo(at);
        doc.typeText(random() % 4 == 0 ? "\n" : "inserted text ");
        break;
      case 1:
        doc.select(at, std::min(size, at + random() % 30));
        doc.deleteSelection();
        break;
      default:
        (void)doc.placeOf(at);  // queries between edits keep a partial layout
        break;
    }
  }
  Document fresh = typed(doc.text());
  ASSERT_EQ(fresh.items().size(), doc.items().size());
  for (std::size_t p = 0; p <= doc.items().size(); p += 7) {
    const Placement a = doc.placeOf(p);
    const Placement b = fresh.placeOf(p);
    ASSERT_EQ(a.physicalPage, b.physicalPage) << "at " << p;
    ASSERT_EQ(a.x, b.x) << "at " << p;
    ASSERT_EQ(a.y, b.y) << "at " << p;
  }
  EXPECT_EQ(doc.pageCount(), fresh.pageCount());
}

}  // namespace
}  // namespace quillon::doc::test

namespace quillon::doc::test {
namespace {

TEST(Layout, OddValuesAndPositionsStayInsideThePage) {
  const std::vector<std::pair<CodeKind, int>> codes = {
      {CodeKind::Size, 2147483647}, {CodeKind::Size, -5},         {CodeKind::LineSpacing, 2147483647},
      {CodeKind::MarginLeft, -400}, {CodeKind::MarginRight, 99999}, {CodeKind::MarginTop, 99999},
      {CodeKind::FirstLineIndent, -2147483647}, {CodeKind::PageNumber, -3},
  };
  for (const auto& [kind, value] : codes) {
    SCOPED_TRACE(static_cast<int>(kind));
    SCOPED_TRACE(value);
    Document doc;
    doc.setValue(kind, value);
    doc.typeText("some text that wraps " + std::string(200, 'x') + "\nend");
    for (std::size_t p : {std::size_t{0}, std::size_t{30}, doc.items().size(), std::size_t{100000}}) {
      const Placement at = doc.placeOf(p);
      EXPECT_GE(at.x, 0);
      EXPECT_LE(at.x, 10200 + 12000);
      EXPECT_GE(at.y, 0);
      EXPECT_GE(at.physicalPage, 1);
      EXPECT_GE(at.logicalPage, 1);
    }
  }
  Document empty;
  const Placement at = empty.placeOf(0);
  EXPECT_EQ(at.physicalPage, 1);
  EXPECT_EQ(at.x, kLeft);
  EXPECT_EQ(at.y, kTop);
  EXPECT_EQ(empty.pageCount(), 1);
}

}  // namespace
}  // namespace quillon::doc::test
