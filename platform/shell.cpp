// Turns a file path into a started viewer process, or into the installed
// handler's report (the shell's "open"), and a sleep request into a suspended
// thread.
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/platform.h"

extern char** environ;

namespace platform {
namespace {

constexpr const char* kDefaultViewer = "xdg-open";

// Viewers we started and have not yet reaped. Each call reaps the ones that
// have finished, so no zombies pile up and nobody else's children are touched.
struct ViewerTable {
  std::mutex mutex;
  std::vector<pid_t> running;
};

std::atomic<ShellOpenHandler*>& installedHandler() {
  static std::atomic<ShellOpenHandler*> handler{nullptr};
  return handler;
}

ViewerTable& viewers() {
  static ViewerTable instance;
  return instance;
}

void reapFinished(std::vector<pid_t>* running) {
  std::erase_if(*running, [](pid_t pid) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    return done == pid || done < 0;  // exited, or no longer ours to wait for
  });
}

}  // namespace

ShellOpenHandler* setShellOpenHandler(ShellOpenHandler* handler) { return installedHandler().exchange(handler); }

bool shellOpen(const std::string& path) {
  if (!fileExists(path)) return false;
  ShellOpenHandler* handler = installedHandler().load();
  if (handler != nullptr) return handler->open(path);
  const char* configured = std::getenv("LEXORDA_OPEN_COMMAND");
  const std::string viewer = configured != nullptr && *configured != '\0' ? configured : kDefaultViewer;

  ViewerTable& table = viewers();
  std::lock_guard lock(table.mutex);
  reapFinished(&table.running);
  std::string program = viewer;
  std::string argument = path;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  table.running.push_back(pid);
  return true;
}

void sleepMilliseconds(unsigned milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform
