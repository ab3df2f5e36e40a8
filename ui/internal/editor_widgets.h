// Pieces the editor pages share: the small "+" and "-" buttons, labels with
// their buddy fields, handlers whose exceptions close the dialog, and the
// "Notice" message box. In: texts. Out: widgets
// and message boxes.
#pragma once

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <string>

namespace ui::internal {

// A narrow button such as "+" beside a list. accessibleName says what it
// does ("Add entry name"): screen readers and scripts that cannot tell the
// "+" buttons of a page apart by their text find it by that name.
QPushButton* smallButton(QWidget& parent, const char* text, const char* accessibleName, const char* objectName);

// A label whose mnemonic moves the focus to buddy.
QLabel* buddyLabel(QWidget& parent, const char* text, QWidget* buddy);

// A list (or other field) with its "+" and "-" stacked on its right.
QHBoxLayout* withButtons(QWidget* field, QPushButton* add, QPushButton* remove);

// Runs body for a control of page. An exception from it closes the dialog
// that holds the page and is rethrown by whoever ran that dialog, as
// exception_relay.h says; a page without a dialog lets it through.
void runRelayed(QWidget& page, const std::function<void()>& body);

// Connects a control's signal to body, run as runRelayed runs it.
// Example: connectRelayed(*this, addButton, &QPushButton::clicked, [this] { add(); });
template <typename Sender, typename Signal>
void connectRelayed(QWidget& page, Sender* sender, Signal signal, std::function<void()> body) {
  QObject::connect(sender, signal, &page, [&page, body = std::move(body)] { runRelayed(page, body); });
}

// "Notice" message box owned by db::messageOwner(), with an OK button.
void notice(const std::string& text);

}  // namespace ui::internal
