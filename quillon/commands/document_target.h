// The document that host commands act on. In: a decoded CommandRequest. Out:
// the result the host replies with. DocumentEngine implements it over the
// document engine; tests put recording targets in its place.
#pragma once

#include "quillon/commands/command_request.h"

namespace quillon {

class DocumentTarget {
 public:
  virtual ~DocumentTarget() = default;
  // Carries out the command and returns its result (integer or text, which
  // the executor writes as the command's reply kind says). A command the
  // document does not act on returns a zero result. Never throws.
  virtual CommandResult execute(const CommandRequest& request) = 0;
};

}  // namespace quillon
