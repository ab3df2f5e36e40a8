// The quillon program: the stand-in host word processor run from the command
// line. In: the options of command_line.h. Out: the session's report and exit
// code.
#include <cstdio>
#include <string>
#include <vector>

#include "quillon/app/command_line.h"
#include "quillon/app/exit_codes.h"
#include "quillon/app/session.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const quillon::app::ParsedCommandLine parsed = quillon::app::parseCommandLine(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "quillon: %s\n%s", parsed.error.c_str(),
                 quillon::app::usageText().c_str());
    return quillon::app::kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(quillon::app::usageText().c_str(), stdout);
    return quillon::app::kExitOk;
  }
  return quillon::app::runSession(parsed.options);
}
