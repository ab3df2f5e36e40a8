// The Content page of the option set editor. In: the set's OptionSetContent
// values. Out: the citation form, the expansion of abbreviations and the
// case-name formatting, each written into the table when changed; the
// formatting list is enabled only while its check box is checked.
#pragma once

#include "ui/option_page.h"

class QCheckBox;
class QComboBox;

namespace ui {

class CProppageContent : public COptionPage {
 public:
  CProppageContent(db::OptionTable& table, QWidget* parent = nullptr);

 protected:
  void open() override;

 private:
  void fixCaseChanged();

  QComboBox* citationForm_;
  QCheckBox* expand_;
  QCheckBox* fixCase_;
  QComboBox* caseFormatting_;
};

}  // namespace ui
