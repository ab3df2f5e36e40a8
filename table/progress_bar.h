// The progress bar that a generation run moves. In: the positions and steps
// the driver and the file reader ask for. Out: the position shown (0..100).
// The dialogs implement it over their own bar; table/ stays free of any
// window toolkit.
#pragma once

#include <algorithm>

namespace table {

inline constexpr int kProgressMinimum = 0;
inline constexpr int kProgressMaximum = 100;

class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  // The current position.
  virtual int position() const = 0;
  // Advances the position by one.
  virtual void step() = 0;
  // Moves to `position`; values outside 0..100 are held at the nearer end.
  virtual void setPosition(int position) = 0;
};

// A bar nobody sees: keeps the position, within 0..100, for runs without a
// dialog (tools, tests, benchmarks).
class NullProgressBar final : public ProgressBar {
 public:
  int position() const override { return position_; }
  void step() override { setPosition(position_ + 1); }
  void setPosition(int position) override {
    position_ = std::clamp(position, kProgressMinimum, kProgressMaximum);
  }

 private:
  int position_ = kProgressMinimum;
};

}  // namespace table
