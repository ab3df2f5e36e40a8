// Paints a document's laid-out pages with QPainter. In: the document (laid
// out on demand) and a page number. Out: the page's text at the places the
// layout gives it, in a fixed-pitch face whose advance is the layout's 0.6 em,
// so dot leaders and right-aligned page numbers meet the margin; bold,
// italic, underline, superscript and subscript; the page's notes under a rule
// at its foot; the logical page number centred in the footer from the first
// page-number code on.
#pragma once

#include <QImage>
#include <QPainter>

#include "quillon/doc/document.h"

namespace quillon::render {

// Page size in layout units (1/1200 inch).
inline constexpr int kPageWidth = 10200;
inline constexpr int kPageHeight = 13200;

// Everything the painter needs from one pass over the document.
class PagePainter {
 public:
  explicit PagePainter(doc::Document& document);

  int pageCount() const { return pages_; }
  // Paints physical page `page` (from 1) on `painter`, whose coordinates must
  // already be scaled so that one unit is 1/1200 inch from the page's top
  // left. Pages out of range paint nothing.
  void paint(QPainter& painter, int page) const;

 private:
  doc::Document& document_;
  std::vector<doc::LaidLine> lines_;
  int pages_ = 0;
  int firstNumberedPage_ = 0;  // 0: the document asks for no page numbers
};

// Page `page` painted on a white letter-size image at `dotsPerInch`.
QImage pageImage(const PagePainter& pages, int page, int dotsPerInch);

}  // namespace quillon::render
