// Builds the Citations page and carries out its buttons: entry names,
// jurisdiction, group, valid and invalid representations, and the import.
#include "ui/proppage_citations.h"

#include <QComboBox>
#include <QFormLayout>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "db/dictionary_import.h"
#include "db/entry_type_collection.h"
#include "db/error_report.h"
#include "db/sqlite_db.h"
#include "db/table_names.h"
#include "platform/platform.h"
#include "ui/colored_item_controls.h"
#include "ui/dialog_template.h"
#include "ui/internal/editor_widgets.h"
#include "ui/list_helpers.h"

namespace ui {
namespace {

using internal::notice;

// Types that exist in the file but are no dictionary a user edits.
constexpr int kHiddenTypes[] = {4, 5};
constexpr const char* kRepresentationPrompt = "Enter a valid representation for the entry selected.";
constexpr const char* kImportQuestion =
    "Importing a dictionary from another database allows you to retain user added reporters that may have been "
    "lost when upgrading to a new version of Lexorda. Would you like to continue?";

// The group drop-down's items by db::AuthorityGroup value.
constexpr const char* kGroupLabels[db::kAuthorityGroupCount] = {"Statute", "Constitution", "Rule", "Regulation",
                                                                "Sentencing Guideline"};

// Only codes and numbered runs are filed by group.
bool hasGroup(const db::EntryName& entry) {
  return entry.entry_type_id == db::kEntryTypeCodes || entry.entry_type_id == db::kEntryTypeNumberedRuns;
}

db::StringList& representations(db::EntryName& entry, bool valid) {
  return valid ? entry.validNames : entry.invalidNames;
}

}  // namespace

CProppageCitations::CProppageCitations(db::CppSQLite3DB& connection, std::function<void()> modified,
                                       QWidget* parent)
    : QWidget(parent), connection_(connection), modified_(std::move(modified)) {
  typeList_ = new QComboBox(this);
  typeList_->setObjectName("types");
  entryNames_ = new CColoredItemComboBox(this);
  entryNames_->setObjectName("entryNames");
  entryNames_->showEntries(5);
  auto* addName = internal::smallButton(*this, "+", "Add entry name", "addEntryName");
  auto* removeName = internal::smallButton(*this, "-", "Remove entry name", "removeEntryName");
  federal_ = new QRadioButton("&Federal", this);
  state_ = new QRadioButton("&State", this);
  // Both are unchecked while no entry is shown, which an exclusive pair
  // cannot be.
  federal_->setAutoExclusive(false);
  state_->setAutoExclusive(false);
  group_ = new QComboBox(this);
  group_->setObjectName("group");
  for (const char* label : kGroupLabels) insertSorted(*group_, QString::fromUtf8(label));
  validNames_ = new CColoredItemListBox(this);
  validNames_->setObjectName("validNames");
  auto* addValid = internal::smallButton(*this, "+", "Add valid representation", "addValid");
  auto* removeValid = internal::smallButton(*this, "-", "Remove valid representation", "removeValid");
  invalidNames_ = new CColoredItemListBox(this);
  invalidNames_->setObjectName("invalidNames");
  auto* addInvalid = internal::smallButton(*this, "+", "Add invalid representation", "addInvalid");
  auto* removeInvalid = internal::smallButton(*this, "-", "Remove invalid representation", "removeInvalid");
  auto* import = new QPushButton("Import...", this);
  import->setObjectName("import");
  import->setAutoDefault(false);

  auto* names = new QHBoxLayout;
  names->addWidget(entryNames_, 1);
  names->addWidget(addName);
  names->addWidget(removeName);
  auto* jurisdiction = new QHBoxLayout;
  jurisdiction->addWidget(federal_);
  jurisdiction->addWidget(state_);
  jurisdiction->addStretch();
  auto* form = new QFormLayout;
  form->addRow(internal::buddyLabel(*this, "&Type:", typeList_), typeList_);
  form->addRow(internal::buddyLabel(*this, "&Entry Name:", entryNames_), names);
  form->addRow(QString(), jurisdiction);
  form->addRow(internal::buddyLabel(*this, "&Group:", group_), group_);
  auto* page = new QVBoxLayout(this);
  page->addLayout(form);
  page->addWidget(internal::buddyLabel(*this, "Enter &valid representations for the entry name selected.", validNames_));
  page->addLayout(internal::withButtons(validNames_, addValid, removeValid));
  page->addWidget(
      internal::buddyLabel(*this, "Enter &invalid representations for the entry name selected.", invalidNames_));
  page->addLayout(internal::withButtons(invalidNames_, addInvalid, removeInvalid));
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(import);
  page->addLayout(bottom);

  // activated, not currentIndexChanged: only a person's pick is a new
  // selection; the page's own changes refresh what they need themselves.
  internal::connectRelayed(*this, typeList_, &QComboBox::activated, [this] { refreshEntryNames(); });
  internal::connectRelayed(*this, entryNames_, &QComboBox::activated, [this] { refreshDetails(); });
  internal::connectRelayed(*this, federal_, &QRadioButton::clicked, [this] { setJurisdiction(db::kJurisdictionFederal); });
  internal::connectRelayed(*this, state_, &QRadioButton::clicked, [this] { setJurisdiction(db::kJurisdictionState); });
  internal::connectRelayed(*this, group_, &QComboBox::activated, [this] { setGroup(); });
  internal::connectRelayed(*this, addName, &QPushButton::clicked, [this] { addEntryName(); });
  internal::connectRelayed(*this, removeName, &QPushButton::clicked, [this] { removeEntryName(); });
  internal::connectRelayed(*this, addValid, &QPushButton::clicked, [this] { addRepresentation(true); });
  internal::connectRelayed(*this, removeValid, &QPushButton::clicked, [this] { removeRepresentation(true); });
  internal::connectRelayed(*this, addInvalid, &QPushButton::clicked, [this] { addRepresentation(false); });
  internal::connectRelayed(*this, removeInvalid, &QPushButton::clicked, [this] { removeRepresentation(false); });
  internal::connectRelayed(*this, import, &QPushButton::clicked, [this] { importDictionary(); });

  loadTypes();
  fillTypeList();
}

void CProppageCitations::loadTypes() {
  types_.clear();
  std::vector<std::int32_t> ids;
  try {
    ids = db::loadEntryTypeIds(connection_);
  } catch (const db::CppSQLite3Exception& error) {
    db::showExceptionText(error, "Database error");
  }
  for (const std::int32_t id : ids) {
    if (std::ranges::find(kHiddenTypes, id) != std::end(kHiddenTypes)) continue;
    try {
      db::EntryType type(id);
      type.FillEntryNames();
      types_[type.name] = std::move(type);
    } catch (const std::exception& error) {
      // A type row that cannot be read is left out; the others stay editable.
      db::showExceptionText(error, "Database error");
    }
  }
}

void CProppageCitations::fillTypeList() {
  typeList_->clear();
  for (const auto& [name, type] : types_) insertSorted(*typeList_, toQt(name));
  typeList_->setCurrentIndex(typeList_->count() > 0 ? 0 : -1);
  refreshEntryNames();
}

db::EntryType* CProppageCitations::selectedType(bool report) {
  const auto found = types_.find(selectedText(*typeList_));
  if (typeList_->currentIndex() >= 0 && found != types_.end()) return &found->second;
  if (report) notice("Please select an entry type.");
  return nullptr;
}

db::EntryName* CProppageCitations::selectedEntry(bool report) {
  db::EntryType* type = selectedType(report);
  if (type == nullptr) return nullptr;
  const auto found = type->entryNames.find(selectedText(*entryNames_));
  if (entryNames_->currentIndex() >= 0 && found != type->entryNames.end()) return &found->second;
  if (report) notice("Please select an entry name.");
  return nullptr;
}

void CProppageCitations::refreshEntryNames() {
  const int remembered = entryNames_->currentIndex();
  entryNames_->clear();
  if (const db::EntryType* type = selectedType(false)) {
    for (const auto& [name, entry] : type->entryNames) {
      entryNames_->addEntry({name, entry.created_by != db::kCreatedByProduct});
    }
  }
  if (entryNames_->count() > 0) {
    entryNames_->setCurrentIndex(remembered >= 0 && remembered < entryNames_->count() ? remembered : 0);
  }
  refreshDetails();
}

void CProppageCitations::refreshDetails() {
  validNames_->clear();
  invalidNames_->clear();
  federal_->setChecked(false);
  state_->setChecked(false);
  group_->setCurrentIndex(-1);
  group_->setEnabled(false);
  const db::EntryName* entry = selectedEntry(false);
  if (entry == nullptr) return;
  if (hasGroup(*entry) && entry->group >= 0 && entry->group < db::kAuthorityGroupCount) {
    group_->setEnabled(true);
    group_->setCurrentIndex(group_->findText(QString::fromUtf8(kGroupLabels[entry->group])));
  }
  federal_->setChecked(entry->jurisdiction == db::kJurisdictionFederal);
  state_->setChecked(entry->jurisdiction == db::kJurisdictionState);
  for (const db::DString& text : entry->validNames) {
    validNames_->addEntry({text.value, text.created_by != db::kCreatedByProduct});
  }
  for (const db::DString& text : entry->invalidNames) {
    invalidNames_->addEntry({text.value, text.created_by != db::kCreatedByProduct});
  }
}

void CProppageCitations::setJurisdiction(int jurisdiction) {
  if (db::EntryName* entry = selectedEntry(true)) {
    entry->jurisdiction = jurisdiction;
    modified_();
  }
  refreshDetails();
}

void CProppageCitations::setGroup() {
  db::EntryName* entry = selectedEntry(true);
  const auto chosen = std::ranges::find(kGroupLabels, selectedText(*group_));
  if (entry != nullptr && hasGroup(*entry) && chosen != std::end(kGroupLabels)) {
    entry->group = static_cast<int>(chosen - std::begin(kGroupLabels));
    modified_();
  }
  refreshDetails();
}

void CProppageCitations::addEntryName() {
  db::EntryType* type = selectedType(true);
  if (type == nullptr) return;
  std::string text;
  const int position = promptIntoCombo(*entryNames_, "Input", kRepresentationPrompt, true, &text);
  if (position < 0) return;
  db::EntryName entry;
  entry.name = text;
  entry.entry_type_id = type->id;
  entry.created_by = db::kCreatedByUser;
  entry.jurisdiction = db::kJurisdictionFederal;
  entry.dictionary_id = 0;
  db::DString valid(text);
  valid.name_type = db::kNameTypeValid;
  valid.created_by = db::kCreatedByUser;
  entry.validNames.Add(valid);
  type->AddEntryName(entry);
  modified_();
  entryNames_->setCurrentIndex(position);
  refreshEntryNames();
}

void CProppageCitations::removeEntryName() {
  db::EntryType* type = selectedType(true);
  if (type == nullptr) return;
  const std::string name = selectedText(*entryNames_);
  if (name.empty()) return;
  type->entryNames.erase(name);
  removeSelectedEntry(*entryNames_);
  modified_();
  refreshEntryNames();
}

void CProppageCitations::addRepresentation(bool valid) {
  db::EntryName* entry = selectedEntry(true);
  if (entry == nullptr) return;
  CColoredItemListBox& list = valid ? *validNames_ : *invalidNames_;
  std::string text;
  if (promptIntoList(list, "Input", kRepresentationPrompt, true, &text) < 0) return;
  db::DString added(text);
  added.name_type = valid ? db::kNameTypeValid : db::kNameTypeInvalid;
  added.created_by = db::kCreatedByUser;
  representations(*entry, valid).Add(added);
  modified_();
  refreshDetails();
}

void CProppageCitations::removeRepresentation(bool valid) {
  db::EntryName* entry = selectedEntry(true);
  if (entry == nullptr) return;
  CColoredItemListBox& list = valid ? *validNames_ : *invalidNames_;
  const std::string text = selectedText(list);
  if (text.empty()) return;
  if (!representations(*entry, valid).Remove(text)) {
    notice(valid ? "Could not remove the selected valid name." : "Could not remove the selected invalid name.");
    return;
  }
  removeSelectedEntry(list);
  modified_();
  refreshDetails();
}

bool CProppageCitations::saveTypes() {
  for (const auto& [name, type] : types_) {
    if (!type.SaveNamesToDatabase()) return false;
  }
  return true;
}

bool CProppageCitations::apply() {
  if (saveTypes()) return true;
  (void)platform::messageBox(db::messageOwner(), "Could not save the citations.", "Save error", platform::kMbOk);
  return false;
}

void CProppageCitations::importDictionary() {
  const platform::WindowHandle owner = db::messageOwner();
  if (platform::messageBox(owner, kImportQuestion, "Lexorda", platform::kMbOkCancel) != platform::kIdOk) return;
  std::string path;
  if (!platform::openFileDialog(owner, "Select Old Database", "", &path)) return;
  try {
    db::importUserDictionary(path);
  } catch (const db::CppSQLite3Exception& error) {
    db::reportException(error, "Could not import dictionary", "Database Error");
  }
  // What the import wrote is shown at once; unsaved edits of the page go.
  loadTypes();
  fillTypeList();
  (void)platform::messageBox(owner, "Dictionary import complete", "Lexorda", platform::kMbOk);
}

}  // namespace ui
