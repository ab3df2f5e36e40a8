// A spin button that steps floating-point values shown in a buddy field. In:
// a range, a step, a display format and clicks on its arrows (or the Up and
// Down keys while it has the focus). Out: the new value written, formatted,
// into the buddy line edit, which holds the value; the button's own position
// only mirrors it.
//
// The value is also the widget's user property ("value"), with "minimum" and
// "maximum" beside it, so that a script can set a numeric field through Qt's
// meta-object system alone: setting it is what the arrows do, less the step.
//
// Errors: none. Without a buddy the value reads 0.0 and is shown nowhere.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <string>

#include "ui/num_spin_value.h"

namespace ui {

class CNumSpinCtrl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(double value READ value WRITE setValue USER true)
  Q_PROPERTY(double minimum READ minimum)
  Q_PROPERTY(double maximum READ maximum)

 public:
  explicit CNumSpinCtrl(QWidget* parent = nullptr);

  // Stores the range and step; for a step other than 0 also the positions
  // (at most 32767) and the position of the buddy's value.
  void setRange(double minimum, double maximum, double step);
  // Writes value's text into the buddy and mirrors it in the position. The
  // value is not limited to the range.
  void setValue(double value);
  // The buddy's text read as a number (0.0 when it is none or there is no
  // buddy). Example: a buddy showing "12 pt" -> 12.
  double value() const;
  void setDecimals(int decimals) { settings_.decimals = decimals; }
  // A printf format for one double, or "" for none (decimals decide then).
  void setFormat(const std::string& format) { settings_.format = format; }
  void setTrimZeros(bool trim) { settings_.trimZeros = trim; }
  // Going past one end comes back in at the other.
  void setWrap(bool wrap) { wrap_ = wrap; }
  void setBuddy(QLineEdit* buddy) { buddy_ = buddy; }
  QLineEdit* buddy() const { return buddy_; }

  // One press of the arrows: `clicks` steps up (negative: down).
  void stepBy(int clicks);

  double minimum() const { return settings_.minimum; }
  double maximum() const { return settings_.maximum; }
  int position() const { return position_; }
  const NumSpinValue& settings() const { return settings_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void mirror(double value);

  NumSpinValue settings_;
  QPointer<QLineEdit> buddy_;
  bool wrap_ = false;
  int position_ = 0;
};

// Readies spin for a dialog field: buddy as its buddy, the format and
// decimals, trailing zeros kept, the range and step, then the value written.
void setUpNumSpin(CNumSpinCtrl& spin, QLineEdit& buddy, double value, const std::string& format, int decimals,
                  double minimum, double maximum, double step);

}  // namespace ui
