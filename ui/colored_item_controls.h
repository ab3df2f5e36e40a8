// The combo box and list box whose entries can be drawn in bold. In:
// ColoredItem records (a text and a highlight flag). Out: entries kept in
// alphabetical order ignoring letter case, the highlighted ones (the user's
// own dictionary rows) drawn in a bold variant of the control's font, every
// entry as high as the font's characters plus 5 pixels.
//
// Each entry keeps its flag as item data under kHighlightRole, so the box
// frees it with the entry.
//
// Errors: none.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <string>

namespace ui {

// What each entry of the two boxes carries.
struct ColoredItem {
  std::string text;
  bool highlight = false;  // drawn in bold: an entry the user added
};

// The item-data role that holds an entry's highlight flag (bool).
inline constexpr int kHighlightRole = Qt::UserRole + 1;

// Draws one entry: highlight or window background, highlight-text or black
// text, 2 pixels in from the top-left corner, bold when flagged, with a
// focus rectangle; height = character height + 5.
class ColoredItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A sorted drop-down list of coloured entries. The closed box shows the
// current entry in bold too when it is flagged.
class CColoredItemComboBox : public QComboBox {
 public:
  explicit CColoredItemComboBox(QWidget* parent = nullptr);
  // Sorts the entry in (after entries equal to it ignoring case) and returns
  // its position; the selection stays on the entry it was on (none stays
  // none). Example: into {"a", "C"}, {"b", true} goes to 1.
  int addEntry(const ColoredItem& item);
  void disable() { setEnabled(false); }
  void enable() { setEnabled(true); }
  // Sets how many entries the drop-down shows at once.
  void showEntries(int count) { setMaxVisibleItems(count); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A sorted list box of coloured entries with one selection.
class CColoredItemListBox : public QListWidget {
 public:
  explicit CColoredItemListBox(QWidget* parent = nullptr);
  // Sorts the entry in as CColoredItemComboBox::addEntry does; returns its row.
  int addEntry(const ColoredItem& item);
  // The row of the entry whose text equals text ignoring letter case, or -1.
  int findExact(const QString& text) const;
};

}  // namespace ui
