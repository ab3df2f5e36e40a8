// The values that the plug-in boundary keeps for the life of the process:
// written by the exported entry points, read by the host command layer and the
// dialogs. In: nothing. Out: one shared record. The database path is the
// database layer's own (db::databasePath()), set with the other paths.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace host {

struct ProcessValues {
  platform::Module pluginModule = nullptr;     // the plug-in's own module
  platform::Atom hostAtom = 0;                 // written into every command block
  platform::Atom pluginAtom = 0;               // "tabauth", written into every command block
  std::uint16_t registrationId = 0;            // the host's temporary id of our command
  platform::WindowHandle hostWindow = nullptr; // receives every host command
  std::string userGuidePath;                   // installPath + "LexordaUserGuide.pdf"
  std::string legalNoticePath;                 // installPath + "Legal.txt"
  std::string licenceTextPath;                 // installPath + "license.rtf"
};

ProcessValues& processValues();

}  // namespace host
