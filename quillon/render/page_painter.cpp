// Paints laid-out pages: each visible item at the x the layout gave it, so
// the face's own advance never shifts a column; see page_painter.h.
#include "quillon/render/page_painter.h"

#include <QFont>
#include <QPen>
#include <QString>

#include <algorithm>
#include <string>
#include <vector>

#include "quillon/format/text_utf8.h"

namespace quillon::render {
namespace {

using doc::CodeKind;
using doc::Item;
using doc::ItemKind;

constexpr int kDefaultSize = 200;
constexpr int kMargin = 1200;
constexpr int kNoteTextWidth = kPageWidth - 2 * kMargin;
constexpr int kRuleLength = 2400;

int charWidth(int size) { return std::max(1, size * 6 / 10); }
int singleLine(int size) { return std::max(1, size * 12 / 10); }

struct Attributes {
  bool bold = false, italic = false, underline = false, superscript = false, subscript = false;
  int size = kDefaultSize;

  // Applies an attribute, size or paragraph-ending item; false for others.
  bool apply(const Item& item) {
    if (!item.isCode()) return false;
    const bool on = item.code == CodeKind::AttributeOn;
    if (on || item.code == CodeKind::AttributeOff) {
      switch (item.value) {
        case doc::kBold: bold = on; break;
        case doc::kItalic: italic = on; break;
        case doc::kUnderline: underline = on; break;
        case doc::kSuperscript: superscript = on; break;
        case doc::kSubscript: subscript = on; break;
        default: break;
      }
      return true;
    }
    if (item.code == CodeKind::Size && item.value > 0) size = std::min(item.value, 12000);
    return item.code == CodeKind::Size;
  }
};

// Draws `text` with its left edge at x on the line whose baseline is at
// `baseline`, one layout cell per character.
void drawCells(QPainter& painter, const std::u32string& text, int x, int baseline, const Attributes& a) {
  const bool shifted = a.superscript || a.subscript;
  const int size = shifted ? std::max(1, a.size * 6 / 10) : a.size;
  const int y = baseline + (a.superscript ? -a.size * 35 / 100 : a.subscript ? a.size * 15 / 100 : 0);
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(size);
  font.setBold(a.bold);
  font.setItalic(a.italic);
  painter.setFont(font);
  const int cell = charWidth(size);
  int at = x;
  for (const char32_t c : text) {
    painter.drawText(QPoint(at, y), QString::fromUcs4(&c, 1));
    at += cell;
  }
  if (a.underline) {
    painter.setPen(QPen(Qt::black, std::max(1, a.size / 16)));
    painter.drawLine(QPoint(x, baseline + a.size / 8), QPoint(x + charWidth(a.size) * int(text.size()), baseline + a.size / 8));
  }
}

struct PageNote {
  int number = 0;
  std::size_t note = 0;
  int size = kDefaultSize;
};

// One character of a note with the attributes it is set in.
struct NoteCell {
  char32_t c = U' ';
  Attributes attributes;
};

// A note's cells, paragraphs joined by blanks, wrapped at blanks into lines
// of at most `perLine` cells; a longer word is cut.
std::vector<std::vector<NoteCell>> wrapNote(const doc::ItemText& text, const std::string& label, int size) {
  const std::size_t perLine = static_cast<std::size_t>(std::max(1, kNoteTextWidth / charWidth(size)));
  std::vector<NoteCell> cells;
  Attributes a;
  a.size = size;
  for (const char ch : label) cells.push_back({static_cast<char32_t>(ch), a});
  for (const Item& item : text) {
    if (a.apply(item)) continue;
    if (item.endsParagraph() || item.kind == ItemKind::Tab || item.kind == ItemKind::DotLeaderTab) {
      cells.push_back({U' ', a});
    } else if (const char32_t cp = format::internal::itemUnicode(item)) {
      cells.push_back({item.kind == ItemKind::HardSpace ? U'\u00A0' : cp, a});
    }
  }
  std::vector<std::vector<NoteCell>> lines(1);
  std::size_t at = 0;
  while (at < cells.size()) {
    if (cells[at].c == U' ') {
      if (!lines.back().empty() && lines.back().size() < perLine) lines.back().push_back(cells[at]);
      ++at;
      continue;
    }
    std::size_t stop = at;
    while (stop < cells.size() && cells[stop].c != U' ') ++stop;
    if (!lines.back().empty() && lines.back().size() + (stop - at) > perLine) lines.emplace_back();
    for (; at < stop; ++at) {
      if (lines.back().size() >= perLine) lines.emplace_back();
      lines.back().push_back(cells[at]);
    }
  }
  return lines;
}

void drawNotes(QPainter& painter, const doc::Document& document, const std::vector<PageNote>& notes) {
  if (notes.empty()) return;
  std::vector<std::vector<std::vector<NoteCell>>> wrapped;
  int height = 0;
  for (const PageNote& n : notes) {
    const doc::ItemText empty;
    const auto& all = document.notes();
    wrapped.push_back(wrapNote(n.note < all.size() ? all[n.note] : empty, std::to_string(n.number) + ". ", n.size));
    height += int(wrapped.back().size()) * singleLine(n.size);
  }
  int y = kPageHeight - kMargin - height;
  painter.setPen(QPen(Qt::black, 8));
  painter.drawLine(QPoint(kMargin, y - 60), QPoint(kMargin + kRuleLength, y - 60));
  for (std::size_t k = 0; k < notes.size(); ++k) {
    for (const std::vector<NoteCell>& line : wrapped[k]) {
      const int baseline = y + notes[k].size;
      for (std::size_t c = 0; c < line.size(); ++c) {
        painter.setPen(Qt::black);
        const char32_t ch = line[c].c == U'\u00A0' ? U' ' : line[c].c;
        drawCells(painter, std::u32string(1, ch), kMargin + int(c) * charWidth(notes[k].size), baseline,
                  line[c].attributes);
      }
      y += singleLine(notes[k].size);
    }
  }
}

}  // namespace

PagePainter::PagePainter(doc::Document& document)
    : document_(document), lines_(document.lines()), pages_(document.pageCount()) {
  const std::vector<Item>& items = document.items();
  for (const doc::LaidLine& line : lines_) {
    for (std::size_t i = line.start; i < std::min(line.end, items.size()); ++i) {
      if (items[i].isCode() && items[i].code == CodeKind::PageNumber) {
        firstNumberedPage_ = line.physicalPage;
        return;
      }
    }
  }
}

void PagePainter::paint(QPainter& painter, int page) const {
  if (page < 1 || page > pages_) return;
  const std::vector<Item>& items = document_.items();
  Attributes a;
  int noteCounter = 0;
  int logical = 0;
  std::vector<PageNote> pageNotes;
  painter.setPen(Qt::black);
  for (const doc::LaidLine& line : lines_) {
    // Lines the layout would put past the last page stay on it.
    const int onPage = std::min(line.physicalPage, pages_);
    if (onPage > page) break;
    const bool drawn = onPage == page;
    if (drawn) logical = line.logicalPage;
    const std::size_t end = std::min(line.end, items.size());
    int tallest = a.size;
    for (std::size_t i = line.start; i < end; ++i)
      if (items[i].isCode() && items[i].code == CodeKind::Size && items[i].value > 0)
        tallest = std::max(tallest, std::min(items[i].value, 12000));
    const int baseline = line.y + tallest;
    for (std::size_t i = line.start; i < end; ++i) {
      const Item& item = items[i];
      if (a.apply(item)) continue;
      const int x = document_.itemX(i);
      if (item.kind == ItemKind::NoteReference) {
        ++noteCounter;
        if (!drawn) continue;
        pageNotes.push_back({noteCounter, static_cast<std::size_t>(std::max(0, item.value)), a.size});
        Attributes raised = a;
        raised.superscript = true;
        raised.underline = false;
        const std::string digits = std::to_string(noteCounter);
        drawCells(painter, std::u32string(digits.begin(), digits.end()), x, baseline, raised);
      } else if (item.kind == ItemKind::DotLeaderTab && drawn && i + 1 < end) {
        // Dots on a grid of cells from the margin, so leaders on different
        // lines stand in the same columns; a blank kept at each end.
        const int cell = charWidth(a.size);
        const int target = document_.itemX(i + 1);
        int dot = kMargin + ((x - kMargin) / cell + 1) * cell;
        std::u32string dots;
        const int start = dot;
        for (; dot + 2 * cell <= target; dot += cell) dots += U'.';
        Attributes plain = a;
        plain.underline = false;
        if (!dots.empty()) drawCells(painter, dots, start, baseline, plain);
      } else if (drawn) {
        const char32_t cp = format::internal::itemUnicode(item);
        if (cp && cp != U' ') drawCells(painter, std::u32string(1, cp), x, baseline, a);
        else if (cp && a.underline) drawCells(painter, U" ", x, baseline, a);
      }
    }
  }
  drawNotes(painter, document_, pageNotes);
  if (firstNumberedPage_ > 0 && page >= firstNumberedPage_ && logical > 0) {
    const std::string number = std::to_string(logical);
    const int width = charWidth(kDefaultSize) * int(number.size());
    drawCells(painter, std::u32string(number.begin(), number.end()), (kPageWidth - width) / 2,
              kPageHeight - kMargin / 2, Attributes{});
  }
}

QImage pageImage(const PagePainter& pages, int page, int dotsPerInch) {
  QImage image(kPageWidth * dotsPerInch / 1200, kPageHeight * dotsPerInch / 1200, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setDotsPerMeterX(dotsPerInch * 10000 / 254);
  image.setDotsPerMeterY(dotsPerInch * 10000 / 254);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(dotsPerInch / 1200.0, dotsPerInch / 1200.0);
  pages.paint(painter, page);
  painter.end();
  return image;
}

}  // namespace quillon::render
