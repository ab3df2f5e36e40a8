// Writes a document as plain UTF-8 text the way it is laid out. In: the
// document's lines and item positions. Out: each line's characters at the
// columns they stand on, each page's notes under a rule, pages separated by
// form feeds.
#include <algorithm>
#include <string>
#include <vector>

#include "quillon/format/markdown.h"
#include "quillon/format/text_utf8.h"

namespace quillon::format {
namespace {

using doc::Item;
using doc::ItemKind;

// Columns count 12-point characters from the default left margin.
constexpr int kLeftEdge = 1200;
constexpr int kColumnWidth = 120;
constexpr std::size_t kNoteWidth = 65;
constexpr std::size_t kRuleLength = 20;
// Inside a note a hard space is kept apart from blanks so that wrapping
// never breaks at it; it is written as a blank.
constexpr char32_t kUnbreakable = 0x00A0;

std::size_t columnOf(int x) { return static_cast<std::size_t>(std::max(0, (x - kLeftEdge) / kColumnWidth)); }

void trimRight(std::u32string& s) {
  while (!s.empty() && s.back() == U' ') s.pop_back();
}

// Places `c` at `column`, or right after what is already there when a wider
// font has pushed the text past it.
void put(std::u32string& row, std::size_t column, char32_t c) {
  if (row.size() < column) row.resize(column, U' ');
  row.push_back(c);
}

struct PageNote {
  int number = 0;
  std::size_t note = 0;
};

std::u32string renderLine(doc::Document& document, const doc::LaidLine& line, int& noteCounter,
                          std::vector<PageNote>& pageNotes) {
  const std::vector<Item>& items = document.items();
  std::u32string row;
  const std::size_t end = std::min(line.end, items.size());
  for (std::size_t i = line.start; i < end; ++i) {
    const Item& item = items[i];
    const std::size_t column = columnOf(document.itemX(i));
    switch (item.kind) {
      case ItemKind::Character:
      case ItemKind::Special:
      case ItemKind::HardSpace:
        if (const char32_t cp = internal::itemUnicode(item)) put(row, column, cp);
        break;
      case ItemKind::NoteReference: {
        const int number = ++noteCounter;
        pageNotes.push_back({number, static_cast<std::size_t>(std::max(0, item.value))});
        for (char digit : std::to_string(number)) put(row, column, static_cast<char32_t>(digit));
        break;
      }
      case ItemKind::DotLeaderTab: {
        // What the tab right-aligns starts where the next item stands.
        if (i + 1 >= end) break;
        const std::size_t target = columnOf(document.itemX(i + 1));
        trimRight(row);
        const std::size_t from = row.size() + 1;
        if (target < from + 2) break;
        row.resize(from, U' ');
        row.append(target - 1 - from, U'.');
        break;
      }
      default:
        break;  // a tab's blanks come from the column of what follows it; codes show nothing
    }
  }
  trimRight(row);
  return row;
}

// The note's paragraphs as text, hard spaces kept unbreakable.
std::vector<std::u32string> noteParagraphs(const doc::ItemText& text) {
  std::vector<std::u32string> paragraphs(1);
  for (const Item& item : text) {
    if (item.endsParagraph()) {
      paragraphs.emplace_back();
    } else if (item.kind == ItemKind::Tab || item.kind == ItemKind::DotLeaderTab) {
      paragraphs.back() += U' ';
    } else if (item.kind == ItemKind::HardSpace) {
      paragraphs.back() += kUnbreakable;
    } else if (const char32_t cp = internal::itemUnicode(item)) {
      paragraphs.back() += cp;
    }
  }
  return paragraphs;
}

void emit(std::string& out, std::u32string line) {
  std::replace(line.begin(), line.end(), kUnbreakable, U' ');
  trimRight(line);
  out += internal::toUtf8(line);
  out += '\n';
}

// Fills words into lines of at most kNoteWidth columns; later lines start
// under the text of the first. A word longer than a line is cut.
void wrapNote(std::string& out, const std::u32string& prefix, const std::vector<std::u32string>& paragraphs) {
  const std::u32string indent(prefix.size(), U' ');
  std::u32string line = prefix;
  bool hasWord = false;
  bool firstParagraph = true;
  for (const std::u32string& paragraph : paragraphs) {
    if (!firstParagraph) {
      emit(out, line);
      line = indent;
      hasWord = false;
    }
    firstParagraph = false;
    std::size_t at = 0;
    while (at < paragraph.size()) {
      if (paragraph[at] == U' ') {
        ++at;
        continue;
      }
      std::size_t stop = paragraph.find(U' ', at);
      if (stop == std::u32string::npos) stop = paragraph.size();
      std::u32string word = paragraph.substr(at, stop - at);
      at = stop;
      if (hasWord && line.size() + 1 + word.size() > kNoteWidth) {
        emit(out, line);
        line = indent;
        hasWord = false;
      }
      if (hasWord) line += U' ';
      while (line.size() + word.size() > kNoteWidth) {
        const std::size_t room = kNoteWidth - line.size();
        line += word.substr(0, room);
        word.erase(0, room);
        emit(out, line);
        line = indent;
      }
      line += word;
      hasWord = true;
    }
  }
  emit(out, line);
}

}  // namespace

std::string exportText(doc::Document& document) {
  const std::vector<doc::LaidLine> lines = document.lines();
  const int pages = document.pageCount();
  const auto& notes = document.notes();
  std::string out;
  int noteCounter = 0;
  std::size_t next = 0;
  for (int page = 1; page <= pages; ++page) {
    std::vector<PageNote> pageNotes;
    // Lines the layout would put past the last page stay on it.
    while (next < lines.size() && (lines[next].physicalPage == page || page == pages)) {
      emit(out, renderLine(document, lines[next], noteCounter, pageNotes));
      ++next;
    }
    if (!pageNotes.empty()) {
      out += std::string(kRuleLength, '-') + '\n';
      for (const PageNote& n : pageNotes) {
        std::u32string label;
        for (char digit : std::to_string(n.number)) label += static_cast<char32_t>(digit);
        label += U". ";
        wrapNote(out, label,
                 n.note < notes.size() ? noteParagraphs(notes[n.note]) : std::vector<std::u32string>{});
      }
    }
    if (page < pages) out += "\f\n";
  }
  if (out.empty() || out.back() != '\n') out += '\n';
  return out;
}

}  // namespace quillon::format
