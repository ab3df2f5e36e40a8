// The scripted dialog actions of a batch run. In: --press, --select and
// --type in command-line order. Out: one queue of actions, how each is named
// in reports, and the text a person sees on a control.
#pragma once

#include <string>
#include <string_view>

namespace quillon::app {

enum class DialogActionKind {
  Press,   // click the enabled button whose text (or accessible name) is `text`
  Select,  // pick the drop-down list or list box item `text`
  Type,    // fill the focused (or only) line edit with `text`
};

struct DialogAction {
  DialogActionKind kind = DialogActionKind::Press;
  std::string text;

  bool operator==(const DialogAction&) const = default;
};

// "press TEXT", "select TEXT" or "type TEXT", as reports name the action.
std::string describe(const DialogAction& action);

// A control's text as a person reads it: each mnemonic "&" dropped and "&&"
// read as one "&". "&Add..." -> "Add...", "Fish && &Chips" -> "Fish & Chips".
std::string withoutMnemonic(std::string_view text);

}  // namespace quillon::app
