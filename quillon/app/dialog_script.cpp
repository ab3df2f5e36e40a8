// Names of scripted dialog actions and the visible text of a control.
#include "quillon/app/dialog_script.h"

#include <charconv>

namespace quillon::app {

std::string describe(const DialogAction& action) {
  switch (action.kind) {
    case DialogActionKind::Select:
      return "select " + action.text;
    case DialogActionKind::Type:
      return "type " + action.text;
    case DialogActionKind::Tab:
      return "tab " + action.text;
    case DialogActionKind::Check:
      return "check " + action.text;
    case DialogActionKind::Spin:
      return "spin " + action.text;
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

bool sameLabel(std::string_view shown, std::string_view wanted) {
  if (shown == wanted) return true;
  return shown.ends_with(':') && shown.substr(0, shown.size() - 1) == wanted;
}

std::optional<SpinSetting> spinSetting(std::string_view text) {
  const std::size_t equals = text.rfind('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  const std::string_view number = text.substr(equals + 1);
  SpinSetting setting{std::string(text.substr(0, equals)), 0.0};
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), setting.value);
  if (number.empty() || error != std::errc{} || end != number.data() + number.size()) return std::nullopt;
  return setting;
}

}  // namespace quillon::app
