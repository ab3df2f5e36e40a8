// Builds the Abbreviations page and carries out its buttons: abbreviations
// and their long forms.
#include "ui/proppage_abbreviations.h"

#include <QFormLayout>
#include <utility>

#include "db/error_report.h"
#include "db/table_names.h"
#include "platform/platform.h"
#include "ui/colored_item_controls.h"
#include "ui/dialog_template.h"
#include "ui/internal/editor_widgets.h"
#include "ui/list_helpers.h"

namespace ui {

using internal::notice;

CProppageAbbreviations::CProppageAbbreviations(std::function<void()> modified, QWidget* parent)
    : QWidget(parent), modified_(std::move(modified)) {
  abbreviations_.dictionaryId = 0;
  abbreviations_.Fill();

  names_ = new CColoredItemComboBox(this);
  names_->setObjectName("abbreviations");
  names_->showEntries(5);
  auto* addName = internal::smallButton(*this, "+", "Add abbreviation", "addAbbreviation");
  auto* removeName = internal::smallButton(*this, "-", "Remove abbreviation", "removeAbbreviation");
  longForms_ = new CColoredItemListBox(this);
  longForms_->setObjectName("longForms");
  auto* addLong = internal::smallButton(*this, "+", "Add long form", "addLongForm");
  auto* removeLong = internal::smallButton(*this, "-", "Remove long form", "removeLongForm");

  auto* names = new QHBoxLayout;
  names->addWidget(names_, 1);
  names->addWidget(addName);
  names->addWidget(removeName);
  auto* form = new QFormLayout;
  form->addRow(internal::buddyLabel(*this, "&Abbreviation", names_), names);
  auto* page = new QVBoxLayout(this);
  page->addLayout(form);
  page->addWidget(internal::buddyLabel(*this, "&Long form:", longForms_));
  page->addLayout(internal::withButtons(longForms_, addLong, removeLong));

  internal::connectRelayed(*this, names_, &QComboBox::activated, [this] { showLongForms(); });
  internal::connectRelayed(*this, addName, &QPushButton::clicked, [this] { addAbbreviation(); });
  internal::connectRelayed(*this, removeName, &QPushButton::clicked, [this] { removeAbbreviation(); });
  internal::connectRelayed(*this, addLong, &QPushButton::clicked, [this] { addLongForm(); });
  internal::connectRelayed(*this, removeLong, &QPushButton::clicked, [this] { removeLongForm(); });

  for (const auto& [name, abbreviation] : abbreviations_.abbreviations) {
    names_->addEntry({name, abbreviation.created_by != db::kCreatedByProduct});
  }
  if (names_->count() > 0) {
    names_->setCurrentIndex(0);
    showLongForms();
  }
}

db::Abbreviation* CProppageAbbreviations::selectedAbbreviation() {
  const auto found = abbreviations_.abbreviations.find(selectedText(*names_));
  if (names_->currentIndex() >= 0 && found != abbreviations_.abbreviations.end()) return &found->second;
  notice("Please select an abbreviation type.");
  return nullptr;
}

void CProppageAbbreviations::showLongForms() {
  const db::Abbreviation* abbreviation = selectedAbbreviation();
  if (abbreviation == nullptr) return;
  longForms_->clear();
  for (const db::DString& text : abbreviation->longForms) {
    longForms_->addEntry({text.value, text.created_by != db::kCreatedByProduct});
  }
}

void CProppageAbbreviations::addAbbreviation() {
  std::string text;
  const int position = promptIntoCombo(*names_, "Input", "Enter a new Abbreviation value.", true, &text);
  if (position < 0) return;
  db::Abbreviation abbreviation;
  abbreviation.name = text;
  abbreviation.created_by = db::kCreatedByUser;
  abbreviation.dictionary_id = 0;
  abbreviations_.abbreviations[text] = abbreviation;
  modified_();
  names_->setCurrentIndex(position);
  showLongForms();
}

void CProppageAbbreviations::removeAbbreviation() {
  const db::Abbreviation* abbreviation = selectedAbbreviation();
  if (abbreviation == nullptr) return;
  abbreviations_.abbreviations.erase(std::string(abbreviation->name));
  removeSelectedEntry(*names_);
  modified_();
  showLongForms();
}

void CProppageAbbreviations::addLongForm() {
  db::Abbreviation* abbreviation = selectedAbbreviation();
  if (abbreviation == nullptr) return;
  std::string text;
  if (promptIntoList(*longForms_, "Input", "Enter a new full word for the selected abbreviation.", true, &text) < 0) {
    return;
  }
  db::DString longForm(text);
  longForm.name_id = abbreviation->id;
  longForm.name_type = db::kNameTypeLongForm;
  longForm.created_by = db::kCreatedByUser;
  abbreviation->longForms.Add(longForm);
  modified_();
}

void CProppageAbbreviations::removeLongForm() {
  db::Abbreviation* abbreviation = selectedAbbreviation();
  if (abbreviation == nullptr) return;
  const std::string text = selectedText(*longForms_);
  if (text.empty()) return;
  if (!abbreviation->longForms.Remove(text)) {
    notice("Could not remove the selected abbreviation long form.");
    return;
  }
  removeSelectedEntry(*longForms_);
  modified_();
}

bool CProppageAbbreviations::apply() {
  if (save()) return true;
  (void)platform::messageBox(db::messageOwner(), "Could not save the abbreviations.", "Save error", platform::kMbOk);
  return false;
}

}  // namespace ui
