// Creates the widgets of a template dialog and converts dialog units with the
// dialog font's metrics.
#include "ui/dialog_template.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cassert>
#include <vector>

namespace ui {
namespace {

int scaled(int units, int base, int divisor) {
  return (units * base + divisor / 2) / divisor;
}

QWidget* create(QDialog& dialog, const TemplateControl& row) {
  const QString text = QString::fromUtf8(row.text);
  switch (row.kind) {
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
      auto* button = new QPushButton(text, &dialog);
      button->setDefault(row.kind == ControlKind::DefaultButton);
      return button;
    }
    case ControlKind::Label:
      return new QLabel(text, &dialog);
    case ControlKind::GroupBox:
      return new QGroupBox(text, &dialog);
    case ControlKind::DropDownList:
      return new QComboBox(&dialog);
    case ControlKind::Edit:
      return new QLineEdit(text, &dialog);
    case ControlKind::ReadOnlyText: {
      auto* view = new QPlainTextEdit(&dialog);
      view->setReadOnly(true);
      view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      return view;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(&dialog);
      bar->setTextVisible(false);
      bar->hide();
      return bar;
    }
  }
  return nullptr;
}

// The pixels a control's text needs across, or 0 for controls without one.
int widthForText(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    const QStyle* style = button->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
    return button->fontMetrics().horizontalAdvance(withoutMnemonic(button->text())) + margins;
  }
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    return label->text().isEmpty() ? 0 : label->sizeHint().width();
  }
  return 0;
}

}  // namespace

QRect toPixels(DialogBaseUnits base, DialogRect rect) {
  return QRect(scaled(rect.x, base.across, 4), scaled(rect.y, base.down, 8), scaled(rect.width, base.across, 4),
               scaled(rect.height, base.down, 8));
}

void buildFromTemplate(QDialog& dialog, const char* title, int width, int height,
                       std::span<const TemplateControl> controls) {
  dialog.setWindowTitle(QString::fromUtf8(title));
  const QFontMetrics metrics = dialog.fontMetrics();
  DialogBaseUnits base{metrics.averageCharWidth(), metrics.height()};
  std::vector<QWidget*> widgets;
  for (const TemplateControl& row : controls) {
    QWidget* widget = create(dialog, row);
    widget->setObjectName(QString::fromUtf8(row.name));
    widget->setProperty(kControlIdProperty, row.id);
    widgets.push_back(widget);
    if (row.rect.width > 0) {
      const int needed = widthForText(*widget);
      base.across = std::max(base.across, (needed * 4 + row.rect.width - 1) / row.rect.width);
    }
  }
  for (std::size_t i = 0; i < widgets.size(); ++i) widgets[i]->setGeometry(toPixels(base, controls[i].rect));
  dialog.setFixedSize(toPixels(base, {0, 0, width, height}).size());
}

QWidget* controlById(const QWidget& dialog, int id) {
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->property(kControlIdProperty).toInt() == id) return child;
  }
  assert(false && "no control with this id");
  return nullptr;
}

QString withoutMnemonic(const QString& text) {
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

}  // namespace ui
