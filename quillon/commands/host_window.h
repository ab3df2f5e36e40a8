// The host's window that plug-ins send their commands to. In: message 1035
// (execute the block of an execute record) and message 1050 (release a
// reply). Out: the executor's replies, handed out and freed again.
#pragma once

#include <cstddef>
#include <set>

#include "platform/platform.h"
#include "quillon/commands/block_executor.h"

namespace quillon {

class HostWindow {
 public:
  // Creates the platform window. The executor must outlive this object.
  explicit HostWindow(BlockExecutor& executor);
  // Destroys the window and frees every reply that was never released.
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  platform::WindowHandle handle() const { return window_; }
  // Replies handed out and not yet released.
  std::size_t outstandingReplies() const { return outstanding_.size(); }

 private:
  // 1035: lparam is the address of a block::ExecuteRecord. Executes the block,
  //   stores the reply (or null) through the record's reply slot and answers
  //   1; answers 0 for a null record.
  // 1050: lparam is a reply this window handed out; frees it and answers 1.
  //   Anything else (null, a block it did not hand out) is left alone, 0.
  // Other messages: 0.
  std::intptr_t onMessage(std::uint32_t message, std::intptr_t lparam);

  BlockExecutor& executor_;
  std::set<void*> outstanding_;
  platform::WindowHandle window_ = nullptr;
};

}  // namespace quillon
