// Runs the main dialog for the plug-in's command: the definition of
// host::runMainDialog, linked into the plug-in beside host_core so that the
// plug-in boundary itself stays free of Qt.
#include <QApplication>
#include <cstdlib>
#include <memory>

#include "host/main_dialog_launch.h"
#include "platform/platform.h"
#include "table/generation.h"
#include "ui/qt_file_dialog.h"
#include "ui/ui.h"

namespace {

// Qt's libraries register work for process exit and keep allocations in
// globals; unloading them with the plug-in (a host that loads the plug-in
// only to register it, then frees it) leaks those and leaves the exit work
// pointing at unloaded code. So they stay from the plug-in's load on.
[[maybe_unused]] const bool kToolkitPinned = [] {
  bool pinned = true;
  for (const char* library : {"libQt6Core.so.6", "libQt6Gui.so.6", "libQt6Widgets.so.6"}) {
    pinned = platform::pinLoadedLibrary(library) && pinned;
  }
  return pinned;
}();

}  // namespace

namespace host {

void runMainDialog() {
  // A Qt host (our quillon) has its QApplication already, and the dialog
  // joins its event loop. A host that is not built on Qt has none, so the
  // plug-in makes one for the call; without a display to show it on it uses
  // the offscreen platform rather than failing to start.
  std::unique_ptr<QApplication> application;
  if (QApplication::instance() == nullptr) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static int argc = 1;
    static char name[] = "tabauth";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QApplication>(argc, argv);
  }
  const ui::QtFileDialogsUnlessHandled fileDialogs;
  ui::CDialogMain dialog([](bool toFile, table::ProgressBar& bar, const std::string& optionSetName) {
    table::generateTable(toFile, bar, optionSetName);
  });
  dialog.run();
}

}  // namespace host
