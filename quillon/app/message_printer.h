// Message boxes in a batch run: each one is printed and answered from the
// script. In: the plug-ins' message-box requests. Out: a line
// `message box [caption]: text` on standard output, and the scripted answer
// (the default button once the script is used up).
#pragma once

#include <cstdio>
#include <vector>

#include "platform/platform.h"

namespace quillon::app {

class PrintingMessageBoxHandler : public platform::MessageBoxHandler {
 public:
  explicit PrintingMessageBoxHandler(std::vector<int> answers, std::FILE* out = stdout)
      : script_(std::move(answers)), out_(out) {}
  int show(const platform::MessageBoxRequest& request) override;

 private:
  platform::ScriptedMessageBoxHandler script_;
  std::FILE* out_;
};

}  // namespace quillon::app
