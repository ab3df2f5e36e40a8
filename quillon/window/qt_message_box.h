// The message boxes a person answers in the desktop window. In: every
// platform::messageBox request of the host and its plug-ins. Out: a modal
// QMessageBox with the request's caption, text, icon and buttons over the
// window in front (the plug-in's dialog while it is open), and the button
// pressed as platform::kId*.
#pragma once

#include "platform/platform.h"

namespace quillon::window {

class QtMessageBoxHandler : public platform::MessageBoxHandler {
 public:
  // Closing the box with Escape or its title bar answers Cancel where the
  // set has it, No for Yes/No, and OK for OK alone.
  int show(const platform::MessageBoxRequest& request) override;
};

}  // namespace quillon::window
