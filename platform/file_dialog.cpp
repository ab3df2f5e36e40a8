// Turns file-open requests into a path from the installed handler, or into a
// cancel after writing the request to standard error.
#include <atomic>
#include <cstdio>

#include "platform/platform.h"

namespace platform {
namespace {

std::atomic<FileDialogHandler*>& installed() {
  static std::atomic<FileDialogHandler*> handler{nullptr};
  return handler;
}

}  // namespace

FileDialogHandler* setFileDialogHandler(FileDialogHandler* handler) { return installed().exchange(handler); }

bool openFileDialog(WindowHandle owner, std::string_view title, std::string_view filter, std::string* path) {
  FileDialogHandler* handler = installed().load();
  if (handler == nullptr) {
    // Nobody can answer: a file the user did not choose must never be opened.
    std::fprintf(stderr, "file dialog: %.*s: cancelled\n", static_cast<int>(title.size()), title.data());
    return false;
  }
  std::string chosen;
  if (!handler->open(FileDialogRequest{owner, std::string(title), std::string(filter)}, &chosen)) return false;
  if (path != nullptr) *path = std::move(chosen);
  return true;
}

}  // namespace platform
