// The recording host window of the command tests, and the test environment
// that binds the stand-in host's libraries from the test program's folder.
#include "tests/host/commands/recording_host.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Reads what a slot's pointer points to, bounded by the global block it
// points into, so that a wrong pointer shows as a failed record, not a crash.
std::optional<Pointee> readPointee(char letter, std::uint64_t raw) {
  if (!host::letterOwnsCopy(letter) || raw == 0) return std::nullopt;
  const auto* at = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(raw));
  const platform::GlobalHandle block = platform::globalHandleOf(at);
  if (block == nullptr) return std::nullopt;
  Pointee pointee;
  pointee.blockBytes = platform::globalSize(block);
  for (std::size_t i = 0; i < pointee.blockBytes && at[i] != 0; ++i) pointee.ansi.push_back(char(at[i]));
  host::HostChar unit = 0;
  for (std::size_t i = 0; i + 1 < pointee.blockBytes && (std::memcpy(&unit, at + i, 2), unit != 0); i += 2) {
    pointee.units.push_back(unit);
  }
  return pointee;
}

void freeGlobal(void* address) {
  const platform::GlobalHandle handle = platform::globalHandleOf(address);
  (void)platform::globalUnlock(handle);
  (void)platform::globalFree(handle);
}

}  // namespace

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
  for (void* reply : outstanding_) freeGlobal(reply);
}

void* RecordingHost::makeReply() {
  const std::vector<host::HostChar> units = hostUnits(replyText_.value_or(""));
  const std::size_t bytes = replyBytes_ ? host::kReplyInteger + std::max<std::size_t>(replyBytes_->size(), 4)
                                        : host::kReplyText + (units.size() + 1) * sizeof units[0];
  auto* reply =
      static_cast<std::uint8_t*>(platform::globalLock(platform::globalAlloc(platform::kGhnd, bytes)));
  if (reply == nullptr) return nullptr;
  if (replyBytes_) std::copy(replyBytes_->begin(), replyBytes_->end(), reply + host::kReplyInteger);
  if (!units.empty()) std::memcpy(reply + host::kReplyText, units.data(), units.size() * sizeof units[0]);
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
    if ((replyBytes_ || replyText_) && record->replySlot != nullptr) *record->replySlot = makeReply();
    return answer_;
  }
  if (message == host::kMessageReleaseReply) {
    released_.push_back(lparam);
    auto found = std::find(outstanding_.begin(), outstanding_.end(), reinterpret_cast<void*>(lparam));
    if (found != outstanding_.end()) {
      freeGlobal(*found);
      outstanding_.erase(found);
    }
  }
  return 0;
}

std::vector<host::HostChar> hostUnits(std::string_view ansi) {
  const host::AnsiToHostStringFn convert = host::hostLibraries().functions().ansiToHostString;
  if (convert == nullptr) return {};
  const std::string text(ansi);
  std::vector<host::HostChar> buffer(2 * text.size() + 2, 0);
  convert(text.c_str(), buffer.data());
  return {buffer.begin(), std::find(buffer.begin(), buffer.end(), host::HostChar{0})};
}

}  // namespace commands_test
