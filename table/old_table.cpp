// Deletes the text of the table an earlier run built at the cursor. In: the
// open document's bookmarks. Out: host commands that delete the table's
// range and move the cursor mark to where it stood.
#include "table/old_table.h"

#include <cstdint>

#include "host/host_commands.h"
#include "table/internal/bookmark_list.h"
#include "table/table_marks.h"

namespace table {
namespace {

bool hasBookmark(std::string_view wanted) {
  const std::int32_t count = internal::bookmarkCount();
  for (std::int32_t i = 1; i <= count; ++i) {
    if (internal::bookmarkName(i).text() == wanted) return true;
  }
  return false;
}

}  // namespace

void removeOldTable(std::string_view cursorMark) {
  // Selecting a missing mark would leave the user's selection standing, and
  // deleting that would lose their text.
  if (!hasBookmark(kTableMark)) return;
  host::HostCommands& c = host::hostCommands();
  const host::HostText tableMark(kTableMark);
  c.SelectBookmark(tableMark);
  if (c.GetSelectedText().text().empty()) {
    c.GoToBookmark(host::HostText(cursorMark));
  } else {
    c.DeleteSelection();
    c.CreateBookmark(host::HostText(cursorMark), 0);
  }
  c.DeleteBookmark(tableMark);
}

}  // namespace table
