// Builds the dictionary editor's sheet around its two pages and runs OK,
// Cancel and Apply.
#include "ui/dictionary_sheet.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTabWidget>

#include "db/connection.h"
#include "db/error_report.h"
#include "ui/internal/exception_relay.h"
#include "ui/proppage_abbreviations.h"
#include "ui/proppage_citations.h"

namespace ui {
namespace {

void saveError(const char* text) {
  (void)platform::messageBox(db::messageOwner(), text, "Save error", platform::kMbOk);
}

}  // namespace

CDictionarySheet::CDictionarySheet(QWidget* parent, int firstPage) : QDialog(parent) {
  setWindowTitle("Dictionary Editor");
  // Message boxes name their owner by a platform window; this one stands for
  // the sheet. Taken first, so that the pages' load errors are owned by it.
  ownerWindow_ = platform::createWindow([](auto...) { return std::intptr_t{0}; });
  previousOwner_ = db::setMessageOwner(ownerWindow_);
  try {
    db::openOperationConnection(connection_);
  } catch (const db::CppSQLite3Exception& error) {
    db::showExceptionText(error, "Database error");
  }

  tabs_ = new QTabWidget(this);
  citations_ = new CProppageCitations(connection_, [this] { markModified(); }, tabs_);
  abbreviations_ = new CProppageAbbreviations([this] { markModified(); }, tabs_);
  tabs_->addTab(citations_, "Citations");
  tabs_->addTab(abbreviations_, "Abbreviations");
  tabs_->setCurrentIndex(firstPage);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  apply_ = new QPushButton("Apply", this);
  apply_->setObjectName("apply");
  apply_->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(apply_);
  auto* sheet = new QVBoxLayout(this);
  sheet->addWidget(tabs_);
  sheet->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, [this] { internal::relayed(*this, [this] { confirm(); }); });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  connect(apply_, &QPushButton::clicked, this, [this] { internal::relayed(*this, [this] { applyPages(); }); });
}

CDictionarySheet::~CDictionarySheet() {
  db::setMessageOwner(previousOwner_);
  platform::destroyWindow(ownerWindow_);
}

void CDictionarySheet::run() { internal::execRelayed(*this); }

bool CDictionarySheet::hasUnsavedChanges() const { return apply_->isEnabled(); }

void CDictionarySheet::markModified() { apply_->setEnabled(true); }

void CDictionarySheet::confirm() {
  // The saves here stand for the pages' own Apply as well: running that
  // after them would write the same rows again and repeat every failure.
  if (hasUnsavedChanges()) {
    if (!citations_->saveTypes()) saveError("Couldn't save the Citations.");
    if (!abbreviations_->save()) saveError("Couldn't save the Abbreviations.");
  }
  accept();
}

void CDictionarySheet::applyPages() {
  if (!hasUnsavedChanges()) return;
  const bool citationsSaved = citations_->apply();
  const bool abbreviationsSaved = abbreviations_->apply();
  // A page whose save failed keeps its edits unsaved, and Apply stays on.
  apply_->setEnabled(!citationsSaved || !abbreviationsSaved);
}

}  // namespace ui
