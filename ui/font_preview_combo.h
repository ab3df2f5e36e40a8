// A drop-down list of the installed font families that previews each one. In:
// the families QFontDatabase reports, a style, a sample text, its colour and
// a preview height. Out: one entry per family, sorted, drawn as the style
// says, with a small "TT" mark before scalable (TrueType-like) fonts.
//
// Styles: 0 the name in its own font; 1 the name in the control's font (no
// preview fonts are made); 2 the name, then the sample in the family's font;
// 3 the sample, then the name; 4 the sample only.
//
// Errors: none. A system without fonts gives an empty list.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QString>
#include <map>

namespace ui {

class CFontPreviewCombo : public QComboBox {
  Q_OBJECT

 public:
  // The item data (Qt::UserRole) of a scalable family, as the font type flag.
  static constexpr int kTrueTypeFont = 4;
  enum Style { kNameInFont = 0, kNameOnly = 1, kNameThenSample = 2, kSampleThenName = 3, kSampleOnly = 4 };

  explicit CFontPreviewCombo(QWidget* parent = nullptr);

  // Set before initialise().
  QString sampleText = QStringLiteral("abcdeABCDE");
  QColor sampleColor;  // the palette's window-text colour at construction
  int fontHeight = 16;  // pixels

  // Empties the list and fills it with every family (sorted), its font type
  // as item data and, unless the style is 1, its preview font; selects the
  // first entry.
  void initialise();
  // Stores a different style; refills the list when reload is set.
  void setPreviewStyle(int style, bool reload);
  int previewStyle() const { return style_; }
  const std::map<QString, QFont>& previewFonts() const { return previewFonts_; }
  int widestName() const { return widestName_; }
  int widestSample() const { return widestSample_; }
  // The width the list gets when it drops down (before the box's own width
  // is taken as the least).
  int droppedWidth() const;

  // Draws entry `index` into rect: in the list, or as the box's current entry.
  void paintEntry(QPainter& painter, const QRect& rect, int index, bool selected, bool inEditField) const;
  // Widens the list to droppedWidth() (plus the text's indent) first.
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont previewFont(const QString& family) const;

  int style_ = kNameThenSample;
  std::map<QString, QFont> previewFonts_;
  int widestName_ = 0;
  int widestSample_ = 0;
};

}  // namespace ui
