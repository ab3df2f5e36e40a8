// Builds the main dialog from template 3004 and carries out its commands:
// the option set list, the three operations, Help, About and the editors.
#include "ui/dialog_main.h"

#include <QApplication>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <stdexcept>

#include "db/error_report.h"
#include "db/option_set_names.h"
#include "db/sqlite_exception.h"
#include "host/host_commands.h"
#include "host/process_values.h"
#include "table/page_references.h"
#include "ui/dialog_about.h"
#include "ui/dialog_progress_bar.h"
#include "ui/dialog_template.h"
#include "ui/dictionary_sheet.h"
#include "ui/internal/exception_relay.h"
#include "ui/list_helpers.h"
#include "ui/message_texts.h"
#include "ui/option_set_sheet.h"

namespace ui {
namespace {

using namespace message_texts;

using M = CDialogMain;
constexpr TemplateControl kControls[] = {
    {kNoControlId, ControlKind::GroupBox, "optionSetGroup", "Option Set", {6, 6, 258, 54}},
    {kNoControlId, ControlKind::Label, "optionSetPrompt", "Select which option set to use when building the table.",
     {18, 24, 186, 8}},
    {M::kOptionSetBoxId, ControlKind::DropDownList, "optionSets", "", {18, 39, 144, 14}},
    {M::kAddId, ControlKind::Button, "addOptionSet", "+", {168, 39, 18, 12}},
    {M::kRemoveId, ControlKind::Button, "removeOptionSet", "-", {186, 39, 18, 12}},
    {M::kEditId, ControlKind::Button, "editOptionSet", "&Edit", {210, 39, 36, 12}},
    {M::kAboutId, ControlKind::Button, "about", "&About", {276, 6, 44, 13}},
    {M::kHelpId, ControlKind::Button, "help", "&Help", {276, 24, 44, 13}},
    {M::kDictionaryEditorId, ControlKind::Button, "dictionaryEditor", "&Dictionary Editor", {4, 69, 84, 17}},
    {M::kCreateAtCursorId, ControlKind::DefaultButton, "createAtCursor", "&Create Table at Cursor", {4, 95, 84, 17}},
    {M::kCreateToFileId, ControlKind::Button, "createToFile", "Create Table to &File", {94, 95, 84, 17}},
    {M::kRefreshId, ControlKind::Button, "refreshPageNumbers", "&Refresh Page Numbers", {185, 94, 79, 17}},
    {M::kCancelId, ControlKind::Button, "cancel", "Ca&ncel", {271, 95, 54, 17}},
    {M::kProgressBarId, ControlKind::ProgressBar, "progress", "", {5, 116, 320, 8}},
};
// The template gives no size: the controls' extent and a margin.
constexpr int kWidth = 331;
constexpr int kHeight = 130;

// The eleven controls that a table run disables.
constexpr int kBusyDisabled[] = {M::kAboutId,  M::kDictionaryEditorId, M::kCreateAtCursorId, M::kCancelId,
                                 M::kEditId,   M::kOptionSetBoxId,     M::kAddId,            M::kRemoveId,
                                 M::kCreateToFileId, M::kRefreshId,    M::kHelpId};

constexpr const char* kCaption = "Lexorda";

// Shows the wait cursor for a scope.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CDialogMain::CDialogMain(TableRun tableRun, QWidget* parent) : QDialog(parent), tableRun_(std::move(tableRun)) {
  buildFromTemplate(*this, kCaption, kWidth, kHeight, kControls);
  optionSets_ = control<QComboBox>(*this, kOptionSetBoxId);
  progressBar_ = control<QProgressBar>(*this, kProgressBarId);
  connect(optionSets_, &QComboBox::currentIndexChanged, this, [this] { updateRemoveButton(); });
  onClick(kAboutId, [] { showAbout(); });
  onClick(kDictionaryEditorId, [] {
    CDictionarySheet sheet;
    sheet.run();
  });
  onClick(kCreateAtCursorId, [this] { createTable(false); });
  onClick(kCancelId, [this] { reject(); });
  onClick(kEditId, [this] { editOptionSet(); });
  onClick(kAddId, [this] { addOptionSet(); });
  onClick(kRemoveId, [this] { removeOptionSet(); });
  onClick(kCreateToFileId, [this] { createTable(true); });
  onClick(kRefreshId, [this] { refreshPageNumbers(); });
  onClick(kHelpId, [this] { openUserGuide(); });
}

CDialogMain::~CDialogMain() {
  if (ownsMessages_) db::setMessageOwner(previousOwner_);
  if (ownerWindow_ != nullptr) platform::destroyWindow(ownerWindow_);
}

void CDialogMain::onClick(int id, std::function<void()> handler) {
  connect(control<QPushButton>(*this, id), &QPushButton::clicked, this,
          [this, handler = std::move(handler)] { internal::relayed(*this, handler); });
}

void CDialogMain::initialise() {
  loadOptionSets();
  updateRemoveButton();
  // Message boxes name their owner by a platform window; this one stands for
  // the dialog and answers nothing itself.
  ownerWindow_ = platform::createWindow([](auto...) { return std::intptr_t{0}; });
  previousOwner_ = db::setMessageOwner(ownerWindow_);
  ownsMessages_ = true;
}

void CDialogMain::run() {
  initialise();
  internal::execRelayed(*this);
}

void CDialogMain::loadOptionSets() {
  try {
    for (const std::string& name : db::loadOptionSetNames()) insertSorted(*optionSets_, toQt(name));
    const int stored = db::storedOptionSetSelection();
    // A stored position beyond the list selects nothing.
    optionSets_->setCurrentIndex(stored < optionSets_->count() ? stored : -1);
  } catch (const db::CppSQLite3Exception& error) {
    db::reportException(error, kOptionSetsNotLoaded, "Database error");
  } catch (const std::runtime_error& error) {
    db::reportException(error, kOptionSetsNotLoaded, "Database error");
  }
}

void CDialogMain::storeSelection() {
  try {
    db::storeOptionSetSelection(optionSets_->currentIndex());
  } catch (const db::CppSQLite3Exception&) {
    // The choice is only remembered for next time; the table is made anyway.
  }
}

std::string CDialogMain::selectedOptionSetName() const { return selectedText(*optionSets_); }

void CDialogMain::updateRemoveButton() {
  control<QPushButton>(*this, kRemoveId)->setEnabled(selectedOptionSetName() != "Default");
}

void CDialogMain::addOptionSet() {
  const std::string name = addOptionSetEntry(*optionSets_, "Input", "Enter the name of your new option set.");
  if (name.empty()) return;
  int inserted = 0;
  try {
    inserted = db::insertOptionSetName(name);
  } catch (const db::CppSQLite3Exception&) {
    // Reported below as a row that was not inserted.
  }
  if (inserted == 0) {
    (void)platform::messageBox(db::messageOwner(), kOptionSetNotAdded, kCaption,
                               platform::kMbOk | platform::kMbIconWarning);
  }
  updateRemoveButton();
}

void CDialogMain::removeOptionSet() {
  const std::string name = selectedOptionSetName();
  if (name == "Default" || optionSets_->currentIndex() < 0) return;
  removeSelectedEntry(*optionSets_);
  try {
    db::deleteOptionSetName(name);
  } catch (const db::CppSQLite3Exception& error) {
    db::reportException(error, kOptionSetNotRemoved, "Database Error");
  }
  updateRemoveButton();
}

void CDialogMain::editOptionSet() {
  const std::string name = selectedOptionSetName();
  if (name.empty()) return;
  COptionSetSheet sheet(name, this);
  sheet.run();
}

void CDialogMain::createTable(bool toFile) {
  for (int id : kBusyDisabled) controlById(*this, id)->setEnabled(false);
  {
    WaitCursor wait;
    progressBar_->setRange(0, 100);
    progressBar_->show();
    storeSelection();
    DialogProgressBar bar(*progressBar_);
    bar.setPosition(0);
    tableRun_(toFile, bar, selectedOptionSetName());
  }
  accept();
}

void CDialogMain::refreshPageNumbers() {
  progressBar_->setRange(0, 5);
  progressBar_->show();
  DialogProgressBar bar(*progressBar_);
  bar.setPosition(0);
  const std::string name = selectedOptionSetName();
  (void)host::hostCommands().SetUpdateMode(0);
  table::refreshPageNumbers(name, bar);
  (void)host::hostCommands().SetUpdateMode(1);
  accept();
}

void CDialogMain::openUserGuide() {
  const std::string& path = host::processValues().userGuidePath;
  if (!platform::fileExists(path)) {
    (void)platform::messageBox(db::messageOwner(), kGuideMissing + path, kCaption, platform::kMbOk);
  } else if (!platform::shellOpen(path)) {
    (void)platform::messageBox(db::messageOwner(), kGuideNotOpened + path, kCaption, platform::kMbOk);
  }
}

}  // namespace ui
