// The recording host window of the command tests, and the test environment
// that binds the stand-in host's libraries from the test program's folder.
#include "tests/host/commands/recording_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "host/process_values.h"

namespace commands_test {
namespace {

class BindHostLibraries : public testing::Environment {
 public:
  void SetUp() override { (void)host::hostLibraries().bind(17, 0); }
  void TearDown() override { host::hostLibraries().unbind(); }
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new BindHostLibraries);

bool isPointerLetter(char letter) { return host::letterOwnsCopy(letter); }

// Reads what a slot's pointer points to, bounded by the global block it
// points into, so that a wrong pointer shows as a failed record, not a crash.
std::optional<Pointee> readPointee(char letter, std::uint64_t raw) {
  if (!isPointerLetter(letter) || raw == 0) return std::nullopt;
  const auto* at = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(raw));
  platform::GlobalHandle block = platform::globalHandleOf(at);
  if (block == nullptr) return std::nullopt;
  Pointee pointee;
  pointee.blockBytes = platform::globalSize(block);
  for (std::size_t i = 0; i < pointee.blockBytes && at[i] != 0; ++i) {
    pointee.ansi.push_back(static_cast<char>(at[i]));
  }
  for (std::size_t i = 0; i + 1 < pointee.blockBytes; i += 2) {
    host::HostChar unit = 0;
    std::memcpy(&unit, at + i, sizeof unit);
    if (unit == 0) break;
    pointee.units.push_back(unit);
  }
  return pointee;
}

}  // namespace

std::uint16_t SentCommand::u16(std::size_t offset) const {
  if (offset + 2 > bytes.size()) return 0xDEAD;
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t SentCommand::u32(std::size_t offset) const {
  if (offset + 4 > bytes.size()) return 0xDEADBEEF;
  return static_cast<std::uint32_t>(u16(offset)) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
}

std::uint64_t SentCommand::u64(std::size_t offset) const {
  return static_cast<std::uint64_t>(u32(offset)) | (static_cast<std::uint64_t>(u32(offset + 4)) << 32);
}

char SentCommand::letter(std::size_t i) const {
  return static_cast<char>(u32(host::slotOffset(i, host::kSlotLetter)));
}

std::int32_t SentCommand::integer(std::size_t i) const {
  return static_cast<std::int32_t>(u32(host::slotOffset(i, host::kSlotValue)));
}

double SentCommand::number(std::size_t i) const { return std::bit_cast<double>(raw(i)); }

std::string SentCommand::letters() const {
  std::string result;
  for (std::size_t i = 0; i < count(); ++i) result.push_back(letter(i));
  return result;
}

RecordingHost::RecordingHost() {
  window_ = platform::createWindow(
      [this](platform::WindowHandle, std::uint32_t message, std::uintptr_t, std::intptr_t lparam) {
        return onMessage(message, lparam);
      });
  previous_ = host::processValues().hostWindow;
  host::processValues().hostWindow = window_;
}

RecordingHost::~RecordingHost() {
  host::processValues().hostWindow = previous_;
  (void)platform::destroyWindow(window_);
  for (void* reply : outstanding_) {
    platform::GlobalHandle handle = platform::globalHandleOf(reply);
    (void)platform::globalUnlock(handle);
    (void)platform::globalFree(handle);
  }
}

void RecordingHost::replyInt32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  replyBytes({static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
              static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)});
}

void RecordingHost::replyBytes(std::vector<std::uint8_t> bytesAt136) {
  reply_ = Reply{};
  reply_.kind = Reply::Kind::Bytes;
  reply_.bytesAt136 = std::move(bytesAt136);
}

void RecordingHost::replyText(std::string_view ansi) {
  reply_ = Reply{};
  reply_.kind = Reply::Kind::Text;
  reply_.text = std::string(ansi);
}

void* RecordingHost::makeReply() {
  std::vector<host::HostChar> units;
  std::size_t bytes = host::kReplyText;
  if (reply_.kind == Reply::Kind::Bytes) {
    bytes = host::kReplyInteger + std::max<std::size_t>(reply_.bytesAt136.size(), 4);
  } else {
    units = hostUnits(reply_.text);
    bytes = host::kReplyText + (units.size() + 1) * sizeof(host::HostChar);
  }
  platform::GlobalHandle handle = platform::globalAlloc(platform::kGhnd, bytes);
  auto* reply = static_cast<std::uint8_t*>(platform::globalLock(handle));
  if (reply == nullptr) return nullptr;
  if (reply_.kind == Reply::Kind::Bytes) {
    std::copy(reply_.bytesAt136.begin(), reply_.bytesAt136.end(), reply + host::kReplyInteger);
  } else if (!units.empty()) {
    std::memcpy(reply + host::kReplyText, units.data(), units.size() * sizeof(host::HostChar));
  }
  given_.push_back(reply);
  outstanding_.push_back(reply);
  return reply;
}

std::intptr_t RecordingHost::onMessage(std::uint32_t message, std::intptr_t lparam) {
  if (message == host::kMessageExecute) {
    const auto* record = reinterpret_cast<const host::ExecuteRecord*>(lparam);
    SentCommand sent;
    const std::size_t size = platform::globalSize(platform::globalHandleOf(record->block));
    sent.bytes.assign(record->block, record->block + size);
    sent.replySlotWasNull = record->replySlot != nullptr && *record->replySlot == nullptr;
    for (std::size_t i = 0; i < sent.count() && host::slotOffset(i + 1, 0) <= size; ++i) {
      sent.pointees.push_back(readPointee(sent.letter(i), sent.raw(i)));
    }
    sent_.push_back(std::move(sent));
    if (reply_.kind != Reply::Kind::None && record->replySlot != nullptr) {
      *record->replySlot = makeReply();
    }
    return answer_;
  }
  if (message == host::kMessageReleaseReply) {
    released_.push_back(lparam);
    void* reply = reinterpret_cast<void*>(lparam);
    auto found = std::find(outstanding_.begin(), outstanding_.end(), reply);
    if (found != outstanding_.end()) {
      outstanding_.erase(found);
      platform::GlobalHandle handle = platform::globalHandleOf(reply);
      (void)platform::globalUnlock(handle);
      (void)platform::globalFree(handle);
    }
    return 0;
  }
  return 0;
}

std::vector<host::HostChar> hostUnits(std::string_view ansi) {
  // Straight through the library, not through HostText, so that the expected
  // units do not depend on the code under test.
  const host::AnsiToHostStringFn convert = host::hostLibraries().functions().ansiToHostString;
  std::vector<host::HostChar> units;
  if (convert == nullptr) return units;
  const std::string text(ansi);
  std::vector<host::HostChar> buffer(2 * text.size() + 2, 0);
  convert(text.c_str(), buffer.data());
  for (std::size_t i = 0; i < buffer.size() && buffer[i] != 0; ++i) units.push_back(buffer[i]);
  return units;
}

bool hostLibrariesBound() { return host::hostLibraries().isBound(); }

}  // namespace commands_test
