// Answers file-open requests with Qt's file dialog.
#include "ui/qt_file_dialog.h"

#include <QFileDialog>

namespace ui {

bool QtFileDialogHandler::open(const platform::FileDialogRequest& request, std::string* path) {
  const QString chosen = QFileDialog::getOpenFileName(nullptr, QString::fromStdString(request.title), QString(),
                                                      QString::fromStdString(request.filter));
  if (chosen.isEmpty()) return false;
  *path = chosen.toStdString();
  return true;
}

QtFileDialogsUnlessHandled::QtFileDialogsUnlessHandled() : previous_(platform::setFileDialogHandler(&dialogs_)) {
  if (previous_ != nullptr) platform::setFileDialogHandler(previous_);
}

QtFileDialogsUnlessHandled::~QtFileDialogsUnlessHandled() { platform::setFileDialogHandler(previous_); }

}  // namespace ui
