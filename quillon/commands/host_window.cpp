// The host window's two command messages.
#include "quillon/commands/host_window.h"

#include <cstring>

#include "quillon/commands/block_layout.h"
#include "quillon/commands/reply_block.h"

namespace quillon {

HostWindow::HostWindow(BlockExecutor& executor) : executor_(executor) {
  window_ =
      platform::createWindow([this](platform::WindowHandle, std::uint32_t message, std::uintptr_t,
                                    std::intptr_t lparam) { return onMessage(message, lparam); });
}

HostWindow::~HostWindow() {
  (void)platform::destroyWindow(window_);
  for (void* reply : outstanding_) (void)releaseReply(reply);
}

std::intptr_t HostWindow::onMessage(std::uint32_t message, std::intptr_t lparam) {
  if (message == block::kMessageExecute) {
    if (lparam == 0) return 0;
    block::ExecuteRecord record{};
    std::memcpy(&record, reinterpret_cast<const void*>(lparam), sizeof record);
    void* reply = executor_.execute(record.block);
    if (record.replySlot == nullptr) {
      // Nobody could ever release it.
      (void)releaseReply(reply);
    } else {
      std::memcpy(record.replySlot, &reply, sizeof reply);
      if (reply != nullptr) outstanding_.insert(reply);
    }
    return 1;
  }
  if (message == block::kMessageReleaseReply) {
    void* reply = reinterpret_cast<void*>(lparam);
    // Only our own replies: freeing anything else would free a sender's block.
    if (outstanding_.erase(reply) == 0) return 0;
    (void)releaseReply(reply);
    return 1;
  }
  return 0;
}

}  // namespace quillon
