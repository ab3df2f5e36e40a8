// Typing, special items, formatting codes, case changes, the text a selection
// reads as, and the changed flag.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "factories.h"

namespace quillon::doc::test {
namespace {

struct EditRow {
  const char* name;
  std::function<void(Document&)> steps;
  const char* expected;  // showCursor afterwards
};

TEST(Editing, TypingAndFormattingPlaceTheRightItems) {
  const std::vector<EditRow> rows = {
      {"control bytes", [](Document& d) { d.typeText("a\tb\nc\x01" "d"); }, "a\tb\ncd|"},
      {"typing over a selection types at its end, deleting nothing",
       [](Document& d) { d.typeText("abc"); d.select(2, 1); d.typeText("X"); }, "abX|c"},
      {"special items",
       [](Document& d) {
         d.insertSpecial(4, 0); d.insertHardSpace(); d.insertDotLeaderTab(); d.insertTab();
         d.insertNote("note"); d.hardPageBreak();
       },
       "{4,0}~[.]\t^0\f|"},
      {"attribute at the point: typing continues after the code",
       [](Document& d) { d.typeText("a"); d.setAttribute(kBold, true); d.typeText("b"); }, "a<+12>b|"},
      {"attribute over a selection restores at its end",
       [](Document& d) { d.typeText("abcd"); d.select(1, 3); d.setAttribute(kBold, true); }, "a<+12>[bc]<-12>d"},
      {"attribute off over a selection inside bold restores bold",
       [](Document& d) {
         d.setAttribute(kBold, true); d.typeText("abcd"); d.select(2, 4); d.setAttribute(kBold, false);
       },
       "<+12>a<-12>[bc]<+12>d"},
      {"repeating the format does not pile up codes",
       [](Document& d) {
         d.typeText("abcd"); d.select(1, 3); d.setAttribute(kBold, true); d.setAttribute(kBold, true);
       },
       "a<+12>[bc]<-12>d"},
      {"a format over codes of the same setting replaces them",
       [](Document& d) {
         d.typeText("ab"); d.setAttribute(kBold, true); d.typeText("cd"); d.setAttribute(kBold, false);
         d.typeText("e"); d.select(0, 7); d.setAttribute(kBold, false);
       },
       "<-12>[abcde]"},
      {"value code over a selection restores the old value",
       [](Document& d) { d.typeText("abc"); d.select(0, 2); d.setValue(CodeKind::Size, 240); },
       "<Z240>[ab]<Z200>c"},
      {"keep-together wraps the selection",
       [](Document& d) { d.typeText("abc"); d.select(3, 1); EXPECT_TRUE(d.keepTogether()); }, "a<K[bc]K>"},
      {"keep-together needs a selection",
       [](Document& d) { d.typeText("abc"); EXPECT_FALSE(d.keepTogether()); }, "abc|"},
      {"case to upper over a selection",
       [](Document& d) { d.typeText("table of authorities"); d.select(0, 20); d.convertCase(CaseMode::Upper); },
       "[TABLE OF AUTHORITIES]"},
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

TEST(Editing, SettingsInForceFollowTheCodes) {
  Document doc = typed("a");
  doc.setAttribute(kItalic, true);
  doc.setValue(CodeKind::MarginLeft, 1500);
  doc.typeText("b");
  doc.setFont("Serif Face");
  EXPECT_FALSE(doc.attributeAt(kItalic, 1));
  EXPECT_TRUE(doc.attributeAt(kItalic, 2));
  EXPECT_EQ(doc.valueAt(CodeKind::MarginLeft, 1), kDefaultMargin);
  EXPECT_EQ(doc.valueAt(CodeKind::MarginLeft, 3), 1500);
  EXPECT_EQ(doc.valueAt(CodeKind::Size, 3), kDefaultSize);
  EXPECT_EQ(doc.faces()[static_cast<std::size_t>(doc.valueAt(CodeKind::Font, doc.insertionPoint()))], "Serif Face");
}

TEST(SelectedText, ReadsCharactersNotCodes) {
  struct Row {
    const char* name;
    std::function<void(Document&)> steps;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"ordinary characters", [](Document& d) { d.typeText("Smith v. Jones"); }, "Smith v. Jones"},
      {"special character with a code-page form", [](Document& d) { d.insertSpecial(4, 3); }, "\x95"},
      {"special character without one", [](Document& d) { d.insertSpecial(4, 0); }, "?"},
      {"number outside the sets", [](Document& d) { d.insertSpecial(9, 250); }, "?"},
      {"section sign", [](Document& d) { d.insertSpecial(4, 6); }, "\xA7"},
      {"hard space", [](Document& d) { d.insertHardSpace(); }, "\xA0"},
      {"tabs", [](Document& d) { d.insertTab(); d.insertDotLeaderTab(); }, "\t\t"},
      {"codes and note references read as nothing",
       [](Document& d) {
         d.typeText("a"); d.setAttribute(kUnderline, true); d.insertNote("n"); d.insertPageNumberCode(4);
         d.typeText("b");
       },
       "ab"},
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
  Document doc;
  EXPECT_FALSE(doc.modified());
  doc.typeText("abc");
  EXPECT_TRUE(doc.modified());
  doc.setModified(false);
  doc.moveCharLeft();
  doc.createBookmark("m", false);
  doc.setSearchText("b");
  doc.searchBackward();
  (void)doc.pageNumber();
  EXPECT_FALSE(doc.modified());
  doc.convertCase(CaseMode::Upper);
  EXPECT_TRUE(doc.modified());
}

}  // namespace
}  // namespace quillon::doc::test
