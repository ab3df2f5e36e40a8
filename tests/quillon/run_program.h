// Runs one of the built programs as a child process, the way a user or the
// build does. In: the program, its arguments and extra environment. Out: its
// exit code and everything it printed.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quillon_test {

struct ProgramResult {
  int exitCode = -1;  // -1 when it could not be started or did not exit normally
  std::string out;
  std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const Environment& environment = {});

}  // namespace quillon_test
