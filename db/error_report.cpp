// Turns caught exceptions into the plug-in's database message boxes.
#include "db/error_report.h"

#include <string>

namespace db {
namespace {

platform::WindowHandle& ownerSlot() {
  static platform::WindowHandle owner = nullptr;
  return owner;
}

void show(std::string_view message, std::string_view detail, std::string_view caption) {
  std::string text(message);
  text += '\n';
  text += detail;
  platform::messageBox(messageOwner(), text, caption, platform::kMbOk);
}

}  // namespace

platform::WindowHandle messageOwner() { return ownerSlot(); }

platform::WindowHandle setMessageOwner(platform::WindowHandle owner) {
  platform::WindowHandle previous = ownerSlot();
  ownerSlot() = owner;
  return previous;
}

void reportException(const CppSQLite3Exception& error, std::string_view message,
                     std::string_view caption) {
  show(message, error.message(), caption);
}

void reportException(const std::exception& error, std::string_view message,
                     std::string_view caption) {
  show(message, error.what(), caption);
}

void showExceptionText(const CppSQLite3Exception& error, std::string_view caption) {
  platform::messageBox(messageOwner(), error.message(), caption, platform::kMbOk);
}

void showExceptionText(const std::exception& error, std::string_view caption) {
  platform::messageBox(messageOwner(), error.what(), caption, platform::kMbOk);
}

}  // namespace db
