// The quillon program's exit codes. In: the failure a run met. Out: a number
// a script can tell apart; each failure a user can meet has its own.
#pragma once

namespace quillon::app {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNoPluginList = 2;        // registry key missing
inline constexpr int kExitPluginFailed = 3;        // load, export or refusal
inline constexpr int kExitUnknownCommand = 4;      // --invoke names no registered command
inline constexpr int kExitNoInterfaceLibrary = 5;  // the host's own library is missing
inline constexpr int kExitCannotOpen = 6;          // FILE missing, of no known kind, or damaged
inline constexpr int kExitNotFound = 7;            // --before text or --after-paragraph beyond the text
inline constexpr int kExitNoDialog = 8;            // a dialog action found no dialog or no such control,
                                                   // or a dialog opened with no action left
inline constexpr int kExitCannotWrite = 9;         // --save or an export could not be written
inline constexpr int kExitConversion = 10;         // pandoc missing, or it failed on a .docx in or out

}  // namespace quillon::app
