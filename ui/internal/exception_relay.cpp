// Keeps one pending exception between a dialog handler and the code that ran
// the dialog.
#include "ui/internal/exception_relay.h"

#include <exception>
#include <utility>

namespace ui::internal {
namespace {

// Everything runs on the host's one thread; one pending exception is enough,
// since the dialog that holds it closes at once and its runner rethrows it.
std::exception_ptr& pending() {
  static std::exception_ptr value;
  return value;
}

}  // namespace

void relayed(QDialog& dialog, const std::function<void()>& body) {
  try {
    body();
  } catch (...) {
    pending() = std::current_exception();
    dialog.done(QDialog::Rejected);
  }
}

int execRelayed(QDialog& dialog) {
  const int result = dialog.exec();
  if (std::exception_ptr error = std::exchange(pending(), nullptr)) std::rethrow_exception(error);
  return result;
}

}  // namespace ui::internal
