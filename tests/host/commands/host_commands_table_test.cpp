// Every operation of HostCommands against its row of the command table: the
// command number and parameter letters that reach the host, where its integer
// and text arguments land, whether 253 omits the integer, how an empty text
// travels, how the reply is read, and nothing left allocated afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "host/host_commands.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostUnits;
using commands_test::RecordingHost;
using commands_test::SentCommand;
using host::HostCommands;
using host::HostText;

// How the reply at 136 is read; the reply used reads -2 as an int16 and
// 0x1FFFE as an int32. Operations without a result return 0.
enum Result { kNone, kInt16, kInt32 };
constexpr std::int64_t kResultRead[] = {0, -2, 0x1FFFE};

// An operation called with an integer argument v and a text argument t: DO
// wraps one without a result, GET one that returns an integer.
using Call = std::int64_t (*)(HostCommands& c, std::int32_t v, HostText t);
#define DO(expr) \
  [](HostCommands& c, std::int32_t v, HostText t) -> std::int64_t { (void)v, (void)t; expr; return 0; }
#define GET(expr) \
  [](HostCommands& c, std::int32_t v, HostText t) -> std::int64_t { (void)v, (void)t; return expr; }

// GetBookmarkInfo with value v and name t; returns value as written back.
std::int64_t bookmarkInfo(HostCommands& c, std::int32_t what, std::int32_t value, HostText name) {
  c.GetBookmarkInfo(name, what, 0, 13066, value);
  return value;
}

struct Op {
  const char* name;
  Call call;
  std::uint16_t number;
  const char* letters;
  int intSlot;    // slot of v; -1 when the operation takes none
  bool omits;     // 253 in that slot is sent flagged omitted
  int textSlot;   // slot of t; -1 when the operation takes none
  Result result;
};

// Numbers and letters written out here, not taken from the code's constants,
// so that a wrong constant fails.
const Op kOps[] = {
    {"TypeText", DO(c.TypeText(t)), 2, "Q", -1, false, 0, kNone},
    {"HardReturn", DO(c.HardReturn()), 85, "", -1, false, -1, kNone},
    {"InsertSpace75", DO(c.InsertSpace75()), 75, "", -1, false, -1, kNone},
    {"InsertIndent", DO(c.InsertIndent()), 83, "", -1, false, -1, kNone},
    {"InsertDotLeaderTab", DO(c.InsertDotLeaderTab()), 34236, "", -1, false, -1, kNone},
    {"InsertCharacter", DO(c.InsertCharacter(4, v)), 88, "CC", 1, false, -1, kNone},
    {"AttributeOn", DO(c.AttributeOn(v)), 89, "I", 0, true, -1, kNone},
    {"AttributeOff", DO(c.AttributeOff(v)), 90, "I", 0, true, -1, kNone},
    {"ConvertCase", DO(c.ConvertCase(v)), 163, "I", 0, false, -1, kNone},
    {"SetFont", DO(c.SetFont(t, 256, 0, 96, v, 20, 139, 12)), 191, "QIIIIIII", 4, true, 0, kNone},
    {"SetFontSize", DO(c.SetFontSize(v)), 192, "X", 0, false, -1, kNone},
    {"SetLineSpacing", DO(c.SetLineSpacing(1.5, v)), 167, "JW", 1, true, -1, kNone},
    {"Command157", DO(c.Command157(1.0)), 157, "J", -1, false, -1, kNone},
    {"SetMarginLeft", GET(c.SetMarginLeft(v)), 153, "X", 0, true, -1, kInt16},
    {"SetMarginRight", GET(c.SetMarginRight(v)), 154, "X", 0, true, -1, kInt16},
    {"SetMarginTop", GET(c.SetMarginTop(v)), 97, "X", 0, true, -1, kInt16},
    {"SetMarginBottom", GET(c.SetMarginBottom(v)), 98, "X", 0, true, -1, kInt16},
    {"Command170", GET(c.Command170(v)), 170, "W", 0, true, -1, kInt16},
    {"SetParagraphIndent", GET(c.SetParagraphIndent(v)), 169, "W", 0, true, -1, kInt16},
    {"SetFirstLineIndent", DO(c.SetFirstLineIndent(v)), 168, "W", 0, false, -1, kNone},
    {"ApplyToSelection203", GET(c.ApplyToSelection203(v)), 203, "I", 0, true, -1, kInt32},
    {"CreateBookmark", DO(c.CreateBookmark(t, v)), 202, "QI", 1, true, 0, kNone},
    {"GoToBookmark", DO(c.GoToBookmark(t)), 370, "Q", -1, false, 0, kNone},
    {"SelectBookmark", DO(c.SelectBookmark(t)), 371, "Q", -1, false, 0, kNone},
    {"DeleteBookmark", DO(c.DeleteBookmark(t)), 373, "Q", -1, false, 0, kNone},
    {"GetBookmarkInfo (count)", GET(bookmarkInfo(c, 10820, v, t)), 33416, "RIIIF", 4, true, 0, kInt32},
    {"GetBookmarkInfo (other what)", DO(bookmarkInfo(c, 10000, v, t)), 33416, "RIII@", 4, true, 0, kNone},
    // Kind takes v too; it never omits.
    {"CreateHyperlink", DO(c.CreateHyperlink(v, HostText(), t, v)), 375, "IVQI", 3, true, 2, kNone},
    {"GetSelectedText", DO((void)c.GetSelectedText()), 16665, "", -1, false, -1, kNone},
    {"SetSelectMode", DO(c.SetSelectMode(v)), 33256, "I", 0, true, -1, kNone},
    {"SelectCharLeft", DO(c.SelectCharLeft()), 33190, "", -1, false, -1, kNone},
    {"MoveCharLeft", DO(c.MoveCharLeft()), 33189, "", -1, false, -1, kNone},
    {"MoveCharRight", DO(c.MoveCharRight()), 33196, "", -1, false, -1, kNone},
    {"Command33197", DO(c.Command33197()), 33197, "", -1, false, -1, kNone},
    {"DeleteSelection", DO(c.DeleteSelection()), 33051, "", -1, false, -1, kNone},
    {"GoToDocumentTop", DO(c.GoToDocumentTop()), 33328, "", -1, false, -1, kNone},
    {"GoToDocumentEnd", DO(c.GoToDocumentEnd()), 33236, "", -1, false, -1, kNone},
    {"Command33208", DO(c.Command33208()), 33208, "", -1, false, -1, kNone},
    {"Command33193", DO(c.Command33193()), 33193, "", -1, false, -1, kNone},
    {"Command33162", DO(c.Command33162()), 33162, "", -1, false, -1, kNone},
    {"Command33163", DO(c.Command33163()), 33163, "", -1, false, -1, kNone},
    {"Command823", DO(c.Command823(v)), 823, "I", 0, false, -1, kNone},
    {"SetSearchText", DO(c.SetSearchText(t)), 549, "Q", -1, false, 0, kNone},
    {"SearchBackward", DO(c.SearchBackward(v)), 33186, "I", 0, true, -1, kNone},
    {"SearchForward", DO(c.SearchForward(v)), 33185, "I", 0, true, -1, kNone},
    {"SetSearchOption561", DO(c.SetSearchOption561(v)), 561, "I", 0, false, -1, kNone},
    {"SetSearchOption563", DO(c.SetSearchOption563(v)), 563, "I", 0, false, -1, kNone},
    {"SearchBegin570", DO(c.SearchBegin570()), 570, "", -1, false, -1, kNone},
    {"SearchEnd573", DO(c.SearchEnd573()), 573, "", -1, false, -1, kNone},
    {"GetPageNumber", GET(c.GetPageNumber()), 16450, "", -1, false, -1, kInt16},
    {"GetHorizontalPosition", GET(c.GetHorizontalPosition()), 16740, "", -1, false, -1, kInt16},
    {"GetVerticalPosition", GET(c.GetVerticalPosition()), 49205, "", -1, false, -1, kInt16},
    {"QueryState16455", GET(c.QueryState16455()), 16455, "", -1, false, -1, kInt16},
    {"GetDocumentPath", DO((void)c.GetDocumentPath()), 49189, "", -1, false, -1, kNone},
    {"GetDocumentFileName", DO((void)c.GetDocumentFileName()), 49208, "", -1, false, -1, kNone},
    {"IsDocumentModified", GET(c.IsDocumentModified()), 49213, "", -1, false, -1, kInt32},
    {"SaveDocument", DO(c.SaveDocument()), 32993, "", -1, false, -1, kNone},
    {"SaveDocumentAs", DO(c.SaveDocumentAs(t, v, 1)), 33102, "NII", 1, true, 0, kNone},
    {"NewDocument", DO(c.NewDocument()), 33101, "", -1, false, -1, kNone},
    {"SetUpdateMode", GET(c.SetUpdateMode(v)), 33150, "I", 0, true, -1, kInt32},
    {"Command33340", DO(c.Command33340(v)), 33340, "I", 0, true, -1, kNone},
    {"GetSwitchA", GET(c.GetSwitchA()), 16846, "", -1, false, -1, kInt32},
    {"SetSwitchA", DO(c.SetSwitchA(v)), 891, "I", 0, false, -1, kNone},
    {"GetSwitchB", GET(c.GetSwitchB()), 16847, "", -1, false, -1, kInt32},
    {"SetSwitchB", DO(c.SetSwitchB(v)), 892, "I", 0, false, -1, kNone},
    {"GetSwitchC", GET(c.GetSwitchC()), 16926, "", -1, false, -1, kInt32},
    {"SetSwitchC", DO(c.SetSwitchC(v)), 998, "I", 0, false, -1, kNone},
};
#undef DO
#undef GET

// A text argument: host strings as the library converts them and an empty one
// as null; ANSI texts as a copy, an empty one as a one-byte copy.
void expectText(const SentCommand& sent, std::size_t slot, const std::string& text) {
  ASSERT_LT(slot, sent.pointees.size());
  const bool hostString = sent.letter(slot) == 'Q' || sent.letter(slot) == 'R';
  if (hostString && text.empty()) {
    EXPECT_EQ(sent.raw(slot), 0u) << "an empty text is sent as null";
    return;
  }
  ASSERT_TRUE(sent.pointees[slot].has_value());
  if (hostString) {
    EXPECT_EQ(sent.pointees[slot]->units, hostUnits(text));
  } else {
    EXPECT_EQ(sent.pointees[slot]->ansi, text);
    EXPECT_EQ(sent.pointees[slot]->blockBytes, text.size() + 1);
  }
}

TEST(HostCommandTable, EveryOperationKeepsItsRow) {
  ASSERT_TRUE(host::hostLibraries().isBound()) << "the host folder lacks hoststr17";
  constexpr std::int32_t kValue = 5;  // no translation lists it
  const std::string text = "XTOA~Cite\xA7" "12";
  RecordingHost host;
  const std::size_t liveAtStart = platform::globalLiveBlockCount();
  std::set<std::string> names;
  std::set<std::uint16_t> numbers;
  for (const Op& op : kOps) {
    SCOPED_TRACE(op.name);
    const std::string name = op.name;
    names.insert(name.substr(0, name.find(' ')));
    numbers.insert(op.number);

    host.clear();
    host.replyBytes({0xFE, 0xFF, 0x01, 0x00});
    const std::int64_t result = op.call(host::hostCommands(), kValue, HostText(text));
    ASSERT_EQ(host.sent().size(), 1u);
    const SentCommand sent = host.last();
    EXPECT_EQ(sent.number(), op.number);
    EXPECT_EQ(sent.letters(), op.letters);
    EXPECT_EQ(sent.bytes.size(), (std::strlen(op.letters) + 3) * 16);
    EXPECT_EQ(result, kResultRead[op.result]);
    ASSERT_EQ(host.released().size(), 1u) << "the reply is released once";
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart) << "everything freed";
    for (std::size_t i = 0; i < sent.count(); ++i) EXPECT_EQ(sent.flags(i), 0) << "slot " << i;
    if (op.intSlot >= 0) {
      EXPECT_EQ(sent.integer(op.intSlot), kValue);
    }
    if (op.textSlot >= 0) expectText(sent, op.textSlot, text);

    host.clear();
    host.noReply();
    const std::int64_t bare = op.call(host::hostCommands(), 253, HostText());
    EXPECT_EQ(bare, 0) << "no reply reads as 0";
    ASSERT_EQ(host.sent().size(), 1u);
    const SentCommand& omitted = host.last();
    for (std::size_t i = 0; i < omitted.count(); ++i) {
      const bool omits = op.omits && static_cast<int>(i) == op.intSlot;
      EXPECT_EQ(omitted.flags(i), omits ? host::kFlagOmitted : 0) << "slot " << i;
    }
    if (op.intSlot >= 0) {
      EXPECT_EQ(omitted.integer(op.intSlot), 253) << "sent as it stands";
    }
    if (op.textSlot >= 0) expectText(omitted, op.textSlot, "");
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart);
  }
  // 66 operations; GetBookmarkInfo appears twice for its two letter forms.
  EXPECT_EQ(names.size(), 66u);
  EXPECT_EQ(numbers.size(), 66u);
}

}  // namespace
