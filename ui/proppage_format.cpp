// Builds the Formatting page and writes its values into OptionSetFormat.
#include "ui/proppage_format.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cctype>
#include <cstdint>
#include <string_view>

#include "db/option_keys.h"
#include "ui/font_preview_combo.h"
#include "ui/num_spin_ctrl.h"
#include "ui/num_spin_value.h"

namespace ui {
namespace {

namespace key = db::option_keys;

enum Group { kMargins, kIndents, kFont, kPageReferences };

struct SpinRow {
  const char* label;
  const char* key;
  bool integer;  // stored as an integer (else a float)
  double minimum, maximum, step;
  const char* format;
  Group group;
  int row, column;  // place in the group's grid (a column pair: label, field)
};

constexpr SpinRow kSpins[] = {
    {"&Left margin:", key::kSpinMarginLeft, false, 0.0, 2.0, 0.1, "%.1f \"", kMargins, 0, 0},
    {"&Right margin:", key::kSpinMarginRight, false, 0.0, 2.0, 0.1, "%.1f \"", kMargins, 0, 1},
    {"&Top", key::kSpinMarginTop, false, 0.0, 2.0, 0.1, "%.1f \"", kMargins, 1, 0},
    {"&Bottom margin:", key::kSpinMarginBottom, false, 0.0, 2.0, 0.1, "%.1f \"", kMargins, 1, 1},
    {"&First line", key::kSpinCitindentFirst, false, 0.0, 2.2, 0.1, "%.2f \"", kIndents, 0, 0},
    {"S&ubsequent lines:", key::kSpinCitindentSubsequent, false, 0.0, 2.2, 0.1, "%.2f \"", kIndents, 0, 1},
    {"&Size", key::kSpinFontSize, true, 8, 25, 1, "%.0f pt", kFont, 1, 0},
    {"L&ine Spacing", key::kSpinLineSpacing, false, 0.5, 2.5, 0.5, "%.1f", kFont, 1, 1},
    {"&Page references per line", key::kSpinPgRefPerLine, true, 1, 99, 1, "%.0f", kPageReferences, 0, 0},
    {"Max page references", key::kSpinPgRefMax, true, 1, 99, 1, "%.0f", kPageReferences, 1, 0},
};
constexpr std::size_t kMaxIndex = 9;  // "Max page references"
static_assert(std::string_view(kSpins[kMaxIndex].key) == "spin_pg_ref_max");

// The number a field shows: without quotes and blanks, read as far as it
// is a number ("12 pt" -> 12).
double shownNumber(const QString& text) {
  std::string bare;
  for (char c : text.toStdString()) {
    if (c != '"' && !std::isspace(static_cast<unsigned char>(c))) bare += c;
  }
  return spinValueOfText(bare);
}

QGridLayout* groupGrid(QGroupBox* group) {
  auto* grid = new QGridLayout(group);
  // Labels and fields keep their own widths; the spare width goes right.
  grid->setColumnStretch(4, 1);
  return grid;
}

}  // namespace

CProppageFormat::CProppageFormat(db::OptionTable& table, QWidget* parent) : COptionPage(table, parent) {
  setObjectName("Formatting");
  QGroupBox* groups[] = {new QGroupBox("Margins", this), new QGroupBox("Citation Indents", this),
                         new QGroupBox("Font", this), new QGroupBox("Page References", this)};
  QGridLayout* grids[] = {groupGrid(groups[0]), groupGrid(groups[1]), groupGrid(groups[2]), groupGrid(groups[3])};

  // Widgets are made in reading order, which is the focus chain's order.
  for (const SpinRow& row : kSpins) {
    QGroupBox* group = groups[row.group];
    if (row.group == kFont && font_ == nullptr) {
      auto* typeLabel = new QLabel("T&ype", group);
      font_ = new CFontPreviewCombo(group);
      font_->setObjectName("fontType");
      font_->setMinimumContentsLength(36);
      typeLabel->setBuddy(font_);
      grids[kFont]->addWidget(typeLabel, 0, 0);
      grids[kFont]->addWidget(font_, 0, 1, 1, 4);
    }
    auto* label = new QLabel(QString::fromUtf8(row.label), group);
    auto* edit = new QLineEdit(group);
    edit->setReadOnly(true);
    // The spin beside it is the one control a person steps through.
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setObjectName(row.key);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("00.00 pt") + 12);
    auto* spin = new CNumSpinCtrl(group);
    spin->setFixedHeight(edit->sizeHint().height());
    label->setBuddy(spin);
    auto* field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(edit);
    field->addWidget(spin);
    grids[row.group]->addWidget(label, row.row, 2 * row.column, Qt::AlignLeft);
    grids[row.group]->addLayout(field, row.row, 2 * row.column + 1, Qt::AlignLeft);
    // Every text the field gets, from the spin's setup on, is stored.
    connect(edit, &QLineEdit::textChanged, this, [this, &row](const QString& text) {
      const double number = shownNumber(text);
      if (row.integer) {
        table_.intValues[row.key] = static_cast<std::int32_t>(number);
      } else {
        table_.floatValues[row.key] = static_cast<float>(number);
      }
      changed();
    });
    fields_.push_back({edit, spin});
    if (row.group == kPageReferences) {
      auto* box = new QCheckBox(row.row == 0 ? "Use &dot leadering" : "Use Passim", group);
      (row.row == 0 ? dotLeader_ : passim_) = box;
      grids[kPageReferences]->addWidget(box, row.row, 3);
    }
  }
  links_ = new QCheckBox("&Hyperlink page numbers", groups[kPageReferences]);
  grids[kPageReferences]->addWidget(links_, 2, 3);
  grids[kPageReferences]->setColumnMinimumWidth(2, 12);

  auto* page = new QVBoxLayout(this);
  for (QGroupBox* group : groups) page->addWidget(group);
  page->addStretch(1);
}

void CProppageFormat::open() {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const SpinRow& row = kSpins[i];
    const double value = row.integer ? table_.intValues[row.key] : table_.floatValues[row.key];
    setUpNumSpin(*fields_[i].spin, *fields_[i].edit, value, row.format, -1, row.minimum, row.maximum, row.step);
  }
  dotLeader_->setChecked(table_.intValues[key::kCheckUseDotLeadering] != 0);
  links_->setChecked(table_.intValues[key::kCheckLinkPagenums] != 0);
  passim_->setChecked(table_.intValues[key::kCheckUsePassim] != 0);
  font_->initialise();
  // The list's exact-match search ignores letter case; no match selects
  // nothing and leaves the stored name alone.
  font_->setCurrentIndex(font_->findText(QString::fromStdString(table_.textValues[key::kComboFontType]),
                                         Qt::MatchFixedString));
  const auto checkBox = [this](QCheckBox* box, const char* optionKey) {
    connect(box, &QCheckBox::toggled, this, [this, optionKey](bool on) {
      table_.intValues[optionKey] = on ? 1 : 0;
      changed();
    });
  };
  checkBox(dotLeader_, key::kCheckUseDotLeadering);
  checkBox(links_, key::kCheckLinkPagenums);
  connect(passim_, &QCheckBox::toggled, this, [this] { passimChanged(); });
  connect(font_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    table_.textValues[key::kComboFontType] = font_->itemText(index).toStdString();
    changed();
  });
  passimChanged();
}

void CProppageFormat::passimChanged() {
  table_.intValues[key::kCheckUsePassim] = passim_->isChecked() ? 1 : 0;
  fields_[kMaxIndex].edit->setEnabled(passim_->isChecked());
  fields_[kMaxIndex].spin->setEnabled(passim_->isChecked());
  changed();
}

}  // namespace ui
