// What the three pages of the option set editor share. In: the option table
// a page edits (a member of the sheet's OptionCollection). Out: the page's
// controls set from it the first time the page is shown, every change
// written into it at once, and the table saved when the sheet applies.
//
// Errors: a failure while the controls are set is shown as "Could not read
// all properties from saved Option Set." (caption "Load error") and the page
// opens anyway; save failures are shown by OptionTable::SaveToDatabase.
#pragma once

#include <QWidget>
#include <functional>

#include "db/option_table.h"

namespace ui {

class COptionPage : public QWidget {
 public:
  COptionPage(db::OptionTable& table, QWidget* parent);

  // Sets the controls from the table, the first time only.
  void openOnce();
  bool opened() const { return opened_; }
  bool modified() const { return modified_; }

  // Saves the table (the Sorting page writes its lists into it first);
  // true when the row was written, which clears the modified mark.
  virtual bool apply();

  // Called whenever the page becomes modified: the sheet enables Apply.
  std::function<void()> onModified;

 protected:
  // Sets every control from the table; may throw a standard exception.
  virtual void open() = 0;
  // Marks the page modified (a change handler ran).
  void changed();

  db::OptionTable& table_;

 private:
  bool opened_ = false;
  bool modified_ = false;
};

}  // namespace ui
