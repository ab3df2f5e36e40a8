// One line of the host's command log. In: a decoded request. Out: text such
// as `TypeText (2) Q "Smith v. Jones"` or `AttributeOn (89) I omitted`.
#pragma once

#include <string>

#include "quillon/commands/command_request.h"

namespace quillon {

// The command's name ("Command" for a number the host does not know) with its
// number in brackets, then each parameter as its letter and value:
// integers in decimal, doubles as printed by %g, texts in double quotes with
// '"', '\\' and control characters escaped, "null" for a null text pointer,
// "unreadable" for a pointer outside global memory, "omitted" when flagged.
// Texts print as UTF-8.
std::string formatRequest(const CommandRequest& request);

}  // namespace quillon
