// Prints a message box and hands it to the scripted answerer.
#include "quillon/app/message_printer.h"

namespace quillon::app {

int PrintingMessageBoxHandler::show(const platform::MessageBoxRequest& request) {
  std::fprintf(out_, "message box [%s]: %s\n", request.caption.c_str(), request.text.c_str());
  std::fflush(out_);
  return script_.show(request);
}

}  // namespace quillon::app
