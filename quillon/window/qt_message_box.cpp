// Shows platform message boxes as QMessageBoxes; see qt_message_box.h.
#include "quillon/window/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace quillon::window {
namespace {

QMessageBox::Icon iconOf(unsigned flags) {
  switch (flags & platform::kMbIconMask) {
    case platform::kMbIconError: return QMessageBox::Critical;
    case platform::kMbIconQuestion: return QMessageBox::Question;
    case platform::kMbIconWarning: return QMessageBox::Warning;
    case platform::kMbIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButtons buttonsOf(unsigned flags) {
  switch (flags & platform::kMbButtonMask) {
    case platform::kMbOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case platform::kMbYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case platform::kMbYesNo: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

int answerOf(int button) {
  switch (button) {
    case QMessageBox::Ok: return platform::kIdOk;
    case QMessageBox::Yes: return platform::kIdYes;
    case QMessageBox::No: return platform::kIdNo;
    default: return platform::kIdCancel;
  }
}

}  // namespace

int QtMessageBoxHandler::show(const platform::MessageBoxRequest& request) {
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = QApplication::activeWindow();
  QMessageBox box(iconOf(request.flags), QString::fromStdString(request.caption),
                  QString::fromStdString(request.text), buttonsOf(request.flags), owner);
  const QMessageBox::StandardButtons buttons = buttonsOf(request.flags);
  box.setDefaultButton(buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
  if (buttons & QMessageBox::Cancel) box.setEscapeButton(QMessageBox::Cancel);
  else if (buttons & QMessageBox::No) box.setEscapeButton(QMessageBox::No);
  else box.setEscapeButton(QMessageBox::Ok);
  // Closed from its title bar, the box answers with its escape button.
  return answerOf(box.exec());
}

}  // namespace quillon::window
