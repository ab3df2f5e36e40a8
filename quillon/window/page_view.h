// The pages of the window's document, one under another, as PagePainter
// draws them, with the insertion point and the selection. In: the document
// engine (its current document), zoom steps, Page Up/Down, editing keys and
// mouse clicks. Out: the painted pages, the edits made through
// DocumentEditing, and pageInView() for the status bar.
#pragma once

#include <QAbstractScrollArea>

#include <memory>

#include "quillon/commands/document_engine.h"
#include "quillon/render/page_painter.h"
#include "quillon/window/document_editing.h"

namespace quillon::window {

class PageView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The engine must outlive the view.
  explicit PageView(DocumentEngine& engine, QWidget* parent = nullptr);
  ~PageView() override;

  // Lays the current document out again and repaints: after every change
  // made from outside (a command, opening a file).
  void documentChanged();

  // The page whose top part is in view, from 1; and the number of pages.
  int pageInView() const;
  int pageCount() const;
  // Scrolls so that page `page` (from 1) starts at the top of the view.
  void showPage(int page);
  // Screen pixels per inch of paper: 96 at 100 %.
  double zoom() const { return zoom_; }
  void zoomIn();
  void zoomOut();

 signals:
  // The page in view or the number of pages changed.
  void pageChanged(int page, int pages);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int pageHeightPixels() const;
  int pageWidthPixels() const;
  int pageTop(int page) const;  // in content pixels
  int pageLeft() const;
  void updateScrollBars();
  void ensureCaretVisible();
  void announce();
  void paintSelection(QPainter& painter, int page);

  DocumentEngine& engine_;
  DocumentEditing editing_;
  std::unique_ptr<render::PagePainter> pages_;
  const doc::Document* shown_ = nullptr;  // the document pages_ was made from
  double zoom_ = 96.0;
  int announcedPage_ = 0, announcedPages_ = 0;
};

}  // namespace quillon::window
