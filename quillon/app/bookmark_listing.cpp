// Lists a document's bookmarks with the pages they stand on.
#include "quillon/app/bookmark_listing.h"

#include "quillon/libs/text_codec.h"

namespace quillon::app {

std::vector<std::string> bookmarkLines(doc::Document& document) {
  std::vector<std::string> lines;
  const doc::BookmarkSet& marks = document.bookmarks();
  for (std::size_t n = 1; n <= marks.size(); ++n) {
    const doc::Bookmark* mark = marks.at(n);
    if (mark == nullptr) break;
    const doc::Placement start = document.placeOf(mark->start.position);
    std::string line = "bookmark " + utf8OfHostString(hostStringOfAnsi(mark->name)) + " page " +
                       std::to_string(start.logicalPage) + " physical " + std::to_string(start.physicalPage);
    if (!mark->isPoint()) line += " to " + std::to_string(document.placeOf(mark->end.position).logicalPage);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quillon::app
