// One row per host command: sent through a real command block on a document
// reading "Hello world" with the insertion point at its end, and the effect
// or result the command must have.
#include <functional>
#include <string>
#include <vector>

#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

using quillon::doc::CodeKind;
using quillon::doc::ItemKind;

struct Row {
  const char* name;
  std::function<void()> run;  // sends the command and checks its effect
};

class CommandRows : public EngineTest {
 protected:
  void selectWorld() { doc().select(6, 11); }
  std::size_t end() { return doc().items().size(); }
  bool hasCode(CodeKind kind) {
    for (const auto& item : doc().items())
      if (item.isCode() && item.code == kind) return true;
    return false;
  }
  std::int32_t bookmarkCount() {
    std::int32_t count = 0;
    host::HostText unused;
    c().GetBookmarkInfo(unused, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubCount,
                        host::bookmark_info::kFourth, count);
    return count;
  }
};

TEST_F(CommandRows, EveryCommandHasItsEffect) {
  const std::vector<Row> rows = {
      {"TypeText", [&] { c().TypeText(t("!")); EXPECT_EQ(doc().text(), "Hello world!"); }},
      {"HardReturn", [&] { c().HardReturn(); EXPECT_EQ(doc().text(), "Hello world\n"); }},
      {"InsertSpace75", [&] { c().InsertSpace75(); EXPECT_EQ(doc().text(), "Hello world "); }},
      {"InsertIndent", [&] { c().InsertIndent(); EXPECT_EQ(doc().items().back().kind, ItemKind::Tab); }},
      {"InsertDotLeaderTab",
       [&] { c().InsertDotLeaderTab(); EXPECT_EQ(doc().items().back().kind, ItemKind::DotLeaderTab); }},
      {"InsertCharacter", [&] {
         c().InsertCharacter(4, 3);
         EXPECT_EQ(doc().items().back(), quillon::doc::Item::special(4, 3));
         EXPECT_EQ(doc().text(), "Hello world\x95");
       }},
      {"AttributeOn", [&] { c().AttributeOn(8); EXPECT_TRUE(doc().attributeAt(8, end())); }},
      {"AttributeOff", [&] {
         c().AttributeOn(12);
         c().AttributeOff(12);
         EXPECT_FALSE(doc().attributeAt(12, end()));
       }},
      {"AttributeOn omitted", [&] { c().AttributeOn(253); EXPECT_EQ(end(), 11u); }},
      {"AttributeOn over a selection", [&] {
         selectWorld();
         c().AttributeOn(14);
         EXPECT_TRUE(doc().attributeAt(14, 7));
         EXPECT_FALSE(doc().attributeAt(14, 2));
         EXPECT_FALSE(doc().attributeAt(14, end()));
       }},
      {"ConvertCase 0", [&] { selectWorld(); c().ConvertCase(0); EXPECT_EQ(doc().text(), "Hello world"); }},
      {"ConvertCase 1", [&] { doc().select(0, 11); c().ConvertCase(1); EXPECT_EQ(doc().text(), "hello world"); }},
      {"ConvertCase 2", [&] { selectWorld(); c().ConvertCase(2); EXPECT_EQ(doc().text(), "Hello WORLD"); }},
      {"ConvertCase 3", [&] { selectWorld(); c().ConvertCase(17740); EXPECT_EQ(doc().text(), "Hello World"); }},
      {"SetFont", [&] {
         c().SetFont(t("Courier"), 256, 0, 96, 112, 20, 139, 12);
         ASSERT_EQ(doc().faces().back(), "Courier");
         EXPECT_EQ(doc().valueAt(CodeKind::Font, end()), static_cast<int>(doc().faces().size() - 1));
       }},
      {"SetFontSize, SetLineSpacing, margins and indents", [&] {
         struct ValueRow {
           const char* name;
           std::function<int()> send;  // the reply, or the value itself for commands without one
           CodeKind kind;
           int value;
         };
         const std::vector<ValueRow> values = {
             {"SetFontSize", [&] { c().SetFontSize(240); return 240; }, CodeKind::Size, 240},
             {"SetLineSpacing", [&] { c().SetLineSpacing(1.5, 0); return 1500; }, CodeKind::LineSpacing, 1500},
             {"SetMarginLeft", [&] { return c().SetMarginLeft(1500); }, CodeKind::MarginLeft, 1500},
             {"SetMarginRight", [&] { return c().SetMarginRight(900); }, CodeKind::MarginRight, 900},
             {"SetMarginTop", [&] { return c().SetMarginTop(600); }, CodeKind::MarginTop, 600},
             {"SetMarginBottom", [&] { return c().SetMarginBottom(2400); }, CodeKind::MarginBottom, 2400},
             {"SetParagraphIndent", [&] { return c().SetParagraphIndent(720); }, CodeKind::ParagraphIndent, 720},
             {"SetFirstLineIndent", [&] { c().SetFirstLineIndent(-360); return -360; }, CodeKind::FirstLineIndent,
              -360},
         };
         for (const ValueRow& value : values) {
           SCOPED_TRACE(value.name);
           EXPECT_EQ(value.send(), value.value);
           EXPECT_EQ(doc().valueAt(value.kind, end()), value.value);
         }
       }},
      {"Command157", [&] { c().Command157(1.0); EXPECT_EQ(end(), 11u); }},
      {"SetMarginLeft omitted", [&] { EXPECT_EQ(c().SetMarginLeft(253), 1200); EXPECT_EQ(end(), 11u); }},
      {"Command170", [&] { EXPECT_EQ(c().Command170(0), 0); EXPECT_EQ(end(), 11u); }},
      {"ApplyToSelection203", [&] {
         selectWorld();
         EXPECT_EQ(c().ApplyToSelection203(1), 1);
         EXPECT_TRUE(hasCode(CodeKind::KeepTogetherStart));
         EXPECT_TRUE(hasCode(CodeKind::KeepTogetherEnd));
       }},
      {"ApplyToSelection203 without selection", [&] { EXPECT_EQ(c().ApplyToSelection203(1), 0); }},
      {"CreateBookmark", [&] { c().CreateBookmark(t("m"), 0); EXPECT_EQ(markAt("m"), 11); }},
      {"CreateBookmark over selection", [&] {
         selectWorld();
         c().CreateBookmark(t("m"), 1);
         ASSERT_TRUE(doc().selectBookmark("m"));
         EXPECT_EQ(doc().selectedText(), "world");
       }},
      {"GoToBookmark", [&] {
         doc().moveTo(5);
         c().CreateBookmark(t("m"), 0);
         c().GoToDocumentEnd();
         c().GoToBookmark(t("m"));
         EXPECT_EQ(doc().insertionPoint(), 5u);
         c().GoToBookmark(t("missing"));
         EXPECT_EQ(doc().insertionPoint(), 5u);
       }},
      {"SelectBookmark", [&] {
         selectWorld();
         c().CreateBookmark(t("m"), 1);
         c().GoToDocumentTop();
         c().SelectBookmark(t("m"));
         EXPECT_EQ(selected(), "world");
       }},
      {"DeleteBookmark", [&] {
         c().CreateBookmark(t("m"), 0);
         c().DeleteBookmark(t("m"));
         EXPECT_EQ(bookmarkCount(), 0);
         EXPECT_EQ(doc().text(), "Hello world");
       }},
      {"GetBookmarkInfo", [&] {
         EXPECT_EQ(bookmarkCount(), 0);
         c().CreateBookmark(t("b"), 0);
         c().CreateBookmark(t("a"), 0);
         EXPECT_EQ(bookmarkCount(), 2);
         host::HostText name;
         std::int32_t index = 2;
         c().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubName,
                             host::bookmark_info::kFourth, index);
         EXPECT_EQ(name.text(), "b");
       }},
      {"CreateHyperlink", [&] {
         selectWorld();
         c().CreateHyperlink(0, host::HostText(), t("target"), 0);
         EXPECT_EQ(doc().hyperlinkAt(8), "target");
         EXPECT_EQ(doc().hyperlinkAt(3), "");
       }},
      {"GetSelectedText", [&] {
         EXPECT_EQ(selected(), "");
         selectWorld();
         EXPECT_EQ(selected(), "world");
       }},
      {"SetSelectMode", [&] {
         c().SetSelectMode(1);
         c().GoToDocumentTop();
         EXPECT_EQ(selected(), "Hello world");
         c().SetSelectMode(0);
         c().GoToDocumentEnd();
         EXPECT_EQ(selected(), "");
       }},
      {"SelectCharLeft", [&] {
         c().SelectCharLeft();
         c().SelectCharLeft();
         EXPECT_EQ(selected(), "ld");
       }},
      {"MoveCharLeft", [&] { c().MoveCharLeft(); EXPECT_EQ(doc().insertionPoint(), 10u); }},
      {"MoveCharLeft ends a selection at its start", [&] {
         selectWorld();
         c().MoveCharLeft();
         EXPECT_EQ(doc().insertionPoint(), 6u);
         EXPECT_EQ(selected(), "");
       }},
      {"MoveCharRight", [&] {
         doc().moveTo(5);
         c().MoveCharRight();
         EXPECT_EQ(doc().insertionPoint(), 6u);
       }},
      {"MoveCharRight ends a selection at its end", [&] {
         selectWorld();
         doc().select(11, 6);
         c().MoveCharRight();
         EXPECT_EQ(doc().insertionPoint(), 11u);
       }},
      {"Command33197", [&] {
         c().GoToDocumentTop();
         c().Command33197();
         c().Command33197();
         c().Command33197();
         c().MoveCharRight();
         EXPECT_EQ(doc().insertionPoint(), 3u);
         c().MoveCharRight();
         EXPECT_EQ(doc().insertionPoint(), 4u);
       }},
      {"DeleteSelection", [&] {
         selectWorld();
         c().DeleteSelection();
         EXPECT_EQ(doc().text(), "Hello ");
       }},
      {"GoToDocumentTop", [&] { c().GoToDocumentTop(); EXPECT_EQ(doc().insertionPoint(), 0u); }},
      {"GoToDocumentEnd", [&] {
         c().GoToDocumentTop();
         c().GoToDocumentEnd();
         EXPECT_EQ(doc().insertionPoint(), 11u);
       }},
      {"Command33208, 33193, 33162, 33163 change nothing", [&] {
         c().Command33208();
         c().Command33193();
         c().Command33162();
         c().Command33163();
         EXPECT_EQ(end(), 11u);
         EXPECT_EQ(doc().insertionPoint(), 11u);
       }},
      {"Command823", [&] {
         c().Command823(1);
         c().SelectCharLeft();
         EXPECT_EQ(selected(), "");
         c().MoveCharRight();
         EXPECT_EQ(doc().insertionPoint(), 11u);
         c().Command823(0);
         c().SelectCharLeft();
         EXPECT_EQ(selected(), "d");
       }},
      {"Command823 ends with typing", [&] {
         c().Command823(1);
         c().TypeText(t("s"));
         c().SelectCharLeft();
         EXPECT_EQ(selected(), "s");
       }},
      {"SetSearchText and SearchBackward", [&] {
         c().SetSearchText(t("o"));
         c().SearchBackward(1);
         EXPECT_EQ(doc().selection()->start, 7u);
       }},
      {"SearchForward", [&] {
         c().GoToDocumentTop();
         c().SetSearchText(t("o"));
         c().SearchForward(0);
         EXPECT_EQ(doc().selection()->start, 4u);
       }},
      {"SetSearchOption561", [&] {
         c().SetSearchText(t("hello"));
         c().SetSearchOption561(1);
         c().SearchBackward(1);
         EXPECT_EQ(selected(), "");
         c().SetSearchOption561(0);
         c().SearchBackward(1);
         EXPECT_EQ(selected(), "Hello");
       }},
      {"SetSearchOption563", [&] {
         c().SetSearchText(t("wor"));
         c().SetSearchOption563(1);
         c().SearchBackward(1);
         EXPECT_EQ(selected(), "");
         c().SetSearchOption563(0);
         c().SearchBackward(1);
         EXPECT_EQ(selected(), "wor");
       }},
      {"SearchBegin570 and SearchEnd573", [&] {
         c().GoToDocumentTop();
         c().SearchBegin570();
         c().SetSearchText(t("world"));
         c().SearchForward(0);
         EXPECT_EQ(selected(), "Hello world");
         c().SearchEnd573();
         c().GoToDocumentTop();
         c().SearchForward(0);
         EXPECT_EQ(selected(), "world");
       }},
      {"GetPageNumber", [&] {
         EXPECT_EQ(c().GetPageNumber(), 1);
         doc().hardPageBreak();
         EXPECT_EQ(c().GetPageNumber(), 2);
       }},
      {"GetHorizontalPosition", [&] { EXPECT_EQ(c().GetHorizontalPosition(), 1200 + 11 * 120); }},
      {"GetVerticalPosition", [&] {
         EXPECT_EQ(c().GetVerticalPosition(), 1200);
         c().HardReturn();
         EXPECT_EQ(c().GetVerticalPosition(), 1200 + 240);
       }},
      {"QueryState16455", [&] { EXPECT_EQ(c().QueryState16455(), 0); }},
      {"GetDocumentPath, GetDocumentFileName, SaveDocumentAs", [&] {
         EXPECT_EQ(c().GetDocumentPath().text(), "");
         EXPECT_EQ(c().GetDocumentFileName().text(), "");
         c().SaveDocumentAs(t("/briefs/x/brief.qdoc"), 4, 1);
         EXPECT_EQ(c().GetDocumentPath().text(), "/briefs/x/");
         EXPECT_EQ(c().GetDocumentFileName().text(), "brief.qdoc");
         ASSERT_EQ(store_.paths.size(), 1u);
         EXPECT_EQ(store_.texts.back(), "Hello world");
       }},
      {"IsDocumentModified", [&] {
         EXPECT_NE(c().IsDocumentModified(), 0);
         c().SaveDocumentAs(t("/b/brief.qdoc"), 4, 1);
         EXPECT_EQ(c().IsDocumentModified(), 0);
         c().TypeText(t("."));
         EXPECT_NE(c().IsDocumentModified(), 0);
       }},
      {"SaveDocument unnamed asks for a name", [&] {
         prompt_.answer = "/b/named.qdoc";
         c().SaveDocument();
         EXPECT_EQ(prompt_.asked, 1);
         EXPECT_EQ(c().GetDocumentFileName().text(), "named.qdoc");
         EXPECT_EQ(c().IsDocumentModified(), 0);
         c().TypeText(t("."));
         c().SaveDocument();
         EXPECT_EQ(prompt_.asked, 1);
         EXPECT_EQ(store_.paths, (std::vector<std::string>{"/b/named.qdoc", "/b/named.qdoc"}));
       }},
      {"SaveDocument cancelled", [&] {
         c().SaveDocument();
         EXPECT_EQ(prompt_.asked, 1);
         EXPECT_TRUE(store_.paths.empty());
         EXPECT_NE(c().IsDocumentModified(), 0);
       }},
      {"SaveDocumentAs that fails", [&] {
         store_.succeed = false;
         c().SaveDocumentAs(t("/ro/brief.qdoc"), 4, 1);
         EXPECT_EQ(c().GetDocumentFileName().text(), "");
         EXPECT_NE(c().IsDocumentModified(), 0);
       }},
      {"NewDocument", [&] {
         c().SaveDocumentAs(t("/b/brief.qdoc"), 4, 1);
         c().NewDocument();
         EXPECT_EQ(doc().text(), "");
         EXPECT_EQ(c().GetDocumentFileName().text(), "");
         c().TypeText(t("Table"));
         EXPECT_EQ(doc().text(), "Table");
       }},
      {"SetUpdateMode", [&] {
         EXPECT_EQ(c().SetUpdateMode(0), 1);
         EXPECT_FALSE(engine_.updateMode());
         c().SetUpdateMode(1);
         EXPECT_TRUE(engine_.updateMode());
       }},
      {"Command33340", [&] { c().Command33340(0); EXPECT_EQ(end(), 11u); }},
      {"Switches", [&] {
         EXPECT_EQ(c().GetSwitchA() | c().GetSwitchB() | c().GetSwitchC(), 0);
         c().SetSwitchA(1);
         c().SetSwitchC(1);
         EXPECT_NE(c().GetSwitchA(), 0);
         EXPECT_EQ(c().GetSwitchB(), 0);
         EXPECT_NE(c().GetSwitchC(), 0);
         c().SetSwitchB(1);
         c().SetSwitchA(0);
         EXPECT_EQ(c().GetSwitchA(), 0);
         EXPECT_NE(c().GetSwitchB(), 0);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    store_ = RecordingStore{};
    prompt_ = ScriptedPrompt{};
    c().SetSwitchA(0);
    c().SetSwitchB(0);
    c().SetSwitchC(0);
    c().SetSearchOption561(0);
    c().SetSearchOption563(0);
    c().SearchEnd573();
    c().TypeText(t("Hello world"));
    row.run();
  }
}

}  // namespace
}  // namespace engine_test
