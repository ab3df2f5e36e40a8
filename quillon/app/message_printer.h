// What a batch run shows instead of the desktop's message boxes and viewers.
// In: the plug-ins' message-box and shell-open requests. Out: each message
// box answered from the --answer script (the default button once the script
// is used up) and printed on standard error as
//   message: CAPTION: TEXT -> ANSWER
// with ANSWER one of ok, cancel, yes, no (abort, retry or "id N" for the
// rare button sets without those) and each line break of TEXT (LF, CR LF or
// CR) printed as the two characters \n, so that one box is one line;
// each file to open printed on standard output as "open: PATH"; each
// file-open dialog answered with the next --file path (a cancel once they
// are used up) and printed on standard error as
//   file: TITLE -> PATH      or      file: TITLE -> cancel
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quillon::app {

class PrintingMessageBoxHandler : public platform::MessageBoxHandler {
 public:
  explicit PrintingMessageBoxHandler(std::vector<int> answers, std::FILE* out = stderr)
      : script_(std::move(answers)), out_(out) {}
  int show(const platform::MessageBoxRequest& request) override;

 private:
  platform::ScriptedMessageBoxHandler script_;
  std::FILE* out_;
};

// Prints "open: PATH" and answers that the file was opened.
class PrintingShellOpenHandler : public platform::ShellOpenHandler {
 public:
  bool open(const std::string& path) override;
};

// Answers file-open dialogs from the --file paths, in order.
class PrintingFileDialogHandler : public platform::FileDialogHandler {
 public:
  explicit PrintingFileDialogHandler(std::vector<std::string> paths, std::FILE* out = stderr)
      : paths_(std::move(paths)), out_(out) {}
  bool open(const platform::FileDialogRequest& request, std::string* path) override;

 private:
  std::vector<std::string> paths_;
  std::size_t next_ = 0;
  std::FILE* out_;
};

}  // namespace quillon::app
