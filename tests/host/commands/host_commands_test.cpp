// Every HostCommands operation as it reaches the host: its command number and
// parameter letters, where its integer argument lands and whether 253 omits
// it, how the reply is read; the value translations made before sending,
// what GetBookmarkInfo writes back, text results, and HostText while the
// string library is unbound.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "host/host_commands.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostUnits;
using commands_test::SentCommand;
using host::HostCommands;
using host::HostText;

// How the reply at 136 is read; the reply used reads -2 as an int16 and
// 0x1FFFE as an int32. Operations without a result return 0.
enum Result { kNone, kInt16, kInt32 };
constexpr std::int64_t kResultRead[] = {0, -2, 0x1FFFE};

// An operation called with an integer argument v: DO wraps one without a
// result, GET one that returns an integer.
using Call = std::int64_t (*)(HostCommands& c, std::int32_t v);
#define DO(expr) [](HostCommands& c, std::int32_t v) -> std::int64_t { (void)v, (void)(expr); return 0; }
#define GET(expr) [](HostCommands& c, std::int32_t v) -> std::int64_t { (void)v; return expr; }

std::int64_t bookmarkInfo(HostCommands& c, std::int32_t what, std::int32_t value) {
  HostText name("XTOA~A");
  c.GetBookmarkInfo(name, what, 0, 13066, value);
  return value;
}

const HostText kText("XTOA~A");

// Numbers and letters written out here, not taken from the code's constants,
// so that a wrong constant fails; several of these commands change nothing
// that the stand-in host's document would show.
const struct Op {
  const char* name;
  Call call;
  std::uint16_t number;
  const char* letters;
  int intSlot;  // slot of v; -1 when the operation takes none
  bool omits;   // 253 in that slot is sent flagged omitted
  Result result;
} kOps[] = {
    {"TypeText", DO(c.TypeText(kText)), 2, "Q", -1, false, kNone},
    {"HardReturn", DO(c.HardReturn()), 85, "", -1, false, kNone},
    {"InsertSpace75", DO(c.InsertSpace75()), 75, "", -1, false, kNone},
    {"InsertIndent", DO(c.InsertIndent()), 83, "", -1, false, kNone},
    {"InsertDotLeaderTab", DO(c.InsertDotLeaderTab()), 34236, "", -1, false, kNone},
    {"InsertCharacter", DO(c.InsertCharacter(4, v)), 88, "CC", 1, false, kNone},
    {"AttributeOn", DO(c.AttributeOn(v)), 89, "I", 0, true, kNone},
    {"AttributeOff", DO(c.AttributeOff(v)), 90, "I", 0, true, kNone},
    {"ConvertCase", DO(c.ConvertCase(v)), 163, "I", 0, false, kNone},
    {"SetFont", DO(c.SetFont(kText, 256, 0, 96, v, 20, 139, 12)), 191, "QIIIIIII", 4, true, kNone},
    {"SetFontSize", DO(c.SetFontSize(v)), 192, "X", 0, false, kNone},
    {"SetLineSpacing", DO(c.SetLineSpacing(1.5, v)), 167, "JW", 1, true, kNone},
    {"Command157", DO(c.Command157(1.0)), 157, "J", -1, false, kNone},
    {"SetMarginLeft", GET(c.SetMarginLeft(v)), 153, "X", 0, true, kInt16},
    {"SetMarginRight", GET(c.SetMarginRight(v)), 154, "X", 0, true, kInt16},
    {"SetMarginTop", GET(c.SetMarginTop(v)), 97, "X", 0, true, kInt16},
    {"SetMarginBottom", GET(c.SetMarginBottom(v)), 98, "X", 0, true, kInt16},
    {"Command170", GET(c.Command170(v)), 170, "W", 0, true, kInt16},
    {"SetParagraphIndent", GET(c.SetParagraphIndent(v)), 169, "W", 0, true, kInt16},
    {"SetFirstLineIndent", DO(c.SetFirstLineIndent(v)), 168, "W", 0, false, kNone},
    {"ApplyToSelection203", GET(c.ApplyToSelection203(v)), 203, "I", 0, true, kInt32},
    {"CreateBookmark", DO(c.CreateBookmark(kText, v)), 202, "QI", 1, true, kNone},
    {"GoToBookmark", DO(c.GoToBookmark(kText)), 370, "Q", -1, false, kNone},
    {"SelectBookmark", DO(c.SelectBookmark(kText)), 371, "Q", -1, false, kNone},
    {"DeleteBookmark", DO(c.DeleteBookmark(kText)), 373, "Q", -1, false, kNone},
    {"GetBookmarkInfo, count", GET(bookmarkInfo(c, 10820, v)), 33416, "RIIIF", 4, true, kInt32},
    {"GetBookmarkInfo, other what", DO(bookmarkInfo(c, 10000, v)), 33416, "RIII@", 4, true, kNone},
    {"CreateHyperlink", DO(c.CreateHyperlink(v, HostText(), kText, v)), 375, "IVQI", 3, true, kNone},
    {"GetSelectedText", DO(c.GetSelectedText()), 16665, "", -1, false, kNone},
    {"SetSelectMode", DO(c.SetSelectMode(v)), 33256, "I", 0, true, kNone},
    {"SelectCharLeft", DO(c.SelectCharLeft()), 33190, "", -1, false, kNone},
    {"MoveCharLeft", DO(c.MoveCharLeft()), 33189, "", -1, false, kNone},
    {"MoveCharRight", DO(c.MoveCharRight()), 33196, "", -1, false, kNone},
    {"Command33197", DO(c.Command33197()), 33197, "", -1, false, kNone},
    {"DeleteSelection", DO(c.DeleteSelection()), 33051, "", -1, false, kNone},
    {"GoToDocumentTop", DO(c.GoToDocumentTop()), 33328, "", -1, false, kNone},
    {"GoToDocumentEnd", DO(c.GoToDocumentEnd()), 33236, "", -1, false, kNone},
    {"Command33208", DO(c.Command33208()), 33208, "", -1, false, kNone},
    {"Command33193", DO(c.Command33193()), 33193, "", -1, false, kNone},
    {"Command33162", DO(c.Command33162()), 33162, "", -1, false, kNone},
    {"Command33163", DO(c.Command33163()), 33163, "", -1, false, kNone},
    {"Command823", DO(c.Command823(v)), 823, "I", 0, false, kNone},
    {"SetSearchText", DO(c.SetSearchText(kText)), 549, "Q", -1, false, kNone},
    {"SearchBackward", DO(c.SearchBackward(v)), 33186, "I", 0, true, kNone},
    {"SearchForward", DO(c.SearchForward(v)), 33185, "I", 0, true, kNone},
    {"SetSearchOption561", DO(c.SetSearchOption561(v)), 561, "I", 0, false, kNone},
    {"SetSearchOption563", DO(c.SetSearchOption563(v)), 563, "I", 0, false, kNone},
    {"SearchBegin570", DO(c.SearchBegin570()), 570, "", -1, false, kNone},
    {"SearchEnd573", DO(c.SearchEnd573()), 573, "", -1, false, kNone},
    {"GetPageNumber", GET(c.GetPageNumber()), 16450, "", -1, false, kInt16},
    {"GetHorizontalPosition", GET(c.GetHorizontalPosition()), 16740, "", -1, false, kInt16},
    {"GetVerticalPosition", GET(c.GetVerticalPosition()), 49205, "", -1, false, kInt16},
    {"QueryState16455", GET(c.QueryState16455()), 16455, "", -1, false, kInt16},
    {"GetDocumentPath", DO(c.GetDocumentPath()), 49189, "", -1, false, kNone},
    {"GetDocumentFileName", DO(c.GetDocumentFileName()), 49208, "", -1, false, kNone},
    {"IsDocumentModified", GET(c.IsDocumentModified()), 49213, "", -1, false, kInt32},
    {"SaveDocument", DO(c.SaveDocument()), 32993, "", -1, false, kNone},
    {"SaveDocumentAs", DO(c.SaveDocumentAs(kText, v, 1)), 33102, "NII", 1, true, kNone},
    {"NewDocument", DO(c.NewDocument()), 33101, "", -1, false, kNone},
    {"SetUpdateMode", GET(c.SetUpdateMode(v)), 33150, "I", 0, true, kInt32},
    {"Command33340", DO(c.Command33340(v)), 33340, "I", 0, true, kNone},
    {"GetSwitchA", GET(c.GetSwitchA()), 16846, "", -1, false, kInt32},
    {"SetSwitchA", DO(c.SetSwitchA(v)), 891, "I", 0, false, kNone},
    {"GetSwitchB", GET(c.GetSwitchB()), 16847, "", -1, false, kInt32},
    {"SetSwitchB", DO(c.SetSwitchB(v)), 892, "I", 0, false, kNone},
    {"GetSwitchC", GET(c.GetSwitchC()), 16926, "", -1, false, kInt32},
    {"SetSwitchC", DO(c.SetSwitchC(v)), 998, "I", 0, false, kNone},
};
#undef DO
#undef GET

class HostCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host::hostLibraries().isBound()) << "the host folder lacks hoststr17";
    liveAtStart_ = platform::globalLiveBlockCount();
  }
  void TearDown() override { EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_) << "everything freed"; }
  // The one block that the last call sent.
  const SentCommand& only() {
    EXPECT_EQ(host_.sent().size(), 1u);
    return host_.last();
  }
  HostCommands& c() { return host::hostCommands(); }

  commands_test::RecordingHost host_;
  std::size_t liveAtStart_ = 0;
};

TEST_F(HostCommandsTest, EveryOperationKeepsItsRow) {
  for (const Op& op : kOps) {
    SCOPED_TRACE(op.name);
    for (const std::int32_t value : {5, 253}) {  // 5: no translation lists it
      host_.clear();
      if (value == 5) host_.replyBytes({0xFE, 0xFF, 0x01, 0x00});
      if (value == 253) host_.noReply();
      EXPECT_EQ(op.call(c(), value), value == 5 ? kResultRead[op.result] : 0) << "a missing reply reads 0";
      const SentCommand& sent = only();
      EXPECT_EQ(sent.number(), op.number);
      EXPECT_EQ(sent.letters(), op.letters);
      EXPECT_EQ(sent.bytes.size(), (std::strlen(op.letters) + 3) * 16);
      EXPECT_EQ(host_.released().size(), 1u) << "the reply is released once";
      for (std::size_t i = 0; i < sent.count(); ++i) {
        const bool omitted = value == 253 && op.omits && static_cast<int>(i) == op.intSlot;
        EXPECT_EQ(sent.flags(i), omitted ? host::kFlagOmitted : 0) << "slot " << i;
      }
      EXPECT_EQ(op.intSlot < 0 ? value : sent.integer(op.intSlot), value) << "sent as it stands";
    }
  }
}

TEST_F(HostCommandsTest, ValuesAreTranslatedBeforeSending) {
  auto save = [](std::int32_t format, std::int32_t third) {
    return [=](HostCommands& c) { c.SaveDocumentAs(HostText("a"), format, third); };
  };
  auto info = [](std::int32_t what, std::int32_t sub, std::int32_t fourth, std::int32_t value) {
    return [=](HostCommands& c) {
      HostText name("XTOA~A");
      std::int32_t v = value;
      c.GetBookmarkInfo(name, what, sub, fourth, v);
    };
  };
  const struct { const char* name; std::function<void(HostCommands&)> call; std::size_t slot; std::int32_t sent; } rows[] = {
      {"AttributeOff 17723 becomes 7", [](HostCommands& c) { c.AttributeOff(17723); }, 0, 7},
      {"ConvertCase 17740 becomes 3", [](HostCommands& c) { c.ConvertCase(17740); }, 0, 3},
      {"a negative indent keeps its sign", [](HostCommands& c) { (void)c.SetParagraphIndent(-720); }, 0, -720},
      {"SaveDocumentAs format 16848 becomes 837", save(16848, 1), 1, 837},
      {"SaveDocumentAs third value 19531 becomes 2", save(4, 19531), 2, 2},
      {"GetBookmarkInfo what 10000 becomes 2", info(10000, 0, 0, 0), 1, 2},
      {"sub 11743 becomes 5", info(10000, 11743, 0, 0), 2, 5},
      {"fourth 13066 becomes 0", info(10000, 0, 13066, 0), 3, 0},
      {"value 12878 becomes 45", info(10000, 0, 0, 12878), 4, 45},
      {"about bookmarks the value is an index, sent as it is", info(10820, 19554, 0, 16716), 4, 16716},
      {"and what 4 as it stands is about bookmarks too", info(4, 19554, 0, 16716), 4, 16716},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    row.call(c());
    EXPECT_EQ(only().integer(row.slot), row.sent);
  }
}

TEST_F(HostCommandsTest, GetBookmarkInfoWritesBackOnlyCountAndName) {
  // The reply is replyText, or the integer replyInt (-1: no reply at all);
  // value and text are the caller's afterwards.
  const struct { const char* name; std::int32_t what, sub; const char* replyText; std::int32_t replyInt, value;
                 const char* text; } rows[] = {
      {"count into the caller's integer", 10820, 0, nullptr, 3, 3, "old"},
      {"count without a reply is 0", 10820, 0, nullptr, -1, 0, "old"},
      {"name into the caller's text, index kept", 10820, 19554, "XTOA~Entry2", -1, 16716, "XTOA~Entry2"},
      {"name without a reply is empty", 10820, 19554, nullptr, -1, 16716, ""},
      {"not about bookmarks, sub 19554", 10000, 19554, "new", -1, 16716, "old"},
      {"about bookmarks, another sub", 10820, 16716, nullptr, 77, 16716, "old"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    host_.noReply();
    if (row.replyText != nullptr) host_.replyText(row.replyText);
    if (row.replyInt >= 0) host_.replyBytes({std::uint8_t(row.replyInt)});
    HostText name("old");
    std::int32_t value = 16716;
    c().GetBookmarkInfo(name, row.what, row.sub, 13066, value);
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(name.text(), row.text);
    ASSERT_TRUE(only().pointees[0].has_value());
    EXPECT_EQ(only().pointees[0]->units, hostUnits("old")) << "the name went out as R";
  }
}

TEST_F(HostCommandsTest, TextResultsAndFailures) {
  for (const char* reply : {"Smith v. Jones \xA7 12", ""}) {
    host_.replyText(reply);
    EXPECT_EQ(c().GetDocumentFileName().text(), reply);
  }
  host_.noReply();
  EXPECT_TRUE(c().GetSelectedText().empty()) << "no reply reads as empty";
  // Four bytes at 136 make a 140-byte reply whose text at 138 is the one unit
  // 'A' with no terminator inside the block.
  host_.replyBytes({0, 0, 'A', 0});
  EXPECT_EQ(c().GetSelectedText().text(), "A");

  host_.clear();
  platform::globalSimulateFailureAfter(0);
  const std::int16_t page = c().GetPageNumber();
  platform::globalSimulateFailureAfter(-1);
  EXPECT_EQ(page, 0);
  EXPECT_TRUE(host_.sent().empty()) << "no block, nothing sent";

  host::hostLibraries().unbind();
  HostText unbound("Id.");
  const host::HostChar* converted = unbound.toHostString();
  const std::vector<host::HostChar> source = {'a', 'b', 0};
  HostText back("before");
  back.assignFromHostString(source.data());
  (void)host::hostLibraries().bind(17, 0);
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted[0], 0) << "unbound: an empty host string, not garbage";
  EXPECT_TRUE(back.empty());
}

}  // namespace
