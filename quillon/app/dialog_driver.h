// Drives the plug-in's real Qt dialogs from a batch script. In: the queue of
// --press, --select, --type, --tab, --check and --spin actions, and every
// modal dialog that opens
// while a command runs. Out: each action applied to the dialog open at the
// time, failures and closed dialogs reported on standard error, and what the
// run's exit code must say afterwards.
//
// How: an event filter on the application sees each top-level dialog shown;
// a zero-time timer then lets the dialog's own exec() loop deliver the next
// action to QApplication::activeModalWidget(), and after each action the next
// one is scheduled the same way, so nested dialogs (a button that opens an
// input box) take the actions meant for them and the outer dialog takes the
// rest once they close.
//   press TEXT   clicks the visible, enabled button whose text without "&" is
//                TEXT, or whose accessible name is TEXT (how a script tells
//                apart the "+" buttons of a page); check boxes and radio
//                buttons count as buttons;
//   select TEXT  makes TEXT the current item of the first drop-down list
//                that has it, with setCurrentIndex and then the activated
//                signals, as a person's pick sends them; failing that, the
//                current and selected item of the first list box that has
//                it (itemClicked is sent);
//   type TEXT    replaces the text of the focused line edit, or of the only
//                editable one, as typing does (textEdited is sent);
//   tab TEXT     shows the page whose tab reads TEXT;
//   check TEXT   clicks the enabled check box TEXT, turning its state over;
//   spin L=V     writes V into the numeric user property of the field that
//                the label L (its trailing ":" optional) names as buddy:
//                the field must be enabled and V inside its "minimum" and
//                "maximum" properties when it has them.
// Controls on pages that are not shown are not visible and not found.
// An action that finds nothing stops the script: it prints
//   quillon: ACTION: not found in dialog "TITLE"; buttons: "A", "+ (Add entry name)", "B (disabled)"; list items: "X"
// (then "; tabs: ..." and "; numeric fields: ..." when the dialog has any)
// and that dialog and every one after it are closed (rejected) with
//   quillon: dialog "TITLE" closed: the script stopped
// A dialog that opens when no action is left is closed the same way with
//   quillon: dialog "TITLE" closed: no action left; buttons: ...; list items: ...
// Requires a QApplication; construct and destroy on its thread.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "quillon/app/dialog_script.h"

namespace quillon::app {

class DialogDriver : public QObject {
 public:
  explicit DialogDriver(std::vector<DialogAction> actions);
  ~DialogDriver() override;

  // True once an action found no dialog control to act on; the run should
  // stop without writing its outputs.
  bool stopped() const { return stopped_; }
  // Dialogs closed because no action was left for them.
  int unscriptedDialogs() const { return unscripted_; }
  // The actions no dialog took, in order (none after a stop).
  std::vector<DialogAction> unused() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void schedule();
  void step();
  bool apply(QWidget* dialog, const DialogAction& action);
  void close(QWidget* dialog, const std::string& why);

  std::vector<DialogAction> actions_;
  std::size_t next_ = 0;
  bool pending_ = false;
  bool stopped_ = false;
  int unscripted_ = 0;
  // Dialogs whose action is still running (a click that opened a nested
  // dialog, or a handler that lets events through): never acted on twice.
  std::vector<QPointer<QWidget>> busy_;
};

}  // namespace quillon::app
