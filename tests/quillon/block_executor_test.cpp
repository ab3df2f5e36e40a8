// The host window's side of a command. In: blocks built as a plug-in builds
// them, sent with message 1035. Out: requests decoded for the document, its
// result in a reply at 136 or 138, and message 1050 freeing exactly the
// replies the host gave out.
#include "quillon/commands/block_executor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "quillon/commands/host_window.h"
#include "quillon/commands/request_format.h"
#include "tests/quillon/block_builder.h"

namespace {

using quillon::CommandParameter;
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
  // Sends the block, releases the reply and returns the request the target saw.
  CommandRequest decoded(BlockBuilder& block) {
    target_.requests.clear();
    EXPECT_EQ(block.sendTo(window_->handle()), 1);
    (void)block.release(window_->handle());
    EXPECT_EQ(target_.requests.size(), 1u);
    return target_.requests.empty() ? CommandRequest{} : target_.requests.back();
  }

  const std::size_t liveAtStart_ = platform::globalLiveBlockCount();
  RecordingTarget target_;
  quillon::BlockExecutor executor_{target_};
  std::unique_ptr<quillon::HostWindow> window_ = std::make_unique<quillon::HostWindow>(executor_);
};

TEST_F(HostWindowTest, HeaderAndParametersArriveInOrder) {
  BlockBuilder block(191, 8);
  block.atoms(0xC010, 0xC020).hostString(0, 'Q', u"Times New Roman");
  const std::int32_t values[] = {256, 0, 96, 112, 20, 139, 12};
  for (std::uint32_t i = 0; i < 7; ++i) block.integer(i + 1, 'I', values[i]);
  const CommandRequest request = decoded(block);
  EXPECT_EQ(request.command, 191);
  EXPECT_EQ(request.pluginAtom, 0xC010);
  EXPECT_EQ(request.hostAtom, 0xC020);
  EXPECT_EQ(request.declaredCount, 8u);
  ASSERT_EQ(request.parameters.size(), 8u);
  EXPECT_EQ(request.textAt(0), u"Times New Roman");
  for (std::uint32_t i = 0; i < 7; ++i) EXPECT_EQ(request.integerAt(i + 1), values[i]) << i;
}

TEST_F(HostWindowTest, EveryLetterIsDecodedByItsStorageRule) {
  int notGlobal = 0;
  const struct {
    const char* name;
    const char* letters;  // each is sent on its own in slot 0
    std::function<void(BlockBuilder&, char)> fill;
    std::function<void(const CommandParameter&)> check;
  } rows[] = {
      {"integers: the low 32 bits", "ABCEFIWXZ", [](BlockBuilder& b, char l) { b.integer(0, l, -70000); },
       [](const CommandParameter& p) {
         EXPECT_EQ(p.kind, ValueKind::Integer);
         EXPECT_EQ(p.integer, -70000);
         EXPECT_FALSE(p.omitted());
       }},
      {"omitted flag, value kept", "I", [](BlockBuilder& b, char l) { b.integer(0, l, 253, 0x8000); },
       [](const CommandParameter& p) { EXPECT_TRUE(p.omitted() && p.integer == 253); }},
      {"doubles", "DJKLM", [](BlockBuilder& b, char l) { b.number(0, l, -0.25); },
       [](const CommandParameter& p) { EXPECT_TRUE(p.kind == ValueKind::Number && p.number == -0.25); }},
      {"ANSI texts keep their bytes", "NOPV", [](BlockBuilder& b, char l) { b.ansi(0, l, "/docs/r\xE9sum\xE9.qd"); },
       [](const CommandParameter& p) {
         EXPECT_EQ(p.kind, ValueKind::AnsiText);
         EXPECT_EQ(p.ansi, "/docs/r\xE9sum\xE9.qd");
       }},
      {"empty ANSI text is not null", "V", [](BlockBuilder& b, char l) { b.ansi(0, l, ""); },
       [](const CommandParameter& p) { EXPECT_TRUE(p.ansi.empty() && !p.nullPointer); }},
      {"host strings beyond Latin-1", "QR",
       [](BlockBuilder& b, char l) { b.hostString(0, l, u"\u201CId.\u201D \u00A7"); },
       [](const CommandParameter& p) {
         EXPECT_EQ(p.kind, ValueKind::HostString);
         EXPECT_EQ(p.text, u"\u201CId.\u201D \u00A7");
       }},
      {"wide text", "f", [](BlockBuilder& b, char l) { b.hostString(0, l, u"wide"); },
       [](const CommandParameter& p) { EXPECT_TRUE(p.kind == ValueKind::WideText && p.text == u"wide"); }},
      {"null text pointer", "QN", [](BlockBuilder& b, char l) { b.pointer(0, l, nullptr); },
       [](const CommandParameter& p) { EXPECT_TRUE(p.nullPointer && p.text.empty() && p.ansi.empty()); }},
      {"text pointer outside global memory", "Q",
       [&notGlobal](BlockBuilder& b, char l) { b.pointer(0, l, &notGlobal); },
       [](const CommandParameter& p) { EXPECT_TRUE(p.unreadable && p.text.empty()); }},
  };
  for (const auto& row : rows) {
    for (const char* letter = row.letters; *letter != '\0'; ++letter) {
      SCOPED_TRACE(std::string(row.name) + ", letter " + *letter);
      BlockBuilder block(2, 1);
      row.fill(block, *letter);
      const CommandRequest request = decoded(block);
      ASSERT_EQ(request.parameters.size(), 1u);
      EXPECT_EQ(request.parameters[0].letter, *letter);
      row.check(request.parameters[0]);
    }
  }
}

TEST_F(HostWindowTest, ReadsStopAtTheEndOfEveryBlock) {
  BlockBuilder block(2, 1);
  block.integer(0, 'I', 5).integer(1, 'I', 6).claimCount(1000);
  CommandRequest request = decoded(block);
  EXPECT_EQ(request.declaredCount, 1000u);
  EXPECT_EQ(request.parameters.size(), 2u) << "n + 3 lines hold n + 1 slots";

  // A text with no terminator ends with its block.
  const platform::GlobalHandle raw = platform::globalAlloc(platform::kGhnd, 4);
  void* text = platform::globalLock(raw);
  std::memcpy(text, "ABCD", 4);
  BlockBuilder unterminated(2, 2);
  unterminated.pointer(0, 'N', text).pointer(1, 'Q', text);
  request = decoded(unterminated);
  ASSERT_EQ(request.parameters.size(), 2u);
  EXPECT_EQ(request.parameters[0].ansi, "ABCD");
  EXPECT_EQ(request.parameters[1].text, std::u16string({u'\u4241', u'\u4443'}));
  (void)platform::globalFree(raw);

  // A block outside global memory, or no record at all, is not executed.
  std::uint8_t onStack[64] = {};
  void* reply = reinterpret_cast<void*>(0x1);
  struct {
    void* block;
    void** replySlot;
  } record{onStack, &reply};
  target_.requests.clear();
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, reinterpret_cast<std::intptr_t>(&record)), 1);
  EXPECT_EQ(reply, nullptr) << "the reply slot is cleared";
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, 0), 0) << "null record";
  EXPECT_TRUE(target_.requests.empty());

  // A reply that nobody could release, for want of a reply slot, is freed at once.
  BlockBuilder asked(49213, 0);
  record = {asked.block(), nullptr};
  const std::size_t live = platform::globalLiveBlockCount();
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, reinterpret_cast<std::intptr_t>(&record)), 1);
  EXPECT_EQ(target_.requests.size(), 1u);
  EXPECT_EQ(platform::globalLiveBlockCount(), live);
  EXPECT_EQ(window_->outstandingReplies(), 0u);
}

TEST_F(HostWindowTest, RepliesTakeTheShapeOfTheCommandAndReleaseFreesThem) {
  enum class Shape { None, Int32, Int16, Text };
  const auto bookmarkInfo = [](std::int32_t sub, std::int32_t n) {
    return [=](BlockBuilder& b) {
      b.hostString(0, 'R', u"").integer(1, 'I', 4).integer(2, 'I', sub).integer(3, 'I', 0).integer(4, 'F', n);
    };
  };
  const std::function<void(BlockBuilder&)> none = [](BlockBuilder&) {};
  const struct { const char* name; std::uint16_t command; std::uint32_t count; std::function<void(BlockBuilder&)> fill;
                 CommandResult result; Shape shape; } rows[] = {
      {"page number is 16-bit", 16450, 0, none, {0x12345, {}}, Shape::Int16},
      {"margin answer is 16-bit", 153, 1, [](BlockBuilder& b) { b.integer(0, 'X', 1440); }, {-3, {}}, Shape::Int16},
      {"modified flag is 32-bit", 49213, 0, none, {-2, {}}, Shape::Int32},
      {"selected text", 16665, 0, none, {0, u"Smith v. Jones"}, Shape::Text},
      {"empty selected text", 16665, 0, none, {0, u""}, Shape::Text},
      {"bookmark name (what 4, sub 1)", 33416, 5, bookmarkInfo(1, 2), {0, u"XTOA~Entry2"}, Shape::Text},
      {"bookmark count (what 4, sub 0)", 33416, 5, bookmarkInfo(0, 0), {7, {}}, Shape::Int32},
      {"typing has no reply", 2, 1, [](BlockBuilder& b) { b.hostString(0, 'Q', u"x"); }, {}, Shape::None},
      {"unknown command answers 0", 12345, 0, none, {0, {}}, Shape::Int32},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    target_.result = row.result;
    BlockBuilder block(row.command, row.count);
    row.fill(block);
    ASSERT_EQ(block.sendTo(window_->handle()), 1);
    void* reply = block.reply();
    ASSERT_EQ(reply != nullptr, row.shape != Shape::None);
    EXPECT_EQ(window_->outstandingReplies(), reply != nullptr ? 1u : 0u);
    if (row.shape == Shape::Int32 || row.shape == Shape::Int16) {
      EXPECT_EQ(row.shape == Shape::Int16 ? quillon_test::replyInt16(reply) : quillon_test::replyInt32(reply),
                row.shape == Shape::Int16 ? static_cast<std::int16_t>(row.result.integer) : row.result.integer);
    }
    if (row.shape == Shape::Text) {
      EXPECT_EQ(quillon_test::replyText(reply), row.result.text);
      EXPECT_GE(platform::globalSize(platform::globalHandleOf(reply)), 138 + 2 * (row.result.text.size() + 1));
      // Somebody else's global block is not the host's to free.
      EXPECT_EQ(platform::sendMessage(window_->handle(), 1050, 0, reinterpret_cast<std::intptr_t>(block.block())), 0);
      EXPECT_NE(platform::globalHandleOf(block.block()), nullptr) << "the sender's block survives";
    }
    EXPECT_EQ(block.release(window_->handle()), reply != nullptr ? 1 : 0);
    EXPECT_EQ(block.release(window_->handle()), 0) << "a second release frees nothing";
  }
  EXPECT_EQ(window_->outstandingReplies(), 0u);
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1050, 0, 0), 0);
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
  BlockBuilder first(89, 1), second(167, 2), third(2, 1);
  first.integer(0, 'I', 253, 0x8000);
  second.number(0, 'J', 1.5).integer(1, 'W', 0);
  third.hostString(0, 'Q', u"Say \"hi\"\n");
  for (BlockBuilder* block : {&first, &second, &third}) (void)decoded(*block);
  EXPECT_EQ(seen, (std::vector<std::string>{"AttributeOn (89) I omitted -> 4", "SetLineSpacing (167) J 1.5 W 0 -> 4",
                                            "TypeText (2) Q \"Say \\\"hi\\\"\\n\" -> 4"}));
}

}  // namespace
