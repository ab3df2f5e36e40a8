// Adds, removes and reads entries of combo and list boxes, keeping a combo
// box sorted as a sorted drop-down list keeps itself.
#include "ui/list_helpers.h"

#include "db/error_report.h"
#include "platform/platform.h"
#include "ui/dialog_input.h"
#include "ui/dialog_template.h"
#include "ui/message_texts.h"

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

namespace {

// Asks for a text and refuses one that found() says the box holds; "" when
// nothing is to be added.
template <typename Found>
std::string askForNewEntry(const std::string& title, const std::string& prompt, Found found) {
  const std::string text = askForText(title, prompt);
  if (text.empty()) return {};
  if (found(toQt(text))) {
    const std::string message = message_texts::kDuplicateBefore + text + message_texts::kDuplicateAfter;
    (void)platform::messageBox(db::messageOwner(), message, "Velmor TOA", platform::kMbOk);
    return {};
  }
  return text;
}

// MatchFixedString without MatchCaseSensitive compares ignoring case.
bool holds(const QComboBox& box, const QString& text) { return box.findText(text, Qt::MatchFixedString) >= 0; }

}  // namespace

std::string addOptionSetEntry(QComboBox& box, const std::string& title, const std::string& prompt) {
  const std::string name = askForNewEntry(title, prompt, [&box](const QString& text) { return holds(box, text); });
  if (!name.empty()) box.setCurrentIndex(insertSorted(box, toQt(name)));
  return name;
}

int promptIntoCombo(CColoredItemComboBox& box, const std::string& title, const std::string& prompt,
                    bool highlight, std::string* text) {
  *text = askForNewEntry(title, prompt, [&box](const QString& entry) { return holds(box, entry); });
  return text->empty() ? -1 : box.addEntry({*text, highlight});
}

int promptIntoList(CColoredItemListBox& list, const std::string& title, const std::string& prompt,
                   bool highlight, std::string* text) {
  *text = askForNewEntry(title, prompt, [&list](const QString& entry) { return list.findExact(entry) >= 0; });
  return text->empty() ? -1 : list.addEntry({*text, highlight});
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
