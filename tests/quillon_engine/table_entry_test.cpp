// The table writer's entry sequences, sent as the plug-in sends them. In: a
// case citation's tokens and an underline mode, or an entry whose name fills
// its line. Out: the entry's text unchanged by the cursor walks, which
// characters are underlined or italic, and the line fix-up's result.
#include <string>
#include <vector>

#include "quillon/doc/visible_text.h"
#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

using quillon::doc::kItalic;
using quillon::doc::kUnderline;

struct Token {
  std::string text;
  bool nameStop = false;
};

class TableEntry : public EngineTest {
 protected:
  // Un-underlines the blank before the insertion point and comes back.
  void unUnderlineBlank(bool commaVariant) {
    c().Command823(0);
    c().SelectCharLeft();
    int steps = 0;
    while (selected() != " " && steps < 50) {
      c().MoveCharLeft();
      c().SelectCharLeft();
      ++steps;
    }
    if (commaVariant) {
      if (selected() != ",") {
        c().MoveCharLeft();
        ++steps;
      } else {
        c().MoveCharRight();
      }
    }
    if (steps == 0) {
      c().AttributeOff(14);
      return;
    }
    for (int i = 0; i < steps; ++i) c().Command33197();
    c().AttributeOff(14);
    c().MoveCharRight();
  }

  void writeEntry(const std::vector<Token>& tokens, int m, int e, const std::string& key,
                  const std::vector<int>& pages, int perLine) {
    c().Command33162();
    if (m == 1 || m == 2 || m == 4) {
      c().AttributeOn(14);
      c().Command33163();
    } else {
      c().AttributeOff(14);
      if (m == 5) c().AttributeOn(8);
    }
    bool isCase = true, first = true, afterV = false;
    for (const Token& token : tokens) {
      const bool isV = token.text == "v." || token.text == "V.";
      if (token.nameStop) {
        unUnderlineBlank(true);
        c().AttributeOff(14);
        c().AttributeOff(8);
        m = 0;
        isCase = false;
      }
      if (m == -1 || !isCase) c().AttributeOff(14);
      if (isV && (m == 2 || m == 4)) {
        unUnderlineBlank(false);
        m == 2 ? c().AttributeOff(14) : c().AttributeOn(14);
      } else if (isV && m == 3) {
        c().AttributeOn(14);
      }
      if (afterV && (m == 2 || m == 4)) {
        if (token.text == " ") {
          c().AttributeOff(14);
        } else {
          c().AttributeOn(14);
          afterV = false;
        }
      }
      c().TypeText(t(token.text));
      if (first) {
        c().SelectCharLeft();
        c().ConvertCase(0);
        c().MoveCharRight();
        first = false;
      }
      if (isV && (m == 2 || m == 4)) afterV = true;
      if (isV && m == 3) c().AttributeOff(14);
    }
    c().CreateBookmark(t("XTOA~EndOfCitationNameInTable" + std::to_string(e)), 0);
    c().InsertDotLeaderTab();
    c().CreateBookmark(t("XTOA~CIT~" + key + "~TOABEGIN"), 0);
    c().Command823(0);
    int onLine = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      c().TypeText(t(std::to_string(pages[i])));
      if (i + 1 == pages.size()) break;
      c().TypeText(t(","));
      if (++onLine >= perLine) {
        onLine = 0;
        c().HardReturn();
        c().InsertIndent();
      } else {
        c().InsertSpace75();
      }
    }
    c().CreateBookmark(t("XTOA~CIT~" + key + "~TOAEND"), 0);
    c().CreateBookmark(t("XTOA~EndOfCitationPageInTable" + std::to_string(e)), 0);
    c().HardReturn();
  }

  // 'U'/'I' per visible character of [from, to) where the attribute is on.
  std::string mask(int attribute, std::size_t from, std::size_t to, char on) {
    std::string result;
    for (std::size_t i = from; i < to; ++i) {
      if (doc().items()[i].isCode()) continue;
      result += doc().attributeAt(attribute, i) ? on : '_';
    }
    return result;
  }
};

std::vector<Token> smithVJones() {
  return {{"Smith"}, {" "}, {"v."}, {" "}, {"Jones,"}, {" "}, {"123", true}, {" "}, {"F.3d"}, {" "}, {"456"}};
}

struct ModeRow {
  const char* name;
  int mode;
  std::string underlined;  // over "Smith v. Jones, 123 F.3d 456"
  std::string italic;
};

TEST_F(TableEntry, UnderlineModesLeaveTextAndBlanksRight) {
  const std::vector<ModeRow> rows = {
      {"mode 1: the whole name", 1, "UUUUUUUUUUUUUUU_____________", "___________________________"},
      {"mode 2: all but v. and its blanks", 2, "UUUUU____UUUUUU_____________", "____________________________"},
      {"mode 3: only v.", 3, "______UU____________________", "____________________________"},
      {"mode 4: all but the blanks around v.", 4, "UUUUU_UU_UUUUUU_____________", "____________________________"},
      {"mode 5: italic, no underline", 5, "____________________________", "IIIIIIIIIIIIIIII____________"},
  };
  for (const ModeRow& row : rows) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    c().TypeText(t("Body text.\n"));
    const std::size_t start = doc().insertionPoint();
    writeEntry(smithVJones(), row.mode, 1, "smith0", {3, 7}, 2);
    const auto nameEnd = static_cast<std::size_t>(markAt("XTOA~EndOfCitationNameInTable1"));
    EXPECT_EQ(doc().text(), "Body text.\nSmith v. Jones, 123 F.3d 456\t3, 7\n");
    EXPECT_EQ(textBetween("XTOA~CIT~smith0~TOABEGIN", "XTOA~CIT~smith0~TOAEND"), "3, 7");
    std::string underlined = row.underlined, italic = row.italic;
    underlined.resize(28, '_');
    italic.resize(28, '_');
    EXPECT_EQ(mask(kUnderline, start, nameEnd, 'U'), underlined);
    EXPECT_EQ(mask(kItalic, start, nameEnd, 'I'), italic);
    EXPECT_EQ(doc().insertionPoint(), doc().items().size());
  }
}

struct WalkRow {
  const char* name;
  std::string typed;
  bool commaVariant;
  std::string underlinedAfterX;  // over typed + "X"
};

TEST_F(TableEntry, WalkToTheBlankAndBack) {
  const std::vector<WalkRow> rows = {
      {"blank just typed", "ab ", false, "UU_U"},
      {"two letters after the blank", "ab cd", false, "UU_UUU"},
      {"comma variant, blank just typed: underline stays off", "ab ", true, "UU__"},
      {"comma variant, walked back over two letters", "ab cd", true, "UU____"},
  };
  for (const WalkRow& row : rows) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    c().AttributeOn(14);
    c().TypeText(t(row.typed));
    unUnderlineBlank(row.commaVariant);
    c().TypeText(t("X"));
    EXPECT_EQ(doc().text(), row.typed + "X");
    EXPECT_EQ(mask(kUnderline, 0, doc().items().size(), 'U'), row.underlinedAfterX);
  }
}

struct FixUpRow {
  const char* name;
  std::string entryName;
  int spacingAfter;  // line spacing of the entry after the fix-up
};

TEST_F(TableEntry, LineFixUpPutsPageReferencesOnTheirOwnLine) {
  const std::string longName = "Consolidated Widget Holdings of North America v. Smithsonian Xy";
  ASSERT_EQ(longName.size(), 63u);
  const std::vector<FixUpRow> rows = {
      {"leader falls to the next line", longName, 1000},
      {"short name stays on one line", "Smith v. Jones", 2000},
  };
  for (const FixUpRow& row : rows) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    c().SetLineSpacing(2.0, 0);
    writeEntry({{row.entryName}}, 0, 1, "k0", {3, 7}, 2);
    const std::string before = doc().text();

    const std::string nameMark = "XTOA~EndOfCitationNameInTable1";
    c().Command823(0);
    c().GoToBookmark(t(nameMark));
    const int h0 = c().GetHorizontalPosition();
    c().MoveCharRight();
    const int h1 = c().GetHorizontalPosition();
    if (h1 <= h0 + 10) {
      c().MoveCharLeft();
      c().HardReturn();
    }
    c().GoToBookmark(t(nameMark));
    c().MoveCharLeft();
    const int y0 = c().GetVerticalPosition();
    c().SetSelectMode(1);
    c().GoToBookmark(t("XTOA~EndOfCitationPageInTable1"));
    const int y1 = c().GetVerticalPosition();
    if (y1 > y0) {
      c().Command33193();
      c().SetLineSpacing(1.0, 0);
    }
    c().SetSelectMode(0);
    c().MoveCharRight();

    std::string text = doc().text();
    if (text != before) text.erase(text.find("\n\t"), 1);  // an inserted return before the leader
    EXPECT_EQ(text, before);
    EXPECT_EQ(doc().insertionPoint(), static_cast<std::size_t>(markAt("XTOA~EndOfCitationPageInTable1")));
    const auto numbers = doc().placeOf(static_cast<std::size_t>(markAt("XTOA~CIT~k0~TOABEGIN")));
    const auto listEnd = doc().placeOf(static_cast<std::size_t>(markAt("XTOA~CIT~k0~TOAEND")));
    const auto nameLast = doc().placeOf(static_cast<std::size_t>(markAt(nameMark)) - 1);
    EXPECT_EQ(listEnd.x, 10200 - 1200) << "page references end at the right margin";
    EXPECT_EQ(numbers.y > nameLast.y, row.spacingAfter == 1000);
    EXPECT_EQ(doc().valueAt(quillon::doc::CodeKind::LineSpacing, static_cast<std::size_t>(markAt("XTOA~CIT~k0~TOABEGIN"))),
              row.spacingAfter);
  }
}

}  // namespace
}  // namespace engine_test
