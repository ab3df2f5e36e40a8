// What the document engine saves through in the desktop window. In: the
// host's save commands (from the File menu or a plug-in). Out: the native
// file written, or a message box saying why not; a file name asked for in a
// save dialog.
#pragma once

#include <QWidget>

#include <string>

#include "quillon/commands/document_store.h"

namespace quillon::window {

// Saves with format::saveNativeFile; a failure shows "cannot save PATH:
// REASON" in a message box (caption "Quillon") and answers false.
class WindowFileStore : public DocumentStore {
 public:
  bool save(doc::Document& document, const std::string& path) override;
};

// Asks for a name in a save dialog over the window in front; "" when
// cancelled. A name without an extension gets ".qdoc".
class WindowNamePrompt : public NamePrompt {
 public:
  std::string askForName() override;
};

// Shows text in a message box with caption "Quillon" and an error icon.
void showError(const std::string& text);

}  // namespace quillon::window
