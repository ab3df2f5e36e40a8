// The quillon program: the stand-in host word processor. In: the options of
// command_line.h. Out: with a display and FILE alone, the desktop window
// until the user quits; otherwise the batch session's report. Either way the
// exit code. The program owns the process's QApplication, which the
// plug-ins' windows share.
#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <string>
#include <vector>

#include "quillon/app/command_line.h"
#include "quillon/app/exit_codes.h"
#include "quillon/app/session.h"
#include "quillon/window/window_session.h"

namespace {

// A batch run on a machine without a display still shows real dialogs, on
// Qt's offscreen platform; a platform the user chose is left alone.
void chooseBatchPlatform() {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}

QtMessageHandler qtDefaultHandler = nullptr;

// Notices that Qt gives on any machine without a desktop session (no runtime
// folder, an offscreen window that cannot pass size hints) tell a batch user
// nothing; every other Qt message passes as Qt would print it.
void quietPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
      message.startsWith(QLatin1String("This plugin does not support")))
    return;
  qtDefaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const quillon::app::ParsedCommandLine parsed = quillon::app::parseCommandLine(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "quillon: %s\n%s", parsed.error.c_str(),
                 quillon::app::usageText().c_str());
    return quillon::app::kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(quillon::app::usageText().c_str(), stdout);
    return quillon::app::kExitOk;
  }
  // Decided before chooseBatchPlatform, which gives Qt a platform of its own.
  // A run without FILE stays a batch run, as scripts that only list or check
  // the plug-ins expect.
  const bool desktop = parsed.options.file && !quillon::app::isBatchRun(parsed.options) &&
                       quillon::window::hasDisplay();
  if (!desktop) chooseBatchPlatform();
  qtDefaultHandler = qInstallMessageHandler(quietPlatformNotices);
  // Qt sees only the program name: the options are ours, not Qt's.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  return desktop ? quillon::window::runWindow(parsed.options) : quillon::app::runSession(parsed.options);
}
