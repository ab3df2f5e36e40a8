// Typing, special items, formatting codes, case changes, the text a selection
// reads as, and the changed flag.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quillon_support/documents.h"

namespace quillon::doc::test {
namespace {

struct EditRow {
  const char* name;
  std::function<void(Document&)> steps;
  std::string expected;
};

TEST(Editing, TypingAndFormattingPlaceTheRightItems) {
  const std::vector<EditRow> rows = {
      {"control bytes are dropped", [](Document& d) { d.typeText("a\tb\nc\x01" "d"); }, "a\tb\ncd|"},
      {"typing over a selection types at its end, deleting nothing",
       [](Document& d) { d.typeText("abc"); d.select(2, 1); d.typeText("X"); }, "abX|c"},
      {"attribute at the point: typing continues after the code",
       [](Document& d) { d.typeText("a"); d.setAttribute(kBold, true); d.typeText("b"); }, "a<+12>b|"},
      {"attribute off over a selection inside bold restores bold",
       [](Document& d) { d = build("<+12>abcd"); d.select(2, 4); d.setAttribute(kBold, false); },
       "<+12>a<-12>[bc]<+12>d"},
      {"repeating the format does not pile up codes",
       [](Document& d) { d = typed("abcd"); d.select(1, 3); d.setAttribute(kBold, true); d.setAttribute(kBold, true); },
       "a<+12>[bc]<-12>d"},
      {"value code over a selection restores the old value",
       [](Document& d) { d.typeText("abc"); d.select(0, 2); d.setValue(CodeKind::Size, 240); },
       "<Z240>[ab]<Z200>c"},
      {"keep-together wraps the selection",
       [](Document& d) { d.typeText("abc"); d.select(3, 1); EXPECT_TRUE(d.keepTogether()); }, "a<K[bc]K>"},
      {"keep-together needs a selection",
       [](Document& d) { d.typeText("abc"); EXPECT_FALSE(d.keepTogether()); }, "abc|"},
      {"initial capitals",
       [](Document& d) { d.typeText("mIXED wORDS\xE9t\xE9"); d.select(0, 14); d.convertCase(CaseMode::InitialCapitals); },
       "[Mixed Words\xE9t\xE9]"},
      {"lower case reaches accented letters",
       [](Document& d) { d.typeText("\xC9T\xC9"); d.select(0, 3); d.convertCase(CaseMode::Lower); }, "[\xE9t\xE9]"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc;
    row.steps(doc);
    EXPECT_EQ(showCursor(doc), row.expected);
  }
}

TEST(SelectedText, ReadsCharactersNotCodes) {
  const std::vector<EditRow> rows = {
      {"special character with a code-page form", [](Document& d) { d.insertSpecial(4, 3); }, "\x95"},
      {"special character without one", [](Document& d) { d.insertSpecial(4, 0); }, "?"},
      {"number outside the sets", [](Document& d) { d.insertSpecial(9, 250); }, "?"},
      {"hard space and tabs", [](Document& d) { d = build("~\t[.]"); }, "\xA0\t\t"},
      {"codes and note references read as nothing", [](Document& d) { d = build("a<+14>^n^<P4>b"); }, "ab"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc;
    row.steps(doc);
    EXPECT_EQ(doc.selectedText(), "");  // nothing selected yet
    doc.select(0, doc.items().size());
    EXPECT_EQ(doc.selectedText(), row.expected);
  }
}

TEST(Editing, ChangedFlagFollowsEditsNotMoves) {
  Document doc = typed("abc");
  EXPECT_TRUE(doc.modified());
  doc.setModified(false);
  doc.createBookmark("m", false);
  doc.select(0, 2);
  EXPECT_FALSE(doc.modified());
  doc.convertCase(CaseMode::Upper);
  EXPECT_TRUE(doc.modified());
}

}  // namespace
}  // namespace quillon::doc::test
