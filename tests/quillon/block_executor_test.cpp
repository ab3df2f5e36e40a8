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
#include "quillon/libs/text_codec.h"
#include "tests/quillon/block_builder.h"

namespace {

using quillon::CommandRequest;
using quillon::CommandResult;
using quillon::ValueKind;
using quillon_test::BlockBuilder;

// Remembers every request and answers with a preset result.
struct RecordingTarget : quillon::DocumentTarget {
  CommandResult execute(const CommandRequest& r) override { return requests.push_back(r), result; }
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

TEST_F(HostWindowTest, EveryLetterIsDecodedByItsStorageRule) {
  int notGlobal = 0;
  using Fill = std::function<void(BlockBuilder&, char)>;
  const auto integer = [](int v, std::uint16_t f) -> Fill { return [=](auto& b, char l) { b.integer(0, l, v, f); }; };
  const auto number = [](double v) -> Fill { return [=](auto& b, char l) { b.number(0, l, v); }; };
  const auto ansi = [](const char* v) -> Fill { return [=](auto& b, char l) { b.ansi(0, l, v); }; };
  const auto text = [](const char16_t* v) -> Fill { return [=](auto& b, char l) { b.hostString(0, l, v); }; };
  const auto pointer = [](const void* v) -> Fill { return [=](auto& b, char l) { b.pointer(0, l, v); }; };
  // Each letter is sent on its own in slot 0; shown is how the log prints it.
  const struct { const char* name; const char* letters; Fill fill; ValueKind kind; std::string shown; } rows[] = {
      {"integers: the low 32 bits", "ABCEFIWXZ", integer(-70000, 0), ValueKind::Integer, "-70000"},
      {"omitted flag", "I", integer(253, 0x8000), ValueKind::Integer, "omitted"},
      {"doubles", "DJKLM", number(-0.25), ValueKind::Number, "-0.25"},
      {"ANSI texts are Windows-1252", "NOPV", ansi("r\xE9sum\xE9"), ValueKind::AnsiText, "\"r\u00E9sum\u00E9\""},
      {"empty ANSI text is not null", "V", ansi(""), ValueKind::AnsiText, "\"\""},
      {"host strings beyond Latin-1", "QR", text(u"\u201CId.\u201D"), ValueKind::HostString, "\"\u201CId.\u201D\""},
      {"wide text", "f", text(u"wide"), ValueKind::WideText, "\"wide\""},
      {"null text pointer", "Q", pointer(nullptr), ValueKind::HostString, "null"},
      {"text pointer outside global memory", "Q", pointer(&notGlobal), ValueKind::HostString, "unreadable"},
  };
  for (const auto& row : rows) {
    for (const char* letter = row.letters; *letter != '\0'; ++letter) {
      SCOPED_TRACE(std::string(row.name) + ", letter " + *letter);
      BlockBuilder block(2, 1);
      row.fill(block, *letter);
      const CommandRequest request = decoded(block);
      ASSERT_EQ(request.parameters.size(), 1u);
      EXPECT_EQ(request.parameters[0].kind, row.kind);
      EXPECT_EQ(quillon::formatRequest(request), std::string("TypeText (2) ") + *letter + " " + row.shown);
    }
  }
}

TEST_F(HostWindowTest, ReadsStopAtTheEndOfEveryBlock) {
  BlockBuilder block(2, 1);
  block.integer(0, 'I', 5).integer(1, 'I', 6).claimCount(1000);
  EXPECT_EQ(decoded(block).parameters.size(), 2u) << "n + 3 lines hold n + 1 slots";

  // A text with no terminator ends with its block.
  const platform::GlobalHandle raw = platform::globalAlloc(platform::kGhnd, 4);
  void* text = platform::globalLock(raw);
  std::memcpy(text, "ABCD", 4);
  BlockBuilder unterminated(2, 2);
  unterminated.pointer(0, 'N', text).pointer(1, 'Q', text);
  const CommandRequest request = decoded(unterminated);
  EXPECT_EQ(request.parameters.at(0).ansi, "ABCD");
  EXPECT_EQ(request.parameters.at(1).text, std::u16string({u'\u4241', u'\u4443'}));
  (void)platform::globalFree(raw);

  // A block outside global memory, or no record at all, is not executed.
  std::uint8_t onStack[64] = {};
  void* reply = reinterpret_cast<void*>(0x1);
  struct { void* block; void** replySlot; } record{onStack, &reply};
  target_.requests.clear();
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, reinterpret_cast<std::intptr_t>(&record)), 1);
  EXPECT_EQ(reply, nullptr) << "the reply slot is cleared";
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, 0), 0) << "null record";
  EXPECT_TRUE(target_.requests.empty());

  // A reply that nobody could release, for want of a reply slot, is freed at once.
  BlockBuilder asked(49213, 0);
  record = {asked.block(), nullptr};
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1035, 0, reinterpret_cast<std::intptr_t>(&record)), 1);
  EXPECT_EQ(target_.requests.size(), 1u);
  EXPECT_EQ(window_->outstandingReplies(), 0u);
}

TEST_F(HostWindowTest, RepliesTakeTheShapeOfTheCommandAndReleaseFreesThem) {
  // What the reply holds: "" none, "i32 n" or "i16 n" at 136, "text ..." from 138.
  const auto reading = [](const void* reply, char shape) -> std::string {
    if (reply == nullptr) return "";
    if (shape == 't') return "text " + quillon::utf8OfHostString(quillon_test::replyText(reply));
    return shape == 's' ? "i16 " + std::to_string(quillon_test::replyInt16(reply))
                        : "i32 " + std::to_string(quillon_test::replyInt32(reply));
  };
  const auto bookmarkInfo = [](std::int32_t sub, std::int32_t n) -> std::function<void(BlockBuilder&)> {
    return [=](BlockBuilder& b) {
      b.hostString(0, 'R', u"").integer(1, 'I', 4).integer(2, 'I', sub).integer(3, 'I', 0).integer(4, 'F', n);
    };
  };
  const std::function<void(BlockBuilder&)> none = [](BlockBuilder&) {};
  const struct { const char* name; std::uint16_t command; std::uint32_t count; std::function<void(BlockBuilder&)> fill;
                 CommandResult result; char shape; std::string read; } rows[] = {
      {"page number is 16-bit", 16450, 0, none, {0x12345, {}}, 's', "i16 9029"},
      {"margin answer is 16-bit", 153, 1, [](BlockBuilder& b) { b.integer(0, 'X', 1440); }, {-3, {}}, 's', "i16 -3"},
      {"modified flag is 32-bit", 49213, 0, none, {-2, {}}, 'i', "i32 -2"},
      {"selected text", 16665, 0, none, {0, u"Smith v. Jones"}, 't', "text Smith v. Jones"},
      {"bookmark name (what 4, sub 1)", 33416, 5, bookmarkInfo(1, 2), {0, u"XTOA~Entry2"}, 't', "text XTOA~Entry2"},
      {"bookmark count (what 4, sub 0)", 33416, 5, bookmarkInfo(0, 0), {7, {}}, 'i', "i32 7"},
      {"typing has no reply", 2, 1, [](BlockBuilder& b) { b.hostString(0, 'Q', u"x"); }, {}, 'i', ""},
      {"unknown command answers 0", 12345, 0, none, {0, {}}, 'i', "i32 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    target_.result = row.result;
    BlockBuilder block(row.command, row.count);
    row.fill(block);
    ASSERT_EQ(block.sendTo(window_->handle()), 1);
    EXPECT_EQ(reading(block.reply(), row.shape), row.read);
    EXPECT_EQ(window_->outstandingReplies(), block.reply() != nullptr ? 1u : 0u);
    // Somebody else's global block is not the host's to free.
    EXPECT_EQ(platform::sendMessage(window_->handle(), 1050, 0, reinterpret_cast<std::intptr_t>(block.block())), 0);
    EXPECT_EQ(block.release(window_->handle()), block.reply() != nullptr ? 1 : 0);
    EXPECT_EQ(block.release(window_->handle()), 0) << "a second release frees nothing";
  }
  EXPECT_EQ(platform::sendMessage(window_->handle(), 1050, 0, 0), 0);
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

TEST_F(HostWindowTest, HeaderAndOmittedValueReachTheObserver) {
  std::vector<std::string> seen;
  executor_.setObserver([&seen](const CommandRequest& request, const CommandResult& result) {
    seen.push_back(quillon::formatRequest(request) + " -> " + std::to_string(result.integer));
  });
  target_.result = {4, {}};
  BlockBuilder first(89, 1);
  first.atoms(0xC010, 0xC020).integer(0, 'I', 253, 0x8000);
  const CommandRequest request = decoded(first);
  EXPECT_EQ(request.parameters.at(0).integer, 253) << "an omitted value is kept";
  EXPECT_EQ(std::tuple(request.pluginAtom, request.hostAtom, request.declaredCount), std::tuple(0xC010, 0xC020, 1u));
  EXPECT_EQ(seen, std::vector<std::string>{"AttributeOn (89) I omitted -> 4"});
}

}  // namespace
