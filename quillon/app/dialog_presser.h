// The buttons a batch run presses in the dialogs a plug-in shows. In: the
// --press texts in command-line order, and each dialog as it appears. Out:
// the text of the button to press in it, and afterwards the presses that no
// dialog took.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon::app {

// What a shown dialog asks for its next button press. The dialog presses the
// button whose text equals the answer; with nullopt it is left to its user.
class DialogPresser {
 public:
  virtual ~DialogPresser() = default;
  // Called once per button press a dialog is ready for, with the dialog's
  // title and the texts of its enabled buttons.
  virtual std::optional<std::string> nextPress(const std::string& dialogTitle,
                                               const std::vector<std::string>& buttons) = 0;
};

// Hands out the scripted presses in order. A press goes to the dialog that
// asks next, whether or not that dialog has a button of that text: a script
// out of step with the dialogs shows as the dialog's own failure, not as a
// skipped press.
class ScriptedPresser : public DialogPresser {
 public:
  explicit ScriptedPresser(std::vector<std::string> presses) : presses_(std::move(presses)) {}

  std::optional<std::string> nextPress(const std::string& dialogTitle,
                                       const std::vector<std::string>& buttons) override;

  // The presses no dialog has taken, in order.
  std::vector<std::string> unused() const;

 private:
  std::vector<std::string> presses_;
  std::size_t next_ = 0;
};

}  // namespace quillon::app
