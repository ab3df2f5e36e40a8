// The Sorting page of the option set editor. In: the set's OptionSetSort
// values. Out: the sort order of cases and statutes, the mixed-order and
// leading-phrase options, the federal/state splits and the two category
// lists (not included; included, in table order), written into the table.
//
// The lists are written into the order options after every move and when
// the page applies; switching a split rewrites both lists' entries but
// leaves the order options to the next move or the apply. While "By Order of
// Appearance" is checked every other control of the page is disabled.
#pragma once

#include <vector>

#include "db/string_list.h"
#include "ui/option_page.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QWidget;

namespace ui {

class CProppageSort : public COptionPage {
 public:
  CProppageSort(db::OptionTable& table, QWidget* parent = nullptr);

  bool apply() override;

  const db::StringList& excluded() const { return excluded_; }
  const db::StringList& included() const { return included_; }

 protected:
  void open() override;

 private:
  void mixedChanged();
  void split(QCheckBox* box, const char* optionKey, const char* kind);
  // Moves the selected entry of `from` to the end of `to`.
  void moveAcross(QListWidget* from, QListWidget* to);
  // Moves the selected entry of the included list up (-1) or down (+1).
  void moveWithin(int delta);
  // Copies both lists into excluded/included and their order options.
  void storeLists();

  QComboBox* cases_;
  QComboBox* statutes_;
  QCheckBox* mixed_;
  QCheckBox* ignore_;
  QCheckBox* splitCases_;
  QCheckBox* splitStatutes_;
  QListWidget* left_;
  QListWidget* right_;
  std::vector<QWidget*> dependents_;  // disabled while mixed_ is checked
  db::StringList excluded_;
  db::StringList included_;
};

}  // namespace ui
