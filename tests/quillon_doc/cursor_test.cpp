// Cursor moves over characters and zero-width codes, the selection they make
// or end, and the plug-in's select-the-typed-character sequences.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "factories.h"

namespace quillon::doc::test {
namespace {

struct MoveRow {
  const char* name;
  std::size_t start;  // insertion point before the moves
  std::function<void(Document&)> moves;
  const char* expected;
};

TEST(CursorMoves, OneMovePassesExactlyOneCharacter) {
  const std::vector<MoveRow> rows = {
      {"left from the end", 7, [](Document& d) { d.moveCharLeft(); }, "ab<+14>cd<-14>|e"},
      {"left skips the code before the character", 6, [](Document& d) { d.moveCharLeft(); }, "ab<+14>c|d<-14>e"},
      {"left lands after the codes in front of it", 4, [](Document& d) { d.moveCharLeft(); }, "ab<+14>|cd<-14>e"},
      {"left twice passes the code", 4, [](Document& d) { d.moveCharLeft(); d.moveCharLeft(); }, "a|b<+14>cd<-14>e"},
      {"right lands before the codes behind it", 1, [](Document& d) { d.moveCharRight(); }, "ab|<+14>cd<-14>e"},
      {"right steps over codes, then one character", 2, [](Document& d) { d.moveCharRight(); }, "ab<+14>c|d<-14>e"},
      {"right at the end stays", 7, [](Document& d) { d.moveCharRight(); }, "ab<+14>cd<-14>e|"},
      {"left at the start stays", 0, [](Document& d) { d.moveCharLeft(); }, "|ab<+14>cd<-14>e"},
      {"codes only to the right", 5, [](Document& d) { d.moveOverCodesRight(); }, "ab<+14>cd<-14>|e"},
      {"codes only to the left", 3, [](Document& d) { d.moveOverCodesLeft(); }, "ab|<+14>cd<-14>e"},
      {"codes only never passes a character", 1, [](Document& d) { d.moveOverCodesRight(); }, "a|b<+14>cd<-14>e"},
      {"select left selects the character, not the code", 4,
       [](Document& d) { d.selectCharLeft(); }, "ab<+14>[c]d<-14>e"},
      {"select left twice spans the code", 4,
       [](Document& d) { d.selectCharLeft(); d.selectCharLeft(); }, "a[b<+14>c]d<-14>e"},
      {"left with a selection ends it at its start", 4,
       [](Document& d) { d.selectCharLeft(); d.selectCharLeft(); d.moveCharLeft(); }, "a|b<+14>cd<-14>e"},
      {"right with a selection ends it at its end", 4,
       [](Document& d) { d.selectCharLeft(); d.moveCharRight(); }, "ab<+14>c|d<-14>e"},
      {"select left shrinks a selection made rightwards", 2,
       [](Document& d) { d.setSelectMode(true); d.moveTo(5); d.selectCharLeft(); }, "ab[<+14>c]d<-14>e"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = build("ab<+14>cd<-14>e");
    doc.moveTo(row.start);
    row.moves(doc);
    EXPECT_EQ(showCursor(doc), row.expected);
  }
}

TEST(CursorMoves, SelectModeExtendsAndTurningItOffStopsExtending) {
  Document doc = typed("hello world");
  doc.moveTo(0);
  doc.setSelectMode(true);
  doc.moveTo(5);
  EXPECT_EQ(doc.selectedText(), "hello");
  doc.setSelectMode(false);
  EXPECT_EQ(doc.selectedText(), "hello");  // the selection stays until a move
  doc.moveTo(7);
  EXPECT_FALSE(doc.selection());
  EXPECT_EQ(doc.insertionPoint(), 7u);
}

TEST(CursorMoves, DeleteSelectionLeavesPointWhereTheTextWas) {
  Document doc = typed("one two three");
  doc.select(4, 8);
  EXPECT_TRUE(doc.deleteSelection());
  EXPECT_EQ(showCursor(doc), "one |three");
  EXPECT_FALSE(doc.deleteSelection());
}

// The table writer types a text, selects its last character, changes its
// case and carries on typing: nothing may move or vanish.
TEST(TypedCharacterSequences, SelectChangeCaseAndGoOnTyping) {
  struct Row {
    const char* name;
    CaseMode mode;
    bool underlineFirst;
    const char* expected;
    const char* afterTyping;
  };
  const std::vector<Row> rows = {
      {"as typed", CaseMode::AsTyped, false, "smith|", "smith v."},
      {"upper", CaseMode::Upper, false, "smitH|", "smitH v."},
      {"upper with a code before the text", CaseMode::Upper, true, "<+14>smitH|", "smitH v."},
      {"initial capitals", CaseMode::InitialCapitals, false, "smitH|", "smitH v."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc;
    if (row.underlineFirst) doc.setAttribute(kUnderline, true);
    doc.typeText("smith");
    doc.selectCharLeft();
    doc.convertCase(row.mode);
    doc.moveCharRight();
    EXPECT_EQ(showCursor(doc), row.expected);
    doc.typeText(" v.");
    EXPECT_EQ(doc.text(), row.afterTyping);
  }
}

TEST(TypedCharacterSequences, UnderlineOffOverTheBlankKeepsTypingInPlace) {
  // Un-underlining the blank typed before "v.": select it, switch underline
  // off over it, end the selection and type on.
  Document doc;
  doc.setAttribute(kUnderline, true);
  doc.typeText("Smith ");
  doc.selectCharLeft();
  EXPECT_EQ(doc.selectedText(), " ");
  doc.setAttribute(kUnderline, false);
  doc.moveCharRight();
  doc.setAttribute(kUnderline, false);
  doc.typeText("v.");
  EXPECT_EQ(doc.text(), "Smith v.");
  const std::size_t blank = 7;  // <+14>Smith<-14>" "
  EXPECT_EQ(showItem(doc.items()[blank]), " ");
  EXPECT_TRUE(doc.attributeAt(kUnderline, blank - 1));   // before the code: "h" underlined
  EXPECT_FALSE(doc.attributeAt(kUnderline, blank));      // the blank
  EXPECT_FALSE(doc.attributeAt(kUnderline, doc.insertionPoint() - 1));  // "v." not underlined
}

}  // namespace
}  // namespace quillon::doc::test

namespace quillon::doc::test {
namespace {

// A title line typed between two marks, then selected back to its start,
// made bold and upper case; typing then goes on after its line.
TEST(TypedCharacterSequences, TitleSelectedBackToItsMarkAndFormatted) {
  Document doc = typed("Body text.\n");
  doc.createBookmark("begin title", false);
  doc.typeText("Table of Authorities");
  doc.hardReturn();
  doc.createBookmark("end title", false);
  doc.moveCharLeft();
  doc.setSelectMode(true);
  ASSERT_TRUE(doc.goToBookmark("begin title"));
  EXPECT_EQ(doc.selectedText(), "Table of Authorities");
  doc.setAttribute(kBold, true);
  doc.convertCase(CaseMode::Upper);
  doc.setSelectMode(false);
  ASSERT_TRUE(doc.goToBookmark("end title"));
  doc.typeText("Cases");
  EXPECT_EQ(show(doc), "Body text.\n<+12>TABLE OF AUTHORITIES<-12>\nCases");
  EXPECT_EQ(showCursor(doc).substr(showCursor(doc).size() - 6), "Cases|");
  EXPECT_FALSE(doc.attributeAt(kBold, doc.insertionPoint()));
}

TEST(CursorMoves, PositionsBeyondTheTextAreClipped) {
  Document doc = typed("abc");
  doc.moveTo(99);
  EXPECT_EQ(doc.insertionPoint(), 3u);
  doc.select(99, 1);
  EXPECT_EQ(doc.selectedText(), "bc");
  Document empty;
  empty.moveCharLeft();
  empty.moveCharRight();
  empty.selectCharLeft();
  EXPECT_FALSE(empty.selection());
  EXPECT_FALSE(empty.deleteSelection());
  EXPECT_EQ(empty.pageNumber(), 1);
}

}  // namespace
}  // namespace quillon::doc::test
