// Shows the message for an exception that reached one of the plug-in's
// exports.
#include "host/export_guard.h"

#include <string>

#include "platform/platform.h"

namespace host {

void reportEscapedError(std::string_view exportName, std::string_view detail) noexcept {
  try {
    std::string text = "The Table of Authorities tool stopped ";
    text += exportName;
    text += " after an unexpected error:\n";
    text += detail;
    (void)platform::messageBox(nullptr, text, kEscapedErrorCaption,
                               platform::kMbOk | platform::kMbIconError);
  } catch (...) {
    // Out of memory, or a message-box handler that throws: the export still
    // returns its failure value, which is all the host can act on.
  }
}

}  // namespace host
