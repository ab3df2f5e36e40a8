// The scripted dialog actions of a batch run. In: --press, --select, --type,
// --tab, --check and --spin in command-line order. Out: one queue of
// actions, how each is named in reports, and the text a person sees on a
// control.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon::app {

enum class DialogActionKind {
  Press,   // click the enabled button whose text (or accessible name) is `text`
  Select,  // pick the drop-down list or list box item `text`
  Type,    // fill the focused (or only) line edit with `text`
  Tab,     // show the page whose tab is `text`
  Check,   // click the check box `text` (its state turns over)
  Spin,    // set the numeric field labelled LABEL to VALUE; `text` is "LABEL=VALUE"
};

struct DialogAction {
  DialogActionKind kind = DialogActionKind::Press;
  std::string text;

  bool operator==(const DialogAction&) const = default;
};

// "press TEXT", "select TEXT", "type TEXT", "tab TEXT", "check TEXT" or
// "spin LABEL=VALUE", as reports name the action.
std::string describe(const DialogAction& action);

// A control's text as a person reads it: each mnemonic "&" dropped and "&&"
// read as one "&". "&Add..." -> "Add...", "Fish && &Chips" -> "Fish & Chips".
std::string withoutMnemonic(std::string_view text);

// Whether a label a person reads names the field a script asks for: the
// same text, or the label with its trailing ":" left out.
// Example: sameLabel("Left margin:", "Left margin") is true.
bool sameLabel(std::string_view shown, std::string_view wanted);

// The two halves of a --spin "LABEL=VALUE", split at the last "=", or
// nullopt when the label is empty or VALUE is not a whole decimal number.
// Example: "Max page references=3" -> {"Max page references", 3.0}.
struct SpinSetting {
  std::string label;
  double value = 0.0;
};
std::optional<SpinSetting> spinSetting(std::string_view text);

}  // namespace quillon::app
