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

#include "quillon/app/console.h"
#include "quillon/app/dialog_driver.h"
#include "quillon/app/document_actions.h"
#include "quillon/app/document_saving.h"
#include "quillon/app/message_printer.h"
#include "quillon/app/plugin_host.h"
#include "quillon/commands/document_engine.h"

namespace quillon::app {
namespace {

// Owns the document, the message-box and file-dialog scripts and the
// plug-ins for the length of a run.
class Run {
 public:
  explicit Run(const Options& options)
      : options_(options),
        printer_(options.answers),
        files_(options.files),
        prompt_(options.name ? options.name : options.save),
        driver_(options.actions) {}

  int execute();

 private:
  int prepareDocument();
  int runCommand();
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
  PluginHost host_{engine_};
};

int Run::execute() {
  if (!host_.interfaceLoaded()) {
    reportError(host_.interfaceError());
    return kExitNoInterfaceLibrary;
  }
  // A document that cannot be had fails before any plug-in starts.
  if (const int prepared = prepareDocument(); prepared != kExitOk) return prepared;
  const int loaded = host_.loadPlugins();
  if (loaded == kExitNoPluginList) return loaded;
  host_.start(options_.listCommands, options_.logCommands);
  if (const int ran = runCommand(); ran != kExitOk) return ran;
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

int Run::runCommand() {
  if (!options_.invoke) return kExitOk;
  const auto command = findCommand(host_.commands(), *options_.invoke);
  if (!command) {
    reportError("command not registered: " + *options_.invoke);
    return kExitUnknownCommand;
  }
  if (!host_.invoke(*command)) {
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
  if (options_.exportDocx) {
    if (const int written = exportDocument(document, ExportKind::Docx, *options_.exportDocx); written != kExitOk)
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
