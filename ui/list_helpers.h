// List editing shared by the main dialog and the editors. In: a combo box or
// list box and, for a new entry, the title and prompt of the input dialog.
// Out: the entry added, removed or read.
//
// A combo box here behaves as a sorted drop-down list: entries stay in
// alphabetical order ignoring letter case, and its exact-match search ignores
// letter case too.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <string>

#include "ui/colored_item_controls.h"

namespace ui {

// Inserts text at its sorted place (after entries equal to it ignoring case)
// and returns its position. Example: into {"a", "C"}, "b" goes to 1.
int insertSorted(QComboBox& box, const QString& text);

// Asks for a name; an empty answer adds nothing and returns "". A name that
// the box already holds in any letter case is refused with "The value NAME
// already exists", caption "Velmor TOA", owned by db::messageOwner(), and
// returns "". Otherwise the name is sorted in, selected and returned.
std::string addOptionSetEntry(QComboBox& box, const std::string& title, const std::string& prompt);

// Asks for a new entry of a coloured box. An empty answer (or Cancel) adds
// nothing and returns -1. A text the box already holds in any letter case is
// refused as addOptionSetEntry refuses it and returns -1. Otherwise the text
// is sorted in with the given highlight, *text receives it, and its position
// is returned; the selection is left to the caller.
// Example: promptIntoCombo(names, "Input", "Enter a new Abbreviation value.", true, &added).
int promptIntoCombo(CColoredItemComboBox& box, const std::string& title, const std::string& prompt,
                    bool highlight, std::string* text);
int promptIntoList(CColoredItemListBox& list, const std::string& title, const std::string& prompt,
                   bool highlight, std::string* text);

// Deletes the selected entry and selects the one before it (none when the
// first was deleted); returns the number of entries left. Nothing happens
// without a selection.
int removeSelectedEntry(QComboBox& box);
// Deletes the selected entry; nothing is selected afterwards.
void removeSelectedEntry(QListWidget& list);

// The selected entry's text, or "" when none is selected.
std::string selectedText(const QComboBox& box);
std::string selectedText(const QListWidget& list);

}  // namespace ui
