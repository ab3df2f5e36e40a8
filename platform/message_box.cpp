// Turns message-box requests into answers from the installed handler, or from
// the default button after writing the request to standard error.
#include <cstdio>
#include <mutex>

#include "platform/platform.h"

namespace platform {
namespace {

// Button sets without a named constant of their own.
constexpr unsigned kMbAbortRetryIgnore = 0x02;
constexpr unsigned kMbRetryCancel = 0x05;
constexpr unsigned kMbCancelTryContinue = 0x06;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;

struct HandlerSlot {
  std::mutex mutex;
  MessageBoxHandler* handler = nullptr;
};

HandlerSlot& slot() {
  static HandlerSlot instance;
  return instance;
}

}  // namespace

int defaultAnswer(unsigned flags) {
  switch (flags & kMbButtonMask) {
    case kMbYesNo:
    case kMbYesNoCancel:
      return kIdYes;
    case kMbAbortRetryIgnore:
      return kIdAbort;
    case kMbRetryCancel:
      return kIdRetry;
    case kMbCancelTryContinue:
      return kIdCancel;
    default:  // OK, OK/Cancel and anything unknown
      return kIdOk;
  }
}

ScriptedMessageBoxHandler::ScriptedMessageBoxHandler(std::vector<int> answers)
    : answers_(std::move(answers)) {}

int ScriptedMessageBoxHandler::show(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (next_ < answers_.size()) return answers_[next_++];
  return defaultAnswer(request.flags);
}

MessageBoxHandler* setMessageBoxHandler(MessageBoxHandler* handler) {
  HandlerSlot& current = slot();
  std::lock_guard lock(current.mutex);
  MessageBoxHandler* previous = current.handler;
  current.handler = handler;
  return previous;
}

int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned flags) {
  MessageBoxHandler* handler = nullptr;
  {
    HandlerSlot& current = slot();
    std::lock_guard lock(current.mutex);
    handler = current.handler;
  }
  // The handler runs without the lock: a real dialog may show another box or
  // swap the handler while it is open.
  if (handler != nullptr) {
    return handler->show(MessageBoxRequest{owner, std::string(text), std::string(caption), flags});
  }
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  return defaultAnswer(flags);
}

}  // namespace platform
