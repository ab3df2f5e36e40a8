// Fills the font list from QFontDatabase and draws its entries by style,
// both in the drop-down list and in the box itself.
#include "ui/font_preview_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>

namespace ui {
namespace {

constexpr int kMarkWidth = 15;  // the mark's cell, before every entry's text
constexpr int kTextIndent = 10;
constexpr int kGap = 20;        // between name and sample

// The "TT" mark of a scalable font, drawn rather than loaded: two letters,
// the second one lower and to the right, in 15 x 13 pixels.
void drawTrueTypeMark(QPainter& painter, QPoint at) {
  painter.save();
  QFont mark(QStringLiteral("Sans Serif"));
  mark.setPixelSize(10);
  mark.setBold(true);
  painter.setFont(mark);
  painter.setPen(QColor(128, 128, 128));
  painter.drawText(QRect(at.x(), at.y(), 9, 10), Qt::AlignCenter, QStringLiteral("T"));
  painter.setPen(QColor(0, 0, 0));
  painter.drawText(QRect(at.x() + 5, at.y() + 3, 9, 10), Qt::AlignCenter, QStringLiteral("T"));
  painter.restore();
}

class EntryDelegate : public QStyledItemDelegate {
 public:
  explicit EntryDelegate(CFontPreviewCombo& box) : QStyledItemDelegate(&box), box_(box) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    box_.paintEntry(*painter, option.rect, index.row(), option.state & QStyle::State_Selected, false);
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      box_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, box_.view());
    }
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QFont font(index.data(Qt::DisplayRole).toString());
    font.setPixelSize(box_.fontHeight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return {option.rect.width(), QFontMetrics(font).height() + 4};
  }

 private:
  CFontPreviewCombo& box_;
};

}  // namespace

CFontPreviewCombo::CFontPreviewCombo(QWidget* parent) : QComboBox(parent) {
  sampleColor = palette().color(QPalette::WindowText);
  setItemDelegate(new EntryDelegate(*this));
}

QFont CFontPreviewCombo::previewFont(const QString& family) const {
  QFont font(family);
  font.setPixelSize(fontHeight);
  font.setWeight(QFont::Normal);
  return font;
}

void CFontPreviewCombo::initialise() {
  clear();
  previewFonts_.clear();
  widestName_ = widestSample_ = 0;
  QStringList families = QFontDatabase::families();
  std::sort(families.begin(), families.end(),
            [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
  const QFontMetrics nameMetrics(font());
  for (const QString& family : families) {
    addItem(family, QFontDatabase::isScalable(family) ? kTrueTypeFont : 0);
    if (style_ != kNameOnly) previewFonts_[family] = previewFont(family);
    if (style_ == kNameThenSample || style_ == kSampleThenName) {
      widestName_ = std::max(widestName_, nameMetrics.horizontalAdvance(family));
      widestSample_ = std::max(widestSample_, QFontMetrics(previewFont(family)).horizontalAdvance(sampleText));
    }
  }
  setCurrentIndex(count() > 0 ? 0 : -1);
}

void CFontPreviewCombo::setPreviewStyle(int style, bool reload) {
  if (style == style_) return;
  style_ = style;
  if (reload) initialise();
}

int CFontPreviewCombo::droppedWidth() const {
  int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + kMarkWidth;
  switch (style_) {
    case kNameInFont:
    case kNameOnly:
      return width + widestName_;
    case kSampleOnly:
      return width + widestSample_;
    default:
      return width + widestName_ + widestSample_ + kGap;
  }
}

void CFontPreviewCombo::showPopup() {
  view()->setMinimumWidth(std::max(width(), droppedWidth() + kTextIndent));
  QComboBox::showPopup();
}

void CFontPreviewCombo::paintEntry(QPainter& painter, const QRect& area, int index, bool selected,
                                   bool inEditField) const {
  if (index < 0 || index >= count()) return;
  painter.save();
  const QPalette& colours = palette();
  QColor text = colours.color(QPalette::Text), sample = sampleColor;
  if (selected) {
    painter.fillRect(area, colours.color(QPalette::Highlight));
    text = sample = colours.color(QPalette::HighlightedText);
  }
  QRect rect = area;
  if (itemData(index).toInt() & kTrueTypeFont) drawTrueTypeMark(painter, rect.topLeft() + QPoint(5, 4));
  rect.setLeft(rect.left() + kMarkWidth);
  const QString name = itemText(index);
  const auto found = previewFonts_.find(name);
  const QFont preview = found != previewFonts_.end() ? found->second : font();
  const auto draw = [&](int left, const QFont& font, const QColor& colour, const QString& what) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(left, rect.top(), rect.right() - left, rect.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     what);
  };
  const int start = rect.left() + kTextIndent;
  switch (style_) {
    case kNameInFont:
      draw(start, preview, text, name);
      break;
    case kNameOnly:
      draw(start, font(), text, name);
      break;
    case kNameThenSample: {
      const int nameWidth = inEditField ? fontMetrics().horizontalAdvance(name) : widestName_;
      draw(start, font(), text, name);
      draw(start + nameWidth + kGap, preview, sample, sampleText);
      break;
    }
    case kSampleThenName: {
      const int sampleWidth = inEditField ? QFontMetrics(preview).horizontalAdvance(sampleText) : widestSample_;
      draw(start, preview, sample, sampleText);
      draw(start + sampleWidth + kGap, font(), text, name);
      break;
    }
    default:
      draw(start, preview, sample, sampleText);
  }
  painter.restore();
}

void CFontPreviewCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();  // the entry is drawn below, not as plain text
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  painter.setClipRect(field);
  paintEntry(painter, field, currentIndex(), false, true);
}

}  // namespace ui
