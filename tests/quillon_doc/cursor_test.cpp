// Cursor moves over characters and zero-width codes, the selection they make
// or end, and the plug-in's select-the-typed-character sequence.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quillon_support/documents.h"

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
      {"left skips the code before the character", 6, [](Document& d) { d.moveCharLeft(); }, "ab<+14>c|d<-14>e"},
      {"left lands after the codes in front of it", 4, [](Document& d) { d.moveCharLeft(); }, "ab<+14>|cd<-14>e"},
      {"right lands before the codes behind it", 1, [](Document& d) { d.moveCharRight(); }, "ab|<+14>cd<-14>e"},
      {"right steps over codes, then one character", 2, [](Document& d) { d.moveCharRight(); }, "ab<+14>c|d<-14>e"},
      {"right at the end stays", 7, [](Document& d) { d.moveCharRight(); }, "ab<+14>cd<-14>e|"},
      {"left at the start stays", 0, [](Document& d) { d.moveCharLeft(); }, "|ab<+14>cd<-14>e"},
      {"codes only to the right", 5, [](Document& d) { d.moveOverCodesRight(); }, "ab<+14>cd<-14>|e"},
      {"codes only to the left", 3, [](Document& d) { d.moveOverCodesLeft(); }, "ab|<+14>cd<-14>e"},
      {"codes only never passes a character", 1, [](Document& d) { d.moveOverCodesRight(); }, "a|b<+14>cd<-14>e"},
      {"select left twice spans the code", 4,
       [](Document& d) { d.selectCharLeft(); d.selectCharLeft(); }, "a[b<+14>c]d<-14>e"},
      {"left with a selection ends it at its start", 4,
       [](Document& d) { d.selectCharLeft(); d.selectCharLeft(); d.moveCharLeft(); }, "a|b<+14>cd<-14>e"},
      {"right with a selection ends it at its end", 4,
       [](Document& d) { d.selectCharLeft(); d.moveCharRight(); }, "ab<+14>c|d<-14>e"},
      {"select left shrinks a selection made rightwards", 2,
       [](Document& d) { d.setSelectMode(true); d.moveTo(5); d.selectCharLeft(); }, "ab[<+14>c]d<-14>e"},
      {"positions beyond the text are clipped", 99, [](Document&) {}, "ab<+14>cd<-14>e|"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = build("ab<+14>cd<-14>e");
    doc.moveTo(row.start);
    row.moves(doc);
    EXPECT_EQ(showCursor(doc), row.expected);
  }
  Document empty;
  empty.selectCharLeft();
  EXPECT_FALSE(empty.selection());
  EXPECT_FALSE(empty.deleteSelection());
}

// The table writer types a text, selects its last character, changes its
// case and carries on typing: nothing may move or vanish.
TEST(TypedCharacterSequences, SelectChangeCaseAndGoOnTyping) {
  for (CaseMode mode : {CaseMode::AsTyped, CaseMode::Upper, CaseMode::InitialCapitals}) {
    SCOPED_TRACE(static_cast<int>(mode));
    Document doc;
    doc.setAttribute(kUnderline, true);
    doc.typeText("smith");
    doc.selectCharLeft();
    doc.convertCase(mode);
    doc.moveCharRight();
    EXPECT_EQ(showCursor(doc), mode == CaseMode::AsTyped ? "<+14>smith|" : "<+14>smitH|");
    doc.typeText(" v.");
    EXPECT_EQ(doc.text(), mode == CaseMode::AsTyped ? "smith v." : "smitH v.");
  }
}

}  // namespace
}  // namespace quillon::doc::test
