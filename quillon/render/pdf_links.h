// Makes areas of a finished PDF's pages clickable. In: the bytes of a PDF
// with a classic cross-reference table (what QPdfWriter writes) and the links
// per page. Out: the same bytes followed by an incremental update: the
// annotation objects, the page objects (or their annotation arrays) that now
// list them, a cross-reference section and a trailer pointing back at the
// previous one. Nothing already written is changed in place, so a reader that
// stops at the first trailer still shows the same pages.
//
// QPainter has no way to draw a link to another page, so the link is laid
// over the painted text afterwards; only as much of the file is parsed as
// reaching the page objects needs.
//
// Errors: none thrown. A file this reader cannot follow (a cross-reference
// stream, an object not where the table says, no page tree) or a link on or
// to a page the file does not have gives nullopt, and the caller keeps the
// PDF without links.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon::render {

// An area in PDF points from the page's bottom left corner.
struct PdfRect {
  double left = 0, bottom = 0, right = 0, top = 0;
};

// One clickable area. It leads to `targetPage` (from 1), showing the height
// `targetTop` (points from the bottom) at the top of the window, or, with
// targetPage 0, to `uri`.
struct PdfLink {
  int page = 1;  // the page (from 1) that shows the area
  PdfRect area;
  int targetPage = 0;
  double targetTop = 0;
  std::string uri;
};

// Example: withLinks(qtPdf, {{.page = 2, .area = {72, 700, 90, 712}, .targetPage = 5, .targetTop = 720}})
// gives a PDF whose page 2 has one GoTo link to page 5. No links: the bytes
// as they were.
std::optional<std::string> withLinks(std::string pdf, const std::vector<PdfLink>& links);

}  // namespace quillon::render
