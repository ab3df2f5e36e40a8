// Brings a table's page lists up to date from the pages the host reports. In:
// the occurrence marks "XTOA~CIT~" + key + "~" + n that the marking pass left
// in the open document, and each entry's "XTOA~CIT~" + key + "~TOABEGIN" /
// "~TOAEND" pair that the table writer left around its page list. Out: every
// list between such a pair retyped from the host's page numbers, each number
// covered by a mark named after its occurrence mark + "~NUM" and, when the
// option set asks, a hyperlink to that occurrence mark.
//
// Used after a table is built at the cursor and by Refresh Page Numbers; the
// marks stay, so a refresh can be repeated on the document any time later,
// also after it was saved and reopened.
//
// Errors: none thrown. An option set that cannot be loaded is shown (the
// loader's own message, or "Could not load the option set." with caption
// "Database Error") and nothing changes. Entries without both list marks keep
// their old list; a document without occurrence marks keeps every list.
#pragma once

#include <map>
#include <string>

#include "table/progress_bar.h"

namespace table {

// key -> page (as the host reports it) -> the occurrence mark's full name.
// Keys and pages are ordered; the occurrence met last in bookmark order wins a
// page that several of one key share.
using PageMap = std::map<std::string, std::map<int, std::string>>;

// How the page lists are typed: the option set's "check_link_pagenums",
// "spin_pg_ref_per_line", "check_use_passim" and "spin_pg_ref_max".
struct PageListStyle {
  bool link = false;           // each number links to its occurrence mark
  int referencesPerLine = 0;   // numbers on a line before a new indented line
  int passim = 0;              // exactly 1: lists longer than passimMaximum read "passim"
  int passimMaximum = 0;
};

// The whole refresh: reads the style from the set named optionSetName, builds
// the page map from every occurrence mark, then rewrites the page lists. The
// caller switches the update mode off and on around it and sets the bar's
// range; the bar moves by single steps only (about two while the marks are
// read and two while the lists are written).
void refreshPageNumbers(const std::string& optionSetName, ProgressBar& progress);

// The occurrence marks' pages: every bookmark whose name is longer than
// "XTOA~CIT~", starts with it and does not end in "~NUM", "~TOABEGIN" or
// "~TOAEND". Its key is the name after "XTOA~CIT~", cut before the last "~".
// Example: "XTOA~CIT~smith3~1" on page 7 gives map["smith3"][7].
// Leaves the insertion point at the last mark read.
PageMap readPageMap(ProgressBar& progress);

// Replaces each key's list between its two marks, in key order: "passim", or
// the pages ascending, "," between them and a blank or (after
// referencesPerLine numbers) a line break and an indent. Keys whose list
// marks are not both there are passed over.
void rewritePageLists(const PageMap& pages, const PageListStyle& style, ProgressBar& progress);

// True unless going to the mark leaves the insertion point on page 1 where
// the document's top is: a missing mark, or one at the very top.
bool bookmarkExists(const std::string& name);

}  // namespace table
