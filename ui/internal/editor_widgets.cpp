// Builds the editor pages' small buttons and labels and shows their notices.
#include "ui/internal/editor_widgets.h"

#include <QDialog>

#include "db/error_report.h"
#include "platform/platform.h"
#include "ui/internal/exception_relay.h"

namespace ui::internal {

QPushButton* smallButton(QWidget& parent, const char* text, const char* accessibleName, const char* objectName) {
  auto* button = new QPushButton(QString::fromUtf8(text), &parent);
  button->setAccessibleName(QString::fromUtf8(accessibleName));
  button->setObjectName(QString::fromUtf8(objectName));
  button->setAutoDefault(false);
  // Styles give push buttons a wide minimum; one sign needs a square.
  button->setFixedWidth(button->sizeHint().height() + button->fontMetrics().averageCharWidth());
  return button;
}

QLabel* buddyLabel(QWidget& parent, const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(text), &parent);
  label->setBuddy(buddy);
  return label;
}

QHBoxLayout* withButtons(QWidget* field, QPushButton* add, QPushButton* remove) {
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(field);
  row->addLayout(buttons);
  return row;
}

void runRelayed(QWidget& page, const std::function<void()>& body) {
  if (auto* dialog = qobject_cast<QDialog*>(page.window())) {
    relayed(*dialog, body);
  } else {
    body();
  }
}

void notice(const std::string& text) {
  (void)platform::messageBox(db::messageOwner(), text, "Notice", platform::kMbOk);
}

}  // namespace ui::internal
