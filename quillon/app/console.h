// Where a batch run reports. In: lines of the run's report, warnings and
// error messages. Out: report lines on standard output; errors on standard
// error as "quillon: MESSAGE" and warnings as "warning: MESSAGE", each
// flushed so that the two streams interleave in the order things happened.
#pragma once

#include <string>

namespace quillon::app {

// Writes line and a newline to standard output.
void printLine(const std::string& line);

// Writes "quillon: message" and a newline to standard error.
void reportError(const std::string& message);

// Writes "warning: message" and a newline to standard error.
void reportWarning(const std::string& message);

}  // namespace quillon::app
