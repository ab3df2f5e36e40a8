// Sorts coloured entries into their boxes and draws them, bold when flagged.
#include "ui/colored_item_controls.h"

#include <QPainter>
#include <QStylePainter>

#include "ui/dialog_template.h"

namespace ui {
namespace {

// The first position whose text sorts after text ignoring case, so that an
// entry goes after the entries equal to it, as a sorted box puts it.
template <typename TextAt>
int sortedPosition(int count, const QString& text, TextAt textAt) {
  int position = 0;
  while (position < count && QString::compare(textAt(position), text, Qt::CaseInsensitive) <= 0) ++position;
  return position;
}

QFont entryFont(QFont font, const QModelIndex& index) {
  if (index.data(kHighlightRole).toBool()) font.setWeight(QFont::Bold);
  return font;
}

// Pixels between the entry's top-left corner and its text.
constexpr int kTextInset = 2;
constexpr int kExtraHeight = 5;

}  // namespace

void ColoredItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->save();
  painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
  painter->setPen(selected ? option.palette.color(QPalette::HighlightedText) : QColor(Qt::black));
  painter->setFont(entryFont(option.font, index));
  painter->drawText(option.rect.adjusted(kTextInset, kTextInset, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  if (option.state.testFlag(QStyle::State_HasFocus)) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QStyle* style = option.widget != nullptr ? option.widget->style() : nullptr;
    if (style != nullptr) style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
  }
  painter->restore();
}

QSize ColoredItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QFontMetrics metrics(entryFont(option.font, index));
  return {metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 2 * kTextInset,
          QFontMetrics(option.font).height() + kExtraHeight};
}

CColoredItemComboBox::CColoredItemComboBox(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new ColoredItemDelegate(this));
}

int CColoredItemComboBox::addEntry(const ColoredItem& item) {
  const QString text = toQt(item.text);
  const int position = sortedPosition(count(), text, [this](int i) { return itemText(i); });
  // A drop-down list selects nothing by itself; QComboBox would select the
  // first entry of an empty box.
  const int selected = currentIndex();
  const QSignalBlocker quiet(this);
  insertItem(position, text);
  setItemData(position, item.highlight, kHighlightRole);
  setCurrentIndex(selected < 0 ? -1 : (selected >= position ? selected + 1 : selected));
  return position;
}

void CColoredItemComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() >= 0) painter.setFont(entryFont(font(), model()->index(currentIndex(), modelColumn())));
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

CColoredItemListBox::CColoredItemListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new ColoredItemDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
}

int CColoredItemListBox::addEntry(const ColoredItem& item) {
  const QString text = toQt(item.text);
  const int row = sortedPosition(count(), text, [this](int i) { return this->item(i)->text(); });
  auto* entry = new QListWidgetItem(text);
  entry->setData(kHighlightRole, item.highlight);
  insertItem(row, entry);
  return row;
}

int CColoredItemListBox::findExact(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (QString::compare(item(i)->text(), text, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

}  // namespace ui
