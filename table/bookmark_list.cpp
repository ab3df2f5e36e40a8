// Asks the host for its bookmarks one GetBookmarkInfo at a time.
#include "table/internal/bookmark_list.h"

#include "host/host_commands.h"

namespace table::internal {

std::int32_t bookmarkCount() {
  using namespace host::bookmark_info;
  host::HostText unused;
  std::int32_t count = 0;
  host::hostCommands().GetBookmarkInfo(unused, kWhatBookmarks, kSubCount, kFourth, count);
  return count;
}

host::HostText bookmarkName(std::int32_t index) {
  using namespace host::bookmark_info;
  host::HostText name;
  host::hostCommands().GetBookmarkInfo(name, kWhatBookmarks, kSubName, kFourth, index);
  return name;
}

}  // namespace table::internal
