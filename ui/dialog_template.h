// Builds a dialog from its template: control ids, kinds, texts and positions
// in dialog units. In: a table of TemplateControl rows. Out: Qt widgets
// placed at the positions converted with the dialog font's metrics, each
// named and carrying its numeric id, created in template order so that the
// tab order is the template's.
//
// A template's sizes were made for a narrow font. In a wider one its texts
// would be cut off, so the horizontal unit grows until every text fits its
// control: the whole dialog widens in proportion, and no control comes to
// overlap another.
//
// Errors: none; a control looked up by an id the dialog does not have is a
// programming error (asserted).
#pragma once

#include <QDialog>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <span>
#include <string>

namespace ui {

// The dynamic property that keeps a control's template id.
inline constexpr const char* kControlIdProperty = "controlId";
// The id of template controls that have none (group boxes, plain labels).
inline constexpr int kNoControlId = -1;

// A rectangle in dialog units: x and width in quarters of the font's average
// character width, y and height in eighths of its height.
struct DialogRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Pixels per four horizontal and per eight vertical dialog units.
struct DialogBaseUnits {
  int across = 0;  // the font's average character width, or more (above)
  int down = 0;    // the font's height
};

// Converts dialog units to pixels, rounding to the nearest pixel.
// Example: with base units {6, 13}, {4, 8, 40, 16} becomes QRect(6, 13, 60, 26).
QRect toPixels(DialogBaseUnits base, DialogRect rect);

enum class ControlKind {
  Button,         // QPushButton
  DefaultButton,  // QPushButton, the dialog's default
  Label,          // QLabel
  GroupBox,       // QGroupBox (created first, so it lies below its contents)
  DropDownList,   // QComboBox, not editable
  Edit,           // QLineEdit
  ReadOnlyText,   // QPlainTextEdit, read-only, vertical scroll bar
  ProgressBar,    // QProgressBar, hidden
};

struct TemplateControl {
  int id;
  ControlKind kind;
  const char* name;  // the widget's objectName
  const char* text;  // with '&' before the mnemonic
  DialogRect rect;
};

// Sets the title, converts the dialog's size (width x height in dialog units)
// and creates every control as a child of dialog.
void buildFromTemplate(QDialog& dialog, const char* title, int width, int height,
                       std::span<const TemplateControl> controls);

// The child whose controlId is id.
QWidget* controlById(const QWidget& dialog, int id);
template <typename Widget>
Widget* control(const QWidget& dialog, int id) {
  return static_cast<Widget*>(controlById(dialog, id));
}

// A widget text without its mnemonic marks ("&&" stays one '&').
QString withoutMnemonic(const QString& text);

// Conversions between the system's texts and Qt's.
inline QString toQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string fromQt(const QString& text) { return text.toStdString(); }

}  // namespace ui
