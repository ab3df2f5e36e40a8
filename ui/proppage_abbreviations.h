// The dictionary editor's "Abbreviations" page. In: the abbreviations of
// dictionary 0 with their long forms, and the user's edits. Out: the
// collection changed in memory and saved on request.
//
// Every abbreviation and long form the user adds is user-added (created_by
// 1) and drawn in bold.
//
// Errors: load and save failures are shown in message boxes (the db layer's
// and this page's "Save error" texts) and the page goes on; a missing
// selection is a "Notice".
#pragma once

#include <QWidget>
#include <functional>

#include "db/abbreviation_collection.h"

namespace ui {

class CColoredItemComboBox;
class CColoredItemListBox;

class CProppageAbbreviations : public QWidget {
 public:
  // Loads the abbreviations and shows the first; modified() is called on
  // every edit.
  explicit CProppageAbbreviations(std::function<void()> modified, QWidget* parent = nullptr);

  // Saves the whole collection; true when saved (a failure has been shown
  // by the db layer, caption "Database Error").
  bool save() const { return abbreviations_.SaveToDatabase(); }
  // The page's Apply: save(), and on failure "Could not save the
  // abbreviations." (caption "Save error"). Returns what save() returned.
  bool apply();

  const db::AbbreviationCollection& abbreviations() const { return abbreviations_; }

 private:
  db::Abbreviation* selectedAbbreviation();
  void showLongForms();
  void addAbbreviation();
  void removeAbbreviation();
  void addLongForm();
  void removeLongForm();

  std::function<void()> modified_;
  db::AbbreviationCollection abbreviations_;
  CColoredItemComboBox* names_;
  CColoredItemListBox* longForms_;
};

}  // namespace ui
