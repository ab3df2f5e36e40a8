// The dictionary editor: a modal sheet with the pages "Citations" and
// "Abbreviations" and the buttons OK, Cancel and Apply. In: the dictionary
// in the database. Out: the user's edits saved on OK or Apply (every loaded
// entry type and all abbreviations replaced by what the editor shows), or
// dropped on Cancel.
//
// The sheet keeps one connection on db::databasePath() open for its whole
// life, for listing the entry types; every save opens its own. While it
// exists its window owns the plug-in's message boxes (db::messageOwner());
// the previous owner comes back when it is destroyed.
//
// Errors: save failures are shown ("Couldn't save the Citations." /
// "Couldn't save the Abbreviations." on OK, "Could not save the
// citations." / "Could not save the abbreviations." on Apply, caption "Save
// error") and OK still closes the sheet. An exception from a handler (a
// message-box handler that throws) closes the sheet and is rethrown by
// run().
#pragma once

#include <QDialog>

#include "db/sqlite_db.h"
#include "platform/platform.h"

class QPushButton;
class QTabWidget;

namespace ui {

class CProppageAbbreviations;
class CProppageCitations;

class CDictionarySheet : public QDialog {
 public:
  // Page numbers for firstPage.
  static constexpr int kCitationsPage = 0;
  static constexpr int kAbbreviationsPage = 1;

  explicit CDictionarySheet(QWidget* parent = nullptr, int firstPage = kCitationsPage);
  ~CDictionarySheet() override;

  // Runs the sheet modally; rethrows what a handler threw.
  void run();

  // True while there are edits that OK or Apply would save (Apply enabled).
  bool hasUnsavedChanges() const;

  CProppageCitations& citations() { return *citations_; }
  CProppageAbbreviations& abbreviations() { return *abbreviations_; }

 private:
  void markModified();
  void confirm();
  void applyPages();

  db::CppSQLite3DB connection_;
  platform::WindowHandle ownerWindow_ = nullptr;
  platform::WindowHandle previousOwner_ = nullptr;
  QTabWidget* tabs_;
  CProppageCitations* citations_;
  CProppageAbbreviations* abbreviations_;
  QPushButton* apply_;
};

}  // namespace ui
