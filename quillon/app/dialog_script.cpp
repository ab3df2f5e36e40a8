// Names of scripted dialog actions and the visible text of a control.
#include "quillon/app/dialog_script.h"

namespace quillon::app {

std::string describe(const DialogAction& action) {
  switch (action.kind) {
    case DialogActionKind::Select:
      return "select " + action.text;
    case DialogActionKind::Type:
      return "type " + action.text;
    case DialogActionKind::Press:
      break;
  }
  return "press " + action.text;
}

std::string withoutMnemonic(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      shown += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

}  // namespace quillon::app
