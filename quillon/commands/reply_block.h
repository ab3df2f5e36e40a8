// The host's reply to a command. In: the reply kind and the document's
// result. Out: a locked global memory block in the layout the plug-in reads,
// and its release.
#pragma once

#include "quillon/commands/command_request.h"
#include "quillon/commands/command_table.h"

namespace quillon {

// Allocates (zeroed, movable) and locks the reply and returns its address:
// Int32 and Int16 write result.integer at byte 136 in that width; Text writes
// result.text as a host string from byte 138, the block sized to hold it and
// its zero unit. Returns null for ReplyKind::None or when allocation fails.
void* buildReply(ReplyKind kind, const CommandResult& result);

// Unlocks and frees a reply that buildReply made. False, touching nothing,
// for null or an address that does not start a live global block.
bool releaseReply(void* reply);

}  // namespace quillon
