// Turns message-box requests into answers from the installed handler, or from
// the default button after writing the request to standard error.
#include <atomic>
#include <cstdio>

#include "platform/platform.h"

namespace platform {
namespace {

// Button sets without a named constant of their own.
constexpr unsigned kMbAbortRetryIgnore = 0x02;
constexpr unsigned kMbRetryCancel = 0x05;
constexpr unsigned kMbCancelTryContinue = 0x06;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;

// The installed handler; swapped and read atomically, never held locked
// while it runs (a real dialog may show another box or swap the handler).
std::atomic<MessageBoxHandler*>& installed() {
  static std::atomic<MessageBoxHandler*> handler{nullptr};
  return handler;
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

MessageBoxHandler* setMessageBoxHandler(MessageBoxHandler* handler) { return installed().exchange(handler); }

int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned flags) {
  MessageBoxHandler* handler = installed().load();
  if (handler != nullptr) {
    return handler->show(MessageBoxRequest{owner, std::string(text), std::string(caption), flags});
  }
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  return defaultAnswer(flags);
}

}  // namespace platform
