// Carries out command blocks. In: the address of a command block. Out: the
// document changed or asked, and the host's reply block for the sender.
#pragma once

#include <functional>

#include "quillon/commands/command_request.h"
#include "quillon/commands/document_target.h"

namespace quillon {

class BlockExecutor {
 public:
  // Sees every request carried out, with the document's result, in order.
  using Observer = std::function<void(const CommandRequest&, const CommandResult&)>;

  // The target must outlive the executor.
  explicit BlockExecutor(DocumentTarget& target) : target_(&target) {}

  // Decodes the block, has the target execute it and returns the reply
  // (buildReply of the command's reply kind), or null when the command gets
  // no reply or the block cannot be decoded (the target is then not asked).
  void* execute(const void* block);

  void setObserver(Observer observer) { observer_ = std::move(observer); }
  DocumentTarget& target() const { return *target_; }

 private:
  DocumentTarget* target_;
  Observer observer_;
};

}  // namespace quillon
