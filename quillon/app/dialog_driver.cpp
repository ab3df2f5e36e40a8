// Applies scripted actions to the open modal dialog through Qt's event loop.
#include "quillon/app/dialog_driver.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "quillon/app/console.h"

namespace quillon::app {
namespace {

std::string shown(const QString& text) { return withoutMnemonic(text.toStdString()); }

// Controls that belong to the dialog itself (not to a nested window) and
// that a person can see.
template <typename Control>
QList<Control*> controlsOf(QWidget* dialog) {
  QList<Control*> found;
  for (Control* control : dialog->findChildren<Control*>()) {
    if (control->window() == dialog && control->isVisibleTo(dialog)) found.push_back(control);
  }
  return found;
}

std::string quotedList(const std::vector<std::string>& texts) {
  std::string list;
  for (const std::string& text : texts) list += (list.empty() ? "\"" : ", \"") + text + "\"";
  return list.empty() ? "none" : list;
}

// The property a script sets on a numeric field: the widget's user
// property, when it is a writable number.
QMetaProperty numericProperty(const QWidget& field) {
  const QMetaProperty property = field.metaObject()->userProperty();
  const int type = property.metaType().id();
  return property.isWritable() && (type == QMetaType::Double || type == QMetaType::Int) ? property : QMetaProperty();
}

// The visible labels whose buddy is a numeric field.
QList<QLabel*> numericLabels(QWidget* dialog) {
  QList<QLabel*> labels;
  for (QLabel* label : controlsOf<QLabel>(dialog)) {
    if (label->buddy() != nullptr && numericProperty(*label->buddy()).isValid()) labels.push_back(label);
  }
  return labels;
}

std::string disabledMark(const QWidget& widget) { return widget.isEnabled() ? "" : " (disabled)"; }

// "buttons: "A", "B (disabled)"; list items: "X"", then "; tabs: ..." and
// "; numeric fields: ..." when the dialog has them: what a script could act on.
std::string inventory(QWidget* dialog) {
  std::vector<std::string> buttons, items, tabs, fields;
  for (QAbstractButton* button : controlsOf<QAbstractButton>(dialog)) {
    // Arrow buttons without a text or a name (a spin's) cannot be named by a script.
    const std::string name = button->accessibleName().toStdString();
    if (button->text().isEmpty() && name.empty()) continue;
    buttons.push_back(shown(button->text()) + (name.empty() ? "" : " (" + name + ")") + disabledMark(*button));
  }
  for (QComboBox* list : controlsOf<QComboBox>(dialog)) {
    for (int i = 0; i < list->count(); ++i) items.push_back(list->itemText(i).toStdString());
  }
  for (QListWidget* list : controlsOf<QListWidget>(dialog)) {
    for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
  }
  for (QTabWidget* pages : controlsOf<QTabWidget>(dialog)) {
    for (int i = 0; i < pages->count(); ++i) tabs.push_back(shown(pages->tabText(i)));
  }
  for (QLabel* label : numericLabels(dialog)) fields.push_back(shown(label->text()) + disabledMark(*label->buddy()));
  return "buttons: " + quotedList(buttons) + "; list items: " + quotedList(items) +
         (tabs.empty() ? "" : "; tabs: " + quotedList(tabs)) +
         (fields.empty() ? "" : "; numeric fields: " + quotedList(fields));
}

std::string titleOf(QWidget* dialog) { return "dialog \"" + dialog->windowTitle().toStdString() + "\""; }

bool press(QWidget* dialog, const std::string& text) {
  for (QAbstractButton* button : controlsOf<QAbstractButton>(dialog)) {
    if (button->isEnabled() && (shown(button->text()) == text || button->accessibleName().toStdString() == text)) {
      button->click();
      return true;
    }
  }
  return false;
}

bool select(QWidget* dialog, const std::string& text) {
  for (QComboBox* list : controlsOf<QComboBox>(dialog)) {
    const int index = list->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!list->isEnabled() || index < 0) continue;
    QPointer<QComboBox> alive(list);
    list->setCurrentIndex(index);
    // A person's pick also sends these, even for the item already current.
    if (alive) emit list->activated(index);
    if (alive) emit list->textActivated(list->itemText(index));
    return true;
  }
  // List boxes: the item becomes the current, selected one, as a click makes it.
  for (QListWidget* list : controlsOf<QListWidget>(dialog)) {
    const QList<QListWidgetItem*> found =
        list->findItems(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!list->isEnabled() || found.isEmpty()) continue;
    QPointer<QListWidget> alive(list);
    list->setCurrentItem(found.front());
    found.front()->setSelected(true);
    if (alive) emit list->itemClicked(found.front());
    return true;
  }
  return false;
}

bool showTab(QWidget* dialog, const std::string& text) {
  for (QTabWidget* pages : controlsOf<QTabWidget>(dialog)) {
    for (int i = 0; i < pages->count(); ++i) {
      if (pages->isEnabled() && pages->isTabEnabled(i) && shown(pages->tabText(i)) == text) {
        pages->setCurrentIndex(i);
        return true;
      }
    }
  }
  return false;
}

bool check(QWidget* dialog, const std::string& text) {
  for (QCheckBox* box : controlsOf<QCheckBox>(dialog)) {
    if (box->isEnabled() && shown(box->text()) == text) {
      box->click();
      return true;
    }
  }
  return false;
}

// Writes the value into the field that the label names (its buddy), as long
// as the field is enabled and the value lies inside the field's range.
bool spin(QWidget* dialog, const std::string& text) {
  const std::optional<SpinSetting> setting = spinSetting(text);
  if (!setting) return false;
  for (QLabel* label : numericLabels(dialog)) {
    QWidget* field = label->buddy();
    if (!sameLabel(shown(label->text()), setting->label) || !field->isEnabled()) continue;
    const QVariant low = field->property("minimum"), high = field->property("maximum");
    if ((low.isValid() && setting->value < low.toDouble()) || (high.isValid() && setting->value > high.toDouble())) {
      return false;
    }
    QVariant value(setting->value);
    const QMetaProperty property = numericProperty(*field);
    if (property.metaType().id() == QMetaType::Int) value.convert(QMetaType(QMetaType::Int));
    return property.write(field, value);
  }
  return false;
}

// The focused line edit, or the only one that can be typed into.
QLineEdit* fieldOf(QWidget* dialog) {
  if (auto* focused = qobject_cast<QLineEdit*>(dialog->focusWidget());
      focused != nullptr && focused->window() == dialog && focused->isEnabled() && !focused->isReadOnly())
    return focused;
  QLineEdit* only = nullptr;
  for (QLineEdit* edit : controlsOf<QLineEdit>(dialog)) {
    // The edits inside spin boxes and editable lists are parts of those.
    QWidget* parent = edit->parentWidget();
    if (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent)) continue;
    if (!edit->isEnabled() || edit->isReadOnly()) continue;
    if (only != nullptr) return nullptr;
    only = edit;
  }
  return only;
}

bool type(QWidget* dialog, const std::string& text) {
  QLineEdit* field = fieldOf(dialog);
  if (field == nullptr) return false;
  field->setFocus();
  field->selectAll();
  field->insert(QString::fromStdString(text));
  return true;
}

}  // namespace

DialogDriver::DialogDriver(std::vector<DialogAction> actions) : actions_(std::move(actions)) {
  qApp->installEventFilter(this);
}

DialogDriver::~DialogDriver() { qApp->removeEventFilter(this); }

std::vector<DialogAction> DialogDriver::unused() const {
  if (stopped_) return {};
  return {actions_.begin() + static_cast<std::ptrdiff_t>(next_), actions_.end()};
}

bool DialogDriver::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && (qobject_cast<QDialog*>(widget) || widget->isModal())) schedule();
  }
  return false;
}

void DialogDriver::schedule() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] { step(); });
}

void DialogDriver::step() {
  pending_ = false;
  QPointer<QWidget> dialog = QApplication::activeModalWidget();
  if (dialog == nullptr || !dialog->isVisible()) return;
  // Its own action has not returned yet; we come back when it does.
  if (std::find(busy_.begin(), busy_.end(), dialog) != busy_.end()) return;

  if (stopped_) {
    close(dialog, "the script stopped");
  } else if (next_ >= actions_.size()) {
    ++unscripted_;
    close(dialog, "no action left; " + inventory(dialog));
  } else {
    const DialogAction& action = actions_[next_++];
    busy_.push_back(dialog);
    const bool done = apply(dialog, action);
    busy_.pop_back();
    if (!done) {
      stopped_ = true;
      if (dialog != nullptr) {
        reportError(describe(action) + ": not found in " + titleOf(dialog) + "; " + inventory(dialog));
        close(dialog, "the script stopped");
      }
    }
  }
  schedule();
}

bool DialogDriver::apply(QWidget* dialog, const DialogAction& action) {
  switch (action.kind) {
    case DialogActionKind::Select:
      return select(dialog, action.text);
    case DialogActionKind::Type:
      return type(dialog, action.text);
    case DialogActionKind::Tab:
      return showTab(dialog, action.text);
    case DialogActionKind::Check:
      return check(dialog, action.text);
    case DialogActionKind::Spin:
      return spin(dialog, action.text);
    case DialogActionKind::Press:
      break;
  }
  return press(dialog, action.text);
}

void DialogDriver::close(QWidget* dialog, const std::string& why) {
  reportError(titleOf(dialog) + " closed: " + why);
  QPointer<QWidget> alive(dialog);
  if (auto* box = qobject_cast<QDialog*>(dialog)) {
    box->reject();
  } else {
    dialog->close();
  }
  // A dialog that refuses to be cancelled must still not hold the run.
  if (alive && alive->isVisible()) alive->hide();
}

}  // namespace quillon::app
