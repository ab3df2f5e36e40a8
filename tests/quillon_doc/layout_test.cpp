// Page layout: positions on and across lines, tabs and dot leaders, page
// numbers, keep-together, footnotes, odd values, and that lazy re-layout
// after edits agrees with laying out the final text from scratch.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quillon_support/documents.h"

namespace quillon::doc::test {
namespace {

// Default page: 12 pt characters 120 wide, lines 240 high, text from x 1200
// to 9000 (65 characters), lines from y 1200 to 12000 (45 lines).
constexpr int kLeft = 1200;
constexpr int kTop = 1200;
constexpr int kChar = 120;
constexpr int kLine = 240;

std::string repeat(std::string_view text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
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
      {"same line, same vertical place", "Smith v. Jones", 6, {1, 1, kLeft + 6 * kChar, kTop}},
      {"last blank that fits stays on the line", repeat("word ", 14), 64, {1, 1, kLeft + 64 * kChar, kTop}},
      {"after a wrap, inside the word", repeat("word ", 14), 67, {1, 1, kLeft + 2 * kChar, kTop + kLine}},
      {"a word longer than a line is cut", std::string(70, 'x'), 66, {1, 1, kLeft + kChar, kTop + kLine}},
      {"tab from a stop to the next", "abcde\tc", 6, {1, 1, kLeft + 1200, kTop}},
      {"dot leader puts what follows at the right margin", "Name[.]3, 7", 5, {1, 1, 9000 - 4 * kChar, kTop}},
      {"dot leader without room moves to the next line", name63 + "[.]3, 7", 64,
       {1, 1, 9000 - 4 * kChar, kTop + kLine}},
      {"left margin code", "<M1800>ab", 2, {1, 1, 1800 + kChar, kTop}},
      {"first-line and paragraph indent", "<I600><F-600>" + std::string(70, 'x'), 68,
       {1, 1, kLeft + 600 + kChar, kTop + kLine}},
      {"double spacing", "<L2000>a\nb", 3, {1, 1, kLeft, kTop + 2 * kLine}},
      {"larger size", "<S400>ab\nc", 3, {1, 1, kLeft + 2 * 240, kTop}},
      {"line 45 is the last of page 1", repeat("p\n", 45), 88, {1, 1, kLeft, kTop + 44 * kLine}},
      {"line 46 opens page 2", repeat("p\n", 45), 90, {2, 2, kLeft, kTop}},
      {"hard page break", "a\fb", 2, {2, 2, kLeft, kTop}},
      {"page-number code numbers its page", "a\f<P10>b\fc", 5, {3, 11, kLeft, kTop}},
      {"page-number code later on the page counts for all of it", "p\np\n<P7>", 0, {1, 7, kLeft, kTop}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Placement at = build(row.script).placeOf(row.position);
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
    Document doc = typed(repeat("p\n", 44));
    const std::size_t title = doc.insertionPoint();  // a keep-together code goes in front of it
    doc.typeText("Title\nEntry\nafter");
    if (keep) {
      doc.select(title, title + 11);
      ASSERT_TRUE(doc.keepTogether());
    }
    EXPECT_EQ(doc.placeOf(title).y, keep ? kTop : kTop + 44 * kLine);
    EXPECT_EQ(doc.placeOf(title + (keep ? 7 : 6)).y, keep ? kTop + kLine : kTop);
  }
}

TEST(Layout, FootnoteTakesItsSpaceOnTheReferencePage) {
  for (bool note : {false, true}) {
    SCOPED_TRACE(note ? "a one-line note pushes its reference line over" : "no note: the 45th line fits");
    Document doc = typed(repeat("p\n", 44));
    doc.typeText("cited");
    if (note) doc.insertNote("nnnnnnnnnn");
    EXPECT_EQ(doc.pageNumber(), note ? 2 : 1);
    EXPECT_EQ(doc.placeOf(86).physicalPage, 1);  // the line before stays
  }
}

// Lazy re-layout after many scattered edits must agree with a fresh layout
// of the resulting text.
TEST(Layout, IncrementalAgreesWithFreshLayout) {
  std::mt19937 random(12345);
  Document doc = typed(repeat(repeat("some words ", 8) + "end.\n", 45));
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
    }
  }
  Document fresh = typed(doc.text());
  ASSERT_EQ(fresh.items().size(), doc.items().size());
  for (std::size_t p = 0; p <= doc.items().size(); p += 7) {
    const Placement a = doc.placeOf(p), b = fresh.placeOf(p);
    ASSERT_EQ(a.physicalPage, b.physicalPage) << "at " << p;
    ASSERT_EQ(a.x, b.x) << "at " << p;
    ASSERT_EQ(a.y, b.y) << "at " << p;
  }
  EXPECT_EQ(doc.pageCount(), fresh.pageCount());
}

TEST(Layout, OddValuesAndPositionsStayInsideThePage) {
  const std::vector<std::pair<CodeKind, int>> codes = {
      {CodeKind::Size, 2147483647},  {CodeKind::Size, -5},          {CodeKind::LineSpacing, 2147483647},
      {CodeKind::MarginLeft, -400},  {CodeKind::MarginRight, 99999}, {CodeKind::MarginTop, 99999},
      {CodeKind::FirstLineIndent, -2147483647}, {CodeKind::PageNumber, -3},
  };
  for (const auto& [kind, value] : codes) {
    SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + " = " + std::to_string(value));
    Document doc;
    doc.setValue(kind, value);
    doc.typeText("some text that wraps " + std::string(200, 'x') + "\nend");
    for (std::size_t p : {std::size_t{0}, std::size_t{30}, doc.items().size(), std::size_t{100000}}) {
      const Placement at = doc.placeOf(p);
      EXPECT_TRUE(at.x >= 0 && at.x <= 10200 + 12000 && at.y >= 0) << at.x << "," << at.y;
      EXPECT_TRUE(at.physicalPage >= 1 && at.logicalPage >= 1);
    }
  }
}

}  // namespace
}  // namespace quillon::doc::test
