// Runs the built quillon program against a registry of the test's own. In:
// the plug-ins to list, a command line and extra environment. Out: the
// program's exit code and its two output streams.
#pragma once

#include <string>
#include <vector>

#include "tests/quillon/fixtures.h"

namespace quillon_test {

// Lists the plug-ins as DLL3, DLL4, ... (the slots need not start at 1).
inline ProgramResult runQuillon(const std::vector<std::string>& plugins, const std::vector<std::string>& arguments,
                                Environment environment = {}) {
  TempRegistry registry;
  for (std::size_t i = 0; i < plugins.size(); ++i)
    registry.set("Software\\Velmor\\Quillon\\17\\Third Party", "DLL" + std::to_string(i + 3), plugins[i]);
  environment.emplace_back("QUILLON_REGISTRY", registry.file());
  return runProgram(QUILLON_PROGRAM, arguments, environment);
}

}  // namespace quillon_test
