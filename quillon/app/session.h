// One run of the quillon program: host atom, plug-ins, host window, command
// bar, the invoked command, shutdown. In: the parsed options. Out: lines on
// standard output, errors on standard error, and the exit code.
#pragma once

#include "quillon/app/command_line.h"

namespace quillon::app {

// Exit codes; each failure a user can meet has its own.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNoPluginList = 2;        // registry key missing
inline constexpr int kExitPluginFailed = 3;        // load, export or refusal
inline constexpr int kExitUnknownCommand = 4;      // --invoke names no registered command
inline constexpr int kExitNoInterfaceLibrary = 5;  // the host's own library is missing

// Runs the host once with these options and returns the exit code. Plug-ins
// that fail are reported and left out; the others still run, and the exit
// code then says a plug-in failed.
int runSession(const Options& options);

}  // namespace quillon::app
