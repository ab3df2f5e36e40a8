// The host window's side of a command: blocks built as a plug-in builds them
// are decoded into requests, the document's result comes back in a reply at
// 136 or 138, and message 1050 frees exactly the replies the host gave out.
#include "quillon/commands/block_executor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "quillon/commands/host_window.h"
#include "quillon/commands/request_format.h"
#include "tests/quillon/block_builder.h"

namespace {

using quillon::CommandRequest;
using quillon::CommandResult;
using quillon::ValueKind;
using quillon_test::BlockBuilder;

// Remembers every request and answers with a preset result.
class RecordingTarget : public quillon::DocumentTarget {
 public:
  CommandResult execute(const CommandRequest& request) override {
    requests.push_back(request);
    return result;
  }
  std::vector<CommandRequest> requests;
  CommandResult result;
};

class HostWindowTest : public testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = platform::globalLiveBlockCount(); }

  // Sends the block and returns the one request the target saw.
  CommandRequest decoded(BlockBuilder& block) {
    EXPECT_EQ(block.sendTo(window_->handle()), 1);
    EXPECT_EQ(target_.requests.size(), 1u);
    (void)block.release(window_->handle());
    return target_.requests.empty() ? CommandRequest{} : target_.requests.back();
  }

  RecordingTarget target_;
  quillon::BlockExecutor executor_{target_};
  std::unique_ptr<quillon::HostWindow> window_ = std::make_unique<quillon::HostWindow>(executor_);
  std::size_t liveAtStart_ = 0;
};

TEST_F(HostWindowTest, HeaderFieldsArriveAsTheyWereWritten) {
  BlockBuilder block(16450, 0);
  block.atoms(0xC010, 0xC020);
  const CommandRequest request = decoded(block);
  EXPECT_EQ(request.command, 16450);
  EXPECT_EQ(request.pluginAtom, 0xC010);
  EXPECT_EQ(request.hostAtom, 0xC020);
  EXPECT_EQ(request.declaredCount, 0u);
  EXPECT_TRUE(request.parameters.empty());
}

struct ParameterRow {
  const char* name;
  std::function<void(BlockBuilder&)> fill;  // writes slot 0
  std::function<void(const quillon::CommandParameter&)> check;
};

TEST_F(HostWindowTest, EveryLetterIsDecodedByItsStorageRule) {
  int notGlobal = 0;
  const ParameterRow rows[] = {
      {"32-bit integer", [](BlockBuilder& b) { b.integer(0, 'I', -70000); },
       [](const auto& p) {
         EXPECT_EQ(p.kind, ValueKind::Integer);
         EXPECT_EQ(p.integer, -70000);
         EXPECT_FALSE(p.omitted());
       }},
      {"omitted integer keeps its value", [](BlockBuilder& b) { b.integer(0, 'I', 253, 0x8000); },
       [](const auto& p) {
         EXPECT_TRUE(p.omitted());
         EXPECT_EQ(p.integer, 253);
       }},
      {"16-bit X value", [](BlockBuilder& b) { b.integer(0, 'X', 1440); },
       [](const auto& p) { EXPECT_EQ(p.integer, 1440); }},
      {"byte C value", [](BlockBuilder& b) { b.integer(0, 'C', 0xA7); },
       [](const auto& p) { EXPECT_EQ(p.integer, 0xA7); }},
      {"double J", [](BlockBuilder& b) { b.number(0, 'J', 1.5); },
       [](const auto& p) {
         EXPECT_EQ(p.kind, ValueKind::Number);
         EXPECT_DOUBLE_EQ(p.number, 1.5);
       }},
      {"double D", [](BlockBuilder& b) { b.number(0, 'D', -0.25); },
       [](const auto& p) { EXPECT_DOUBLE_EQ(p.number, -0.25); }},
      {"host string Q", [](BlockBuilder& b) { b.hostString(0, 'Q', u"Smith \u00A7 1983"); },
       [](const auto& p) {
         EXPECT_EQ(p.kind, ValueKind::HostString);
         EXPECT_EQ(p.text, u"Smith \u00A7 1983");
       }},
      {"host string R beyond Latin-1",
       [](BlockBuilder& b) { b.hostString(0, 'R', u"\u201CId.\u201D"); },
       [](const auto& p) { EXPECT_EQ(p.text, u"\u201CId.\u201D"); }},
      {"ANSI N keeps its bytes", [](BlockBuilder& b) { b.ansi(0, 'N', "/docs/r\xE9sum\xE9.qd"); },
       [](const auto& p) {
         EXPECT_EQ(p.kind, ValueKind::AnsiText);
         EXPECT_EQ(p.ansi, "/docs/r\xE9sum\xE9.qd");
       }},
      {"ANSI V empty", [](BlockBuilder& b) { b.ansi(0, 'V', ""); },
       [](const auto& p) {
         EXPECT_EQ(p.ansi, "");
         EXPECT_FALSE(p.nullPointer);
       }},
      {"null host string", [](BlockBuilder& b) { b.pointer(0, 'Q', nullptr); },
       [](const auto& p) {
         EXPECT_TRUE(p.nullPointer);
         EXPECT_EQ(p.text, u"");
       }},
      {"text pointer outside global memory",
       [&notGlobal](BlockBuilder& b) { b.pointer(0, 'Q', &notGlobal); },
       [](const auto& p) {
         EXPECT_TRUE(p.unreadable);
         EXPECT_EQ(p.text, u"");
       }},
      {"wide text f", [](BlockBuilder& b) { b.hostString(0, 'f', u"wide"); },
       [](const auto& p) {
         EXPECT_EQ(p.kind, ValueKind::WideText);
         EXPECT_EQ(p.text, u"wide");
       }},
  };
  for (const ParameterRow& row : rows) {
    SCOPED_TRACE(row.name);
    target_.requests.clear();
    BlockBuilder block(2, 1);
    row.fill(block);
    const CommandRequest request = decoded(block);
    ASSERT_EQ(request.parameters.size(), 1u);
    row.check(request.parameters[0]);
  }
}

TEST_F(HostWindowTest, ParametersKeepTheirOrder) {
  BlockBuilder block(191, 8);
  block.hostString(0, 'Q', u"Times New Roman");
  const std::int32_t values[] = {256, 0, 96, 112, 20, 139, 12};
  for (std::uint32_t i = 0; i < 7; ++i) block.integer(i + 1, 'I', values[i]);
  const CommandRequest request = decoded(block);
  ASSERT_EQ(request.parameters.size(), 8u);
  EXPECT_EQ(request.textAt(0), u"Times New Roman");
  for (std::uint32_t i = 0; i < 7; ++i) EXPECT_EQ(request.integerAt(i + 1), values[i]) << i;
}

TEST_F(HostWindowTest, ReadsStopAtTheEndOfEveryBlock) {
  // A count that claims more slots than the block holds.
  BlockBuilder block(2, 1);
  block.integer(0, 'I', 5).integer(1, 'I', 6).claimCount(1000);
  CommandRequest request = decoded(block);
  EXPECT_EQ(request.declaredCount, 1000u);
  EXPECT_EQ(request.parameters.size(), 2u) << "n + 3 lines hold n + 1 slots";

  // A text with no terminator ends with its block.
  target_.requests.clear();
  const platform::GlobalHandle raw = platform::globalAlloc(platform::kGhnd, 4);
  void* text = platform::globalLock(raw);
  std::memcpy(text, "ABCD", 4);
  BlockBuilder unterminated(2, 2);
  unterminated.pointer(0, 'N', text).pointer(1, 'Q', text);
  request = decoded(unterminated);
  EXPECT_EQ(request.parameters[0].ansi, "ABCD");
  EXPECT_EQ(request.parameters[1].text, std::u16string({u'\u4241', u'\u4443'}));
  (void)platform::globalFree(raw);
}

TEST_F(HostWindowTest, BlocksOutsideGlobalMemoryAreNotExecuted) {
  std::uint8_t onStack[64] = {};
  void* reply = reinterpret_cast<void*>(0x1);
  struct {
    void* block;
    void** replySlot;
  } record{onStack, &reply};
  EXPECT_EQ(
      platform::sendMessage(window_->handle(), 1035, 0, reinterpret_cast<std::intptr_t>(&record)),
      1);
  EXPECT_TRUE(target_.requests.empty());
  EXPECT_EQ(reply, nullptr) << "the reply slot is cleared";
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, 0), 0) << "null record";
}

struct ReplyRow {
  const char* name;
  std::function<void(BlockBuilder&)> fill;  // parameters, if any
  std::uint16_t command;
  std::uint32_t parameterCount;
  CommandResult result;
  enum class Shape { None, Int32, Int16, Text } shape;
};

TEST_F(HostWindowTest, RepliesTakeTheShapeOfTheCommand) {
  const auto noParameters = [](BlockBuilder&) {};
  const ReplyRow rows[] = {
      {"page number is 16-bit", noParameters, 16450, 0, {0x12345, {}}, ReplyRow::Shape::Int16},
      {"margin answer is 16-bit",
       [](BlockBuilder& b) { b.integer(0, 'X', 1440); },
       153,
       1,
       {-3, {}},
       ReplyRow::Shape::Int16},
      {"modified flag is 32-bit", noParameters, 49213, 0, {-2, {}}, ReplyRow::Shape::Int32},
      {"selected text", noParameters, 16665, 0, {0, u"Smith v. Jones"}, ReplyRow::Shape::Text},
      {"empty selected text", noParameters, 16665, 0, {0, u""}, ReplyRow::Shape::Text},
      {"bookmark name (what 4, sub 1)",
       [](BlockBuilder& b) {
         b.hostString(0, 'R', u"")
             .integer(1, 'I', 4)
             .integer(2, 'I', 1)
             .integer(3, 'I', 0)
             .integer(4, 'F', 2);
       },
       33416,
       5,
       {0, u"XTOA~Entry2"},
       ReplyRow::Shape::Text},
      {"bookmark count (what 4, sub 0)",
       [](BlockBuilder& b) {
         b.hostString(0, 'R', u"")
             .integer(1, 'I', 4)
             .integer(2, 'I', 0)
             .integer(3, 'I', 0)
             .integer(4, 'F', 0);
       },
       33416,
       5,
       {7, {}},
       ReplyRow::Shape::Int32},
      {"typing has no reply",
       [](BlockBuilder& b) { b.hostString(0, 'Q', u"x"); },
       2,
       1,
       {},
       ReplyRow::Shape::None},
      {"unknown command answers 0", noParameters, 12345, 0, {0, {}}, ReplyRow::Shape::Int32},
  };
  for (const ReplyRow& row : rows) {
    SCOPED_TRACE(row.name);
    target_.result = row.result;
    BlockBuilder block(row.command, row.parameterCount);
    row.fill(block);
    ASSERT_EQ(block.sendTo(window_->handle()), 1);
    void* reply = block.reply();
    switch (row.shape) {
      case ReplyRow::Shape::None:
        EXPECT_EQ(reply, nullptr);
        break;
      case ReplyRow::Shape::Int32:
        ASSERT_NE(reply, nullptr);
        EXPECT_EQ(quillon_test::replyInt32(reply), row.result.integer);
        break;
      case ReplyRow::Shape::Int16:
        ASSERT_NE(reply, nullptr);
        EXPECT_EQ(quillon_test::replyInt16(reply), static_cast<std::int16_t>(row.result.integer));
        break;
      case ReplyRow::Shape::Text: {
        ASSERT_NE(reply, nullptr);
        EXPECT_EQ(quillon_test::replyText(reply), row.result.text);
        const platform::GlobalHandle handle = platform::globalHandleOf(reply);
        EXPECT_GE(platform::globalSize(handle), 138 + 2 * (row.result.text.size() + 1));
        break;
      }
    }
    EXPECT_EQ(block.release(window_->handle()), reply != nullptr ? 1 : 0);
  }
  EXPECT_EQ(window_->outstandingReplies(), 0u);
}

TEST_F(HostWindowTest, ReleaseFreesOnlyRepliesTheHostGaveOut) {
  {
    BlockBuilder block(16665, 0);
    target_.result = {0, u"selected"};
    ASSERT_EQ(block.sendTo(window_->handle()), 1);
    ASSERT_NE(block.reply(), nullptr);
    EXPECT_EQ(window_->outstandingReplies(), 1u);
    // Somebody else's global block is not the host's to free.
    EXPECT_EQ(platform::sendMessage(window_->handle(), 1050, 0,
                                    reinterpret_cast<std::intptr_t>(block.block())),
              0);
    EXPECT_NE(platform::globalHandleOf(block.block()), nullptr) << "the sender's block survives";
    EXPECT_EQ(block.release(window_->handle()), 1);
    EXPECT_EQ(block.release(window_->handle()), 0) << "a second release frees nothing";
    EXPECT_EQ(platform::sendMessage(window_->handle(), 1050, 0, 0), 0);
  }
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

TEST_F(HostWindowTest, ClosingTheWindowFreesRepliesNeverReleased) {
  {
    BlockBuilder block(49213, 0);
    ASSERT_EQ(block.sendTo(window_->handle()), 1);
    ASSERT_NE(block.reply(), nullptr);
  }
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_ + 1);
  window_.reset();
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

TEST_F(HostWindowTest, ObserverSeesEachRequestWithItsResult) {
  std::vector<std::string> seen;
  executor_.setObserver([&seen](const CommandRequest& request, const CommandResult& result) {
    seen.push_back(quillon::formatRequest(request) + " -> " + std::to_string(result.integer));
  });
  target_.result = {4, {}};
  BlockBuilder first(89, 1);
  first.integer(0, 'I', 253, 0x8000);
  BlockBuilder second(167, 2);
  second.number(0, 'J', 1.5).integer(1, 'W', 0);
  BlockBuilder third(2, 1);
  third.hostString(0, 'Q', u"Say \"hi\"\n");
  for (BlockBuilder* block : {&first, &second, &third}) {
    block->sendTo(window_->handle());
    block->release(window_->handle());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"AttributeOn (89) I omitted -> 4",
                                            "SetLineSpacing (167) J 1.5 W 0 -> 4",
                                            "TypeText (2) Q \"Say \\\"hi\\\"\\n\" -> 4"}));
}

}  // namespace
