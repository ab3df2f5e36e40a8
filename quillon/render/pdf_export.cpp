// Renders a document into PDF bytes through QPdfWriter at 1200 dpi, so one
// device unit is one layout unit; see pdf_export.h.
#include "quillon/render/pdf_export.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "quillon/render/page_painter.h"

namespace quillon::render {

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
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace quillon::render
