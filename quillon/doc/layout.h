// Lays a document's main text out on pages. In: the items and note texts.
// Out: for any position, its physical and logical page and its horizontal and
// vertical place in 1/1200 inch from the page's left and top edges.
//
// The model (all lengths in 1/1200 inch):
// - Letter pages 10200 x 13200; margins 1200 unless margin codes say
//   otherwise. Left and right margins and indents are read at each line's
//   start, top and bottom margins at each page's start.
// - Fixed pitch: every visible item (character, special character, hard
//   space, note reference) is 0.6 em wide, em = font size. A line is
//   1.2 x size x line spacing high, size being the largest on the line.
// - Lines wrap after the last blank that fits; a word longer than the line is
//   cut. Blanks at a line's end may run into the margin.
// - Tab stops every 600 from the left margin; a tab with no stop left on the
//   line moves to the next line.
// - A dot-leader tab puts what follows it (up to the next tab or paragraph
//   end) against the right margin. When that leaves less than one character
//   of dots, the tab moves to the next line; where even a fresh line has no
//   room it takes no width.
// - Each note reference's text is set at the foot of the page that holds the
//   reference line, single spaced at the reference's size; a line whose notes
//   do not fit moves with its notes to the next page.
// - Hard page breaks start a new page. A keep-together range that would run
//   over a page end moves whole to the next page, unless it already starts at
//   the top of a page.
// - Physical pages count from 1; logical numbers count from 1 and a
//   page-number code gives the page that holds it its number, the following
//   pages counting on from there.
// - A position belongs to the line whose items it precedes; the end of the
//   document belongs to the last line. Its vertical place is its line's top.
//
// Layout is lazy: edits cut the valid layout back to the paragraph they touch;
// a query lays out only as far as the end of the page it asks about.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "quillon/doc/item.h"

namespace quillon::doc {

struct Placement {
  int physicalPage = 1;
  int logicalPage = 1;
  int x = 0;
  int y = 0;
};

// One laid-out line: items [start, end) on a page.
struct LaidLine {
  std::size_t start = 0;
  std::size_t end = 0;
  int physicalPage = 1;
  int logicalPage = 1;
  int y = 0;
};

class Layout {
 public:
  // Forgets the layout from the paragraph holding item `index` on.
  void invalidateFrom(std::size_t index);
  // Where `position` (0..items.size()) is laid out.
  Placement place(const std::vector<Item>& items, const std::vector<ItemText>& notes,
                  std::size_t position);
  // Lays out the whole text and returns its number of physical pages.
  int pageCount(const std::vector<Item>& items, const std::vector<ItemText>& notes);
  // Lays out the whole text and returns every line in order.
  std::vector<LaidLine> lines(const std::vector<Item>& items, const std::vector<ItemText>& notes);
  // Left edge of a laid-out item in 1/1200 inch from the page's left edge.
  int itemX(std::size_t index) const { return index < itemX_.size() ? itemX_[index] : 0; }
  // Lines laid out since construction, re-layouts included: lets tests see
  // that a query did not start again from the top.
  std::size_t linesLaidOut() const { return linesLaidOut_; }

 private:
  struct Style {
    int size = 200;
    int spacing = 1000;
    int marginLeft = 1200, marginRight = 1200, marginTop = 1200, marginBottom = 1200;
    int paragraphIndent = 0, firstLineIndent = 0;
  };
  struct State {
    std::size_t item = 0;  // first item of the next paragraph
    Style style;
    int page = 0;          // physical, 0-based
    int y = 0;
    int footnotes = 0;     // note height already used on this page
    int logical = 1;       // logical number of `page`
    bool pageHasLines = false;
    bool newPageFirst = false;  // a page break or keep-together moved this paragraph
    int keepDepth = 0;
    std::size_t keepParagraph = 0;  // paragraph whose line opened the keep range
  };
  struct Paragraph {
    State state;  // before its first line
    std::size_t firstLine = 0;
  };
  struct Line {
    std::size_t start = 0, end = 0;
    int page = 0;
    int y = 0;
    int endX = 0;
  };

  // Lays out one more paragraph; false when the text is complete.
  bool layoutNext(const std::vector<Item>& items, const std::vector<ItemText>& notes);
  void truncateTo(std::size_t paragraph);
  void startPage(State& s);
  std::size_t lineOf(std::size_t position) const;

  std::vector<Paragraph> paragraphs_;
  std::vector<Line> lines_;
  std::vector<int> itemX_;     // x of each laid-out item's left edge
  std::vector<int> logical_;   // logical number of each physical page
  State next_;                 // state after the last laid-out paragraph
  bool started_ = false;
  bool complete_ = false;
  std::size_t linesLaidOut_ = 0;
};

}  // namespace quillon::doc
