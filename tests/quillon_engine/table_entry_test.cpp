// The table writer's entry sequences, sent as the plug-in sends them. In: a
// case citation's tokens and an underline mode, or an entry whose name fills
// its line. Out: the entry's text unchanged by the cursor walks, which
// characters are underlined, and the line fix-up's result.
#include <string>
#include <vector>

#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

class TableEntry : public EngineTest {
 protected:
  // Un-underlines the blank before the insertion point and comes back; the
  // comma variant also leaves a comma before the blank alone.
  void unUnderlineBlank(bool commaVariant) {
    c().Command823(0);
    c().SelectCharLeft();
    int steps = 0;
    for (; selected() != " " && steps < 50; ++steps) {
      c().MoveCharLeft();
      c().SelectCharLeft();
    }
    if (commaVariant && selected() != ",") {
      c().MoveCharLeft();
      ++steps;
    } else if (commaVariant) {
      c().MoveCharRight();
    }
    for (int i = 0; i < steps; ++i) c().Command33197();
    c().AttributeOff(14);
    if (steps > 0) c().MoveCharRight();
  }

  // Mode 0: no underline; 2: all but "v." and its blanks; 4: all but the
  // blanks around "v.". The token "123" ends the name.
  void writeEntry(const std::vector<std::string>& tokens, int mode) {
    c().Command33162();
    mode == 0 ? c().AttributeOff(14) : c().AttributeOn(14);
    if (mode != 0) c().Command33163();
    bool afterV = false;
    for (const std::string& token : tokens) {
      if (token == "123") {
        unUnderlineBlank(true);
        c().AttributeOff(14);
        mode = 0;
      }
      if (token == "v." && mode != 0) {
        unUnderlineBlank(false);
        mode == 2 ? c().AttributeOff(14) : c().AttributeOn(14);
      } else if (afterV && mode != 0) {
        token == " " ? c().AttributeOff(14) : c().AttributeOn(14);
        afterV = token == " ";
      }
      c().TypeText(t(token));
      if (&token == &tokens.front()) {  // its last character, case as typed
        c().SelectCharLeft();
        c().ConvertCase(0);
        c().MoveCharRight();
      }
      afterV |= token == "v.";
    }
    c().CreateBookmark(t("XTOA~EndOfCitationNameInTable1"), 0);
    c().InsertDotLeaderTab();
    c().CreateBookmark(t("XTOA~CIT~k0~TOABEGIN"), 0);
    c().Command823(0);
    c().TypeText(t("3,"));
    c().InsertSpace75();
    c().TypeText(t("7"));
    c().CreateBookmark(t("XTOA~CIT~k0~TOAEND"), 0);
    c().CreateBookmark(t("XTOA~EndOfCitationPageInTable1"), 0);
    c().HardReturn();
  }
};

TEST_F(TableEntry, UnderlineModesLeaveTextAndBlanksRight) {
  for (const auto& [mode, underlined] : std::vector<std::pair<int, std::string>>{
           {2, "UUUUU____UUUUUU_____________"}, {4, "UUUUU_UU_UUUUUU_____________"}}) {
    SCOPED_TRACE(mode);
    c().NewDocument();
    writeEntry({"Smith", " ", "v.", " ", "Jones,", " ", "123", " ", "F.3d", " ", "456"}, mode);
    EXPECT_EQ(doc().text(), "Smith v. Jones, 123 F.3d 456\t3, 7\n");
    std::string mask;
    for (std::size_t i = 0; i < static_cast<std::size_t>(markAt("XTOA~EndOfCitationNameInTable1")); ++i)
      if (!doc().items()[i].isCode()) mask += doc().attributeAt(quillon::doc::kUnderline, i) ? 'U' : '_';
    EXPECT_EQ(mask, underlined);
    EXPECT_EQ(doc().insertionPoint(), doc().items().size());
  }
}

// A name that leaves no room for the leader gets its page references on a
// line of their own, single-spaced; a short one keeps double spacing.
TEST_F(TableEntry, LineFixUpPutsPageReferencesOnTheirOwnLine) {
  for (const std::string name : {"Consolidated Widget Holdings of North America v. Smithsonian Xy", "Smith v. Jones"}) {
    SCOPED_TRACE(name);
    const bool full = name.size() == 63;
    c().NewDocument();
    c().SetLineSpacing(2.0, 0);
    writeEntry({name}, 0);
    const std::string before = doc().text();
    c().Command823(0);
    c().GoToBookmark(t("XTOA~EndOfCitationNameInTable1"));
    const int h0 = c().GetHorizontalPosition();
    c().MoveCharRight();
    if (c().GetHorizontalPosition() <= h0 + 10) {
      c().MoveCharLeft();
      c().HardReturn();
    }
    c().GoToBookmark(t("XTOA~EndOfCitationNameInTable1"));
    c().MoveCharLeft();
    const int y0 = c().GetVerticalPosition();
    c().SetSelectMode(1);
    c().GoToBookmark(t("XTOA~EndOfCitationPageInTable1"));
    if (c().GetVerticalPosition() > y0) {
      c().Command33193();
      c().SetLineSpacing(1.0, 0);
    }
    c().SetSelectMode(0);
    c().MoveCharRight();

    EXPECT_EQ(doc().text(), before);
    EXPECT_EQ(doc().insertionPoint(), static_cast<std::size_t>(markAt("XTOA~EndOfCitationPageInTable1")));
    const auto begin = static_cast<std::size_t>(markAt("XTOA~CIT~k0~TOABEGIN"));
    EXPECT_EQ(doc().placeOf(static_cast<std::size_t>(markAt("XTOA~CIT~k0~TOAEND"))).x, 10200 - 1200);
    const auto nameEnd = static_cast<std::size_t>(markAt("XTOA~EndOfCitationNameInTable1"));
    EXPECT_EQ(doc().placeOf(begin).y > doc().placeOf(nameEnd - 1).y, full);
    EXPECT_EQ(doc().valueAt(quillon::doc::CodeKind::LineSpacing, begin), full ? 1000 : 2000);
  }
}

}  // namespace
}  // namespace engine_test
