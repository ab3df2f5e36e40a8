// The block structure of Markdown text. In: the text's lines. Out: its
// paragraphs (with heading, list and code-block marks resolved), its page
// breaks, and its footnote definitions with their own paragraphs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::format::internal {

struct MarkdownLine {
  std::string_view text;  // without its line end
  int number = 1;         // 1-based line in the whole input
};

enum class BlockKind { Paragraph, PageBreak };

struct MarkdownBlock {
  BlockKind kind = BlockKind::Paragraph;
  std::string prefix;    // a list marker kept as text: "- ", "2. "
  std::string text;      // the paragraph's lines, block marks removed, joined by '\n'
  int firstLine = 1;
  bool bold = false;     // a heading
  bool literal = false;  // a code block: no inline markup, no escapes
};

struct FootnoteDefinition {
  std::string id;
  int line = 1;
  std::vector<MarkdownBlock> blocks;  // paragraphs only
};

struct MarkdownBlocks {
  std::vector<MarkdownBlock> blocks;
  std::vector<FootnoteDefinition> footnotes;  // in the order they stand
};

// The lines of `text`, split at CR LF, LF or a lone CR. The views
// point into `text`.
std::vector<MarkdownLine> splitLines(std::string_view text);

// Groups lines into blocks. With topLevel false (the inside of a footnote)
// footnote definitions and page breaks are ordinary text. Never fails: any
// line that is not a block mark is paragraph text. Linear in the input.
MarkdownBlocks parseBlocks(const std::vector<MarkdownLine>& lines, bool topLevel);

}  // namespace quillon::format::internal
