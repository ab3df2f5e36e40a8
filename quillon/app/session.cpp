// The order in which the host meets its document and its plug-ins: open the
// file, place the insertion point and make the edits asked for, load and
// start each plug-in, show the registered commands, create the host window
// and the command bar, announce the bar, invoke a command while the dialog
// driver works its dialogs, report the actions no dialog took, save and
// export the document the command left current (a new one after Create Table
// to File), stop and unload every plug-in.
#include "quillon/app/session.h"

#include <string>
#include <vector>

#include "quillon/app/command_bar.h"
#include "quillon/app/console.h"
#include "quillon/app/dialog_driver.h"
#include "quillon/app/document_actions.h"
#include "quillon/app/document_saving.h"
#include "quillon/app/message_printer.h"
#include "quillon/app/plugin_loader.h"
#include "quillon/app/registered_commands.h"
#include "quillon/app/tokens.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"
#include "quillon/commands/request_format.h"
#include "quillon/libs/text_codec.h"

namespace quillon::app {
namespace {

constexpr const char* kHostAtomName = "Quillon";

std::string describe(const RegisteredCommand& command) {
  std::string line = "command: " + utf8OfHostString(command.name) + " (";
  for (std::size_t i = 0; i < command.displayTexts.size(); ++i) {
    if (i > 0) line += ", ";
    line += utf8OfHostString(command.displayTexts[i]);
  }
  return line + ") id " + std::to_string(command.id);
}

// Offers the command's token to each plug-in; the first that claims it
// handles it. False when none claims it.
bool invoke(const RegisteredCommand& command, std::vector<Plugin>& plugins, platform::Atom hostAtom,
            platform::WindowHandle hostWindow) {
  for (Plugin& plugin : plugins) {
    Token token(hostAtom, static_cast<std::uint16_t>(command.id), 0);
    if (!token.valid()) return false;
    if (plugin.validateToken(token.block(), 0) != kTokenAccepted) continue;
    (void)plugin.handleToken(&token.block(), hostWindow, 0);
    return true;
  }
  return false;
}

// Owns the document, the host atom and the plug-ins for the length of a run.
class Run {
 public:
  explicit Run(const Options& options)
      : options_(options),
        printer_(options.answers),
        files_(options.files),
        prompt_(options.name ? options.name : options.save),
        driver_(options.actions) {}
  ~Run() {
    for (Plugin& plugin : plugins_) unloadPlugin(plugin);
    if (hostAtom_ != 0) (void)platform::globalDeleteAtom(hostAtom_);
  }

  int execute();

 private:
  int prepareDocument();
  int loadPlugins();
  int runCommands();
  int reportDialogs();
  int finishDocument();

  const Options& options_;
  PrintingMessageBoxHandler printer_;
  platform::ScopedMessageBoxHandler scopedPrinter_{&printer_};
  PrintingFileDialogHandler files_;
  platform::ScopedFileDialogHandler scopedFiles_{&files_};
  PrintingShellOpenHandler opener_;
  platform::ScopedShellOpenHandler scopedOpener_{&opener_};
  NativeFileStore store_;
  BatchNamePrompt prompt_;
  DocumentEngine engine_{store_, prompt_};
  DialogDriver driver_;
  InterfaceLibrary interface_;
  platform::Atom hostAtom_ = 0;
  std::vector<Plugin> plugins_;
};

int Run::execute() {
  if (!interface_.loaded()) {
    reportError(interface_.error());
    return kExitNoInterfaceLibrary;
  }
  // A document that cannot be had fails before any plug-in starts.
  if (const int prepared = prepareDocument(); prepared != kExitOk) return prepared;
  hostAtom_ = platform::globalAddAtom(kHostAtomName);
  const int loaded = loadPlugins();
  if (loaded == kExitNoPluginList) return loaded;
  if (const int ran = runCommands(); ran != kExitOk) return ran;
  // A script out of step with the dialogs leaves the document in no state
  // worth writing.
  if (driver_.stopped()) return loaded != kExitOk ? loaded : kExitNoDialog;
  const int dialogs = reportDialogs();
  if (const int finished = finishDocument(); finished != kExitOk) return finished;
  return loaded != kExitOk ? loaded : dialogs;
}

int Run::prepareDocument() {
  if (options_.file) {
    if (const int opened = openDocument(engine_, *options_.file); opened != kExitOk) return opened;
  }
  const int placed = placeInsertionPoint(engine_.document(), options_.placement);
  if (placed == kExitOk) editDocument(engine_.document(), options_.edits);
  return placed;
}

int Run::loadPlugins() {
  const PluginList list = readPluginList();
  for (const std::string& warning : list.warnings) reportWarning(warning);
  if (!list.error.empty()) {
    reportError(list.error);
    return kExitNoPluginList;
  }
  int code = kExitOk;
  for (const std::string& file : list.files) {
    LoadResult result = loadPlugin(file, hostAtom_);
    if (!result.error.empty()) {
      reportError(result.error);
      code = kExitPluginFailed;
      continue;
    }
    printLine("plug-in: " + file + " loaded");
    plugins_.push_back(result.plugin);
  }
  return code;
}

int Run::runCommands() {
  const std::vector<RegisteredCommand> commands = interface_.commands(hostAtom_);
  if (options_.listCommands) {
    for (const RegisteredCommand& command : commands) printLine(describe(command));
  }

  BlockExecutor executor(engine_);
  if (options_.logCommands) {
    executor.setObserver([](const CommandRequest& request, const CommandResult&) {
      printLine("host command: " + formatRequest(request));
    });
  }
  HostWindow hostWindow(executor);
  CommandBar bar([&commands](std::uint32_t id) {
    const auto command = findCommand(commands, id);
    printLine("command bar: " +
              (command ? utf8OfHostString(command->name) : "id " + std::to_string(id)) + " added");
  });

  for (Plugin& plugin : plugins_) {
    Announcement announcement(hostAtom_, bar.handle());
    if (announcement.token().valid()) {
      (void)plugin.handleToken(&announcement.token().block(), hostWindow.handle(), 0);
    }
  }

  if (!options_.invoke) return kExitOk;
  const auto command = findCommand(commands, *options_.invoke);
  if (!command) {
    reportError("command not registered: " + *options_.invoke);
    return kExitUnknownCommand;
  }
  if (!invoke(*command, plugins_, hostAtom_, hostWindow.handle())) {
    reportError("no plug-in accepted the command \"" + *options_.invoke + "\"");
    return kExitPluginFailed;
  }
  return kExitOk;
}

int Run::reportDialogs() {
  const std::vector<DialogAction> unused = driver_.unused();
  for (const DialogAction& action : unused) reportError(describe(action) + ": no dialog appeared");
  return unused.empty() && driver_.unscriptedDialogs() == 0 ? kExitOk : kExitNoDialog;
}

int Run::finishDocument() {
  // Taken only now: NewDocument during the command replaced the document.
  doc::Document& document = engine_.document();
  if (options_.save) {
    if (const int saved = saveDocumentAs(engine_, *options_.save); saved != kExitOk) return saved;
  }
  if (options_.exportText) {
    if (const int written = exportDocument(document, ExportKind::Text, *options_.exportText); written != kExitOk)
      return written;
  }
  if (options_.exportMarkdown) {
    if (const int written = exportDocument(document, ExportKind::Markdown, *options_.exportMarkdown);
        written != kExitOk)
      return written;
  }
  if (options_.exportPdf) {
    if (const int written = exportDocument(document, ExportKind::Pdf, *options_.exportPdf); written != kExitOk)
      return written;
  }
  if (options_.bookmarks) printBookmarks(document);
  return kExitOk;
}

}  // namespace

int runSession(const Options& options) {
  Run run(options);
  return run.execute();
}

}  // namespace quillon::app
