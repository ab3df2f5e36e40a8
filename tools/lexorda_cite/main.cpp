// lexorda-cite: prints the citations that a Table of Authorities run finds in
// a document. In: the command line. Out: JSON on standard output, or a
// message on standard error and a non-zero status.
#include <iostream>
#include <string>
#include <vector>

#include "tools/lexorda_cite/cite_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const lexorda_cite::ParsedArguments parsed = lexorda_cite::parseArguments(arguments);
  if (parsed.help) {
    std::cout << lexorda_cite::kHelp << "\n";
    return std::cout.flush() ? lexorda_cite::kExitOk : lexorda_cite::kExitOutputLost;
  }
  if (!parsed.error.empty()) {
    std::cerr << "lexorda-cite: " << parsed.error << "\n" << lexorda_cite::kUsage << "\n";
    return lexorda_cite::kExitBadInput;
  }
  return lexorda_cite::runCite(parsed.options, std::cout, std::cerr);
}
