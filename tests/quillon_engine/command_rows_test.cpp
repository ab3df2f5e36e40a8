// Host commands the plug-in's sequences do not already pin down, one row each:
// sent through a real command block on a document reading "Hello world" with
// the insertion point at its end. Out: the document's items, insertion point
// and selection afterwards, and any reply.
#include <functional>
#include <string>
#include <vector>

#include "tests/quillon_doc/factories.h"
#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

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
      {"AttributeOn omitted", [&] { c().AttributeOn(253); }, "Hello world|"},
      {"AttributeOn over a selection", [&] { world(); c().AttributeOn(14); }, "Hello <+14>[world]<-14>"},
      {"ConvertCase 1", [&] { doc().select(0, 11); c().ConvertCase(1); }, "[hello world]"},
      {"ConvertCase 2", [&] { world(); c().ConvertCase(2); }, "Hello [WORLD]"},
      {"ConvertCase 3", [&] { world(); c().ConvertCase(17740); }, "Hello [World]"},
      {"SetFont", [&] { c().SetFont(t("Courier"), 256, 0, 96, 112, 20, 139, 12); ASSERT_EQ(doc().faces().at(1), "Courier"); },
       "Hello world<Z1>|"},
      {"SetFontSize, SetLineSpacing", [&] { c().SetFontSize(240); c().SetLineSpacing(1.5, 0); }, "Hello world<Z240><Z1500>|"},
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
