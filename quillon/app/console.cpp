// Report lines to standard output, errors and warnings to standard error.
#include "quillon/app/console.h"

#include <cstdio>

namespace quillon::app {

void printLine(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void reportError(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "quillon: %s\n", message.c_str());
}

void reportWarning(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "warning: %s\n", message.c_str());
}

}  // namespace quillon::app
