// Paints the document's pages in a scrolling column and takes edits; see
// page_view.h. Content pixels: page k's top is (k - 1) x (page height + gap)
// + gap; a layout unit is zoom / 1200 pixels.
#include "quillon/window/page_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace quillon::window {
namespace {

constexpr int kGap = 16;
constexpr double kMinZoom = 24.0, kMaxZoom = 384.0, kZoomStep = 1.25;
const QColor kDesk(0x70, 0x74, 0x7a);
const QColor kSelection(0x99, 0xc2, 0xff, 110);

}  // namespace

PageView::PageView(DocumentEngine& engine, QWidget* parent)
    : QAbstractScrollArea(parent), engine_(engine), editing_(engine) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setFocusProxy(this);
  setAttribute(Qt::WA_InputMethodEnabled);
  documentChanged();
}

PageView::~PageView() = default;

void PageView::documentChanged() {
  shown_ = &engine_.document();
  pages_ = std::make_unique<render::PagePainter>(engine_.document());
  updateScrollBars();
  viewport()->update();
  announce();
}

int PageView::pageCount() const { return pages_ ? pages_->pageCount() : 0; }
int PageView::pageWidthPixels() const { return int(std::lround(render::kPageWidth * zoom_ / 1200.0)); }
int PageView::pageHeightPixels() const { return int(std::lround(render::kPageHeight * zoom_ / 1200.0)); }
int PageView::pageTop(int page) const { return (page - 1) * (pageHeightPixels() + kGap) + kGap; }

int PageView::pageLeft() const {
  return std::max(kGap, (viewport()->width() - pageWidthPixels()) / 2) - horizontalScrollBar()->value();
}

int PageView::pageInView() const {
  if (pageCount() == 0) return 0;
  // The gap above a page counts as that page, so the page a jump showed
  // is the one named.
  const int top = verticalScrollBar()->value() + kGap;
  return std::clamp(top / (pageHeightPixels() + kGap) + 1, 1, pageCount());
}

void PageView::showPage(int page) {
  page = std::clamp(page, 1, std::max(1, pageCount()));
  verticalScrollBar()->setValue(pageTop(page) - kGap);
}

void PageView::zoomIn() {
  const int page = pageInView();
  zoom_ = std::min(kMaxZoom, zoom_ * kZoomStep);
  updateScrollBars();
  showPage(page);
  viewport()->update();
}

void PageView::zoomOut() {
  const int page = pageInView();
  zoom_ = std::max(kMinZoom, zoom_ / kZoomStep);
  updateScrollBars();
  showPage(page);
  viewport()->update();
}

void PageView::updateScrollBars() {
  const int contentHeight = pageTop(pageCount() + 1);
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setSingleStep(std::max(1, pageHeightPixels() / 20));
  verticalScrollBar()->setRange(0, std::max(0, contentHeight - viewport()->height()));
  const int contentWidth = pageWidthPixels() + 2 * kGap;
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setRange(0, std::max(0, contentWidth - viewport()->width()));
}

void PageView::announce() {
  const int page = pageInView(), pages = pageCount();
  if (page == announcedPage_ && pages == announcedPages_) return;
  announcedPage_ = page, announcedPages_ = pages;
  emit pageChanged(page, pages);
}

void PageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
  announce();
}

void PageView::scrollContentsBy(int, int) {
  viewport()->update();
  announce();
}

void PageView::paintSelection(QPainter& painter, int page) {
  doc::Document& d = engine_.document();
  const auto range = d.selection();
  if (!range) return;
  for (const doc::LaidLine& line : d.lines()) {
    if (line.physicalPage != page || line.end <= range->start || line.start >= range->end) continue;
    const std::size_t from = std::max(line.start, range->start), to = std::min(line.end, range->end);
    const int x0 = d.placeOf(from).x;
    // The end of a line's last item: the next position's x when it is on
    // this line, else one character beyond the last item.
    const doc::Placement end = d.placeOf(to);
    const int size = d.valueAt(doc::CodeKind::Size, from);
    const int x1 = end.y == line.y && end.physicalPage == page ? end.x : d.itemX(to - 1) + size * 6 / 10;
    painter.fillRect(QRect(x0, line.y, std::max(0, x1 - x0), size * 12 / 10), kSelection);
  }
}

void PageView::paintEvent(QPaintEvent*) {
  // A command that made a new document (a table to a file) freed the one
  // painted so far; the window may repaint while its dialog is still open.
  if (shown_ != &engine_.document()) documentChanged();
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), kDesk);
  if (!pages_) return;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int scrollY = verticalScrollBar()->value();
  const int first = std::max(1, scrollY / (pageHeightPixels() + kGap));
  const doc::Placement caret = engine_.document().placeOf(engine_.document().insertionPoint());
  for (int page = first; page <= pageCount(); ++page) {
    const int top = pageTop(page) - scrollY;
    if (top > viewport()->height()) break;
    const QRect paper(pageLeft(), top, pageWidthPixels(), pageHeightPixels());
    if (paper.bottom() < 0) continue;
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(paper, Qt::white);
    painter.save();
    painter.translate(paper.topLeft());
    painter.scale(zoom_ / 1200.0, zoom_ / 1200.0);
    painter.setClipRect(QRect(0, 0, render::kPageWidth, render::kPageHeight));
    pages_->paint(painter, page);
    paintSelection(painter, page);
    if (caret.physicalPage == page) {
      const int size = engine_.document().valueAt(doc::CodeKind::Size, engine_.document().insertionPoint());
      painter.setPen(QPen(Qt::black, std::max(1.0, 1200.0 / zoom_)));
      painter.drawLine(QPoint(caret.x, caret.y), QPoint(caret.x, caret.y + size * 12 / 10));
    }
    painter.restore();
  }
}

void PageView::ensureCaretVisible() {
  doc::Document& d = engine_.document();
  const doc::Placement caret = d.placeOf(d.insertionPoint());
  const int y = pageTop(caret.physicalPage) + int(caret.y * zoom_ / 1200.0);
  const int line = int(d.valueAt(doc::CodeKind::Size, d.insertionPoint()) * 12 / 10 * zoom_ / 1200.0);
  QScrollBar* bar = verticalScrollBar();
  if (y < bar->value()) bar->setValue(y - kGap);
  else if (y + line > bar->value() + viewport()->height()) bar->setValue(y + line - viewport()->height() + kGap);
}

void PageView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) {
    showPage(pageInView() + (event->key() == Qt::Key_PageDown ? 1 : -1));
    return;
  }
  if (!editing_.handle(*event)) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  documentChanged();
  ensureCaretVisible();
}

// A click puts the insertion point at the nearest position on the line
// under the pointer.
void PageView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  if (pageCount() == 0) return;
  const QPoint at = event->position().toPoint();
  const int contentY = at.y() + verticalScrollBar()->value();
  const int page = std::clamp(contentY / (pageHeightPixels() + kGap) + 1, 1, pageCount());
  const int x = int((at.x() - pageLeft()) * 1200.0 / zoom_);
  const int y = int((contentY - pageTop(page)) * 1200.0 / zoom_);
  doc::Document& d = engine_.document();
  std::size_t best = d.insertionPoint();
  long bestScore = -1;
  for (const doc::LaidLine& line : d.lines()) {
    if (line.physicalPage != page) continue;
    for (std::size_t p = line.start; p <= line.end && p <= d.items().size(); ++p) {
      const doc::Placement place = d.placeOf(p);
      if (place.physicalPage != page) continue;
      const long score = 8L * std::abs(place.y + 100 - y) + std::abs(place.x - x);
      if (bestScore < 0 || score < bestScore) best = p, bestScore = score;
    }
  }
  d.moveTo(best);
  viewport()->update();
}

}  // namespace quillon::window
