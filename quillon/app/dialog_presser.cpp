// Scripted button presses, handed out in command-line order.
#include "quillon/app/dialog_presser.h"

namespace quillon::app {

std::optional<std::string> ScriptedPresser::nextPress(const std::string&, const std::vector<std::string>&) {
  if (next_ >= presses_.size()) return std::nullopt;
  return presses_[next_++];
}

std::vector<std::string> ScriptedPresser::unused() const {
  return {presses_.begin() + static_cast<std::ptrdiff_t>(next_), presses_.end()};
}

}  // namespace quillon::app
