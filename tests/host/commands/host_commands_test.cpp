// What HostCommands operations put into their blocks and read from replies:
// the 253 omission rule, value translations, GetBookmarkInfo's write-backs,
// text parameters, and integer and text results with and without a reply.
#include <gtest/gtest.h>

#include <functional>

#include "host/host_commands.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostLibrariesBound;
using commands_test::hostUnits;
using commands_test::RecordingHost;
using commands_test::SentCommand;
using host::HostCommands;
using host::HostText;

constexpr std::uint16_t kOmitted = 0x8000;

class HostCommandsTest : public testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = platform::globalLiveBlockCount(); }
  void TearDown() override { EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_); }

  // The one block that the last call sent.
  const SentCommand& only() {
    EXPECT_EQ(host_.sent().size(), 1u);
    return host_.last();
  }

  HostCommands& commands() { return host::hostCommands(); }

  RecordingHost host_;
  std::size_t liveAtStart_ = 0;
};

struct SlotRow {
  const char* name;
  std::function<void(HostCommands&)> call;
  std::size_t slot;
  std::int32_t value;
  std::uint16_t flags;
};

TEST_F(HostCommandsTest, OmissionAndTranslationPerParameter) {
  const SlotRow rows[] = {
      {"AttributeOn 253 is omitted", [](HostCommands& c) { c.AttributeOn(253); }, 0, 253, kOmitted},
      {"AttributeOn 17723 becomes 7", [](HostCommands& c) { c.AttributeOn(17723); }, 0, 7, 0},
      {"AttributeOn 8 stays", [](HostCommands& c) { c.AttributeOn(8); }, 0, 8, 0},
      {"AttributeOff 253 is omitted", [](HostCommands& c) { c.AttributeOff(253); }, 0, 253, kOmitted},
      {"AttributeOff 17723 becomes 7", [](HostCommands& c) { c.AttributeOff(17723); }, 0, 7, 0},
      {"ConvertCase 17081 becomes 0", [](HostCommands& c) { c.ConvertCase(17081); }, 0, 0, 0},
      {"ConvertCase 17740 becomes 3", [](HostCommands& c) { c.ConvertCase(17740); }, 0, 3, 0},
      {"ConvertCase 2 stays", [](HostCommands& c) { c.ConvertCase(2); }, 0, 2, 0},
      {"ConvertCase cannot omit", [](HostCommands& c) { c.ConvertCase(253); }, 0, 253, 0},
      {"InsertCharacter character set", [](HostCommands& c) { c.InsertCharacter(4, 0xA7); }, 0, 4,
       0},
      {"InsertCharacter number cannot omit", [](HostCommands& c) { c.InsertCharacter(4, 253); }, 1,
       253, 0},
      {"SetFontSize cannot omit", [](HostCommands& c) { c.SetFontSize(253); }, 0, 253, 0},
      {"SetLineSpacing second value 253", [](HostCommands& c) { c.SetLineSpacing(1.0, 253); }, 1,
       253, kOmitted},
      {"SetLineSpacing second value 0", [](HostCommands& c) { c.SetLineSpacing(1.0, 0); }, 1, 0, 0},
      {"SetMarginLeft 253", [](HostCommands& c) { (void)c.SetMarginLeft(253); }, 0, 253, kOmitted},
      {"SetMarginLeft 1200", [](HostCommands& c) { (void)c.SetMarginLeft(1200); }, 0, 1200, 0},
      {"SetMarginRight 253", [](HostCommands& c) { (void)c.SetMarginRight(253); }, 0, 253, kOmitted},
      {"SetMarginTop 253", [](HostCommands& c) { (void)c.SetMarginTop(253); }, 0, 253, kOmitted},
      {"SetMarginBottom 253", [](HostCommands& c) { (void)c.SetMarginBottom(253); }, 0, 253,
       kOmitted},
      {"Command170 253", [](HostCommands& c) { (void)c.Command170(253); }, 0, 253, kOmitted},
      {"SetParagraphIndent 253", [](HostCommands& c) { (void)c.SetParagraphIndent(253); }, 0, 253,
       kOmitted},
      {"SetParagraphIndent negative", [](HostCommands& c) { (void)c.SetParagraphIndent(-720); }, 0,
       -720, 0},
      {"SetFirstLineIndent cannot omit", [](HostCommands& c) { c.SetFirstLineIndent(253); }, 0, 253,
       0},
      {"ApplyToSelection203 253", [](HostCommands& c) { (void)c.ApplyToSelection203(253); }, 0, 253,
       kOmitted},
      {"CreateBookmark flag 253",
       [](HostCommands& c) { c.CreateBookmark(HostText("XTOA~A"), 253); }, 1, 253, kOmitted},
      {"CreateBookmark over selection",
       [](HostCommands& c) { c.CreateBookmark(HostText("XTOA~A"), 1); }, 1, 1, 0},
      {"CreateHyperlink flag 253",
       [](HostCommands& c) { c.CreateHyperlink(0, HostText(), HostText("XTOA~A"), 253); }, 3, 253,
       kOmitted},
      {"CreateHyperlink kind cannot omit",
       [](HostCommands& c) { c.CreateHyperlink(253, HostText(), HostText("XTOA~A"), 0); }, 0, 253,
       0},
      {"SetSelectMode 253", [](HostCommands& c) { c.SetSelectMode(253); }, 0, 253, kOmitted},
      {"SetSelectMode on", [](HostCommands& c) { c.SetSelectMode(1); }, 0, 1, 0},
      {"Command823 cannot omit", [](HostCommands& c) { c.Command823(253); }, 0, 253, 0},
      {"SearchBackward 253", [](HostCommands& c) { c.SearchBackward(253); }, 0, 253, kOmitted},
      {"SearchForward 253", [](HostCommands& c) { c.SearchForward(253); }, 0, 253, kOmitted},
      {"SetSearchOption561 cannot omit", [](HostCommands& c) { c.SetSearchOption561(253); }, 0, 253,
       0},
      {"SetSearchOption563 cannot omit", [](HostCommands& c) { c.SetSearchOption563(253); }, 0, 253,
       0},
      {"SetUpdateMode 253", [](HostCommands& c) { (void)c.SetUpdateMode(253); }, 0, 253, kOmitted},
      {"Command33340 253", [](HostCommands& c) { c.Command33340(253); }, 0, 253, kOmitted},
      {"SetSwitchA cannot omit", [](HostCommands& c) { c.SetSwitchA(253); }, 0, 253, 0},
      {"SetSwitchB cannot omit", [](HostCommands& c) { c.SetSwitchB(253); }, 0, 253, 0},
      {"SetSwitchC cannot omit", [](HostCommands& c) { c.SetSwitchC(253); }, 0, 253, 0},
  };
  for (const SlotRow& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    row.call(commands());
    const SentCommand& sent = only();
    EXPECT_EQ(sent.integer(row.slot), row.value);
    EXPECT_EQ(sent.flags(row.slot), row.flags);
  }
}

TEST_F(HostCommandsTest, SetFontSendsTheFaceAndSevenIntegers) {
  commands().SetFont(HostText("Times"), 256, 0, 96, 253, 20, 139, 12);
  const SentCommand& sent = only();
  ASSERT_EQ(sent.count(), 8u);
  EXPECT_EQ(sent.bytes.size(), 176u);
  const std::int32_t expected[] = {256, 0, 96, 253, 20, 139, 12};
  for (std::size_t i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(sent.letter(i + 1), 'I');
    EXPECT_EQ(sent.integer(i + 1), expected[i]);
    EXPECT_EQ(sent.flags(i + 1), i == 3 ? kOmitted : 0);
  }
  if (hostLibrariesBound()) {
    ASSERT_TRUE(sent.pointees[0].has_value());
    EXPECT_EQ(sent.pointees[0]->units, hostUnits("Times"));
  }
}

TEST_F(HostCommandsTest, SpacingTravelsAsADouble) {
  commands().SetLineSpacing(1.5, 0);
  EXPECT_EQ(only().letter(0), 'J');
  EXPECT_EQ(only().number(0), 1.5);
  host_.clear();
  commands().Command157(1.0);
  EXPECT_EQ(only().number(0), 1.0);
}

TEST_F(HostCommandsTest, SaveDocumentAsTranslatesFormatAndThirdValue) {
  struct Row {
    const char* name;
    std::int32_t format, third;
    std::int32_t sentFormat, sentThird;
    std::uint16_t formatFlags, thirdFlags;
  } rows[] = {
      {"16848 becomes 837", 16848, 1, 837, 1, 0, 0},
      {"17495 becomes 150", 17495, 1, 150, 1, 0, 0},
      {"15892 becomes 227", 15892, 1, 227, 1, 0, 0},
      {"the callers' 4 and 1 go as they are", 4, 1, 4, 1, 0, 0},
      {"third 19531 becomes 2", 4, 19531, 4, 2, 0, 0},
      {"format omitted", 253, 1, 253, 1, kOmitted, 0},
      {"third omitted", 4, 253, 4, 253, 0, kOmitted},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    commands().SaveDocumentAs(HostText("/home/ann/brief.qdoc"), row.format, row.third);
    const SentCommand& sent = only();
    EXPECT_EQ(sent.integer(1), row.sentFormat);
    EXPECT_EQ(sent.flags(1), row.formatFlags);
    EXPECT_EQ(sent.integer(2), row.sentThird);
    EXPECT_EQ(sent.flags(2), row.thirdFlags);
    ASSERT_TRUE(sent.pointees[0].has_value());
    EXPECT_EQ(sent.pointees[0]->ansi, "/home/ann/brief.qdoc");
    EXPECT_EQ(sent.flags(0), 0);
  }
}

TEST_F(HostCommandsTest, GetBookmarkInfoTranslatesEachArgument) {
  struct Row {
    const char* name;
    std::int32_t what, sub, fourth, value;
    std::int32_t sentWhat, sentSub, sentFourth, sentValue;
    char valueLetter;
    std::uint16_t valueFlags;
  } rows[] = {
      {"what 10000", 10000, 0, 0, 0, 2, 0, 0, 0, '@', 0},
      {"what 10820 asks about bookmarks", 10820, 0, 13066, 7, 4, 0, 0, 7, 'F', 0},
      {"what 17727", 17727, 0, 0, 0, 14, 0, 0, 0, '@', 0},
      {"what 14925", 14925, 0, 0, 0, 0, 0, 0, 0, '@', 0},
      {"what 15733", 15733, 0, 0, 0, 1, 0, 0, 0, '@', 0},
      {"what 13387", 13387, 0, 0, 0, 2, 0, 0, 0, '@', 0},
      {"what 10936", 10936, 0, 0, 0, 8, 0, 0, 0, '@', 0},
      {"what 12800", 12800, 0, 0, 0, 9, 0, 0, 0, '@', 0},
      {"unlisted what stays", 3, 0, 0, 0, 3, 0, 0, 0, '@', 0},
      {"sub 16716", 10000, 16716, 0, 0, 2, 8, 0, 0, '@', 0},
      {"sub 19554", 10000, 19554, 0, 0, 2, 1, 0, 0, '@', 0},
      {"sub 11743", 10000, 11743, 0, 0, 2, 5, 0, 0, '@', 0},
      {"fourth 13066", 10000, 0, 13066, 0, 2, 0, 0, 0, '@', 0},
      {"unlisted fourth stays", 10000, 0, 5, 0, 2, 0, 5, 0, '@', 0},
      {"value 16716", 10000, 0, 0, 16716, 2, 0, 0, 5, '@', 0},
      {"value 17179", 10000, 0, 0, 17179, 2, 0, 0, 13, '@', 0},
      {"value 11435", 10000, 0, 0, 11435, 2, 0, 0, 25, '@', 0},
      {"value 12878", 10000, 0, 0, 12878, 2, 0, 0, 45, '@', 0},
      {"value 253 omitted", 10000, 0, 0, 253, 2, 0, 0, 253, '@', kOmitted},
      {"an index is not a symbolic value", 10820, 19554, 13066, 16716, 4, 1, 0, 16716, 'F', 0},
      {"what 4 sent as is also asks about bookmarks", 4, 1, 0, 2, 4, 1, 0, 2, 'F', 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    HostText name("XTOA~A");
    std::int32_t value = row.value;
    commands().GetBookmarkInfo(name, row.what, row.sub, row.fourth, value);
    const SentCommand& sent = only();
    EXPECT_EQ(sent.letters(), std::string("RIII") + row.valueLetter);
    EXPECT_EQ(sent.integer(1), row.sentWhat);
    EXPECT_EQ(sent.integer(2), row.sentSub);
    EXPECT_EQ(sent.integer(3), row.sentFourth);
    EXPECT_EQ(sent.integer(4), row.sentValue);
    EXPECT_EQ(sent.flags(4), row.valueFlags);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(sent.flags(i), 0) << "slot " << i;
  }
}

TEST_F(HostCommandsTest, GetBookmarkInfoCountIsWrittenIntoTheCallersInteger) {
  HostText name;
  std::int32_t count = 99;
  host_.replyInt32(3);
  commands().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks,
                             host::bookmark_info::kSubCount, host::bookmark_info::kFourth, count);
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(only().integer(4), 99) << "the caller's integer went out first";
  EXPECT_EQ(only().raw(0), 0u) << "an empty name travels as null";

  host_.clear();
  host_.replyInt32(0);
  commands().GetBookmarkInfo(name, 10820, 0, 13066, count);
  EXPECT_EQ(count, 0) << "a document without bookmarks";
}

TEST_F(HostCommandsTest, GetBookmarkInfoNameIsWrittenIntoTheCallersText) {
  ASSERT_TRUE(hostLibrariesBound()) << "the host folder lacks hoststr17";
  HostText name("old");
  std::int32_t index = 2;
  host_.replyText("XTOA~Entry2");
  commands().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks,
                             host::bookmark_info::kSubName, host::bookmark_info::kFourth, index);
  EXPECT_TRUE(name == "XTOA~Entry2") << name.text();
  EXPECT_EQ(index, 2) << "the index is not written back";
  const SentCommand& sent = only();
  ASSERT_TRUE(sent.pointees[0].has_value());
  EXPECT_EQ(sent.pointees[0]->units, hostUnits("old")) << "the name went out as R";
  EXPECT_EQ(sent.integer(4), 2);
}

TEST_F(HostCommandsTest, GetBookmarkInfoWithoutReplyWritesZeroAndEmpty) {
  HostText name("old");
  std::int32_t value = 5;
  commands().GetBookmarkInfo(name, 10820, 0, 13066, value);
  EXPECT_EQ(value, 0);
  commands().GetBookmarkInfo(name, 10820, 19554, 13066, value);
  EXPECT_TRUE(name.empty());
}

TEST_F(HostCommandsTest, GetBookmarkInfoWritesBackOnlyCountAndName) {
  struct Row {
    const char* name;
    std::int32_t what, sub;
  } rows[] = {
      {"not about bookmarks, sub 0", 10000, 0},
      {"not about bookmarks, sub 19554", 10000, 19554},
      {"about bookmarks, another sub", 10820, 16716},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HostText name("keep");
    std::int32_t value = 16716;
    host_.replyInt32(77);
    commands().GetBookmarkInfo(name, row.what, row.sub, 13066, value);
    EXPECT_EQ(value, 16716);
    EXPECT_TRUE(name == "keep");
  }
}

TEST_F(HostCommandsTest, IntegerResultsReadTheirWidthAtOffset136) {
  struct Row {
    const char* name;
    std::function<std::int64_t(HostCommands&)> call;
    std::int64_t expected;  // reply bytes FE FF 01 00: int16 -2, int32 0x1FFFE
  } rows[] = {
      {"SetMarginLeft", [](HostCommands& c) { return c.SetMarginLeft(1200); }, -2},
      {"SetMarginRight", [](HostCommands& c) { return c.SetMarginRight(1200); }, -2},
      {"SetMarginTop", [](HostCommands& c) { return c.SetMarginTop(1200); }, -2},
      {"SetMarginBottom", [](HostCommands& c) { return c.SetMarginBottom(1200); }, -2},
      {"Command170", [](HostCommands& c) { return c.Command170(0); }, -2},
      {"SetParagraphIndent", [](HostCommands& c) { return c.SetParagraphIndent(0); }, -2},
      {"GetPageNumber", [](HostCommands& c) { return c.GetPageNumber(); }, -2},
      {"GetHorizontalPosition", [](HostCommands& c) { return c.GetHorizontalPosition(); }, -2},
      {"GetVerticalPosition", [](HostCommands& c) { return c.GetVerticalPosition(); }, -2},
      {"QueryState16455", [](HostCommands& c) { return c.QueryState16455(); }, -2},
      {"ApplyToSelection203", [](HostCommands& c) { return c.ApplyToSelection203(1); }, 0x1FFFE},
      {"IsDocumentModified", [](HostCommands& c) { return c.IsDocumentModified(); }, 0x1FFFE},
      {"SetUpdateMode", [](HostCommands& c) { return c.SetUpdateMode(1); }, 0x1FFFE},
      {"GetSwitchA", [](HostCommands& c) { return c.GetSwitchA(); }, 0x1FFFE},
      {"GetSwitchB", [](HostCommands& c) { return c.GetSwitchB(); }, 0x1FFFE},
      {"GetSwitchC", [](HostCommands& c) { return c.GetSwitchC(); }, 0x1FFFE},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.replyBytes({0xFE, 0xFF, 0x01, 0x00});
    EXPECT_EQ(row.call(commands()), row.expected);
    host_.noReply();
    EXPECT_EQ(row.call(commands()), 0) << "no reply reads as 0";
  }
}

TEST_F(HostCommandsTest, TextResultsReadTheHostStringAtOffset138) {
  ASSERT_TRUE(hostLibrariesBound()) << "the host folder lacks hoststr17";
  struct Row {
    const char* name;
    std::function<HostText(HostCommands&)> call;
    const char* reply;
  } rows[] = {
      {"GetSelectedText", [](HostCommands& c) { return c.GetSelectedText(); }, "Smith v. Jones"},
      {"GetSelectedText with nothing selected", [](HostCommands& c) { return c.GetSelectedText(); },
       ""},
      {"GetDocumentPath", [](HostCommands& c) { return c.GetDocumentPath(); }, "/home/ann/"},
      {"GetDocumentFileName", [](HostCommands& c) { return c.GetDocumentFileName(); },
       "brief.qdoc"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.replyText(row.reply);
    const HostText result = row.call(commands());
    EXPECT_TRUE(result == row.reply) << result.text();
    host_.noReply();
    EXPECT_TRUE(row.call(commands()).empty()) << "no reply reads as empty";
  }
}

TEST_F(HostCommandsTest, TextParametersTravelAsHostStrings) {
  ASSERT_TRUE(hostLibrariesBound()) << "the host folder lacks hoststr17";
  struct Row {
    const char* name;
    std::function<void(HostCommands&, HostText)> call;
    std::size_t slot;
  } rows[] = {
      {"TypeText", [](HostCommands& c, HostText t) { c.TypeText(t); }, 0},
      {"GoToBookmark", [](HostCommands& c, HostText t) { c.GoToBookmark(t); }, 0},
      {"SelectBookmark", [](HostCommands& c, HostText t) { c.SelectBookmark(t); }, 0},
      {"DeleteBookmark", [](HostCommands& c, HostText t) { c.DeleteBookmark(t); }, 0},
      {"CreateBookmark", [](HostCommands& c, HostText t) { c.CreateBookmark(t, 0); }, 0},
      {"CreateHyperlink", [](HostCommands& c, HostText t) { c.CreateHyperlink(0, HostText(), t, 0); },
       2},
      {"SetSearchText", [](HostCommands& c, HostText t) { c.SetSearchText(t); }, 0},
      {"SetFont", [](HostCommands& c, HostText t) { c.SetFont(t, 256, 0, 96, 112, 20, 139, 12); },
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    row.call(commands(), HostText("XTOA~Cite\xA7" "12"));
    const SentCommand& sent = only();
    ASSERT_TRUE(sent.pointees[row.slot].has_value());
    EXPECT_EQ(sent.pointees[row.slot]->units, hostUnits("XTOA~Cite\xA7" "12"));
    EXPECT_EQ(sent.flags(row.slot), 0);

    host_.clear();
    row.call(commands(), HostText());
    EXPECT_EQ(only().raw(row.slot), 0u) << "an empty text is sent as null";
    EXPECT_EQ(only().flags(row.slot), 0) << "and is not marked omitted";
  }
}

TEST_F(HostCommandsTest, HyperlinkTextTravelsAsAnsi) {
  commands().CreateHyperlink(0, HostText(), HostText("XTOA~A"), 0);
  const SentCommand& sent = only();
  EXPECT_EQ(sent.letter(1), 'V');
  ASSERT_TRUE(sent.pointees[1].has_value());
  EXPECT_EQ(sent.pointees[1]->ansi, "");
  EXPECT_EQ(sent.pointees[1]->blockBytes, 1u);
}

TEST_F(HostCommandsTest, NothingIsSentWhenTheBlockCannotBeMade) {
  host_.replyInt32(5);
  platform::globalSimulateFailureAfter(0);
  const std::int16_t page = commands().GetPageNumber();
  HostText name("XTOA~A");
  std::int32_t count = 9;
  commands().GetBookmarkInfo(name, 10820, 0, 13066, count);
  platform::globalSimulateFailureAfter(-1);
  EXPECT_EQ(page, 0);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(host_.sent().empty());
}

}  // namespace
