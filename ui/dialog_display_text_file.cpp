// Reads a text file line by line into the viewer dialog.
#include "ui/dialog_display_text_file.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <fstream>

#include "db/error_report.h"
#include "platform/platform.h"
#include "ui/dialog_template.h"
#include "ui/internal/exception_relay.h"

namespace ui {
namespace {

constexpr int kOkId = 1;

constexpr TemplateControl kControls[] = {
    {kOkId, ControlKind::DefaultButton, "ok", "OK", {222, 181, 50, 14}},
    {CDialogDisplayTextFile::kTextId, ControlKind::ReadOnlyText, "text", "", {7, 7, 265, 166}},
};

}  // namespace

std::optional<std::string> readTextFileLines(const std::string& path) {
  std::ifstream file(path, std::ios::in | std::ios::ate);
  if (!file.is_open()) return std::nullopt;
  std::string text;
  text.reserve(static_cast<std::size_t>(std::max<std::streamoff>(file.tellg(), 0)));
  file.seekg(0);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text += line;
    text += '\n';
  }
  return text;
}

CDialogDisplayTextFile::CDialogDisplayTextFile(const std::string& title, const std::string& text,
                                               QWidget* parent)
    : QDialog(parent) {
  buildFromTemplate(*this, title.c_str(), 279, 202, kControls);
  control<QPlainTextEdit>(*this, kTextId)->setPlainText(toQt(text));
  connect(control<QPushButton>(*this, kOkId), &QPushButton::clicked, this, &QDialog::accept);
}

void showTextFile(const std::string& title, const std::string& path) {
  const std::optional<std::string> text = readTextFileLines(path);
  if (!text) {
    (void)platform::messageBox(db::messageOwner(), "Error opening file - " + path, "Lexorda",
                               platform::kMbOk);
    return;
  }
  CDialogDisplayTextFile dialog(title, *text);
  internal::execRelayed(dialog);
}

}  // namespace ui
