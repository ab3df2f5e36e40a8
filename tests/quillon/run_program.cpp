// Runs a program with fork + exec, standard output and error captured in
// temporary files.
#include "tests/quillon/fixtures.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace quillon_test {

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const Environment& environment) {
  platform_test::TemporaryFolder folder;
  const std::string outPath = folder.file("out"), errPath = folder.file("err");
  // execv does not write through its argument pointers.
  std::vector<char*> pointers{const_cast<char*>(program.c_str())};
  for (const std::string& a : arguments) pointers.push_back(const_cast<char*>(a.c_str()));
  pointers.push_back(nullptr);

  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0) _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    execv(program.c_str(), pointers.data());
    _exit(127);
  }
  ProgramResult result;
  if (child < 0) return result;
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.out = platform_test::readFile(outPath);
  result.err = platform_test::readFile(errPath);
  return result;
}

}  // namespace quillon_test
