// Decode, execute, reply.
#include "quillon/commands/block_executor.h"

#include "quillon/commands/block_decoder.h"
#include "quillon/commands/command_table.h"
#include "quillon/commands/reply_block.h"

namespace quillon {

void* BlockExecutor::execute(const void* block) {
  const std::optional<CommandRequest> request = decodeCommandBlock(block);
  if (!request) return nullptr;
  const CommandResult result = target_->execute(*request);
  if (observer_) observer_(*request, result);
  return buildReply(replyKindOf(*request), result);
}

}  // namespace quillon
