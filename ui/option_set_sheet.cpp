// Loads one option set, shows its three pages in tabs and applies the pages
// that were shown.
#include "ui/option_set_sheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "db/error_report.h"
#include "db/sqlite_exception.h"
#include "ui/internal/exception_relay.h"
#include "ui/proppage_content.h"
#include "ui/proppage_format.h"
#include "ui/proppage_sort.h"

namespace ui {

COptionSetSheet::COptionSetSheet(const std::string& optionSetName, QWidget* parent, int firstPage)
    : QDialog(parent) {
  setWindowTitle(QString::fromStdString("Editing Option Set: " + optionSetName));
  options_.name = optionSetName;
  try {
    options_.Fill();
  } catch (const db::CppSQLite3Exception& error) {
    db::showExceptionText(error, "Database error");
  } catch (const std::exception& error) {
    db::showExceptionText(error, "Notice");
  }
  tabs_ = new QTabWidget(this);
  COptionPage* pages[] = {new CProppageContent(options_.content), new CProppageFormat(options_.format),
                          new CProppageSort(options_.sort)};
  for (COptionPage* page : pages) {
    tabs_->addTab(page, page->objectName());
    page->onModified = [this] { apply_->setEnabled(true); };
  }
  auto* ok = new QPushButton("OK", this);
  auto* cancel = new QPushButton("Cancel", this);
  apply_ = new QPushButton("&Apply", this);
  ok->setDefault(true);
  apply_->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {ok, cancel, apply_}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  tabs_->setCurrentIndex(firstPage);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { showPage(index); });
  connect(ok, &QPushButton::clicked, this, [this] {
    internal::relayed(*this, [this] {
      applyPages();
      accept();
    });
  });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  connect(apply_, &QPushButton::clicked, this, [this] { internal::relayed(*this, [this] { applyPages(); }); });
}

COptionSetSheet::~COptionSetSheet() {
  if (ownerWindow_ != nullptr) {
    db::setMessageOwner(previousOwner_);
    platform::destroyWindow(ownerWindow_);
  }
}

void COptionSetSheet::run() { internal::execRelayed(*this); }

COptionPage& COptionSetSheet::page(int index) const { return *static_cast<COptionPage*>(tabs_->widget(index)); }

void COptionSetSheet::showEvent(QShowEvent* event) {
  if (ownerWindow_ == nullptr) {
    // Message boxes name their owner by a platform window; this one stands
    // for the sheet and answers nothing itself.
    ownerWindow_ = platform::createWindow([](auto...) { return std::intptr_t{0}; });
    previousOwner_ = db::setMessageOwner(ownerWindow_);
  }
  QDialog::showEvent(event);
  showPage(tabs_->currentIndex());
}

void COptionSetSheet::showPage(int index) {
  if (index >= 0) internal::relayed(*this, [this, index] { page(index).openOnce(); });
}

void COptionSetSheet::applyPages() {
  bool failed = false;
  for (int i = 0; i < tabs_->count(); ++i) {
    if (page(i).opened()) failed = !page(i).apply() || failed;
  }
  apply_->setEnabled(failed);
}

}  // namespace ui
