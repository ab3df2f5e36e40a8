// Writes a document as a PDF of letter pages. In: the document. Out: the PDF
// file's bytes, one PDF page per laid-out page, painted by PagePainter, with
// each hyperlink a clickable link: to the page holding its bookmark, or to
// its address (page_links.h).
#pragma once

#include <string>

#include "quillon/doc/document.h"

namespace quillon::render {

// Needs a QGuiApplication (or QApplication) for the fonts.
std::string exportPdf(doc::Document& document);

}  // namespace quillon::render
