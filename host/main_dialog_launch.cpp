// Shows the plug-in's main dialog when the user invokes the command.
#include "host/main_dialog_launch.h"

#include <string>

#include "db/connection.h"
#include "platform/platform.h"

namespace host {

void runMainDialog() {
  // Placeholder until the main dialog exists: tells the user which database the dialog will open.
  const std::string text = "Table of Authorities: database " + db::databasePath();
  (void)platform::messageBox(nullptr, text, "Lexorda", platform::kMbOk | platform::kMbIconInformation);
}

}  // namespace host
