// Adds, removes and reads entries of combo and list boxes, keeping a combo
// box sorted as a sorted drop-down list keeps itself.
#include "ui/list_helpers.h"

#include "db/error_report.h"
#include "platform/platform.h"
#include "ui/dialog_input.h"
#include "ui/dialog_template.h"

namespace ui {

int insertSorted(QComboBox& box, const QString& text) {
  int position = 0;
  while (position < box.count() && QString::compare(box.itemText(position), text, Qt::CaseInsensitive) <= 0) {
    ++position;
  }
  // A drop-down list selects nothing by itself; QComboBox would select the
  // first entry of an empty box.
  const int selected = box.currentIndex();
  box.insertItem(position, text);
  box.setCurrentIndex(selected < 0 ? -1 : (selected >= position ? selected + 1 : selected));
  return position;
}

std::string addOptionSetEntry(QComboBox& box, const std::string& title, const std::string& prompt) {
  const std::string name = askForText(title, prompt);
  if (name.empty()) return {};
  // MatchFixedString without MatchCaseSensitive compares ignoring case.
  if (box.findText(toQt(name), Qt::MatchFixedString) >= 0) {
    (void)platform::messageBox(db::messageOwner(), "The value " + name + " already exists", "Velmor TOA",
                               platform::kMbOk);
    return {};
  }
  box.setCurrentIndex(insertSorted(box, toQt(name)));
  return name;
}

int removeSelectedEntry(QComboBox& box) {
  const int selected = box.currentIndex();
  if (selected < 0) return box.count();
  box.removeItem(selected);
  box.setCurrentIndex(box.count() > 0 ? selected - 1 : -1);
  return box.count();
}

void removeSelectedEntry(QListWidget& list) {
  const int selected = list.currentRow();
  if (selected < 0 || list.currentItem() == nullptr || !list.currentItem()->isSelected()) return;
  delete list.takeItem(selected);
  list.setCurrentRow(-1);
  list.clearSelection();
}

std::string selectedText(const QComboBox& box) {
  return box.currentIndex() < 0 ? std::string() : fromQt(box.currentText());
}

std::string selectedText(const QListWidget& list) {
  const QListWidgetItem* item = list.currentItem();
  return item != nullptr && item->isSelected() ? fromQt(item->text()) : std::string();
}

}  // namespace ui
