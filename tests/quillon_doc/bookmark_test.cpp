// Bookmarks by name: creation, replacement, enumeration, going to them, and
// how they move with insertions and deletions.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quillon_support/documents.h"
#include "quillon/doc/visible_text.h"

namespace quillon::doc::test {
namespace {

struct EditRow {
  const char* name;
  std::size_t from, to;  // erased range, or the insertion point when from == to
  std::size_t point;       // where "P" ends up
  const char* rangeText;   // what "R" covers afterwards
  const char* beforePoint; // the text before "P" afterwards
};

TEST(BookmarkEdits, PositionsFollowTheirText) {
  const std::vector<EditRow> rows = {
      {"insert before both", 1, 1, 6, "345", "0xx123"},
      {"insert at the range start stays outside", 3, 3, 6, "345", "012xx3"},
      {"insert at the point goes after it, inside the range", 4, 4, 4, "3xx45", "0123"},
      {"insert at the range end stays outside", 6, 6, 4, "345", "0123"},
      {"insert after both", 8, 8, 4, "345", "0123"},
      {"delete before both", 0, 2, 2, "345", "23"},
      {"delete over the range start", 2, 4, 2, "45", "01"},
      {"delete inside the range after the point", 4, 5, 4, "35", "0123"},
      {"delete over the range end", 5, 8, 4, "34", "0123"},
      {"delete after both", 7, 9, 4, "345", "0123"},
      {"delete everything", 0, 10, 0, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    // "0123456789" with point mark P at 4 and range mark R over "345".
    Document doc = typed("0123456789");
    doc.moveTo(4);
    doc.createBookmark("P", false);
    doc.select(3, 6);
    doc.createBookmark("R", true);
    if (row.from == row.to) {
      doc.moveTo(row.from);
      doc.typeText("xx");
    } else {
      doc.select(row.from, row.to);
      ASSERT_TRUE(doc.deleteSelection());
    }
    const Bookmark* p = doc.bookmarks().find("P");
    const Bookmark* r = doc.bookmarks().find("R");
    ASSERT_TRUE(p && r);
    EXPECT_EQ(p->start.position, row.point);
    EXPECT_EQ(visibleText(doc.items(), r->start.position, r->end.position), row.rangeText);
    EXPECT_EQ(visibleText(doc.items(), 0, p->start.position), row.beforePoint);
  }
}

TEST(BookmarkNames, ReplacedByNameAndEnumeratedByName) {
  Document doc = typed("abcdef");
  doc.moveTo(1);
  doc.createBookmark("b", false);
  doc.moveTo(2);
  doc.createBookmark("a", false);
  doc.moveTo(5);
  doc.createBookmark("b", false);  // replaces
  doc.createBookmark("B", false);  // names are exact: a different mark
  ASSERT_EQ(doc.bookmarkCount(), 3u);
  EXPECT_EQ(doc.bookmarkName(1), "B");
  EXPECT_EQ(doc.bookmarkName(3), "b");
  EXPECT_EQ(doc.bookmarkName(0), std::nullopt);
  EXPECT_EQ(doc.bookmarkName(4), std::nullopt);
  EXPECT_EQ(doc.bookmarks().find("b")->start.position, 5u);

  doc.moveTo(3);
  EXPECT_FALSE(doc.goToBookmark("missing"));
  EXPECT_FALSE(doc.selectBookmark("missing"));
  EXPECT_FALSE(doc.deleteBookmark("missing"));
  EXPECT_EQ(doc.insertionPoint(), 3u);
  EXPECT_TRUE(doc.deleteBookmark("a"));
  EXPECT_EQ(doc.bookmarkCount(), 2u);
  EXPECT_EQ(doc.text(), "abcdef");  // the text stays
}

TEST(BookmarkNames, GoToInSelectModeExtendsTheSelection) {
  Document doc = typed("title line");
  doc.moveTo(0);
  doc.createBookmark("begin", false);
  doc.goToEnd();
  doc.setSelectMode(true);
  ASSERT_TRUE(doc.goToBookmark("begin"));
  EXPECT_EQ(doc.selectedText(), "title line");
  doc.select(2, 5);
  doc.createBookmark("over", false);  // flag 0: a point even with a selection
  EXPECT_TRUE(doc.bookmarks().find("over")->isPoint());
}

}  // namespace
}  // namespace quillon::doc::test
