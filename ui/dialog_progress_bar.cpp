// Moves a QProgressBar for table/'s runs and repaints it at once: the run
// holds the host's thread, so no event loop would paint it otherwise.
#include "ui/dialog_progress_bar.h"

#include <algorithm>

namespace ui {

int DialogProgressBar::position() const { return std::max(bar_.value(), bar_.minimum()); }

void DialogProgressBar::setPosition(int position) {
  bar_.setValue(std::clamp(position, bar_.minimum(), bar_.maximum()));
  if (bar_.isVisible()) bar_.repaint();
}

}  // namespace ui
