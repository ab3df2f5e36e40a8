// Breaks the main text into lines and pages one paragraph at a time, keeping
// the state before each paragraph so that an edit re-lays only from there.
#include "quillon/doc/layout.h"

#include <algorithm>
#include <cstdint>

namespace quillon::doc {
namespace {

constexpr int kPageWidth = 10200;
constexpr int kPageHeight = 13200;
constexpr int kTabStep = 600;

int charWidth(int size) { return std::max(1, size * 6 / 10); }

int lineHeight(int size, int spacing) {
  return std::max(1, static_cast<int>(std::int64_t{size} * 12 * spacing / 10000));
}

bool isVisible(const Item& item) {
  return item.kind == ItemKind::Character || item.kind == ItemKind::Special ||
         item.kind == ItemKind::HardSpace || item.kind == ItemKind::NoteReference;
}

std::size_t visibleLength(const ItemText& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), isVisible));
}

int noteHeight(std::size_t length, int size, int textWidth) {
  const std::size_t perLine = static_cast<std::size_t>(std::max(1, textWidth / charWidth(size)));
  const std::size_t lines = std::max<std::size_t>(1, (length + perLine - 1) / perLine);
  return static_cast<int>(lines) * lineHeight(size, 1000);
}

// Width of what a dot-leader tab at `from - 1` pushes against the margin.
int widthAfter(const std::vector<Item>& items, std::size_t from, int size) {
  int width = 0;
  for (std::size_t i = from; i < items.size(); ++i) {
    const Item& item = items[i];
    if (item.endsParagraph() || item.kind == ItemKind::Tab || item.kind == ItemKind::DotLeaderTab) break;
    if (item.isCode() && item.code == CodeKind::Size && item.value > 0) size = std::min(item.value, 12000);
    if (isVisible(item)) width += charWidth(size);
  }
  return width;
}

}  // namespace

void Layout::startPage(State& s) {
  s.page += 1;
  s.y = s.style.marginTop;
  s.footnotes = 0;
  s.logical += 1;
  s.pageHasLines = false;
  logical_.resize(static_cast<std::size_t>(s.page) + 1);
  logical_[static_cast<std::size_t>(s.page)] = s.logical;
}

void Layout::truncateTo(std::size_t paragraph) {
  next_ = paragraphs_[paragraph].state;
  lines_.resize(paragraphs_[paragraph].firstLine);
  paragraphs_.resize(paragraph);
  logical_.resize(static_cast<std::size_t>(next_.page) + 1);
  logical_[static_cast<std::size_t>(next_.page)] = next_.logical;
  complete_ = false;
}

void Layout::invalidateFrom(std::size_t index) {
  if (!started_ || paragraphs_.empty()) return;
  if (!complete_ && index >= next_.item) return;  // not laid out yet anyway
  auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), index,
                             [](std::size_t i, const Paragraph& p) { return i < p.state.item; });
  const std::size_t k = it == paragraphs_.begin() ? 0 : static_cast<std::size_t>(it - paragraphs_.begin()) - 1;
  truncateTo(k);
}

bool Layout::layoutNext(const std::vector<Item>& items, const std::vector<ItemText>& notes) {
  if (!started_) {
    next_ = State{};
    next_.y = next_.style.marginTop;
    logical_.assign(1, 1);
    started_ = true;
  }
  if (complete_) return false;
  if (itemX_.size() != items.size()) itemX_.resize(items.size());

  State s = next_;
  const std::size_t first = std::min(s.item, items.size());
  const std::size_t paragraphIndex = paragraphs_.size();
  paragraphs_.push_back({s, lines_.size()});

  // What a line break at the last blank must restore, codes after it being
  // met again on the next line.
  struct Mark {
    Style style;
    int keepDepth;
    std::size_t keepParagraph;
    int pendingPageNumber;
    int noteHeight;
    int maxSize;
    int x;
  };

  int pendingPageNumber = -1;
  auto applyCode = [&](const Item& item) {
    Style& st = s.style;
    const int v = item.value;
    switch (item.code) {
      // Sizes up to 10 in and spacing up to 10 keep every sum far from overflow.
      case CodeKind::Size: if (v > 0) st.size = std::min(v, 12000); break;
      case CodeKind::LineSpacing: if (v > 0) st.spacing = std::min(v, 10000); break;
      case CodeKind::MarginLeft: st.marginLeft = std::clamp(v, 0, kPageWidth / 2); break;
      case CodeKind::MarginRight: st.marginRight = std::clamp(v, 0, kPageWidth / 2); break;
      case CodeKind::MarginTop: st.marginTop = std::clamp(v, 0, kPageHeight / 3); break;
      case CodeKind::MarginBottom: st.marginBottom = std::clamp(v, 0, kPageHeight / 3); break;
      case CodeKind::ParagraphIndent: st.paragraphIndent = std::clamp(v, -kPageWidth, kPageWidth); break;
      case CodeKind::FirstLineIndent: st.firstLineIndent = std::clamp(v, -kPageWidth, kPageWidth); break;
      case CodeKind::KeepTogetherStart:
        if (s.keepDepth++ == 0) s.keepParagraph = paragraphIndex;
        break;
      case CodeKind::KeepTogetherEnd: if (s.keepDepth > 0) --s.keepDepth; break;
      case CodeKind::PageNumber: pendingPageNumber = std::max(1, v); break;
      default: break;
    }
  };

  std::size_t i = first;
  bool firstLine = true;
  bool endOfParagraph = false;
  bool pageBreak = false;
  while (!endOfParagraph) {
    Style& st = s.style;
    const std::size_t lineStart = i;
    // Codes opening a line count for the whole line (a margin code at a
    // paragraph's start moves its first line too).
    pendingPageNumber = -1;
    std::size_t leading = i;
    while (leading < items.size() && items[leading].isCode()) applyCode(items[leading++]);
    const int left = std::clamp(st.marginLeft + st.paragraphIndent + (firstLine ? st.firstLineIndent : 0), 0,
                                std::max(0, kPageWidth - 2 * charWidth(st.size)));
    const int right = std::max(left + charWidth(st.size), kPageWidth - st.marginRight);
    const int textWidth = std::max(charWidth(st.size), kPageWidth - st.marginLeft - st.marginRight);
    const int keepAtStart = s.keepDepth;
    for (std::size_t c = i; c < leading; ++c) itemX_[c] = left;
    i = leading;
    int x = left;
    int maxSize = 0;
    int notesHigh = 0;
    std::size_t end = i;
    bool hasBreak = false;
    std::size_t breakAt = 0;
    Mark mark{};
    auto remember = [&](std::size_t at) {
      hasBreak = true;
      breakAt = at;
      mark = {st, s.keepDepth, s.keepParagraph, pendingPageNumber, notesHigh, maxSize, x};
    };
    for (;; ++i) {
      if (i >= items.size()) {
        end = items.size();
        endOfParagraph = true;
        break;
      }
      const Item& item = items[i];
      itemX_[i] = x;
      if (item.isCode()) {
        applyCode(item);
        continue;
      }
      if (item.endsParagraph()) {
        end = i + 1;
        endOfParagraph = true;
        pageBreak = item.kind == ItemKind::HardPageBreak;
        ++i;
        break;
      }
      const int w = charWidth(st.size);
      if (isVisible(item)) {
        const bool blank = item.kind == ItemKind::Character && item.value == ' ';
        if (!blank && x + w > right && i > leading) {
          end = i;
          if (hasBreak) {
            end = i = breakAt;
            st = mark.style;
            s.keepDepth = mark.keepDepth;
            s.keepParagraph = mark.keepParagraph;
            pendingPageNumber = mark.pendingPageNumber;
            notesHigh = mark.noteHeight;
            maxSize = mark.maxSize;
            x = mark.x;
          }
          break;
        }
        x += w;
        maxSize = std::max(maxSize, st.size);
        if (item.kind == ItemKind::NoteReference) {
          const auto n = static_cast<std::size_t>(item.value);
          notesHigh += noteHeight(n < notes.size() ? visibleLength(notes[n]) : 0, st.size, textWidth);
        }
        if (blank) remember(i + 1);
      } else if (item.kind == ItemKind::Tab) {
        const int stop = x < st.marginLeft
                             ? st.marginLeft
                             : st.marginLeft + ((x - st.marginLeft) / kTabStep + 1) * kTabStep;
        if (stop > right && i > leading) {
          end = i;
          break;
        }
        x = std::min(stop, right);
        remember(i + 1);
      } else if (item.kind == ItemKind::DotLeaderTab) {
        const int target = right - widthAfter(items, i + 1, st.size);
        if (target >= x + w) {
          x = target;
          remember(i + 1);
        } else if (i > leading) {
          end = i;
          break;
        }
      }
    }

    const int height = lineHeight(maxSize > 0 ? maxSize : st.size, st.spacing);
    const int bottom = kPageHeight - st.marginBottom;
    if (s.pageHasLines && s.y + height + s.footnotes + notesHigh > bottom) {
      const bool inKeep = keepAtStart > 0 || s.keepDepth > 0;
      if (inKeep && s.keepParagraph < paragraphs_.size()) {
        const State& opened = paragraphs_[s.keepParagraph].state;
        if (opened.page == s.page && opened.pageHasLines) {
          // Move the whole range: lay out again from its paragraph on a new page.
          truncateTo(s.keepParagraph);
          startPage(next_);
          return true;
        }
      }
      startPage(s);
    }
    if (pendingPageNumber >= 0) {
      s.logical = pendingPageNumber;
      logical_[static_cast<std::size_t>(s.page)] = pendingPageNumber;
    }
    lines_.push_back({lineStart, end, s.page, s.y, x});
    ++linesLaidOut_;
    s.y += height;
    s.footnotes += notesHigh;
    s.pageHasLines = true;
    firstLine = false;
  }
  if (pageBreak) startPage(s);
  s.item = i;
  next_ = s;
  if (i >= items.size() && (i == first || !items[i - 1].endsParagraph())) complete_ = true;
  return true;
}

std::size_t Layout::lineOf(std::size_t position) const {
  auto it = std::upper_bound(lines_.begin(), lines_.end(), position,
                             [](std::size_t p, const Line& l) { return p < l.start; });
  return it == lines_.begin() ? 0 : static_cast<std::size_t>(it - lines_.begin()) - 1;
}

Placement Layout::place(const std::vector<Item>& items, const std::vector<ItemText>& notes,
                        std::size_t position) {
  position = std::min(position, items.size());
  for (;;) {
    if (!lines_.empty() && (complete_ || position < lines_.back().end)) {
      if (complete_ || lines_[lineOf(position)].page < next_.page) break;
    }
    if (!layoutNext(items, notes)) break;
  }
  const Line& line = lines_[lineOf(position)];
  Placement at;
  at.physicalPage = line.page + 1;
  at.logicalPage = logical_[static_cast<std::size_t>(line.page)];
  at.x = position < line.end ? itemX_[position] : line.endX;
  at.y = line.y;
  return at;
}

int Layout::pageCount(const std::vector<Item>& items, const std::vector<ItemText>& notes) {
  while (layoutNext(items, notes)) {
  }
  return lines_.empty() ? 1 : lines_.back().page + 1;
}

std::vector<LaidLine> Layout::lines(const std::vector<Item>& items, const std::vector<ItemText>& notes) {
  pageCount(items, notes);
  std::vector<LaidLine> out;
  out.reserve(lines_.size());
  for (const Line& line : lines_) {
    out.push_back({line.start, line.end, line.page + 1, logical_[static_cast<std::size_t>(line.page)], line.y});
  }
  return out;
}

}  // namespace quillon::doc
