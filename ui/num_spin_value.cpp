// Range, position, text and click arithmetic of the numeric spin control.
#include "ui/num_spin_value.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {

std::string printed(const char* format, double value) {
  char buffer[512];
  // The format is the caller's display format: not a literal by design.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int length = std::snprintf(buffer, sizeof buffer, format, value);
#pragma GCC diagnostic pop
  if (length < 0) return {};
  return std::string(buffer, static_cast<std::size_t>(std::min<int>(length, sizeof buffer - 1)));
}

// Drops trailing '0's, then a trailing decimal point, from a text that holds
// the point; a text without one keeps its zeros ("100" stays "100").
std::string trimmed(std::string number, char point) {
  if (number.find(point) == std::string::npos) return number;
  while (!number.empty() && number.back() == '0') number.pop_back();
  if (!number.empty() && number.back() == point) number.pop_back();
  return number;
}

}  // namespace

char localeDecimalPoint() {
  const std::lconv* conventions = std::localeconv();
  return conventions != nullptr && conventions->decimal_point != nullptr && conventions->decimal_point[0] != '\0'
             ? conventions->decimal_point[0]
             : '.';
}

double spinValueOfText(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

bool NumSpinValue::setRange(double low, double high, double by) {
  minimum = low;
  maximum = high;
  step = by;
  if (step == 0.0) return false;
  const double span = std::fabs((maximum - minimum) / step);
  positions = span >= kMaxSpinPositions ? kMaxSpinPositions : static_cast<int>(span);
  return true;
}

std::optional<int> NumSpinValue::positionOf(double value) const {
  if (!(minimum < maximum)) return std::nullopt;
  if (value <= minimum) return 0;
  if (value > maximum) return positions;
  return static_cast<int>((value - minimum) / (maximum - minimum) * positions + 0.5);
}

std::string NumSpinValue::textOf(double value) const {
  if (!format.empty()) return printed(format.c_str(), value);
  if (decimals == -1) return printed("%g", value);
  const bool exponent = printed("%g", value).find('e') != std::string::npos;
  const std::string shape = "%." + std::to_string(decimals) + (exponent ? "e" : "f");
  std::string text = printed(shape.c_str(), value);
  if (!trimZeros) return text;
  if (!exponent) return trimmed(text, decimalPoint);
  const std::size_t e = text.find('e');
  return trimmed(text.substr(0, e), decimalPoint) + text.substr(e);
}

double NumSpinValue::afterClicks(double current, int clicks, bool wrap) const {
  const double value = current + clicks * step;
  const bool up = clicks > 0;
  const double nearBound = up ? std::max(maximum, value) : std::max(minimum, value);
  const double tolerance = std::max(1e-9, 1e-9 * std::fabs(nearBound));
  if (up && value - maximum > tolerance) return wrap ? minimum : maximum;
  if (!up && minimum - value > tolerance) return wrap ? maximum : minimum;
  return value;
}

}  // namespace ui
