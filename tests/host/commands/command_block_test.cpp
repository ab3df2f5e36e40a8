// The four command-block primitives as the host sees them: block layout,
// header, storage rule per letter, release of copies and replies, and
// allocation failures.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <utility>

#include "host/command_block.h"
#include "host/process_values.h"
#include "tests/host/commands/recording_host.h"

namespace {

using commands_test::hostUnits;
using commands_test::SentCommand;

constexpr platform::Atom kPluginAtom = 0xC123;
constexpr platform::Atom kHostAtom = 0xC456;

class CommandBlock : public testing::Test {
 protected:
  void SetUp() override {
    savedAtoms_ = {host::processValues().pluginAtom, host::processValues().hostAtom};
    host::processValues().pluginAtom = kPluginAtom;
    host::processValues().hostAtom = kHostAtom;
    liveAtStart_ = platform::globalLiveBlockCount();
  }
  void TearDown() override {
    platform::globalSimulateFailureAfter(-1);
    host::processValues().pluginAtom = savedAtoms_.first;
    host::processValues().hostAtom = savedAtoms_.second;
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_) << "every copy and block freed";
  }

  // Creates a block of `count` slots, sets parameter 0 (when a letter is
  // given), sends and releases it; returns what the host saw.
  SentCommand roundTrip(std::uint16_t count, char letter = 0, host::ParameterValue value = {}) {
    host::CommandHandle handle = host::createCommandHandle(count);
    EXPECT_NE(handle, nullptr);
    if (letter != 0) host::setParameter(handle, 0, letter, 0, value);
    (void)host::sendCommand(handle, 4242);
    host::releaseCommand(handle);
    return host_.sent().empty() ? SentCommand{} : host_.last();
  }

  commands_test::RecordingHost host_;
  std::pair<platform::Atom, platform::Atom> savedAtoms_;
  std::size_t liveAtStart_ = 0;
};

TEST_F(CommandBlock, SizeAndCountFollowTheParameterCount) {
  for (const std::uint16_t count : {0, 1, 7}) {
    SCOPED_TRACE(count);
    const SentCommand sent = roundTrip(count);
    EXPECT_EQ(sent.bytes.size(), (count + 3u) * 16u);
    EXPECT_EQ(sent.count(), count);
    // Nothing filled: every slot and the trailing 16 bytes stay zero.
    for (std::size_t at = 32; at < sent.bytes.size(); ++at) ASSERT_EQ(sent.bytes[at], 0) << at;
  }
}

TEST_F(CommandBlock, SendRewritesTheWholeHeader) {
  host::CommandHandle handle = host::createCommandHandle(1);
  ASSERT_NE(handle, nullptr);
  // Dirty every header byte but the count, as a host might leave it.
  std::memset(handle->block, 0xAA, 20);
  std::memset(handle->block + 24, 0xAA, 8);
  host_.answerWith(0x12345);
  EXPECT_EQ(host::sendCommand(handle, 49205), 0x12345);
  host::releaseCommand(handle);

  // Offsets 8, 14 and 18 hold the plug-in atom, host atom and number; 20 the count.
  std::vector<std::uint8_t> expected(32, 0);
  for (const auto& [offset, value] :
       {std::pair{8, kPluginAtom}, {14, kHostAtom}, {18, 49205}, {20, 1}}) {
    expected[offset] = std::uint8_t(value);
    expected[offset + 1] = std::uint8_t(value >> 8);
  }
  const std::vector<std::uint8_t>& bytes = host_.last().bytes;
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 32), expected);
}

TEST_F(CommandBlock, ValueLettersStoreTheirValueAndOwnNothing) {
  const double spacing = 1.5;
  const auto bits = std::bit_cast<std::uint64_t>(spacing);
  const host::HostChar emptyHostString[] = {0};
  struct Row {
    const char* name;
    char letter;
    host::ParameterValue value;
    std::uint64_t raw;
  } rows[] = {
      {"32-bit integer", 'I', host::parameterInteger(0x7FFFFFFF), 0x7FFFFFFF},
      {"negative 16-bit margin keeps its 32-bit form only", 'X', host::parameterInteger(-5), 0xFFFFFFFB},
      {"D is a double too", 'D', host::parameterDouble(&spacing), bits},
      {"M is the last double letter", 'M', host::parameterDouble(&spacing), bits},
      {"a null double stores 0.0", 'J', host::parameterDouble(nullptr), 0},
      {"null file name", 'N', {}, 0},
      {"null host string", 'Q', {}, 0},
      {"null wide text", 'f', {}, 0},
      {"an empty host string stores null", 'Q', host::parameterHostString(emptyHostString), 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clear();
    const SentCommand sent = roundTrip(1, row.letter, row.value);
    EXPECT_EQ(sent.at<std::uint32_t>(32), static_cast<std::uint32_t>(row.letter));
    EXPECT_EQ(sent.raw(0), row.raw);
    EXPECT_EQ(sent.at<std::uint16_t>(38), 0u) << "reserved";
  }
}

TEST_F(CommandBlock, TextLettersCopyTheTextWithItsTerminator) {
  ASSERT_TRUE(host::hostLibraries().isBound()) << "the host folder lacks hoststr17";
  std::vector<host::HostChar> hostString = hostUnits("XTOA~Entry1");
  ASSERT_FALSE(hostString.empty());
  hostString.push_back(0);
  const std::size_t hostBytes = host::hostLibraries().functions().hostStringLength(hostString.data()) + 2u;
  const std::vector<host::HostChar> entryUnits = hostUnits("XTOA~Entry1");
  const char16_t wide[] = u"Id.";
  struct Row {
    const char* name;
    char letter;
    const void* source;
    std::string ansi;                   // compared for ANSI letters
    std::vector<host::HostChar> units;  // compared for the others
    std::size_t blockBytes;
  } rows[] = {
      {"file name", 'N', "/home/ann/brief.qdoc", "/home/ann/brief.qdoc", {}, 21},
      {"O", 'O', "x", "x", {}, 2},
      {"P", 'P', "\xA7 12", "\xA7 12", {}, 5},
      {"an empty text is a one-byte copy", 'V', "", "", {}, 1},
      {"wide text", 'f', wide, "", {u'I', u'd', u'.'}, 8},
      {"host string, by the library's length", 'Q', hostString.data(), "", entryUnits, hostBytes},
      {"host string reference", 'R', hostString.data(), "", entryUnits, hostBytes},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SentCommand sent = roundTrip(1, row.letter, {.pointer = row.source});
    ASSERT_EQ(sent.pointees.size(), 1u);
    // The host reads the copy back through all eight bytes of the slot.
    ASSERT_TRUE(sent.pointees[0].has_value()) << "not a live global block";
    if (row.units.empty()) {
      EXPECT_EQ(sent.pointees[0]->ansi, row.ansi);
    } else {
      EXPECT_EQ(sent.pointees[0]->units, row.units);
    }
    EXPECT_EQ(sent.pointees[0]->blockBytes, row.blockBytes);
    EXPECT_NE(sent.raw(0), reinterpret_cast<std::uintptr_t>(row.source)) << "must be a copy";
  }
}

TEST_F(CommandBlock, FlagsAndIndexPlaceEachSlot) {
  host::CommandHandle handle = host::createCommandHandle(3);
  ASSERT_NE(handle, nullptr);
  host::setParameter(handle, 2, 'I', host::kFlagOmitted, host::parameterInteger(253));
  // Beyond the count: must not touch the block.
  host::setParameter(handle, 3, 'I', host::kFlagOmitted, host::parameterInteger(9));
  (void)host::sendCommand(handle, 1);
  host::releaseCommand(handle);
  const SentCommand& sent = host_.last();
  EXPECT_EQ(sent.letters(), std::string("\0\0I", 3));
  EXPECT_EQ(sent.flags(2), host::kFlagOmitted);
  EXPECT_EQ(sent.integer(2), 253);
  for (std::size_t at = 80; at < sent.bytes.size(); ++at) ASSERT_EQ(sent.bytes[at], 0);
}

TEST_F(CommandBlock, ReleaseFreesCopiesAndTheReplyOnly) {
  // A separate block whose address sits in a double slot: release must not
  // take it for a copy.
  platform::GlobalHandle bystander = platform::globalAlloc(platform::kGhnd, 8);
  const auto address = reinterpret_cast<std::uint64_t>(platform::globalLock(bystander));
  const auto disguised = std::bit_cast<double>(address);
  const double spacing = 2.0;
  const std::size_t before = platform::globalLiveBlockCount();

  host::CommandHandle handle = host::createCommandHandle(4);
  ASSERT_NE(handle, nullptr);
  host::setParameter(handle, 0, 'N', 0, host::parameterText("name"));
  host::setParameter(handle, 1, 'D', 0, host::parameterDouble(&disguised));
  host::setParameter(handle, 2, 'J', 0, host::parameterDouble(&spacing));
  host::setParameter(handle, 3, 'V', 0, host::parameterText("text"));
  EXPECT_EQ(platform::globalLiveBlockCount(), before + 4) << "handle, block, two copies";

  host_.replyBytes({7});
  (void)host::sendCommand(handle, 1);
  const auto reply = reinterpret_cast<std::intptr_t>(handle->reply);
  EXPECT_NE(reply, 0);
  host::releaseCommand(handle);

  EXPECT_EQ(host_.released(), std::vector<std::intptr_t>{reply});
  EXPECT_EQ(platform::globalLiveBlockCount(), before);
  EXPECT_NE(platform::globalSize(bystander), 0u) << "a double slot owns nothing";
  (void)platform::globalFree(bystander);
}

TEST_F(CommandBlock, SendClearsAnEarlierReply) {
  host::CommandHandle handle = host::createCommandHandle(0);
  ASSERT_NE(handle, nullptr);
  host_.replyBytes({1});
  (void)host::sendCommand(handle, 1);
  host_.noReply();
  (void)host::sendCommand(handle, 2);
  ASSERT_EQ(host_.sent().size(), 2u);
  EXPECT_TRUE(host_.sent()[0].replySlotWasNull);
  EXPECT_TRUE(host_.sent()[1].replySlotWasNull);
  EXPECT_EQ(handle->reply, nullptr);
  host::releaseCommand(handle);
  EXPECT_EQ(host_.released(), std::vector<std::intptr_t>{0}) << "release reports the last send's reply";
  ++liveAtStart_;  // the first reply stays the host's to free
}

TEST_F(CommandBlock, AllocationFailuresLeaveNothingBehind) {
  // 0: the handle cannot be allocated; 1: the block cannot, after the handle.
  for (const long succeeding : {0L, 1L}) {
    SCOPED_TRACE(succeeding);
    platform::globalSimulateFailureAfter(succeeding);
    EXPECT_EQ(host::createCommandHandle(2), nullptr);
    platform::globalSimulateFailureAfter(-1);
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
  }
}

TEST_F(CommandBlock, FailedCopyStoresNullAndTheCommandStillGoes) {
  host::CommandHandle handle = host::createCommandHandle(1);
  ASSERT_NE(handle, nullptr);
  platform::globalSimulateFailureAfter(0);
  host::setParameter(handle, 0, 'N', 0, host::parameterText("brief.qdoc"));
  platform::globalSimulateFailureAfter(-1);
  (void)host::sendCommand(handle, 33102);
  host::releaseCommand(handle);
  ASSERT_EQ(host_.sent().size(), 1u);
  EXPECT_EQ(host_.last().letter(0), 'N');
  EXPECT_EQ(host_.last().raw(0), 0u);
}

TEST_F(CommandBlock, NullHandleOrNoHostWindowSendsNothing) {
  host::setParameter(nullptr, 0, 'N', 0, host::parameterText("x"));
  EXPECT_EQ(host::sendCommand(nullptr, 2), 0);
  host::releaseCommand(nullptr);

  const platform::WindowHandle window = std::exchange(host::processValues().hostWindow, nullptr);
  host::CommandHandle handle = host::createCommandHandle(0);
  EXPECT_EQ(host::sendCommand(handle, 85), 0);
  host::releaseCommand(handle);
  host::processValues().hostWindow = window;
  EXPECT_TRUE(host_.sent().empty());
  EXPECT_TRUE(host_.released().empty());
}

}  // namespace
