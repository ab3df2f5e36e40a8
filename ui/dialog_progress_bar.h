// The generation run's progress bar shown in a dialog. In: the positions and
// steps that table/ asks for. Out: a QProgressBar that shows them at once.
//
// The bar's range is the dialog's to set (0-100 for a table, 0-5 for a page
// number refresh); positions outside it are held at the nearer end.
#pragma once

#include <QProgressBar>

#include "table/progress_bar.h"

namespace ui {

class DialogProgressBar final : public table::ProgressBar {
 public:
  explicit DialogProgressBar(QProgressBar& bar) : bar_(bar) {}

  // The shown position; the bar's minimum while it shows none.
  int position() const override;
  void step() override { setPosition(position() + 1); }
  void setPosition(int position) override;

 private:
  QProgressBar& bar_;
};

}  // namespace ui
