// Starts the desktop window's run; see window_session.h.
#include "quillon/window/window_session.h"

#include <QApplication>
#include <QtGlobal>

#include "quillon/app/console.h"
#include "quillon/app/exit_codes.h"

namespace quillon::window {

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

DesktopSession::DesktopSession() = default;

DesktopSession::~DesktopSession() {
  // The window goes before the plug-ins whose commands it lists.
  window_.reset();
}

int DesktopSession::start(const app::Options& options) {
  if (!host_.interfaceLoaded()) {
    showError(host_.interfaceError());
    app::reportError(host_.interfaceError());
    return app::kExitNoInterfaceLibrary;
  }
  (void)host_.loadPlugins();
  host_.start(false, false);
  window_ = std::make_unique<MainWindow>(engine_, host_);
  if (options.file) (void)window_->openFile(*options.file);
  return app::kExitOk;
}

int runWindow(const app::Options& options) {
  DesktopSession session;
  if (const int started = session.start(options); started != app::kExitOk) return started;
  session.window().show();
  session.window().pageView().setFocus();
  return QApplication::exec();
}

}  // namespace quillon::window
