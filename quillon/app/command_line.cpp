// Command-line parsing of the quillon program.
#include "quillon/app/command_line.h"

#include <algorithm>

#include "platform/platform.h"

namespace quillon::app {
namespace {

std::optional<int> answerOf(const std::string& word) {
  if (word == "ok") return platform::kIdOk;
  if (word == "cancel") return platform::kIdCancel;
  if (word == "yes") return platform::kIdYes;
  if (word == "no") return platform::kIdNo;
  return std::nullopt;
}

// Adds the comma-separated answers of one word; false when one is not an
// answer (nothing is added then).
bool addAnswers(const std::string& word, std::vector<int>& answers) {
  std::vector<int> found;
  std::size_t start = 0;
  while (start <= word.size()) {
    const std::size_t comma = std::min(word.find(',', start), word.size());
    const std::optional<int> answer = answerOf(word.substr(start, comma - start));
    if (!answer) return false;
    found.push_back(*answer);
    start = comma + 1;
  }
  answers.insert(answers.end(), found.begin(), found.end());
  return true;
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  Options& o = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--list-commands") {
      o.listCommands = true;
    } else if (argument == "--log-commands") {
      o.logCommands = true;
    } else if (argument == "--help" || argument == "-h") {
      o.help = true;
    } else if (argument == "--invoke") {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        parsed.error = "--invoke needs a command name";
        return parsed;
      }
      o.invoke = arguments[++i];
    } else if (argument == "--answer") {
      if (i + 1 >= arguments.size() || !addAnswers(arguments[i + 1], o.answers)) {
        parsed.error = "--answer needs ok, cancel, yes or no";
        return parsed;
      }
      ++i;
      while (i + 1 < arguments.size() && addAnswers(arguments[i + 1], o.answers)) ++i;
    } else {
      parsed.error = "unknown argument: " + argument;
      return parsed;
    }
  }
  return parsed;
}

std::string usageText() {
  return "usage: quillon [--list-commands] [--invoke NAME] [--answer ok|cancel|yes|no ...]\n"
         "               [--log-commands]\n"
         "  --list-commands  print the commands that the plug-ins registered\n"
         "  --invoke NAME    run the registered command NAME\n"
         "  --answer ...     answer the next message boxes in this order (default: the\n"
         "                   first button)\n"
         "  --log-commands   print every command block the host window carries out\n"
         "The plug-ins are listed in the registry named by QUILLON_REGISTRY, under\n"
         "HKEY_LOCAL_MACHINE\\Software\\Velmor\\Quillon\\17\\Third Party, values DLL1..DLL16.\n";
}

}  // namespace quillon::app
