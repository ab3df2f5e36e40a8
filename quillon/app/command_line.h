// The quillon program's command line. In: argc/argv. Out: the options of one
// run, or the reason they cannot be used.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon::app {

struct Options {
  bool listCommands = false;          // --list-commands
  std::optional<std::string> invoke;  // --invoke NAME
  std::vector<int> answers;           // --answer ok|cancel|yes|no ..., as platform::kId*
  bool logCommands = false;           // --log-commands
  bool help = false;                  // --help
};

struct ParsedCommandLine {
  Options options;
  std::string error;  // empty when the command line was understood
};

// Parses the arguments after the program name. --answer takes one or more
// answers, as following words or separated by commas: "--answer ok no" and
// "--answer ok,no" both script OK, then No.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text printed for --help and after a command-line error.
std::string usageText();

}  // namespace quillon::app
