// Builds the Content page and writes its choices into OptionSetContent.
#include "ui/proppage_content.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "db/option_keys.h"

namespace ui {
namespace {

namespace key = db::option_keys;

const char* const kForms[] = {"Harvard Bluebook", "California Style Manual"};
const char* const kCaseFormats[] = {
    "Remove all underlining",
    "Underline entire case name",
    "Underline entire case name except \"v.\"",
    "Underline only \"v.\"",
    "Underline the entire case name except the spaces around \"v.\"",
    "Italicize entire case name",
};

QComboBox* dropDown(QWidget* parent, const char* name, std::initializer_list<const char*> items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  box->setCurrentIndex(-1);
  return box;
}

}  // namespace

CProppageContent::CProppageContent(db::OptionTable& table, QWidget* parent) : COptionPage(table, parent) {
  setObjectName("Content");
  auto* label = new QLabel("&Form of Citation", this);
  citationForm_ = dropDown(this, "citationForm", {kForms[0], kForms[1]});
  label->setBuddy(citationForm_);
  expand_ = new QCheckBox("&Expand Abbreviations in Case Names", this);
  fixCase_ = new QCheckBox("&Case Name Formatting Options", this);
  caseFormatting_ = dropDown(this, "caseFormatting", {kCaseFormats[0], kCaseFormats[1], kCaseFormats[2],
                                                      kCaseFormats[3], kCaseFormats[4], kCaseFormats[5]});
  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(citationForm_, 0, 1);
  grid->addWidget(expand_, 1, 0, 1, 2);
  grid->addWidget(fixCase_, 2, 0, 1, 2);
  // The formatting list sits under its check box, indented as its part.
  auto* indented = new QHBoxLayout;
  indented->setContentsMargins(20, 0, 0, 0);
  indented->addWidget(caseFormatting_);
  grid->addLayout(indented, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  caseFormatting_->setMinimumContentsLength(40);
}

void CProppageContent::open() {
  citationForm_->setCurrentIndex(table_.intValues[key::kComboCitationForm]);
  expand_->setChecked(table_.intValues[key::kCheckExpandAbbr] != 0);
  fixCase_->setChecked(table_.intValues[key::kCheckFixCaseUnderlining] != 0);
  caseFormatting_->setCurrentIndex(table_.intValues[key::kComboFixCaseUnderlining]);
  // Handlers join after the controls were set: a value beyond a list's
  // items shows nothing and stays stored as it is.
  connect(citationForm_, &QComboBox::currentIndexChanged, this, [this](int index) {
    table_.intValues[key::kComboCitationForm] = index;
    changed();
  });
  connect(expand_, &QCheckBox::toggled, this, [this](bool on) {
    table_.intValues[key::kCheckExpandAbbr] = on ? 1 : 0;
    changed();
  });
  connect(fixCase_, &QCheckBox::toggled, this, [this] { fixCaseChanged(); });
  connect(caseFormatting_, &QComboBox::currentIndexChanged, this, [this](int index) {
    table_.intValues[key::kComboFixCaseUnderlining] = index;
    changed();
  });
  fixCaseChanged();
}

void CProppageContent::fixCaseChanged() {
  table_.intValues[key::kCheckFixCaseUnderlining] = fixCase_->isChecked() ? 1 : 0;
  caseFormatting_->setEnabled(fixCase_->isChecked());
  changed();
}

}  // namespace ui
