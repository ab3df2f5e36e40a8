// Two arrow buttons over NumSpinValue, with the value kept in the buddy.
#include "ui/num_spin_ctrl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {
namespace {

QToolButton* arrow(QWidget* parent, Qt::ArrowType type) {
  auto* button = new QToolButton(parent);
  button->setArrowType(type);
  button->setAutoRepeat(true);
  // The spin itself takes the focus, as one control.
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  button->setFixedWidth(18);
  return button;
}

}  // namespace

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  QToolButton* up = arrow(this, Qt::UpArrow);
  QToolButton* down = arrow(this, Qt::DownArrow);
  layout->addWidget(up);
  layout->addWidget(down);
  connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
  // A control attached later keeps the range it was given.
  setRange(settings_.minimum, settings_.maximum, settings_.step);
}

void CNumSpinCtrl::setRange(double minimum, double maximum, double step) {
  if (settings_.setRange(minimum, maximum, step)) {
    position_ = std::min(position_, settings_.positions);
    mirror(value());
  }
}

void CNumSpinCtrl::setValue(double value) {
  if (buddy_ != nullptr) buddy_->setText(QString::fromStdString(settings_.textOf(value)));
  mirror(value);
}

double CNumSpinCtrl::value() const {
  return buddy_ == nullptr ? 0.0 : spinValueOfText(buddy_->text().toStdString());
}

void CNumSpinCtrl::stepBy(int clicks) {
  if (!isEnabled()) return;
  setValue(settings_.afterClicks(value(), clicks, wrap_));
}

void CNumSpinCtrl::mirror(double value) {
  if (const std::optional<int> position = settings_.positionOf(value)) position_ = *position;
}

void CNumSpinCtrl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      stepBy(1);
      return;
    case Qt::Key_Down:
      stepBy(-1);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void setUpNumSpin(CNumSpinCtrl& spin, QLineEdit& buddy, double value, const std::string& format, int decimals,
                  double minimum, double maximum, double step) {
  spin.setBuddy(&buddy);
  spin.setFormat(format);
  spin.setDecimals(decimals);
  spin.setTrimZeros(false);
  spin.setRange(minimum, maximum, step);
  spin.setValue(value);
}

}  // namespace ui
