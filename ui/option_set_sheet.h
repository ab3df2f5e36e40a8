// The option set editor: a modal sheet with the pages Content, Formatting
// and Sorting over one option set. In: the set's name (its rows are loaded,
// and created when missing, as the sheet is made) and the page to show
// first. Out: each page that was shown saves its table on OK and on Apply;
// Cancel writes nothing more.
//
// While it is shown its window owns the plug-in's message boxes
// (db::messageOwner()); the previous owner comes back when it is destroyed.
//
// Errors: a load failure is shown once, the database's text alone with the
// caption "Database error", a program check with its text and "Notice", and
// the sheet opens with what was loaded. Save failures are shown per page
// ("Could not save the options.", "Database error") and OK closes anyway.
// An exception from a handler (a message-box handler that throws) closes the
// sheet and is rethrown by run().
#pragma once

#include <QDialog>
#include <string>

#include "db/option_collection.h"
#include "platform/platform.h"

class QPushButton;
class QTabWidget;

namespace ui {

class COptionPage;

class COptionSetSheet : public QDialog {
 public:
  enum Page { kContentPage = 0, kFormatPage = 1, kSortPage = 2 };

  COptionSetSheet(const std::string& optionSetName, QWidget* parent = nullptr, int firstPage = kContentPage);
  ~COptionSetSheet() override;

  // Runs the sheet modally; rethrows what a handler threw.
  void run();

  const db::OptionCollection& options() const { return options_; }
  QTabWidget& tabs() const { return *tabs_; }
  COptionPage& page(int index) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showPage(int index);
  // Saves every page that was shown; Apply goes grey unless a save failed.
  void applyPages();

  db::OptionCollection options_;
  QTabWidget* tabs_;
  QPushButton* apply_;
  platform::WindowHandle ownerWindow_ = nullptr;
  platform::WindowHandle previousOwner_ = nullptr;
};

}  // namespace ui
