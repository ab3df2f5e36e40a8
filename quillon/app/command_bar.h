// The host's command bar: a window that answers where a command sits on it
// and takes commands onto it. In: message 0x60C (position of the command id
// in wparam) and 0x50A (add the command id in wparam). Out: positions, and a
// report of every command added.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/platform.h"

namespace quillon::app {

inline constexpr std::uint32_t kBarQueryMessage = 0x60C;
inline constexpr std::uint32_t kBarAddMessage = 0x50A;
inline constexpr std::intptr_t kBarNotOnBar = 0xFFFF;

class CommandBar {
 public:
  // Called with the id of each command as it is added.
  using AddedCallback = std::function<void(std::uint32_t commandId)>;

  explicit CommandBar(AddedCallback onAdded);
  ~CommandBar();
  CommandBar(const CommandBar&) = delete;
  CommandBar& operator=(const CommandBar&) = delete;

  platform::WindowHandle handle() const { return window_; }
  // Command ids on the bar, in bar order.
  const std::vector<std::uint32_t>& buttons() const { return buttons_; }

 private:
  // 0x60C: the 0-based position of the id, or 0xFFFF when it is not on the
  //   bar. 0x50A: appends the id unless it is there already, answers 1.
  std::intptr_t onMessage(std::uint32_t message, std::uintptr_t wparam);

  AddedCallback onAdded_;
  std::vector<std::uint32_t> buttons_;
  platform::WindowHandle window_ = nullptr;
};

}  // namespace quillon::app
