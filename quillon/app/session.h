// One run of the quillon program: the document opened and the insertion
// point placed, host atom, plug-ins, host window, command bar, the invoked
// command with its dialogs and message boxes, then save, exports, bookmarks
// and shutdown. In: the parsed options. Out: lines on standard output, errors
// on standard error, and the exit code.
#pragma once

#include "quillon/app/command_line.h"
#include "quillon/app/exit_codes.h"

namespace quillon::app {

// Runs the host once with these options and returns the exit code. A file
// that cannot be opened, a placement not found, a missing plug-in list, an
// unregistered command and an output that cannot be written end the run with
// their code, and so does a dialog action that found no control to act on
// (kExitNoDialog, before anything is saved or exported). Plug-ins that fail
// are reported and left out, and actions that found no dialog and dialogs
// closed for want of an action are reported; the run goes on and its exit
// code then says so (the first of these). Needs a QApplication.
int runSession(const Options& options);

}  // namespace quillon::app
