// The window's native store and save prompt; see window_prompts.h.
#include "quillon/window/window_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/platform.h"
#include "quillon/format/document_file.h"

namespace quillon::window {

void showError(const std::string& text) {
  (void)platform::messageBox(nullptr, text, "Quillon", platform::kMbOk | platform::kMbIconError);
}

bool WindowFileStore::save(doc::Document& document, const std::string& path) {
  try {
    format::saveNativeFile(document, path);
    return true;
  } catch (const format::FormatError& error) {
    showError(error.what());
    return false;
  }
}

std::string WindowNamePrompt::askForName() {
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = QApplication::activeWindow();
  QString chosen = QFileDialog::getSaveFileName(owner, QStringLiteral("Save As"), QString(),
                                                QStringLiteral("Quillon documents (*.qdoc)"));
  if (chosen.isEmpty()) return {};
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".qdoc");
  return QFileInfo(chosen).absoluteFilePath().toStdString();
}

}  // namespace quillon::window
