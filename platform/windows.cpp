// Turns window handles and messages into synchronous calls of the callback
// bound to each handle.
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/platform.h"

namespace platform {

struct WindowRecord {
  // Shared so that a message being handled keeps its callback alive while the
  // callback destroys its own window.
  std::shared_ptr<const WindowProc> proc;
};

namespace {

struct WindowTable {
  std::mutex mutex;
  std::unordered_map<const WindowRecord*, std::unique_ptr<WindowRecord>> windows;
};

WindowTable& table() {
  static WindowTable instance;
  return instance;
}

}  // namespace

WindowHandle createWindow(WindowProc proc) {
  if (!proc) return nullptr;
  auto record = std::make_unique<WindowRecord>();
  record->proc = std::make_shared<const WindowProc>(std::move(proc));
  WindowHandle handle = record.get();
  WindowTable& windows = table();
  std::lock_guard lock(windows.mutex);
  windows.windows.emplace(handle, std::move(record));
  return handle;
}

bool destroyWindow(WindowHandle window) {
  std::unique_ptr<WindowRecord> doomed;
  {
    WindowTable& windows = table();
    std::lock_guard lock(windows.mutex);
    const auto found = windows.windows.find(window);
    if (found == windows.windows.end()) return false;
    doomed = std::move(found->second);
    windows.windows.erase(found);
  }
  // The record (and possibly the callback's captures) is released outside the
  // lock: a capture's destructor may itself create or destroy windows.
  doomed.reset();
  return true;
}

bool isWindow(WindowHandle window) {
  WindowTable& windows = table();
  std::lock_guard lock(windows.mutex);
  return windows.windows.count(window) != 0;
}

std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                          std::intptr_t lparam) {
  std::shared_ptr<const WindowProc> proc;
  {
    WindowTable& windows = table();
    std::lock_guard lock(windows.mutex);
    const auto found = windows.windows.find(window);
    if (found == windows.windows.end()) return 0;
    proc = found->second->proc;
  }
  // Called without the lock: the callback may send, create or destroy.
  return (*proc)(window, message, wparam, lparam);
}

}  // namespace platform
