// The marks that keep a table built at the cursor findable in later runs. In:
// nothing. Out: their names, shared by the writer that leaves them, the driver
// that replaces the table they delimit, and the reader that skips its text.
#pragma once

#include <string_view>

namespace table {

// Marks of our own beyond the ones the page refresh reads, both starting with
// "XTOA~" like every mark we leave. "XTOA~TableOfAuthorities" is a range over
// the whole text the writer typed at the cursor (the two line breaks before
// the title through the blank line after the last category); it stays in the
// document, and removeOldMarks spares it, so that the next Create Table at
// Cursor deletes that text and writes the new table in its place, and the
// reader skips it in the saved file. "XTOA~EndToA" stands at the table's end
// only while the writer builds the range, then goes.
inline constexpr std::string_view kTableMark = "XTOA~TableOfAuthorities";
inline constexpr std::string_view kTableEndMark = "XTOA~EndToA";

}  // namespace table
