// The open document's bookmarks as the host numbers them. In: GetBookmarkInfo
// replies. Out: the count and the name of the i-th bookmark (from 1); the
// numbering shifts when a bookmark is deleted, so callers that delete while
// walking step back themselves.
#pragma once

#include <cstdint>

#include "host/host_text.h"

namespace table::internal {

std::int32_t bookmarkCount();
host::HostText bookmarkName(std::int32_t index);

}  // namespace table::internal
