// Where a document's hyperlinks stand on its laid-out pages and where they
// lead. In: the document (laid out on demand). Out: one area per link per
// line it covers, in layout units, with the page and height of the bookmark
// it names, or the address it names.
//
// A target that names a bookmark leads to the page holding the bookmark; one
// that names no bookmark but starts with a URI scheme ("https:", "mailto:")
// leads there; any other target gives no area, since a link that goes
// nowhere is better left plain than pointed somewhere wrong.
#pragma once

#include <string>
#include <vector>

#include "quillon/doc/document.h"

namespace quillon::render {

struct PageLink {
  int page = 1;  // physical page (from 1) showing the area
  int left = 0, top = 0, right = 0, bottom = 0;  // 1/1200 inch from the page's top left
  int targetPage = 0;  // physical page of the bookmark; 0 for an address
  int targetY = 0;     // top of the bookmark's line
  std::string uri;
};

// True for text that starts as an absolute URI: a letter, then letters,
// digits, "+", "-" or ".", then ":" and more. isUri("https://x") is true,
// isUri("XTOA~1") false.
bool isUri(const std::string& target);

std::vector<PageLink> pageLinks(doc::Document& document);

}  // namespace quillon::render
