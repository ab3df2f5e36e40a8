// Markdown in and out of the host's documents. In: UTF-8 text in the Pandoc
// Markdown subset below, or a document. Out: the document's content with any
// warnings, or the document as Markdown.
//
// The subset: paragraphs separated by blank lines (line breaks inside a
// paragraph become blanks); *italic* and _italic_, **bold**,
// [text]{.underline} and <u>text</u>, ^super^, ~sub~; footnote references
// [^id] with their texts given by "[^id]: text" paragraphs (continuation lines
// indented); \newpage on a line of its own for a hard page break; a
// backslash-escaped space for a hard space; backslash escapes of punctuation.
// Headings ("# Title") become a bold paragraph; a "> " quotation and list
// markers keep their text. §, typographic quotes, the apostrophe, en and em
// dashes become the host's special characters; other non-ASCII characters go
// through the host's character sets, else Windows-1252; anything else becomes
// "?" with a warning naming its line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/document.h"

namespace quillon::format {

struct MarkdownImport {
  doc::DocumentContent content;
  std::vector<std::string> warnings;  // "line 12: U+2603 has no host character; typed as ?"
};

MarkdownImport importMarkdown(std::string_view utf8);

// The document as Markdown of the same subset, in UTF-8: hard returns end
// paragraphs, notes become [^n] references with their texts at the end, a tab
// reads as a blank and a dot-leader tab as a run of dots. Importing the
// result gives the same text, attributes and notes.
std::string exportMarkdown(const doc::Document& document);

// The document as plain UTF-8 text, line by line as laid out: each line
// indented to its left edge in character widths, a tab as blanks to its stop,
// a dot-leader tab as dots up to what it right-aligns; pages separated by a
// form feed, and each page's notes after its text under a rule of 20 "-".
std::string exportText(doc::Document& document);

}  // namespace quillon::format
