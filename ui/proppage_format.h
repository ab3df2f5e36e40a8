// The Formatting page of the option set editor. In: the set's
// OptionSetFormat values. Out: margins, indents, font size, line spacing and
// the page-reference limits shown in read-only fields beside numeric spins,
// the three page-number check boxes and the font, each written into the
// table when it changes.
//
// A number is stored as its field shows it (quotes and blanks removed, read
// up to the first character that is not part of a number), so opening the
// page rounds every value to its displayed decimals. "Max page references"
// is enabled only while "Use Passim" is checked.
#pragma once

#include <vector>

#include "ui/option_page.h"

class QCheckBox;
class QLineEdit;

namespace ui {

class CFontPreviewCombo;
class CNumSpinCtrl;

class CProppageFormat : public COptionPage {
 public:
  CProppageFormat(db::OptionTable& table, QWidget* parent = nullptr);

 protected:
  void open() override;

 private:
  struct Field {
    QLineEdit* edit;
    CNumSpinCtrl* spin;
  };
  void passimChanged();

  std::vector<Field> fields_;  // in the order of the rows in the .cpp
  QCheckBox* dotLeader_ = nullptr;
  QCheckBox* links_ = nullptr;
  QCheckBox* passim_ = nullptr;
  CFontPreviewCombo* font_ = nullptr;
};

}  // namespace ui
