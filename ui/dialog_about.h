// The About box. In: the legal notice and licence paths of the installation
// (host::processValues()). Out: the product's name and version, and the two
// files shown in the text viewer on request.
#pragma once

#include <QDialog>

namespace ui {

class CDialogAbout : public QDialog {
 public:
  static constexpr int kLegalNoticesId = 3086;
  static constexpr int kLicenseId = 3085;
  static constexpr int kOkId = 1;
  static constexpr int kCompanyId = 3080;
  static constexpr int kProductId = 3081;
  static constexpr int kVersionId = 3083;
  static constexpr int kTaglineId = 3084;
  static constexpr int kRegisteredId = 3087;

  explicit CDialogAbout(QWidget* parent = nullptr);
};

// Runs the About box modally without parent.
void showAbout();

}  // namespace ui
