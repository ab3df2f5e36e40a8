// The numeric spin's arithmetic without a widget: positions for a range, the
// position of a value, the text of a value and the value after clicks, at
// the edges where rounding, trimming and clamping meet.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/num_spin_value.h"

namespace {

using ui::NumSpinValue;

NumSpinValue spin(double minimum, double maximum, double step, int decimals = -1) {
  NumSpinValue value;
  value.setRange(minimum, maximum, step);
  value.decimals = decimals;
  return value;
}

std::string position(const NumSpinValue& s, double value) {
  const auto at = s.positionOf(value);
  return at ? std::to_string(*at) + "/" + std::to_string(s.positions) : "unchanged";
}

std::string text(NumSpinValue s, double value, bool trim = true, char point = '.') {
  s.trimZeros = trim;
  s.decimalPoint = point;
  return s.textOf(value);
}

std::string after(const NumSpinValue& s, double from, int clicks, bool wrap) {
  return text(spin(0, 1, 1, 6), s.afterClicks(from, clicks, wrap));
}

TEST(NumSpinValue, EdgesOfRangeTextAndClicks) {
  const NumSpinValue tenths = spin(0, 1, 0.1), toTen = spin(0, 10, 0.1);
  NumSpinValue noStep = spin(0, 1, 0.1);
  noStep.setRange(0, 5, 0);
  const struct {
    const char* name;
    std::function<std::string()> result;
    std::string expected;
  } rows[] = {
      {"0..1 by 0.1 has 10 positions; 0.55 rounds to 6", [&] { return position(tenths, 0.55); }, "6/10"},
      {"below the minimum sits at 0", [&] { return position(tenths, -3); }, "0/10"},
      {"above the maximum sits at the last position", [&] { return position(tenths, 7); }, "10/10"},
      {"a step of 0 keeps the positions (the range is still stored)", [&] { return position(noStep, 2.5); }, "5/10"},
      {"an empty range leaves the position alone", [] { return position(spin(3, 3, 1), 3); }, "unchanged"},
      {"more than 32767 steps are cut to 32767", [] { return position(spin(0, 1e6, 1), 1e6); }, "32767/32767"},
      {"a falling range counts its positions by size", [] { return std::to_string(spin(10, 0, 0.5).positions); }, "20"},
      {"two decimals trimmed: 1.5 keeps one digit", [] { return text(spin(0, 9, 1, 2), 1.5); }, "1.5"},
      {"two decimals trimmed: 2 loses the point", [] { return text(spin(0, 9, 1, 2), 2); }, "2"},
      {"untrimmed: both with two digits", [] { return text(spin(0, 9, 1, 2), 1.5, false) + " " +
                                                  text(spin(0, 9, 1, 2), 2, false); }, "1.50 2.00"},
      {"no point, no trimming of an integer's zeros", [] { return text(spin(0, 999, 1, 0), 100); }, "100"},
      {"exponent form trims before the e", [] { return text(spin(0, 1e30, 1, 3), 1.5e20); }, "1.5e+20"},
      {"another locale's point: a '.' text is left whole", [] { return text(spin(0, 9, 1, 2), 1.5, true, ','); },
       "1.50"},
      {"automatic decimals print as %g, untrimmed", [] { return text(spin(0, 9, 1), 0.1 + 0.2); }, "0.3"},
      {"a format wins over decimals", [] {
         NumSpinValue s = spin(0, 2, 0.1, 3);
         s.format = "%.1f \"";
         return s.textOf(1.26);
       }, "1.3 \""},
      {"9.95 up by 0.1 passes 10 and is clamped", [&] { return after(toTen, 9.95, 1, false); }, "10"},
      {"... or wraps to the minimum", [&] { return after(toTen, 9.95, 1, true); }, "0"},
      {"0.05 down passes 0: clamped", [&] { return after(toTen, 0.05, -1, false); }, "0"},
      {"... or wraps to the maximum", [&] { return after(toTen, 0.05, -1, true); }, "10"},
      {"2.8 + 0.2 overshoots 3 by a rounding error: within the tolerance, no wrap",
       [] { return after(spin(0, 3, 0.1), 0.1 * 28, 2, true); }, "3"},
      {"several clicks at once", [&] { return after(toTen, 5, -3, false); }, "4.7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.result(), row.expected);
  }
  EXPECT_EQ(ui::spinValueOfText("12 pt") + ui::spinValueOfText("pt"), 12.0) << "read up to the first non-number";
}

}  // namespace
