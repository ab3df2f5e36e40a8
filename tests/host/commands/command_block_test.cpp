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

using commands_test::SentCommand;

constexpr platform::Atom kPluginAtom = 0xC123;
constexpr platform::Atom kHostAtom = 0xC456;

class CommandBlock : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = host::processValues();
    host::processValues().pluginAtom = kPluginAtom;
    host::processValues().hostAtom = kHostAtom;
    liveAtStart_ = platform::globalLiveBlockCount();
  }
  void TearDown() override {
    platform::globalSimulateFailureAfter(-1);
    host::processValues().pluginAtom = saved_.pluginAtom;
    host::processValues().hostAtom = saved_.hostAtom;
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_) << "every copy and block freed";
  }
  // Creates a block of `count` slots, sets parameter 0 (when a letter is
  // given), sends and releases it; returns what the host saw.
  SentCommand roundTrip(std::uint16_t count, char letter = 0, host::ParameterValue value = {}) {
    host_.clear();
    host::CommandHandle handle = host::createCommandHandle(count);
    EXPECT_NE(handle, nullptr);
    if (letter != 0) host::setParameter(handle, 0, letter, 0, value);
    (void)host::sendCommand(handle, 4242);
    host::releaseCommand(handle);
    return host_.sent().empty() ? SentCommand{} : host_.last();
  }

  commands_test::RecordingHost host_;
  host::ProcessValues saved_;
  std::size_t liveAtStart_ = 0;
};

TEST_F(CommandBlock, LayoutAndHeader) {
  for (const std::uint16_t count : {0, 7}) {
    const SentCommand sent = roundTrip(count);
    EXPECT_EQ(sent.bytes.size(), (count + 3u) * 16u) << count;
    for (std::size_t at = 32; at < sent.bytes.size(); ++at) ASSERT_EQ(sent.bytes[at], 0) << "unfilled slot byte " << at;
  }
  host::CommandHandle handle = host::createCommandHandle(3);
  std::memset(handle->block, 0xAA, 20);  // a header dirtied as a host might leave it, all but the count
  std::memset(handle->block + 24, 0xAA, 8);
  host::setParameter(handle, 2, 'I', host::kFlagOmitted, host::parameterInteger(253));
  host::setParameter(handle, 3, 'I', 0, host::parameterInteger(9));  // beyond the count: ignored
  host_.answerWith(0x12345);
  EXPECT_EQ(host::sendCommand(handle, 49205), 0x12345);
  host::releaseCommand(handle);
  // Offsets 8, 14 and 18 hold the plug-in atom, host atom and number; 20 the count.
  std::vector<std::uint8_t> header(32, 0);
  for (const auto& [offset, value] : {std::pair{8, kPluginAtom}, {14, kHostAtom}, {18, 49205}, {20, 3}}) {
    header[offset] = std::uint8_t(value), header[offset + 1] = std::uint8_t(value >> 8);
  }
  const SentCommand& sent = host_.last();
  EXPECT_EQ(std::vector<std::uint8_t>(sent.bytes.begin(), sent.bytes.begin() + 32), header);
  EXPECT_EQ(sent.letters(), std::string("\0\0I", 3));
  EXPECT_EQ(sent.flags(2), host::kFlagOmitted);
  EXPECT_EQ(sent.integer(2), 253);
  for (std::size_t at = 80; at < sent.bytes.size(); ++at) ASSERT_EQ(sent.bytes[at], 0) << at;
}

TEST_F(CommandBlock, EachLetterStoresItsValueOrACopy) {
  const double spacing = 1.5;
  const auto bits = std::bit_cast<std::uint64_t>(spacing);
  const host::HostChar emptyHostString[] = {0};
  std::vector<host::HostChar> entry = commands_test::hostUnits("XTOA~Entry1");
  ASSERT_FALSE(entry.empty()) << "the host folder lacks hoststr17";
  const std::vector<host::HostChar> entryUnits = entry;
  entry.push_back(0);
  const std::size_t hostBytes = host::hostLibraries().functions().hostStringLength(entry.data()) + 2u;
  const char16_t wide[] = u"Id.";
  // raw: what a value letter stores; a copy (copyBytes > 0) holds ansi for an
  // ANSI letter and units for the others.
  const struct { const char* name; char letter; host::ParameterValue value; std::uint64_t raw; std::string ansi;
                 std::vector<host::HostChar> units; std::size_t copyBytes; } rows[] = {
      {"32-bit integer", 'I', host::parameterInteger(0x7FFFFFFF), 0x7FFFFFFF, "", {}, 0},
      {"a negative 16-bit margin keeps its 32-bit form", 'X', host::parameterInteger(-5), 0xFFFFFFFB, "", {}, 0},
      {"D is a double", 'D', host::parameterDouble(&spacing), bits, "", {}, 0},
      {"M is the last double letter", 'M', host::parameterDouble(&spacing), bits, "", {}, 0},
      {"a null double stores 0.0", 'J', host::parameterDouble(nullptr), 0, "", {}, 0},
      {"null file name", 'N', {}, 0, "", {}, 0},
      {"an empty host string stores null", 'Q', host::parameterHostString(emptyHostString), 0, "", {}, 0},
      {"file name copied with its terminator", 'N', host::parameterText("\xA7 12/brief.qdoc"), 0, "\xA7 12/brief.qdoc",
       {}, 16},
      {"an empty text is a one-byte copy", 'V', host::parameterText(""), 0, "", {}, 1},
      {"wide text", 'f', host::parameterWideText(wide), 0, "", {u'I', u'd', u'.'}, 8},
      {"host string, by the library's length", 'R', host::parameterHostString(entry.data()), 0, "", entryUnits,
       hostBytes},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const SentCommand sent = roundTrip(1, row.letter, row.value);
    EXPECT_EQ(sent.letter(0), row.letter);
    EXPECT_EQ(sent.at<std::uint16_t>(38), 0u) << "reserved";
    ASSERT_EQ(sent.pointees.size(), 1u);
    if (row.copyBytes == 0) {
      EXPECT_EQ(sent.raw(0), row.raw);
      EXPECT_FALSE(sent.pointees[0].has_value());
      continue;
    }
    ASSERT_TRUE(sent.pointees[0].has_value()) << "the slot holds no live copy";
    EXPECT_EQ(sent.pointees[0]->blockBytes, row.copyBytes);
    if (row.units.empty()) {
      EXPECT_EQ(sent.pointees[0]->ansi, row.ansi);
    } else {
      EXPECT_EQ(sent.pointees[0]->units, row.units);
    }
    EXPECT_NE(sent.raw(0), reinterpret_cast<std::uintptr_t>(row.value.pointer)) << "must be a copy";
  }
}

TEST_F(CommandBlock, ReleaseFreesCopiesAndTheLastReplyOnly) {
  // A separate block whose address sits in a double slot: release must not
  // take it for a copy.
  platform::GlobalHandle bystander = platform::globalAlloc(platform::kGhnd, 8);
  const auto disguised = std::bit_cast<double>(reinterpret_cast<std::uint64_t>(platform::globalLock(bystander)));
  const std::size_t before = platform::globalLiveBlockCount();
  host::CommandHandle handle = host::createCommandHandle(3);
  host::setParameter(handle, 0, 'N', 0, host::parameterText("name"));
  host::setParameter(handle, 1, 'D', 0, host::parameterDouble(&disguised));
  host::setParameter(handle, 2, 'V', 0, host::parameterText("text"));
  EXPECT_EQ(platform::globalLiveBlockCount(), before + 4) << "handle, block, two copies";
  host_.replyBytes({7});
  (void)host::sendCommand(handle, 1);
  host_.noReply();
  (void)host::sendCommand(handle, 2);
  EXPECT_TRUE(host_.sent()[0].replySlotWasNull && host_.sent()[1].replySlotWasNull) << "each send clears the reply";
  EXPECT_EQ(handle->reply, nullptr);
  host::releaseCommand(handle);
  EXPECT_EQ(host_.released(), std::vector<std::intptr_t>{0}) << "release reports the last send's reply";
  EXPECT_EQ(platform::globalLiveBlockCount(), before + 1) << "the first reply stays the host's to free";
  EXPECT_NE(platform::globalSize(bystander), 0u) << "a double slot owns nothing";
  (void)platform::globalFree(bystander);
  ++liveAtStart_;
}

TEST_F(CommandBlock, FailuresSendNothingOrANullCopy) {
  for (const long succeeding : {0L, 1L}) {  // the handle, then the block, cannot be allocated
    platform::globalSimulateFailureAfter(succeeding);
    EXPECT_EQ(host::createCommandHandle(2), nullptr) << succeeding;
    platform::globalSimulateFailureAfter(-1);
    EXPECT_EQ(platform::globalLiveBlockCount(), liveAtStart_);
  }
  host::CommandHandle handle = host::createCommandHandle(1);
  platform::globalSimulateFailureAfter(0);
  host::setParameter(handle, 0, 'N', 0, host::parameterText("brief.qdoc"));
  platform::globalSimulateFailureAfter(-1);
  (void)host::sendCommand(handle, 33102);
  host::releaseCommand(handle);
  ASSERT_EQ(host_.sent().size(), 1u) << "a failed copy still sends the command";
  EXPECT_EQ(host_.last().raw(0), 0u);

  host_.clear();
  host::setParameter(nullptr, 0, 'N', 0, host::parameterText("x"));
  EXPECT_EQ(host::sendCommand(nullptr, 2), 0);
  host::releaseCommand(nullptr);
  const platform::WindowHandle window = std::exchange(host::processValues().hostWindow, nullptr);
  handle = host::createCommandHandle(0);
  EXPECT_EQ(host::sendCommand(handle, 85), 0) << "no host window";
  host::releaseCommand(handle);
  host::processValues().hostWindow = window;
  EXPECT_TRUE(host_.sent().empty());
  EXPECT_TRUE(host_.released().empty());
}

}  // namespace
