// Prints a message box with the scripted answer, a file dialog with the
// scripted path, and a file to open.
#include "quillon/app/message_printer.h"

#include "quillon/app/console.h"

namespace quillon::app {
namespace {

std::string answerName(int answer) {
  switch (answer) {
    case platform::kIdOk:
      return "ok";
    case platform::kIdCancel:
      return "cancel";
    case platform::kIdYes:
      return "yes";
    case platform::kIdNo:
      return "no";
    case 3:
      return "abort";
    case 4:
      return "retry";
    default:
      return "id " + std::to_string(answer);
  }
}

// Line breaks as "\n"; nothing else is escaped, so texts with backslashes
// (registry keys) read as they are.
std::string oneLine(const std::string& text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      line += "\\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  return line;
}

std::string messageLine(const platform::MessageBoxRequest& request, int answer) {
  return "message: " + oneLine(request.caption) + ": " + oneLine(request.text) + " -> " + answerName(answer);
}

}  // namespace

int PrintingMessageBoxHandler::show(const platform::MessageBoxRequest& request) {
  const int answer = script_.show(request);
  std::fflush(stdout);  // keeps the two streams in the order things happened
  std::fprintf(out_, "%s\n", messageLine(request, answer).c_str());
  std::fflush(out_);
  return answer;
}

bool PrintingFileDialogHandler::open(const platform::FileDialogRequest& request, std::string* path) {
  const bool answered = next_ < paths_.size();
  if (answered) *path = paths_[next_++];
  std::fflush(stdout);
  std::fprintf(out_, "file: %s -> %s\n", oneLine(request.title).c_str(), answered ? path->c_str() : "cancel");
  std::fflush(out_);
  return answered;
}

bool PrintingShellOpenHandler::open(const std::string& path) {
  printLine("open: " + path);
  return true;
}

}  // namespace quillon::app
