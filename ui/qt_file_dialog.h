// The file-open dialog a person answers. In: platform::openFileDialog
// requests. Out: the path picked in Qt's file dialog, or a cancel.
#pragma once

#include "platform/platform.h"

namespace ui {

class QtFileDialogHandler : public platform::FileDialogHandler {
 public:
  // Shows a modal QFileDialog with the request's title and filter (every
  // file when empty) for an existing file; false when it was cancelled.
  bool open(const platform::FileDialogRequest& request, std::string* path) override;
};

// Makes Qt's file dialog answer platform::openFileDialog for the life of a
// scope, unless the process has a handler of its own already (a batch host
// that answers from its script keeps doing so).
class QtFileDialogsUnlessHandled {
 public:
  QtFileDialogsUnlessHandled();
  ~QtFileDialogsUnlessHandled();
  QtFileDialogsUnlessHandled(const QtFileDialogsUnlessHandled&) = delete;
  QtFileDialogsUnlessHandled& operator=(const QtFileDialogsUnlessHandled&) = delete;

 private:
  QtFileDialogHandler dialogs_;
  platform::FileDialogHandler* previous_;
};

}  // namespace ui
