// What HostCommands operations translate before sending, what GetBookmarkInfo
// writes back into its caller's arguments, text results, the parameters that
// callers fix, and what happens when no block can be made.
#include <gtest/gtest.h>

#include <functional>

#include "host/host_commands.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostUnits;
using commands_test::SentCommand;
using host::HostCommands;
using host::HostText;

constexpr std::uint16_t kOmitted = 0x8000;

class HostCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host::hostLibraries().isBound()) << "the host folder lacks hoststr17";
    liveAtStart_ = platform::globalLiveBlockCount();
  }
  void TearDown() override { EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_); }

  // The one block that the last call sent.
  const SentCommand& only() {
    EXPECT_EQ(host_.sent().size(), 1u);
    return host_.last();
  }
  HostCommands& commands() { return host::hostCommands(); }

  commands_test::RecordingHost host_;
  std::size_t liveAtStart_ = 0;
};

TEST_F(HostCommandsTest, ValuesAreTranslatedBeforeSending) {
  auto save = [](std::int32_t format, std::int32_t third) {
    return [=](HostCommands& c) { c.SaveDocumentAs(HostText("a"), format, third); };
  };
  struct Row {
    const char* name;
    std::function<void(HostCommands&)> call;
    std::size_t slot;
    std::int32_t sent;
    std::uint16_t flags;
  } rows[] = {
      {"AttributeOn 17723 becomes 7", [](HostCommands& c) { c.AttributeOn(17723); }, 0, 7, 0},
      {"AttributeOff 17723 becomes 7", [](HostCommands& c) { c.AttributeOff(17723); }, 0, 7, 0},
      {"ConvertCase 17081 becomes 0", [](HostCommands& c) { c.ConvertCase(17081); }, 0, 0, 0},
      {"ConvertCase 17740 becomes 3", [](HostCommands& c) { c.ConvertCase(17740); }, 0, 3, 0},
      {"a negative indent keeps its sign", [](HostCommands& c) { (void)c.SetParagraphIndent(-720); }, 0,
       -720, 0},
      {"SaveDocumentAs format 16848 becomes 837", save(16848, 1), 1, 837, 0},
      {"SaveDocumentAs format 17495 becomes 150", save(17495, 1), 1, 150, 0},
      {"SaveDocumentAs format 15892 becomes 227", save(15892, 1), 1, 227, 0},
      {"the callers' format 4 goes as it is", save(4, 1), 1, 4, 0},
      {"the callers' third value 1 too", save(4, 1), 2, 1, 0},
      {"SaveDocumentAs third value 19531 becomes 2", save(4, 19531), 2, 2, 0},
      {"SaveDocumentAs third value omitted", save(4, 253), 2, 253, kOmitted},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    row.call(commands());
    EXPECT_EQ(only().integer(row.slot), row.sent);
    EXPECT_EQ(only().flags(row.slot), row.flags);
  }
}

TEST_F(HostCommandsTest, FixedParametersKeepTheirSlots) {
  commands().SetFont(HostText("Times"), 256, 0, 96, 112, 20, 139, 12);
  const std::int32_t expected[] = {256, 0, 96, 112, 20, 139, 12};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(only().integer(i + 1), expected[i]) << i;

  host_.clear();
  commands().SetLineSpacing(1.5, 0);
  EXPECT_EQ(only().number(0), 1.5) << "spacing travels as a double";
  host_.clear();
  commands().Command157(1.0);
  EXPECT_EQ(only().number(0), 1.0);

  host_.clear();
  commands().CreateHyperlink(0, HostText(), HostText("XTOA~A"), 0);
  ASSERT_TRUE(only().pointees[1].has_value()) << "the hyperlink text is an ANSI copy, even empty";
  EXPECT_EQ(only().pointees[1]->blockBytes, 1u);
}

TEST_F(HostCommandsTest, GetBookmarkInfoTranslatesEachArgument) {
  // Each row changes one argument of a question about the document (what
  // 10000, sub 0, fourth 0, value 0) and names what the host receives.
  struct Row {
    std::size_t slot;
    std::int32_t from, to;
  } rows[] = {
      {1, 10000, 2}, {1, 17727, 14}, {1, 14925, 0}, {1, 15733, 1}, {1, 13387, 2}, {1, 10936, 8},
      {1, 12800, 9}, {1, 3, 3}, {2, 16716, 8}, {2, 19554, 1}, {2, 11743, 5}, {2, 2, 2},
      {3, 13066, 0}, {3, 5, 5}, {4, 16716, 5}, {4, 17179, 13}, {4, 11435, 25}, {4, 12878, 45}, {4, 7, 7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "slot " << row.slot << ": " << row.from);
    std::int32_t args[5] = {0, 10000, 0, 0, 0};
    std::int32_t sent[5] = {0, 2, 0, 0, 0};
    args[row.slot] = row.from;
    sent[row.slot] = row.to;
    HostText name("XTOA~A");
    host_.clear();
    commands().GetBookmarkInfo(name, args[1], args[2], args[3], args[4]);
    EXPECT_EQ(only().letters(), "RIII@");
    for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(only().integer(i), sent[i]) << "slot " << i;
  }
  // About bookmarks (10820, or 4 as it stands) the value is an index: not
  // translated, and sent with letter F.
  for (const std::int32_t what : {10820, 4}) {
    host_.clear();
    HostText name;
    std::int32_t index = 16716;
    commands().GetBookmarkInfo(name, what, 19554, 13066, index);
    EXPECT_EQ(only().letters(), "RIIIF");
    EXPECT_EQ(only().integer(1), 4);
    EXPECT_EQ(only().integer(4), 16716);
  }
}

TEST_F(HostCommandsTest, GetBookmarkInfoWritesBackOnlyCountAndName) {
  struct Row {
    const char* name;
    std::int32_t what, sub;
    const char* replyText;   // a text reply, or
    std::int32_t replyInt;   // an integer reply; -1 for no reply at all
    std::int32_t value;      // the caller's integer afterwards
    const char* text;        // the caller's text afterwards
  } rows[] = {
      {"count into the caller's integer", 10820, 0, nullptr, 3, 3, "old"},
      {"count without a reply is 0", 10820, 0, nullptr, -1, 0, "old"},
      {"name into the caller's text, index kept", 10820, 19554, "XTOA~Entry2", -1, 16716, "XTOA~Entry2"},
      {"name without a reply is empty", 10820, 19554, nullptr, -1, 16716, ""},
      {"not about bookmarks, sub 0", 10000, 0, nullptr, 77, 16716, "old"},
      {"not about bookmarks, sub 19554", 10000, 19554, "new", -1, 16716, "old"},
      {"about bookmarks, another sub", 10820, 16716, nullptr, 77, 16716, "old"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    host_.noReply();
    if (row.replyText != nullptr) host_.replyText(row.replyText);
    if (row.replyInt >= 0) host_.replyBytes({std::uint8_t(row.replyInt)});
    HostText name("old");
    std::int32_t value = 16716;
    commands().GetBookmarkInfo(name, row.what, row.sub, 13066, value);
    EXPECT_EQ(value, row.value);
    EXPECT_TRUE(name == row.text) << name.text();
    ASSERT_TRUE(only().pointees[0].has_value());
    EXPECT_EQ(only().pointees[0]->units, hostUnits("old")) << "the name went out as R";
  }
}

TEST_F(HostCommandsTest, TextResultsReadTheHostStringAtOffset138) {
  struct Row {
    const char* name;
    std::function<HostText(HostCommands&)> call;
    const char* reply;
  } rows[] = {
      {"GetSelectedText", [](HostCommands& c) { return c.GetSelectedText(); }, "Smith v. Jones"},
      {"nothing selected", [](HostCommands& c) { return c.GetSelectedText(); }, ""},
      {"GetDocumentPath", [](HostCommands& c) { return c.GetDocumentPath(); }, "/home/ann/"},
      {"GetDocumentFileName", [](HostCommands& c) { return c.GetDocumentFileName(); }, "brief.qdoc"},
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

TEST_F(HostCommandsTest, UnterminatedTextReplyIsReadOnlyToTheEndOfItsBlock) {
  // Four bytes at 136 make a 140-byte reply whose text at 138 is the one unit
  // 'A' with no terminator inside the block.
  host_.replyBytes({0, 0, 'A', 0});
  const HostText text = commands().GetSelectedText();
  EXPECT_TRUE(text == "A") << text.text();
}

TEST_F(HostCommandsTest, NothingIsSentWhenTheBlockCannotBeMade) {
  host_.replyBytes({5});
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
