// The arithmetic of the numeric spin control, without any widget. In: a
// range, a step, display settings and the value a buddy field shows. Out: the
// spin button's positions and position for a value, the text a value is shown
// as, and the value after some clicks (clamped to the range, or wrapped).
//
// Plain C library formatting and conversion throughout, in the C runtime's
// current locale, so the text written and the text read back agree.
//
// Errors: none; a format that does not suit one double argument is the
// caller's mistake (as with printf).
#pragma once

#include <optional>
#include <string>

namespace ui {

// The longest range the spin button can hold.
inline constexpr int kMaxSpinPositions = 32767;

// The decimal-point character of the C runtime's current locale.
char localeDecimalPoint();

// The buddy's text as a number: strtod's reading of its start, 0.0 when the
// text does not start with a number. Example: "1.3 \"" -> 1.3, "pt" -> 0.0.
double spinValueOfText(const std::string& text);

struct NumSpinValue {
  double minimum = 0.0;
  double maximum = 100.0;
  double step = 1.0;
  int positions = 100;  // the spin button's own range is 0 to positions
  int decimals = -1;    // digits after the point; -1: "%g"
  std::string format;   // a printf format for one double; empty: use decimals
  bool trimZeros = true;
  char decimalPoint = localeDecimalPoint();

  // Stores the range; for a step other than 0 also positions =
  // |(maximum - minimum) / step| truncated, at most kMaxSpinPositions.
  // Returns whether positions was set (false for a step of 0).
  // Example: {0, 1, 0.1} -> positions 10.
  bool setRange(double low, double high, double by);

  // The spin position that mirrors value, or nullopt (leave the position as
  // it is) unless minimum < maximum. Example: 0..1 over 10 positions, 0.55 -> 6.
  std::optional<int> positionOf(double value) const;

  // The text the buddy shows for value: the format when there is one, else
  // "%g" (decimals -1) or a fixed or exponent form with `decimals` digits,
  // trailing zeros and a bare point trimmed when trimZeros is set.
  // Example: decimals 2, trimZeros: 1.5 -> "1.5", 2.0 -> "2"; without: "1.50".
  std::string textOf(double value) const;

  // The value after `clicks` steps (negative: down) from current. A result
  // beyond a bound by more than a relative 1e-9 becomes that bound, or the
  // other bound when wrap is set. Example: 0..10 step 0.1, from 9.95 up -> 10.
  double afterClicks(double current, int clicks, bool wrap) const;
};

}  // namespace ui
