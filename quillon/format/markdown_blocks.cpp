// Groups Markdown lines into paragraphs, headings, list items, code blocks,
// page breaks and footnote definitions, one pass over the lines.
#include "quillon/format/markdown_blocks.h"

#include <optional>

namespace quillon::format::internal {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(std::string_view s) {
  for (char c : s) {
    if (!isSpace(c)) return false;
  }
  return true;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Like trim(), but a blank escaped by a backslash ("\\ ", a hard space) stays.
std::string_view trimText(std::string_view s) {
  const std::string_view trimmed = trim(s);
  if (trimmed.empty() || trimmed.back() != '\\') return trimmed;
  const std::size_t end = static_cast<std::size_t>(trimmed.data() - s.data()) + trimmed.size();
  return end < s.size() ? std::string_view(trimmed.data(), trimmed.size() + 1) : trimmed;
}

// Number of leading blanks, a tab counting as four.
std::size_t indentOf(std::string_view s) {
  std::size_t width = 0;
  for (char c : s) {
    if (c == ' ') {
      ++width;
    } else if (c == '\t') {
      width += 4;
    } else {
      break;
    }
  }
  return width;
}

std::string_view skipIndent(std::string_view s, std::size_t most) {
  std::size_t n = 0;
  while (n < s.size() && n < most && s[n] == ' ') ++n;
  return s.substr(n);
}

// A footnote continuation line: four blanks or a tab, removed.
std::optional<std::string_view> deindented(std::string_view s) {
  if (!s.empty() && s.front() == '\t') return s.substr(1);
  if (s.size() >= 4 && s.substr(0, 4) == "    ") return s.substr(4);
  return std::nullopt;
}

struct Fence {
  char mark = '`';
  std::size_t length = 0;
  std::string_view info;
};

std::optional<Fence> fenceOpening(std::string_view line) {
  const std::string_view s = skipIndent(line, 3);
  if (s.empty() || (s.front() != '`' && s.front() != '~')) return std::nullopt;
  std::size_t n = 0;
  while (n < s.size() && s[n] == s.front()) ++n;
  if (n < 3) return std::nullopt;
  const std::string_view info = trim(s.substr(n));
  if (s.front() == '`' && info.find('`') != std::string_view::npos) return std::nullopt;
  return Fence{s.front(), n, info};
}

bool closesFence(std::string_view line, const Fence& fence) {
  const std::string_view s = skipIndent(line, 3);
  std::size_t n = 0;
  while (n < s.size() && s[n] == fence.mark) ++n;
  return n >= fence.length && isBlank(s.substr(n));
}

bool isPageBreakLine(std::string_view line) {
  const std::string_view s = trim(line);
  return s == "\\newpage" || s == "\\pagebreak" || s == "`\\newpage`{=latex}" || s == "`\\newpage`{=tex}";
}

// "[^id]: text" -> id and text.
std::optional<std::pair<std::string_view, std::string_view>> footnoteStart(std::string_view line) {
  const std::string_view s = skipIndent(line, 3);
  if (s.size() < 5 || s[0] != '[' || s[1] != '^') return std::nullopt;
  std::size_t end = 2;
  while (end < s.size() && s[end] != ']' && s[end] != '[' && !isSpace(s[end])) ++end;
  if (end == 2 || end + 1 >= s.size() || s[end] != ']' || s[end + 1] != ':') return std::nullopt;
  return std::pair{s.substr(2, end - 2), trimText(s.substr(end + 2))};
}

// "## Title ##" or "# Title {#id}" -> "Title".
std::optional<std::string_view> atxHeading(std::string_view line) {
  const std::string_view s = skipIndent(line, 3);
  std::size_t n = 0;
  while (n < s.size() && s[n] == '#') ++n;
  if (n == 0 || n > 6 || (n < s.size() && !isSpace(s[n]))) return std::nullopt;
  std::string_view title = trimText(s.substr(n));
  if (!title.empty() && title.back() == '}') {
    const std::size_t open = title.rfind('{');
    if (open != std::string_view::npos) title = trim(title.substr(0, open));
  }
  std::size_t end = title.size();
  while (end > 0 && title[end - 1] == '#') --end;
  if (end == 0 || isSpace(title[end - 1])) title = trim(title.substr(0, end));
  return title;
}

// A line of only `mark` (and blanks, where allowed) at least `least` long.
bool isRuleOf(std::string_view line, char mark, std::size_t least, bool blanksAllowed) {
  const std::string_view s = trim(line);
  std::size_t count = 0;
  for (char c : s) {
    if (c == mark) {
      ++count;
    } else if (!(blanksAllowed && isSpace(c))) {
      return false;
    }
  }
  return count >= least;
}

bool isHorizontalRule(std::string_view line) {
  return isRuleOf(line, '-', 3, true) || isRuleOf(line, '*', 3, true) || isRuleOf(line, '_', 3, true);
}

// "-   text" or "12. text" -> marker and text.
std::optional<std::pair<std::string_view, std::string_view>> listItem(std::string_view line) {
  std::string_view s = line;
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  std::size_t n = 0;
  if (!s.empty() && (s[0] == '-' || s[0] == '*' || s[0] == '+')) {
    n = 1;
  } else {
    while (n < s.size() && n < 9 && isDigit(s[n])) ++n;
    if (n == 0 || n >= s.size() || (s[n] != '.' && s[n] != ')')) return std::nullopt;
    ++n;
  }
  if (n >= s.size() || !isSpace(s[n])) return std::nullopt;
  return std::pair{s.substr(0, n), trimText(s.substr(n))};
}

// Removes "> " marks, however deeply quoted.
std::string_view unquote(std::string_view line, bool& quoted) {
  for (;;) {
    const std::string_view s = skipIndent(line, 3);
    if (s.empty() || s.front() != '>') return line;
    quoted = true;
    line = s.substr(1);
    if (!line.empty() && isSpace(line.front())) line.remove_prefix(1);
  }
}

bool isHtmlComment(std::string_view line) {
  const std::string_view s = trim(line);
  return s.size() >= 7 && s.substr(0, 4) == "<!--" && s.substr(s.size() - 3) == "-->";
}

class BlockParser {
 public:
  BlockParser(const std::vector<MarkdownLine>& lines, bool topLevel) : lines_(lines), topLevel_(topLevel) {}

  MarkdownBlocks run() {
    std::size_t i = 0;
    while (i < lines_.size()) i = step(i);
    closeParagraph();
    return std::move(out_);
  }

 private:
  // Handles the line at i and returns the index of the next unhandled line.
  std::size_t step(std::size_t i) {
    const MarkdownLine& line = lines_[i];
    if (auto fence = fenceOpening(line.text)) return codeBlock(i, *fence);
    if (topLevel_) {
      if (auto note = footnoteStart(line.text)) return footnote(i, note->first, note->second);
      if (isPageBreakLine(line.text)) {
        closeParagraph();
        out_.blocks.push_back({BlockKind::PageBreak, {}, {}, line.number});
        return i + 1;
      }
    }
    bool quoted = false;
    const std::string_view text = unquote(line.text, quoted);
    if (isBlank(text)) {
      closeParagraph();
      return i + 1;
    }
    if (open_ && !current_.bold && !listItem_ && current_.prefix.empty() &&
        (isRuleOf(text, '=', 1, false) || isRuleOf(text, '-', 2, false))) {
      current_.bold = true;  // the line above is a heading
      closeParagraph();
      return i + 1;
    }
    if (isHorizontalRule(text) || isHtmlComment(text) || trim(text).starts_with(":::")) {
      closeParagraph();  // rules, comments and div fences hold no text
      inList_ = false;
      return i + 1;
    }
    if (!open_) {
      if (auto title = atxHeading(text)) {
        inList_ = false;
        if (!title->empty()) {
          startParagraph(line.number);
          current_.text = *title;
          current_.bold = true;
          closeParagraph();
        }
        return i + 1;
      }
    }
    // A list marker starts an item after a blank line, or inside a list.
    const bool listContext = (!open_ && (inList_ || indentOf(text) < 4)) || (open_ && listItem_);
    if (listContext) {
      if (auto item = listItem(text)) {
        closeParagraph();
        startParagraph(line.number);
        current_.prefix = std::string(item->first) + ' ';
        current_.text = item->second;
        listItem_ = inList_ = true;
        return i + 1;
      }
    }
    if (!open_) {
      startParagraph(line.number);
      if (indentOf(text) == 0) inList_ = false;
    } else {
      current_.text += '\n';
    }
    current_.text += text;
    return i + 1;
  }

  std::size_t codeBlock(std::size_t i, const Fence& fence) {
    closeParagraph();
    std::size_t j = i + 1;
    std::string content;
    bool any = false;
    for (; j < lines_.size() && !closesFence(lines_[j].text, fence); ++j) {
      if (any) content += '\n';
      content += lines_[j].text;
      any = true;
    }
    const bool raw = fence.info.starts_with("{=");
    if (raw) {
      // Raw blocks carry only what another format means; a page break is the
      // one thing in them a document can hold.
      const bool pageBreak = content.find("\\newpage") != std::string::npos ||
                             content.find("\\pagebreak") != std::string::npos ||
                             content.find("w:type=\"page\"") != std::string::npos;
      if (pageBreak && topLevel_) out_.blocks.push_back({BlockKind::PageBreak, {}, {}, lines_[i].number});
    } else if (!isBlank(content)) {
      MarkdownBlock block;
      block.text = std::move(content);
      block.firstLine = i + 1 < lines_.size() ? lines_[i + 1].number : lines_[i].number;
      block.literal = true;
      out_.blocks.push_back(std::move(block));
    }
    return j < lines_.size() ? j + 1 : j;
  }

  std::size_t footnote(std::size_t i, std::string_view id, std::string_view first) {
    closeParagraph();
    inList_ = false;
    std::vector<MarkdownLine> body;
    body.push_back({first, lines_[i].number});
    std::size_t j = i + 1;
    bool afterBlank = false;
    for (; j < lines_.size(); ++j) {
      const std::string_view text = lines_[j].text;
      if (isBlank(text)) {
        body.push_back({{}, lines_[j].number});
        afterBlank = true;
      } else if (auto inner = deindented(text)) {
        body.push_back({*inner, lines_[j].number});
        afterBlank = false;
      } else if (!afterBlank && !footnoteStart(text) && !isPageBreakLine(text) && !fenceOpening(text) &&
                 !atxHeading(text)) {
        body.push_back({text, lines_[j].number});  // a lazy continuation of the paragraph
      } else {
        break;
      }
    }
    FootnoteDefinition definition{std::string(id), lines_[i].number, BlockParser(body, false).run().blocks};
    out_.footnotes.push_back(std::move(definition));
    return j;
  }

  void startParagraph(int number) {
    current_ = MarkdownBlock{};
    current_.firstLine = number;
    open_ = true;
    listItem_ = false;
  }

  void closeParagraph() {
    if (open_) out_.blocks.push_back(std::move(current_));
    current_ = MarkdownBlock{};
    open_ = false;
    listItem_ = false;
  }

  const std::vector<MarkdownLine>& lines_;
  bool topLevel_;
  MarkdownBlocks out_;
  MarkdownBlock current_;
  bool open_ = false;
  bool listItem_ = false;  // the open paragraph is a list item
  bool inList_ = false;    // the last block was a list item
};

}  // namespace

std::vector<MarkdownLine> splitLines(std::string_view text) {
  std::vector<MarkdownLine> lines;
  int number = 1;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back({text.substr(start, end - start), number++});
    // CR LF (Windows), LF (Unix) and a lone CR (old Mac files) each end one line.
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

MarkdownBlocks parseBlocks(const std::vector<MarkdownLine>& lines, bool topLevel) {
  return BlockParser(lines, topLevel).run();
}

}  // namespace quillon::format::internal
