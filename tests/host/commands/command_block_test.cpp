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

using commands_test::hostLibrariesBound;
using commands_test::hostUnits;
using commands_test::RecordingHost;
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
  }

  // Creates, fills by `fill`, sends and releases one command; returns what
  // the host saw.
  template <typename Fill>
  SentCommand roundTrip(std::uint16_t count, Fill fill) {
    host::CommandHandle handle = host::createCommandHandle(count);
    EXPECT_NE(handle, nullptr);
    fill(handle);
    (void)host::sendCommand(handle, 4242);
    host::releaseCommand(handle);
    EXPECT_FALSE(host_.sent().empty());
    return host_.sent().empty() ? SentCommand{} : host_.last();
  }

  RecordingHost host_;
  std::pair<platform::Atom, platform::Atom> savedAtoms_;
  std::size_t liveAtStart_ = 0;
};

TEST_F(CommandBlock, SizeAndCountFollowTheParameterCount) {
  struct Row {
    const char* name;
    std::uint16_t count;
  } rows[] = {
      {"no parameters: header and one zero slot", 0},
      {"one parameter", 1},
      {"seven parameters", 7},
      {"eight parameters, as for the font command", 8},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SentCommand sent = roundTrip(row.count, [](host::CommandHandle) {});
    EXPECT_EQ(sent.bytes.size(), (row.count + 3u) * 16u);
    EXPECT_EQ(sent.count(), row.count);
    // Nothing filled: every slot and the trailing 16 bytes stay zero.
    for (std::size_t at = 32; at < sent.bytes.size(); ++at) {
      ASSERT_EQ(sent.bytes[at], 0) << "byte " << at;
    }
  }
}

TEST_F(CommandBlock, HandleAndBlockAreLockedGlobalBlocks) {
  host::CommandHandle handle = host::createCommandHandle(3);
  ASSERT_NE(handle, nullptr);
  platform::GlobalHandle handleBlock = platform::globalHandleOf(handle);
  ASSERT_NE(handleBlock, nullptr);
  EXPECT_EQ(platform::globalSize(handleBlock), 2 * sizeof(void*));
  ASSERT_NE(platform::globalHandleOf(handle->block), nullptr);
  EXPECT_EQ(platform::globalSize(platform::globalHandleOf(handle->block)), 96u);
  EXPECT_EQ(handle->reply, nullptr);
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_ + 2);
  host::releaseCommand(handle);
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
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

  const SentCommand& sent = host_.last();
  EXPECT_EQ(sent.u32(0), 0u);
  EXPECT_EQ(sent.u32(4), 0u);
  EXPECT_EQ(sent.u16(8), kPluginAtom);
  EXPECT_EQ(sent.u32(10), 0u);
  EXPECT_EQ(sent.u16(14), kHostAtom);
  EXPECT_EQ(sent.u16(16), 0u);
  EXPECT_EQ(sent.u16(18), 49205u);
  EXPECT_EQ(sent.u32(20), 1u);
  EXPECT_EQ(sent.u32(24), 0u);
  EXPECT_EQ(sent.u32(28), 0u);
}

TEST_F(CommandBlock, IntegerLettersStoreThirtyTwoBitsInTheLowHalf) {
  struct Row {
    const char* name;
    char letter;
    std::int32_t value;
    std::uint64_t expectedRaw;
  } rows[] = {
      {"32-bit integer", 'I', 0x7FFFFFFF, 0x7FFFFFFFull},
      {"negative 16-bit margin keeps its 32-bit form only", 'X', -5, 0xFFFFFFFBull},
      {"16-bit indent", 'W', 1200, 1200},
      {"byte", 'C', 0xA7, 0xA7},
      {"integer for an index", 'F', 3, 3},
      {"integer for a symbolic value", '@', 45, 45},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
      host::setParameter(handle, 0, row.letter, 0, host::parameterInteger(row.value));
    });
    EXPECT_EQ(sent.letter(0), row.letter);
    EXPECT_EQ(sent.u32(32), static_cast<std::uint32_t>(row.letter));
    EXPECT_EQ(sent.raw(0), row.expectedRaw);
    EXPECT_EQ(sent.u16(38), 0u) << "reserved";
  }
}

TEST_F(CommandBlock, DoubleLettersStoreThePointedToValue) {
  const double spacing = 1.5;
  struct Row {
    const char* name;
    char letter;
    const double* value;
    double expected;
  } rows[] = {
      {"spacing", 'J', &spacing, 1.5},
      {"D is a double too", 'D', &spacing, 1.5},
      {"M is the last double letter", 'M', &spacing, 1.5},
      {"a null pointer stores 0.0", 'J', nullptr, 0.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
      host::setParameter(handle, 0, row.letter, 0, host::parameterDouble(row.value));
    });
    EXPECT_EQ(sent.number(0), row.expected);
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_) << "a double owns nothing";
  }
}

TEST_F(CommandBlock, AnsiLettersCopyTheTextWithItsTerminator) {
  struct Row {
    const char* name;
    char letter;
    const char* text;
  } rows[] = {
      {"file name", 'N', "/home/ann/brief.qdoc"},
      {"O", 'O', "x"},
      {"P", 'P', "\xA7 12"},
      {"hyperlink text", 'V', "Smith v. Jones"},
      {"an empty text is a one-byte copy", 'V', ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
      host::setParameter(handle, 0, row.letter, 0, host::parameterText(row.text));
    });
    // The host reads the copy back through all eight bytes of the slot.
    ASSERT_TRUE(sent.pointees[0].has_value()) << "not a live global block";
    EXPECT_EQ(sent.pointees[0]->ansi, row.text);
    EXPECT_EQ(sent.pointees[0]->blockBytes, std::strlen(row.text) + 1);
    EXPECT_NE(sent.raw(0), reinterpret_cast<std::uintptr_t>(row.text)) << "must be a copy";
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_) << "copy freed on release";
  }
}

TEST_F(CommandBlock, NullPointersStayNull) {
  for (const char letter : {'N', 'V', 'Q', 'R', 'f'}) {
    SCOPED_TRACE(std::string(1, letter));
    const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
      host::setParameter(handle, 0, letter, 0, host::ParameterValue{});
    });
    EXPECT_EQ(sent.letter(0), letter);
    EXPECT_EQ(sent.raw(0), 0u);
  }
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

TEST_F(CommandBlock, WideTextIsCopiedWithItsTerminator) {
  const char16_t text[] = u"Id.";
  const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
    host::setParameter(handle, 0, 'f', 0, host::parameterWideText(text));
  });
  ASSERT_TRUE(sent.pointees[0].has_value());
  EXPECT_EQ(sent.pointees[0]->blockBytes, 8u);
  EXPECT_EQ(sent.pointees[0]->units, (std::vector<host::HostChar>{u'I', u'd', u'.'}));
}

TEST_F(CommandBlock, HostStringsAreCopiedByTheLibraryLength) {
  ASSERT_TRUE(hostLibrariesBound()) << "the host folder lacks hoststr17";
  const std::vector<host::HostChar> expected = hostUnits("XTOA~Entry1");
  ASSERT_FALSE(expected.empty());
  std::vector<host::HostChar> source = expected;
  source.push_back(0);
  const std::int32_t length = host::hostLibraries().functions().hostStringLength(source.data());

  for (const char letter : {'Q', 'R'}) {
    SCOPED_TRACE(std::string(1, letter));
    const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
      host::setParameter(handle, 0, letter, 0, host::parameterHostString(source.data()));
    });
    ASSERT_TRUE(sent.pointees[0].has_value());
    EXPECT_EQ(sent.pointees[0]->units, expected);
    EXPECT_EQ(sent.pointees[0]->blockBytes, static_cast<std::size_t>(length) + 2);
    EXPECT_NE(sent.raw(0), reinterpret_cast<std::uintptr_t>(source.data()));
  }
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

TEST_F(CommandBlock, EmptyHostStringStoresNull) {
  const host::HostChar empty[] = {0};
  const SentCommand sent = roundTrip(1, [&](host::CommandHandle handle) {
    host::setParameter(handle, 0, 'Q', 0, host::parameterHostString(empty));
  });
  EXPECT_EQ(sent.raw(0), 0u);
}

TEST_F(CommandBlock, FlagsAndIndexPlaceEachSlot) {
  const SentCommand sent = roundTrip(3, [&](host::CommandHandle handle) {
    host::setParameter(handle, 2, 'I', host::kFlagOmitted, host::parameterInteger(253));
    host::setParameter(handle, 0, 'I', 0, host::parameterInteger(1));
    // Beyond the count: must not touch the block.
    host::setParameter(handle, 3, 'I', host::kFlagOmitted, host::parameterInteger(9));
  });
  EXPECT_EQ(sent.letters(), std::string("I\0I", 3));
  EXPECT_EQ(sent.u16(36 + 32), host::kFlagOmitted);
  EXPECT_EQ(sent.integer(2), 253);
  EXPECT_EQ(sent.u16(36), 0u);
  EXPECT_EQ(sent.integer(0), 1);
  for (std::size_t at = 80; at < sent.bytes.size(); ++at) ASSERT_EQ(sent.bytes[at], 0);
}

TEST_F(CommandBlock, ReleaseFreesCopiesAndTheReplyOnly) {
  // A separate block whose address sits in a double slot: release must not
  // take it for a copy.
  platform::GlobalHandle bystander = platform::globalAlloc(platform::kGhnd, 8);
  void* bystanderAddress = platform::globalLock(bystander);
  const auto disguised = std::bit_cast<double>(reinterpret_cast<std::uint64_t>(bystanderAddress));
  const double spacing = 2.0;
  const std::size_t before = platform::globalLiveBlockCount();

  host::CommandHandle handle = host::createCommandHandle(4);
  ASSERT_NE(handle, nullptr);
  host::setParameter(handle, 0, 'N', 0, host::parameterText("name"));
  host::setParameter(handle, 1, 'D', 0, host::parameterDouble(&disguised));
  host::setParameter(handle, 2, 'J', 0, host::parameterDouble(&spacing));
  host::setParameter(handle, 3, 'V', 0, host::parameterText("text"));
  EXPECT_EQ(platform::globalLiveBlockCount(), before + 4) << "handle, block, two copies";

  host_.replyInt32(7);
  (void)host::sendCommand(handle, 1);
  ASSERT_EQ(host_.repliesGiven().size(), 1u);
  void* reply = host_.repliesGiven()[0];
  EXPECT_EQ(handle->reply, reply);
  host::releaseCommand(handle);

  ASSERT_EQ(host_.released().size(), 1u);
  EXPECT_EQ(host_.released()[0], reinterpret_cast<std::intptr_t>(reply));
  EXPECT_EQ(platform::globalLiveBlockCount(), before);
  EXPECT_NE(platform::globalSize(bystander), 0u) << "a double slot owns nothing";
  (void)platform::globalFree(bystander);
}

TEST_F(CommandBlock, SendClearsAnEarlierReply) {
  host::CommandHandle handle = host::createCommandHandle(0);
  ASSERT_NE(handle, nullptr);
  host_.replyInt32(1);
  (void)host::sendCommand(handle, 1);
  host_.noReply();
  (void)host::sendCommand(handle, 2);
  ASSERT_EQ(host_.sent().size(), 2u);
  EXPECT_TRUE(host_.sent()[0].replySlotWasNull);
  EXPECT_TRUE(host_.sent()[1].replySlotWasNull);
  EXPECT_EQ(handle->reply, nullptr);
  host::releaseCommand(handle);
  ASSERT_EQ(host_.released().size(), 1u);
  EXPECT_EQ(host_.released()[0], 0) << "release reports the reply of the last send";
}

TEST_F(CommandBlock, AllocationFailuresLeaveNothingBehind) {
  struct Row {
    const char* name;
    long succeeding;
  } rows[] = {
      {"the handle cannot be allocated", 0},
      {"the block cannot be allocated after the handle", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform::globalSimulateFailureAfter(row.succeeding);
    host::CommandHandle handle = host::createCommandHandle(2);
    platform::globalSimulateFailureAfter(-1);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
  }
}

TEST_F(CommandBlock, NullHandleDoesNothing) {
  host::setParameter(nullptr, 0, 'N', 0, host::parameterText("x"));
  EXPECT_EQ(host::sendCommand(nullptr, 2), 0);
  host::releaseCommand(nullptr);
  EXPECT_TRUE(host_.sent().empty());
  EXPECT_TRUE(host_.released().empty());
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
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
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

TEST_F(CommandBlock, SendWithoutHostWindowAnswersZero) {
  host::processValues().hostWindow = nullptr;
  host::CommandHandle handle = host::createCommandHandle(0);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(host::sendCommand(handle, 85), 0);
  host::releaseCommand(handle);
  host::processValues().hostWindow = host_.window();
  EXPECT_TRUE(host_.sent().empty());
  EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
}

}  // namespace
