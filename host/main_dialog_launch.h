// Opens the plug-in's main dialog for the user's command.
#pragma once

namespace host {

// Runs the main dialog modally and returns when it closes. Defined by the
// windows module inside the plug-in (ui/run_main_dialog.cpp), not by
// host_core, so that host_core needs no Qt; a program that links host_core's
// command entry without the plug-in supplies its own.
// Errors: an exception from a dialog handler passes through after the dialog
// closed.
void runMainDialog();

}  // namespace host
