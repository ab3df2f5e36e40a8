// Clears the place of a table that an earlier run built at the cursor. In:
// the open document, its range mark "XTOA~TableOfAuthorities" (table_marks.h)
// and the mark that holds the user's cursor. Out: the old table's text
// deleted and the cursor mark moved to where it stood, so that the new table
// replaces it in place.
//
// Errors: none thrown; every change goes through host commands.
#pragma once

#include <string_view>

namespace table {

// When the range mark spans text, deletes that text and the mark and puts
// the insertion point and `cursorMark` where the text began. A mark that
// spans nothing (its table deleted by hand, or its end lost from the saved
// file) deletes nothing: the mark goes, and the insertion point returns to
// `cursorMark`. Without the mark nothing changes. Never deletes anything but
// the range's own text, whatever is selected.
// Example: CreateBookmark("XTOA~CursorLocation"); removeOldTable("XTOA~CursorLocation");
void removeOldTable(std::string_view cursorMark);

}  // namespace table
