// Renders a document into PDF bytes through QPdfWriter at 1200 dpi, so one
// device unit is one layout unit, then lays the hyperlinks over the painted
// pages; see pdf_export.h.
#include "quillon/render/pdf_export.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "quillon/render/page_links.h"
#include "quillon/render/page_painter.h"
#include "quillon/render/pdf_links.h"

namespace quillon::render {
namespace {

constexpr double kPointsPerUnit = 72.0 / 1200.0;
constexpr double kPageHeightPoints = kPageHeight * kPointsPerUnit;

// Layout units from the top left to PDF points from the bottom left.
PdfLink pdfLink(const PageLink& link) {
  const auto y = [](int units) { return kPageHeightPoints - units * kPointsPerUnit; };
  return {link.page,
          {link.left * kPointsPerUnit, y(link.bottom), link.right * kPointsPerUnit, y(link.top)},
          link.targetPage,
          y(link.targetY),
          link.uri};
}

}  // namespace

std::string exportPdf(doc::Document& document) {
  const PagePainter pages(document);
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    writer.setCreator(QStringLiteral("Quillon"));
    QPainter painter(&writer);
    for (int page = 1; page <= pages.pageCount(); ++page) {
      if (page > 1) writer.newPage();
      pages.paint(painter, page);
    }
    painter.end();
  }
  std::string pdf(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::vector<PdfLink> links;
  for (const PageLink& link : pageLinks(document)) links.push_back(pdfLink(link));
  // Should the writer's output ever take a shape the link writer cannot
  // follow, the pages are still right; only the links are missing.
  if (auto linked = withLinks(pdf, links)) return std::move(*linked);
  return pdf;
}

}  // namespace quillon::render
