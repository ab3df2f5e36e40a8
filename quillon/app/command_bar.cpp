// The command bar's two messages.
#include "quillon/app/command_bar.h"

#include <algorithm>

namespace quillon::app {

CommandBar::CommandBar(AddedCallback onAdded) : onAdded_(std::move(onAdded)) {
  window_ = platform::createWindow([this](platform::WindowHandle, std::uint32_t message,
                                          std::uintptr_t wparam,
                                          std::intptr_t) { return onMessage(message, wparam); });
}

CommandBar::~CommandBar() { (void)platform::destroyWindow(window_); }

std::intptr_t CommandBar::onMessage(std::uint32_t message, std::uintptr_t wparam) {
  // Command ids are 16-bit; the rest of wparam carries nothing.
  const auto id = static_cast<std::uint32_t>(wparam & 0xFFFF);
  const auto found = std::find(buttons_.begin(), buttons_.end(), id);
  if (message == kBarQueryMessage) {
    return found == buttons_.end() ? kBarNotOnBar : found - buttons_.begin();
  }
  if (message == kBarAddMessage) {
    if (found == buttons_.end()) {
      buttons_.push_back(id);
      if (onAdded_) onAdded_(id);
    }
    return 1;
  }
  return 0;
}

}  // namespace quillon::app
