// Bookmarks by name: creation, replacement, enumeration, going to and
// selecting them, and how they move with insertions and deletions.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "factories.h"
#include "quillon/doc/visible_text.h"

namespace quillon::doc::test {
namespace {

struct EditRow {
  const char* name;
  std::function<void(Document&)> edit;
  std::size_t point;       // where "P" ends up
  const char* rangeText;   // what "R" covers afterwards
  const char* beforePoint; // the text before "P" afterwards
};

// "0123456789" with point bookmark P at 4 and range bookmark R over "345".
Document marked() {
  Document doc = typed("0123456789");
  doc.moveTo(4);
  doc.createBookmark("P", false);
  doc.select(3, 6);
  doc.createBookmark("R", true);
  doc.moveTo(0);
  return doc;
}

void insertAt(Document& doc, std::size_t at, const char* text) {
  doc.moveTo(at);
  doc.typeText(text);
}

void eraseRange(Document& doc, std::size_t from, std::size_t to) {
  doc.select(from, to);
  ASSERT_TRUE(doc.deleteSelection());
}

TEST(BookmarkEdits, PositionsFollowTheirText) {
  const std::vector<EditRow> rows = {
      {"insert before both", [](Document& d) { insertAt(d, 1, "xx"); }, 6, "345", "0xx123"},
      {"insert at the range start stays outside", [](Document& d) { insertAt(d, 3, "xx"); }, 6, "345", "012xx3"},
      {"insert at the point goes after it, inside the range",
       [](Document& d) { insertAt(d, 4, "xx"); }, 4, "3xx45", "0123"},
      {"insert at the range end stays outside", [](Document& d) { insertAt(d, 6, "xx"); }, 4, "345", "0123"},
      {"insert after both", [](Document& d) { insertAt(d, 8, "xx"); }, 4, "345", "0123"},
      {"delete before both", [](Document& d) { eraseRange(d, 0, 2); }, 2, "345", "23"},
      {"delete over the range start", [](Document& d) { eraseRange(d, 2, 4); }, 2, "45", "01"},
      {"delete inside the range after the point", [](Document& d) { eraseRange(d, 4, 5); }, 4, "35", "0123"},
      {"delete over the range end", [](Document& d) { eraseRange(d, 5, 8); }, 4, "34", "0123"},
      {"delete after both", [](Document& d) { eraseRange(d, 7, 9); }, 4, "345", "0123"},
      {"delete everything", [](Document& d) { eraseRange(d, 0, 10); }, 0, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = marked();
    row.edit(doc);
    const Bookmark* p = doc.bookmarks().find("P");
    const Bookmark* r = doc.bookmarks().find("R");
    ASSERT_TRUE(p && r);
    EXPECT_EQ(p->start.position, row.point);
    EXPECT_EQ(visibleText(doc.items(), r->start.position, r->end.position), row.rangeText);
    EXPECT_EQ(visibleText(doc.items(), 0, p->start.position), row.beforePoint);
  }
}

TEST(BookmarkEdits, TextTypedAfterCreatingAPointGoesAfterIt) {
  Document doc = typed("Name");
  doc.createBookmark("end of name", false);
  doc.insertDotLeaderTab();
  doc.typeText("3");
  ASSERT_TRUE(doc.goToBookmark("end of name"));
  EXPECT_EQ(showCursor(doc), "Name|[.]3");
}

// The page-list rewrite: the list between two point marks is deleted and a
// new one typed in its place, each number covered by its own mark and linked.
TEST(BookmarkEdits, ListBetweenTwoMarksIsReplacedInPlace) {
  Document doc = typed("Smith");
  doc.insertDotLeaderTab();
  doc.createBookmark("k~TOABEGIN", false);
  doc.typeText("3, 5");
  doc.createBookmark("k~TOAEND", false);
  doc.hardReturn();
  doc.typeText("next");

  ASSERT_TRUE(doc.goToBookmark("k~TOABEGIN"));
  doc.setSelectMode(true);
  ASSERT_TRUE(doc.goToBookmark("k~TOAEND"));
  EXPECT_EQ(doc.selectedText(), "3, 5");
  ASSERT_TRUE(doc.deleteSelection());
  doc.setSelectMode(false);
  for (const char* number : {"7", "12"}) {
    if (std::string(number) == "12") doc.typeText(", ");
    doc.typeText(number);
    for (std::size_t i = 0; number[i] != '\0'; ++i) doc.selectCharLeft();
    const std::string numName = std::string("k~") + number + "~NUM";
    doc.createBookmark(numName, true);
    ASSERT_TRUE(doc.selectBookmark(numName));
    ASSERT_TRUE(doc.createHyperlink(std::string("k~") + number));
    ASSERT_TRUE(doc.selectBookmark(numName));
    doc.moveCharRight();
    doc.moveOverCodesRight();
  }
  EXPECT_EQ(show(doc), "Smith[.]<H7H>, <H12H>\nnext");
  const Bookmark* begin = doc.bookmarks().find("k~TOABEGIN");
  const Bookmark* end = doc.bookmarks().find("k~TOAEND");
  EXPECT_EQ(visibleText(doc.items(), begin->start.position, end->start.position), "7, 12");
  for (const char* number : {"7", "12"}) {
    SCOPED_TRACE(number);
    ASSERT_TRUE(doc.selectBookmark(std::string("k~") + number + "~NUM"));
    EXPECT_EQ(doc.selectedText(), number);
    EXPECT_EQ(doc.hyperlinkAt(doc.selection()->start), std::string("k~") + number);
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
  EXPECT_EQ(doc.bookmarkName(2), "a");
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
