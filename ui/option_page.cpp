// Opening, modification and applying of an option set editor page.
#include "ui/option_page.h"

#include <exception>

#include "db/error_report.h"

namespace ui {

COptionPage::COptionPage(db::OptionTable& table, QWidget* parent) : QWidget(parent), table_(table) {}

void COptionPage::openOnce() {
  if (opened_) return;
  opened_ = true;
  try {
    open();
  } catch (const std::exception& error) {
    db::reportException(error, "Could not read all properties from saved Option Set.", "Load error");
  }
}

bool COptionPage::apply() {
  // A failed save keeps the page modified, so that Apply can try again.
  modified_ = table_.SaveToDatabase() != 1;
  return !modified_;
}

void COptionPage::changed() {
  modified_ = true;
  if (onModified) onModified();
}

}  // namespace ui
