// The read-only text viewer for the legal notice and the licence. In: a
// window title and a file path. Out: the file's lines, each followed by a line
// feed, as plain text (an RTF file shows its source).
//
// Errors: a file that cannot be opened is reported with "Error opening file - "
// and its path, caption "Lexorda"; the viewer then does not open.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

namespace ui {

// The viewer's text: every line of the file followed by '\n' (a final line
// break therefore gives no extra line, a missing one is added), or nothing
// when the file cannot be opened. A '\r' before a line break goes, as text
// mode reading drops it.
// Example: "a\nb" and "a\nb\n" both read as "a\nb\n".
std::optional<std::string> readTextFileLines(const std::string& path);

class CDialogDisplayTextFile : public QDialog {
 public:
  static constexpr int kTextId = 3089;

  CDialogDisplayTextFile(const std::string& title, const std::string& text, QWidget* parent = nullptr);
};

// Reads the file and runs the viewer modally, or reports why it cannot.
void showTextFile(const std::string& title, const std::string& path);

}  // namespace ui
