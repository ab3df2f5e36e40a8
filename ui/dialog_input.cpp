// Builds the input dialog from its template and keeps what OK confirms.
#include "ui/dialog_input.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/dialog_template.h"
#include "ui/internal/exception_relay.h"

namespace ui {
namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;

constexpr TemplateControl kControls[] = {
    {CDialogInput::kEditId, ControlKind::Edit, "text", "", {12, 24, 179, 16}},
    {kOkId, ControlKind::DefaultButton, "ok", "OK", {216, 6, 50, 16}},
    {kCancelId, ControlKind::Button, "cancel", "Cancel", {216, 24, 50, 16}},
    {CDialogInput::kPromptId, ControlKind::Label, "prompt", "Message", {12, 6, 192, 12}},
};

}  // namespace

CDialogInput::CDialogInput(const std::string& title, const std::string& prompt, QWidget* parent)
    : QDialog(parent) {
  buildFromTemplate(*this, title.c_str(), 276, 47, kControls);
  control<QLabel>(*this, kPromptId)->setText(toQt(prompt));
  auto* edit = control<QLineEdit>(*this, kEditId);
  edit->setFocus();
  connect(control<QPushButton>(*this, kOkId), &QPushButton::clicked, this, [this, edit] {
    result_ = fromQt(edit->text());
    accept();
  });
  connect(control<QPushButton>(*this, kCancelId), &QPushButton::clicked, this, [this] {
    result_.clear();
    reject();
  });
}

std::string askForText(const std::string& title, const std::string& prompt) {
  CDialogInput dialog(title, prompt);
  internal::execRelayed(dialog);
  return dialog.result();
}

}  // namespace ui
