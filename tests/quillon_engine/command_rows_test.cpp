// Host commands sent through real command blocks, built by the plug-in's own
// host command layer, to a real host window and carried out on the document
// engine. In: a document reading "Hello world", insertion point at its end,
// and one row of commands each. Out: the document's items, insertion point and
// selection afterwards, and any reply. The rows cover every command the
// plug-in's sequences send, once each.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/host_commands.h"
#include "host/process_values.h"
#include "quillon/commands/block_executor.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"
#include "tests/quillon_support/documents.h"

namespace engine_test {
namespace {

// Records every save; answers with `succeed`.
struct RecordingStore : quillon::DocumentStore {
  bool save(quillon::doc::Document& document, const std::string& path) override {
    paths.push_back(path);
    texts.push_back(document.text());
    return succeed;
  }
  std::vector<std::string> paths, texts;
  bool succeed = true;
};

// Answers each request for a name with `answer` and counts the requests.
struct ScriptedPrompt : quillon::NamePrompt {
  std::string askForName() override {
    ++asked;
    return answer;
  }
  std::string answer;
  int asked = 0;
};

class EngineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host::hostLibraries().isBound() || host::hostLibraries().bind(17, 0));
    saved_ = host::processValues();
    host::processValues().hostWindow = window_.handle();
    host::processValues().pluginAtom = 0xC101;
    host::processValues().hostAtom = 0xC102;
  }
  void TearDown() override {
    EXPECT_EQ(window_.outstandingReplies(), 0u);
    host::processValues() = saved_;
  }

  quillon::doc::Document& doc() { return engine_.document(); }
  host::HostCommands& c() { return host::hostCommands(); }
  static host::HostText t(const std::string& text) { return host::HostText(text); }

  // The bookmark names in the order the host enumerates them.
  std::vector<std::string> bookmarkNames() {
    using namespace host::bookmark_info;
    std::int32_t count = 0;
    host::HostText name;
    c().GetBookmarkInfo(name, kWhatBookmarks, kSubCount, kFourth, count);
    std::vector<std::string> names;
    for (std::int32_t i = 0; i <= count + 1; ++i) {  // 0 and count + 1 name nothing
      std::int32_t index = i;
      name = host::HostText();
      c().GetBookmarkInfo(name, kWhatBookmarks, kSubName, kFourth, index);
      if (i >= 1 && i <= count) names.push_back(name.text());
      else EXPECT_EQ(name.text(), "") << i;
    }
    return names;
  }

  RecordingStore store_;
  ScriptedPrompt prompt_;
  quillon::DocumentEngine engine_{store_, prompt_};
  quillon::BlockExecutor executor_{engine_};
  quillon::HostWindow window_{executor_};

 private:
  host::ProcessValues saved_;
};

struct Row {
  const char* name;
  std::function<void()> send;  // sends the command, checking any reply
  std::string expected;        // the items as the document tests show them
};

TEST_F(EngineTest, EveryCommandHasItsEffect) {
  const auto world = [&] { doc().select(6, 11); };
  const auto unsaved = [&] { return c().IsDocumentModified() != 0; };
  const std::vector<Row> rows = {
      {"InsertCharacter", [&] { c().InsertCharacter(4, 3); }, "Hello world{4,3}|"},
      {"InsertCharacter of set 0: the blank is a hard space, the rest ASCII",
       [&] { c().InsertCharacter(0, 0x20); c().InsertCharacter(0, 'x'); }, "Hello world~x|"},
      {"AttributeOn omitted", [&] { c().AttributeOn(253); }, "Hello world|"},
      {"AttributeOn over a selection", [&] { world(); c().AttributeOn(14); }, "Hello <+14>[world]<-14>"},
      {"ConvertCase 1", [&] { doc().select(0, 11); c().ConvertCase(1); }, "[hello world]"},
      {"ConvertCase 2", [&] { world(); c().ConvertCase(2); }, "Hello [WORLD]"},
      {"ConvertCase 3", [&] { world(); c().ConvertCase(17740); }, "Hello [World]"},
      {"SetFont", [&] { c().SetFont(t("Courier"), 256, 0, 96, 112, 20, 139, 12); ASSERT_EQ(doc().faces().at(1), "Courier"); },
       "Hello world<Z1>|"},
      {"SetFontSize, SetLineSpacing", [&] {
         c().SetFontSize(240); c().SetLineSpacing(1.5, 0); c().TypeText(t(" more"));
         EXPECT_EQ(c().GetHorizontalPosition(), 1200 + 11 * 120 + 5 * 144); }, "Hello world<Z240><Z1500> more|"},
      {"margins and indents reply with the value", [&] {
         EXPECT_EQ(c().SetMarginLeft(1500) + c().SetMarginBottom(2400) + c().SetParagraphIndent(720), 4620);
         c().SetFirstLineIndent(-360);
       }, "Hello world<Z1500><Z2400><Z720><Z-360>|"},
      {"SetMarginLeft omitted", [&] { EXPECT_EQ(c().SetMarginLeft(253), 1200); }, "Hello world|"},
      {"ApplyToSelection203", [&] { world(); EXPECT_EQ(c().ApplyToSelection203(1), 1); }, "Hello <K[world]K>"},
      {"ApplyToSelection203 without a selection", [&] { EXPECT_EQ(c().ApplyToSelection203(1), 0); }, "Hello world|"},
      {"commands that change nothing", [&] {
         c().Command33208(); c().Command33193(); c().Command33162(); c().Command33163(); c().Command33340(0);
         c().Command157(1.0);
         EXPECT_EQ(c().Command170(0) + c().QueryState16455(), 0); }, "Hello world|"},
      {"SetSearchOption561 matches case",
       [&] { c().SetSearchText(t("hello")); c().SetSearchOption561(1); c().SearchBackward(1); }, "Hello world|"},
      {"SaveDocumentAs", [&] {
         c().SaveDocumentAs(t("/briefs/x/brief.qdoc"), 4, 1);
         EXPECT_EQ(c().GetDocumentPath().text() + c().GetDocumentFileName().text(), "/briefs/x/brief.qdoc");
         EXPECT_EQ(store_.texts, std::vector<std::string>{"Hello world"});
         EXPECT_FALSE(unsaved());
       }, "Hello world|"},
      {"SaveDocument unnamed asks for a name once", [&] {
         prompt_.answer = "/b/named.qdoc";
         c().SaveDocument();  // asks
         c().TypeText(t("."));
         c().SaveDocument();  // saves under the name given
         EXPECT_EQ(prompt_.asked, 1);
         EXPECT_EQ(store_.paths, (std::vector<std::string>{"/b/named.qdoc", "/b/named.qdoc"}));
       }, "Hello world.|"},
      {"SaveDocument cancelled", [&] { c().SaveDocument(); EXPECT_TRUE(store_.paths.empty() && unsaved()); }, "Hello world|"},
      {"SaveDocumentAs that fails", [&] { store_.succeed = false; c().SaveDocumentAs(t("/ro/brief.qdoc"), 4, 1);
         EXPECT_TRUE(c().GetDocumentFileName().text().empty() && unsaved()); }, "Hello world|"},
      {"NewDocument", [&] { c().SaveDocumentAs(t("/b/b.qdoc"), 4, 1); c().NewDocument(); EXPECT_EQ(c().GetDocumentFileName().text(), ""); }, "|"},
      {"SetUpdateMode", [&] { EXPECT_EQ(c().SetUpdateMode(0), 1); EXPECT_FALSE(engine_.updateMode()); }, "Hello world|"},
      {"Switches", [&] { c().SetSwitchA(1); c().SetSwitchC(1);
         EXPECT_TRUE(c().GetSwitchA() != 0 && c().GetSwitchB() == 0 && c().GetSwitchC() != 0); }, "Hello world|"},
      {"typing commands", [&] { c().InsertSpace75(); c().InsertIndent(); c().HardReturn(); c().InsertDotLeaderTab(); },
       "Hello world \t\n[.]|"},
      {"moves, select mode and delete", [&] {
         c().MoveCharLeft(); c().MoveCharLeft(); c().SetSelectMode(1); c().GoToDocumentTop(); c().DeleteSelection();
         c().SetSelectMode(0); c().GoToDocumentEnd(); c().MoveCharLeft(); }, "l|d"},
      {"positions", [&] {
         EXPECT_EQ(c().GetHorizontalPosition(), 1200 + 11 * 120);
         EXPECT_EQ(c().GetVerticalPosition(), 1200);
         doc().hardPageBreak();
         EXPECT_EQ(c().GetPageNumber(), 2); }, "Hello world\f|"},
      // Walking back k characters to a blank, counting each with Command33197:
      // one MoveCharRight after un-underlining it returns to where typing goes on.
      {"Command33197 steps come back in one move", [&] {
         for (int i = 0; i < 5; ++i) { c().MoveCharLeft(); c().Command33197(); }
         c().SelectCharLeft(); c().AttributeOn(14); c().MoveCharRight(); }, "Hello<+14> <-14>world|"},
      {"Command33197 steps after ending a selection", [&] {
         for (int i = 0; i < 3; ++i) c().MoveCharLeft();
         c().SelectCharLeft(); c().Command33197(); c().Command33197(); c().MoveCharRight(); }, "Hello worl|d"},
      {"Command823 steps only over a link end", [&] {
         world(); c().CreateHyperlink(0, host::HostText(), t("target"), 0); c().Command823(1);
         c().SelectCharLeft(); c().MoveCharRight();
         EXPECT_EQ(doc().hyperlinkAt(3) + "|" + doc().hyperlinkAt(7) + "|" + doc().hyperlinkAt(13), "|target|"); },
       "Hello <HworldH>|"},
      {"Command823 steps over a keep-together end", [&] {
         world(); c().ApplyToSelection203(1); c().Command823(1); c().MoveCharRight(); c().Command823(0); },
       "Hello <KworldK>|"},
      {"bookmarks by name", [&] {
         c().CreateBookmark(t("end"), 0); c().CreateBookmark(t(""), 0); world(); c().CreateBookmark(t("w"), 1);
         c().GoToBookmark(t("end")); c().DeleteBookmark(t("end")); c().GoToBookmark(t("a")); c().SelectBookmark(t("w"));
         EXPECT_EQ(bookmarkNames(), std::vector<std::string>{"w"}); }, "Hello [world]"},
      {"SetSearchOption563 whole words", [&] {
         c().AttributeOn(14); c().TypeText(t(" worlds")); c().SetSearchText(t("world")); c().SetSearchOption563(1);
         c().SearchForward(0); c().SearchBackward(1);
         EXPECT_EQ(c().GetSelectedText().text(), "world"); }, "Hello [world]<+14> worlds"},
      // A citation found piece by piece: the selection grows from the start.
      {"SearchBegin570 extends the selection", [&] {
         c().GoToDocumentTop(); c().SearchBegin570(); c().SetSearchText(t("ell")); c().SearchForward(0);
         c().SetSearchText(t("wor")); c().SearchForward(0); c().SearchEnd573(); }, "[Hello wor]ld"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    store_ = RecordingStore{};
    prompt_ = ScriptedPrompt{};
    for (auto set : {&host::HostCommands::SetSwitchA, &host::HostCommands::SetSwitchB, &host::HostCommands::SetSwitchC,
                     &host::HostCommands::SetSearchOption561, &host::HostCommands::SetSearchOption563})
      (c().*set)(0);  // settings that outlive a new document
    c().TypeText(t("Hello world"));
    row.send();
    EXPECT_EQ(quillon::doc::test::showCursor(doc()), row.expected);
  }
}

}  // namespace
}  // namespace engine_test
