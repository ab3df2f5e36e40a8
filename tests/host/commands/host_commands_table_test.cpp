// Every operation of HostCommands against its row of the command table: the
// command number and the parameter letters that reach the host, one block per
// call, and nothing left allocated afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "host/host_commands.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::RecordingHost;
using host::HostCommands;
using host::HostText;

struct Row {
  const char* name;
  std::function<void(HostCommands&)> call;
  std::uint16_t number;
  const char* letters;
};

std::int32_t scratch = 0;
HostText scratchName;

// Numbers and letters written out here, not taken from the code's constants,
// so that a wrong constant fails.
const Row kRows[] = {
    {"TypeText", [](HostCommands& c) { c.TypeText(HostText("x")); }, 2, "Q"},
    {"HardReturn", [](HostCommands& c) { c.HardReturn(); }, 85, ""},
    {"InsertSpace75", [](HostCommands& c) { c.InsertSpace75(); }, 75, ""},
    {"InsertIndent", [](HostCommands& c) { c.InsertIndent(); }, 83, ""},
    {"InsertDotLeaderTab", [](HostCommands& c) { c.InsertDotLeaderTab(); }, 34236, ""},
    {"InsertCharacter", [](HostCommands& c) { c.InsertCharacter(4, 5); }, 88, "CC"},
    {"AttributeOn", [](HostCommands& c) { c.AttributeOn(8); }, 89, "I"},
    {"AttributeOff", [](HostCommands& c) { c.AttributeOff(8); }, 90, "I"},
    {"ConvertCase", [](HostCommands& c) { c.ConvertCase(2); }, 163, "I"},
    {"SetFont", [](HostCommands& c) { c.SetFont(HostText("Serif"), 256, 0, 96, 112, 20, 139, 12); },
     191, "QIIIIIII"},
    {"SetFontSize", [](HostCommands& c) { c.SetFontSize(200); }, 192, "X"},
    {"SetLineSpacing", [](HostCommands& c) { c.SetLineSpacing(1.0, 0); }, 167, "JW"},
    {"Command157", [](HostCommands& c) { c.Command157(1.0); }, 157, "J"},
    {"SetMarginLeft", [](HostCommands& c) { (void)c.SetMarginLeft(1200); }, 153, "X"},
    {"SetMarginRight", [](HostCommands& c) { (void)c.SetMarginRight(1200); }, 154, "X"},
    {"SetMarginTop", [](HostCommands& c) { (void)c.SetMarginTop(1200); }, 97, "X"},
    {"SetMarginBottom", [](HostCommands& c) { (void)c.SetMarginBottom(1200); }, 98, "X"},
    {"Command170", [](HostCommands& c) { (void)c.Command170(0); }, 170, "W"},
    {"SetParagraphIndent", [](HostCommands& c) { (void)c.SetParagraphIndent(600); }, 169, "W"},
    {"SetFirstLineIndent", [](HostCommands& c) { c.SetFirstLineIndent(-600); }, 168, "W"},
    {"ApplyToSelection203", [](HostCommands& c) { (void)c.ApplyToSelection203(1); }, 203, "I"},
    {"CreateBookmark", [](HostCommands& c) { c.CreateBookmark(HostText("XTOA~A"), 0); }, 202,
     "QI"},
    {"GoToBookmark", [](HostCommands& c) { c.GoToBookmark(HostText("XTOA~A")); }, 370, "Q"},
    {"SelectBookmark", [](HostCommands& c) { c.SelectBookmark(HostText("XTOA~A")); }, 371, "Q"},
    {"DeleteBookmark", [](HostCommands& c) { c.DeleteBookmark(HostText("XTOA~A")); }, 373, "Q"},
    {"GetBookmarkInfo (count)",
     [](HostCommands& c) { c.GetBookmarkInfo(scratchName, 10820, 0, 13066, scratch); }, 33416,
     "RIIIF"},
    {"GetBookmarkInfo (other what)",
     [](HostCommands& c) { c.GetBookmarkInfo(scratchName, 10000, 0, 13066, scratch); }, 33416,
     "RIII@"},
    {"CreateHyperlink",
     [](HostCommands& c) { c.CreateHyperlink(0, HostText(), HostText("XTOA~A"), 0); }, 375,
     "IVQI"},
    {"GetSelectedText", [](HostCommands& c) { (void)c.GetSelectedText(); }, 16665, ""},
    {"SetSelectMode", [](HostCommands& c) { c.SetSelectMode(1); }, 33256, "I"},
    {"SelectCharLeft", [](HostCommands& c) { c.SelectCharLeft(); }, 33190, ""},
    {"MoveCharLeft", [](HostCommands& c) { c.MoveCharLeft(); }, 33189, ""},
    {"MoveCharRight", [](HostCommands& c) { c.MoveCharRight(); }, 33196, ""},
    {"Command33197", [](HostCommands& c) { c.Command33197(); }, 33197, ""},
    {"DeleteSelection", [](HostCommands& c) { c.DeleteSelection(); }, 33051, ""},
    {"GoToDocumentTop", [](HostCommands& c) { c.GoToDocumentTop(); }, 33328, ""},
    {"GoToDocumentEnd", [](HostCommands& c) { c.GoToDocumentEnd(); }, 33236, ""},
    {"Command33208", [](HostCommands& c) { c.Command33208(); }, 33208, ""},
    {"Command33193", [](HostCommands& c) { c.Command33193(); }, 33193, ""},
    {"Command33162", [](HostCommands& c) { c.Command33162(); }, 33162, ""},
    {"Command33163", [](HostCommands& c) { c.Command33163(); }, 33163, ""},
    {"Command823", [](HostCommands& c) { c.Command823(1); }, 823, "I"},
    {"SetSearchText", [](HostCommands& c) { c.SetSearchText(HostText("Id.")); }, 549, "Q"},
    {"SearchBackward", [](HostCommands& c) { c.SearchBackward(1); }, 33186, "I"},
    {"SearchForward", [](HostCommands& c) { c.SearchForward(0); }, 33185, "I"},
    {"SetSearchOption561", [](HostCommands& c) { c.SetSearchOption561(0); }, 561, "I"},
    {"SetSearchOption563", [](HostCommands& c) { c.SetSearchOption563(1); }, 563, "I"},
    {"SearchBegin570", [](HostCommands& c) { c.SearchBegin570(); }, 570, ""},
    {"SearchEnd573", [](HostCommands& c) { c.SearchEnd573(); }, 573, ""},
    {"GetPageNumber", [](HostCommands& c) { (void)c.GetPageNumber(); }, 16450, ""},
    {"GetHorizontalPosition", [](HostCommands& c) { (void)c.GetHorizontalPosition(); }, 16740, ""},
    {"GetVerticalPosition", [](HostCommands& c) { (void)c.GetVerticalPosition(); }, 49205, ""},
    {"QueryState16455", [](HostCommands& c) { (void)c.QueryState16455(); }, 16455, ""},
    {"GetDocumentPath", [](HostCommands& c) { (void)c.GetDocumentPath(); }, 49189, ""},
    {"GetDocumentFileName", [](HostCommands& c) { (void)c.GetDocumentFileName(); }, 49208, ""},
    {"IsDocumentModified", [](HostCommands& c) { (void)c.IsDocumentModified(); }, 49213, ""},
    {"SaveDocument", [](HostCommands& c) { c.SaveDocument(); }, 32993, ""},
    {"SaveDocumentAs", [](HostCommands& c) { c.SaveDocumentAs(HostText("/tmp/a.qdoc"), 4, 1); },
     33102, "NII"},
    {"NewDocument", [](HostCommands& c) { c.NewDocument(); }, 33101, ""},
    {"SetUpdateMode", [](HostCommands& c) { (void)c.SetUpdateMode(0); }, 33150, "I"},
    {"Command33340", [](HostCommands& c) { c.Command33340(0); }, 33340, "I"},
    {"GetSwitchA", [](HostCommands& c) { (void)c.GetSwitchA(); }, 16846, ""},
    {"SetSwitchA", [](HostCommands& c) { c.SetSwitchA(1); }, 891, "I"},
    {"GetSwitchB", [](HostCommands& c) { (void)c.GetSwitchB(); }, 16847, ""},
    {"SetSwitchB", [](HostCommands& c) { c.SetSwitchB(1); }, 892, "I"},
    {"GetSwitchC", [](HostCommands& c) { (void)c.GetSwitchC(); }, 16926, ""},
    {"SetSwitchC", [](HostCommands& c) { c.SetSwitchC(1); }, 998, "I"},
};

TEST(HostCommandTable, EveryOperationSendsItsNumberAndLetters) {
  RecordingHost host;
  const std::size_t liveAtStart = platform::globalLiveBlockCount();
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    host.clear();
    host.replyInt32(1);  // replies too must be released by every operation
    row.call(host::hostCommands());
    ASSERT_EQ(host.sent().size(), 1u);
    const commands_test::SentCommand& sent = host.last();
    EXPECT_EQ(sent.number(), row.number);
    EXPECT_EQ(sent.letters(), row.letters);
    EXPECT_EQ(sent.bytes.size(), (std::string(row.letters).size() + 3) * 16);
    ASSERT_EQ(host.released().size(), 1u) << "the reply is released once";
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart) << "everything freed";
  }
}

TEST(HostCommandTable, CoversEveryCommandOnce) {
  // 66 operations; GetBookmarkInfo appears twice for its two letter forms.
  std::set<std::string> names;
  std::set<std::uint16_t> numbers;
  for (const Row& row : kRows) {
    std::string name = row.name;
    names.insert(name.substr(0, name.find(' ')));
    numbers.insert(row.number);
  }
  EXPECT_EQ(names.size(), 66u);
  EXPECT_EQ(numbers.size(), 66u);
}

}  // namespace
