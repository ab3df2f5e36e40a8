// Opens the plug-in's main dialog for the user's command.
#pragma once

namespace host {

// Runs the main dialog modally and returns when it closes.
void runMainDialog();

}  // namespace host
