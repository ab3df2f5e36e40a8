// The dictionary editor's "Citations" page. In: the entry types of the
// database (all but 4 and 5) with their entry names, and the user's edits.
// Out: entry names, jurisdictions, groups (codes and numbered runs only) and
// valid and invalid representations changed in memory and saved on request, and user-added entries restored
// from the database of an earlier installation.
//
// Every entry the user adds is user-added (created_by 1) and drawn in bold.
//
// Errors: load and save failures are shown in message boxes (the db layer's
// and this page's "Save error" texts) and the page goes on; a missing
// selection is a "Notice". Nothing is thrown but what a message-box handler
// throws.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "db/entry_type.h"

class QComboBox;
class QRadioButton;

namespace db {
class CppSQLite3DB;
}

namespace ui {

class CColoredItemComboBox;
class CColoredItemListBox;

class CProppageCitations : public QWidget {
 public:
  // Loads the entry types with connection (the sheet's, open for the
  // sheet's life) and shows the first; modified() is called on every edit.
  CProppageCitations(db::CppSQLite3DB& connection, std::function<void()> modified, QWidget* parent = nullptr);

  // Saves every entry type in name order, stopping at the first that fails.
  // Returns true when all were saved; a failure has been shown by the db
  // layer (caption "Database error").
  bool saveTypes();
  // The page's Apply: saveTypes(), and on failure "Could not save the
  // citations." (caption "Save error"). Returns what saveTypes() returned.
  bool apply();

  // Import..., as the button runs it.
  void importDictionary();

  // The loaded entry types by name.
  const std::map<std::string, db::EntryType>& types() const { return types_; }

 private:
  void loadTypes();
  void fillTypeList();
  db::EntryType* selectedType(bool report);
  db::EntryName* selectedEntry(bool report);
  void refreshEntryNames();
  void refreshDetails();
  void setJurisdiction(int jurisdiction);
  void setGroup();
  void addEntryName();
  void removeEntryName();
  void addRepresentation(bool valid);
  void removeRepresentation(bool valid);

  db::CppSQLite3DB& connection_;
  std::function<void()> modified_;
  std::map<std::string, db::EntryType> types_;
  QComboBox* typeList_;
  CColoredItemComboBox* entryNames_;
  QRadioButton* federal_;
  QRadioButton* state_;
  QComboBox* group_;  // enabled for entries of types 2 and 7
  CColoredItemListBox* validNames_;
  CColoredItemListBox* invalidNames_;
};

}  // namespace ui
