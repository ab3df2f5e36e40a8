// Reads a command block that a plug-in sent. In: the block's address. Out: a
// CommandRequest with every parameter decoded by its letter.
#pragma once

#include <optional>

#include "quillon/commands/command_request.h"

namespace quillon {

// Decodes the header and the parameters. The block and every text it points
// to must be live global memory blocks (that is how senders allocate them);
// nothing is read beyond a block's size. Returns nullopt for a null block, an
// address that does not start a global block, or one shorter than the header.
// Slots that do not fit the block are left out (declaredCount keeps the
// count the block claims). A text pointer that is not a global block decodes
// as empty with `unreadable` set; a text without terminator ends at the end
// of its block.
std::optional<CommandRequest> decodeCommandBlock(const void* block);

}  // namespace quillon
