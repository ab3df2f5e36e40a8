// A run of the quillon program as a desktop window. In: the options (FILE
// alone; window mode takes no batch option). Out: the window shown until the
// user quits, and the program's exit code.
#pragma once

#include <memory>

#include "quillon/app/command_line.h"
#include "quillon/app/plugin_host.h"
#include "quillon/window/main_window.h"
#include "quillon/window/qt_message_box.h"
#include "quillon/window/window_prompts.h"

namespace quillon::window {

// True when Qt has a screen to show a window on: DISPLAY or WAYLAND_DISPLAY
// is set, or the user chose a Qt platform with QT_QPA_PLATFORM.
bool hasDisplay();

// Everything a window run owns: real message boxes for the host and its
// plug-ins, the document engine with its save dialogs, the started plug-ins
// and the window. Tests drive it in-process.
class DesktopSession {
 public:
  DesktopSession();
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // Loads and starts the plug-ins and opens the options' FILE. A plug-in
  // list that is missing or a plug-in that fails is reported on standard
  // error and the window opens without its commands; a FILE that cannot be
  // opened is shown in a message box and the document is new. Returns
  // kExitNoInterfaceLibrary (after a message box) when the host's own
  // library is missing, else kExitOk. Needs a QApplication.
  int start(const app::Options& options);

  MainWindow& window() { return *window_; }
  DocumentEngine& engine() { return engine_; }

 private:
  QtMessageBoxHandler boxes_;
  platform::ScopedMessageBoxHandler scopedBoxes_{&boxes_};
  WindowFileStore store_;
  WindowNamePrompt prompt_;
  DocumentEngine engine_{store_, prompt_};
  app::PluginHost host_{engine_};
  std::unique_ptr<MainWindow> window_;
};

// Starts a DesktopSession, shows its window and runs the event loop until
// the window closes. Returns the exit code.
int runWindow(const app::Options& options);

}  // namespace quillon::window
