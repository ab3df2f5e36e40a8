// The one-line input dialog. In: a title and a prompt. Out: the text the user
// entered, or the empty text when the user cancelled.
#pragma once

#include <QDialog>
#include <string>

namespace ui {

class CDialogInput : public QDialog {
 public:
  static constexpr int kPromptId = 3061;
  static constexpr int kEditId = 3062;

  CDialogInput(const std::string& title, const std::string& prompt, QWidget* parent = nullptr);

  // The edit field's text after OK; empty after Cancel or before either.
  const std::string& result() const { return result_; }

 private:
  std::string result_;
};

// Runs the input dialog modally and returns its result.
// Example: askForText("Input", "Enter the name of your new option set.").
std::string askForText(const std::string& title, const std::string& prompt);

}  // namespace ui
