// Builds the Sorting page and writes its choices and category lists into
// OptionSetSort.
#include "ui/proppage_sort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "db/option_keys.h"
#include "ui/category_order.h"
#include "ui/list_helpers.h"

namespace ui {
namespace {

namespace key = db::option_keys;

CategoryNames namesOf(const QListWidget& list) {
  CategoryNames names;
  for (int i = 0; i < list.count(); ++i) names.push_back(list.item(i)->text().toStdString());
  return names;
}

void fill(QListWidget& list, const CategoryNames& names) {
  list.clear();
  for (const std::string& name : names) list.addItem(QString::fromStdString(name));
}

// The selected row, or -1 when no entry is selected.
int selectedRow(const QListWidget& list) {
  const QListWidgetItem* item = list.currentItem();
  return item != nullptr && item->isSelected() ? list.currentRow() : -1;
}

// A sorted drop-down list: the stored value is a position in sorted order.
QComboBox* sortedList(QWidget* parent, const char* name, std::initializer_list<const char*> items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const char* item : items) insertSorted(*box, QString::fromUtf8(item));
  return box;
}

db::StringList listOf(const QListWidget& list) {
  db::StringList strings;
  for (const std::string& name : namesOf(list)) strings.Add(db::DString(name));
  return strings;
}

}  // namespace

CProppageSort::CProppageSort(db::OptionTable& table, QWidget* parent) : COptionPage(table, parent) {
  setObjectName("Sorting");
  auto* casesLabel = new QLabel("&Cases", this);
  cases_ = sortedList(this, "sortCases", {"Alphabetical by Name", "Alphabetical by Reporter", "Order of Appearance"});
  casesLabel->setBuddy(cases_);
  auto* statutesLabel = new QLabel("&Statutes", this);
  statutes_ = sortedList(this, "sortStatutes", {"Alphabetical by Reporter", "Numerical", "Order of Appearance"});
  statutesLabel->setBuddy(statutes_);
  mixed_ = new QCheckBox("By Order of Appearance (all citation types mixed)", this);
  ignore_ = new QCheckBox("Ignore \"In Re\", \"Ex parte\", \"People v.\", \"United States v.\" and", this);
  auto* ignoreRest = new QLabel("\"State v.\" when sorting by name", this);
  auto* leftLabel = new QLabel("Categories Not Included", this);
  auto* note = new QLabel("Categories will appear in the Table of Authorities in the order they are specified in "
                          "the list box.", this);
  note->setWordWrap(true);
  left_ = new QListWidget(this);
  left_->setObjectName("categoriesNotIncluded");
  auto* include = new QPushButton(">", this);
  auto* exclude = new QPushButton("<", this);
  right_ = new QListWidget(this);
  right_->setObjectName("categoriesIncluded");
  auto* up = new QPushButton("Move &Up", this);
  auto* down = new QPushButton("Move &Down", this);
  splitCases_ = new QCheckBox("Split Cas&es into Federal/State", this);
  splitStatutes_ = new QCheckBox("Split S&tatutes into Federal/State", this);

  auto* order = new QHBoxLayout;
  order->addWidget(casesLabel);
  order->addWidget(cases_, 1);
  order->addSpacing(12);
  order->addWidget(statutesLabel);
  order->addWidget(statutes_, 1);
  auto* arrows = new QVBoxLayout;
  arrows->addStretch(1);
  arrows->addWidget(include);
  arrows->addWidget(exclude);
  arrows->addStretch(1);
  auto* moves = new QVBoxLayout;
  moves->addWidget(up);
  moves->addWidget(down);
  moves->addStretch(1);
  auto* lists = new QGridLayout;
  lists->addWidget(leftLabel, 0, 0, Qt::AlignBottom);
  lists->addWidget(note, 0, 2, 1, 2);
  lists->addWidget(left_, 1, 0);
  lists->addLayout(arrows, 1, 1);
  lists->addWidget(right_, 1, 2);
  lists->addLayout(moves, 1, 3);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(2, 1);
  auto* splits = new QHBoxLayout;
  splits->addWidget(splitCases_);
  splits->addWidget(splitStatutes_);
  splits->addStretch(1);
  auto* page = new QVBoxLayout(this);
  page->addLayout(order);
  page->addWidget(mixed_);
  page->addWidget(ignore_);
  page->addWidget(ignoreRest);
  ignoreRest->setIndent(ignore_->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6);
  page->addLayout(lists, 1);
  page->addLayout(splits);

  dependents_ = {casesLabel, cases_, statutesLabel, statutes_, splitCases_, splitStatutes_, left_, right_, include,
                 exclude, up, down, ignore_, ignoreRest, leftLabel, note};
  connect(include, &QPushButton::clicked, this, [this] { moveAcross(left_, right_); });
  connect(exclude, &QPushButton::clicked, this, [this] { moveAcross(right_, left_); });
  connect(up, &QPushButton::clicked, this, [this] { moveWithin(-1); });
  connect(down, &QPushButton::clicked, this, [this] { moveWithin(+1); });
}

void CProppageSort::open() {
  cases_->setCurrentIndex(table_.intValues[key::kComboAuthSortCases]);
  statutes_->setCurrentIndex(table_.intValues[key::kComboAuthSortStatutes]);
  mixed_->setChecked(table_.intValues[key::kCheckMixedOrderOfAppearance] != 0);
  ignore_->setChecked(table_.intValues[key::kCheckIgnoreLeadingPhrases] != 0);
  splitCases_->setChecked(table_.intValues[key::kCheckSplitCases] != 0);
  splitStatutes_->setChecked(table_.intValues[key::kCheckSplitStatutes] != 0);
  for (const auto& [list, optionKey] : {std::pair{left_, key::kListCatOrderLeft}, {right_, key::kListCatOrderRight}}) {
    for (const db::DString& name : db::StringList(table_.textValues[optionKey])) {
      list->addItem(QString::fromStdString(name.value));
    }
  }
  const auto store = [this](QComboBox* box, const char* optionKey) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, optionKey](int index) {
      table_.intValues[optionKey] = index;
      changed();
    });
  };
  store(cases_, key::kComboAuthSortCases);
  store(statutes_, key::kComboAuthSortStatutes);
  connect(mixed_, &QCheckBox::toggled, this, [this](bool on) {
    table_.intValues[key::kCheckMixedOrderOfAppearance] = on ? 1 : 0;
    mixedChanged();
    changed();
  });
  connect(ignore_, &QCheckBox::toggled, this, [this](bool on) {
    table_.intValues[key::kCheckIgnoreLeadingPhrases] = on ? 1 : 0;
    changed();
  });
  connect(splitCases_, &QCheckBox::toggled, this, [this] { split(splitCases_, key::kCheckSplitCases, "Cases"); });
  connect(splitStatutes_, &QCheckBox::toggled, this,
          [this] { split(splitStatutes_, key::kCheckSplitStatutes, "Statutes"); });
  mixedChanged();
}

bool CProppageSort::apply() {
  storeLists();
  return COptionPage::apply();
}

void CProppageSort::mixedChanged() {
  for (QWidget* widget : dependents_) widget->setEnabled(!mixed_->isChecked());
}

void CProppageSort::split(QCheckBox* box, const char* optionKey, const char* kind) {
  table_.intValues[optionKey] = box->isChecked() ? 1 : 0;
  for (QListWidget* list : {left_, right_}) {
    CategoryNames names = namesOf(*list);
    splitCategory(names, kind, box->isChecked());
    fill(*list, names);
  }
  changed();
}

void CProppageSort::moveAcross(QListWidget* from, QListWidget* to) {
  const int row = selectedRow(*from);
  if (row < 0) return;
  to->addItem(from->takeItem(row));
  from->setCurrentRow(-1);
  from->clearSelection();
  storeLists();
}

void CProppageSort::moveWithin(int delta) {
  const int row = selectedRow(*right_);
  if (row < 0) return;
  CategoryNames names = namesOf(*right_);
  const int to = moveCategory(names, row, delta);
  fill(*right_, names);
  right_->setCurrentRow(to);
  storeLists();
}

void CProppageSort::storeLists() {
  excluded_ = listOf(*left_);
  included_ = listOf(*right_);
  table_.textValues[key::kListCatOrderLeft] = excluded_.Serialize();
  table_.textValues[key::kListCatOrderRight] = included_.Serialize();
  changed();
}

}  // namespace ui
