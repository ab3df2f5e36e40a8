// Markdown in and out of the host's documents. In: UTF-8 text in the Pandoc
// Markdown subset below, or a document. Out: the document's content with any
// warnings, or the document as Markdown.
//
// The subset: paragraphs separated by blank lines (line breaks inside a
// paragraph, hard ones too, become one blank); *italic* and _italic_,
// **bold**, [text]{.underline} and <u>text</u>, ^super^, ~sub~; footnote
// references [^id] with their texts given by "[^id]: text" paragraphs
// (continuation lines indented by four blanks or a tab; the definition may
// stand before or after its use); \newpage on a line of its own, or in a raw
// block, for a hard page break; a backslash-escaped space for a hard space;
// backslash escapes of ASCII punctuation; "--" and "---" for en and em
// dashes, as Pandoc writes them. Headings ("# Title") become a bold
// paragraph; block-quote marks ("> ") are dropped; list markers ("- ", "1. ")
// stay as text; other spans, links and struck text keep their text only.
// §, typographic quotes, the apostrophe, en and em dashes become the host's
// special characters; other non-ASCII characters go through the host's
// character sets, else Windows-1252; anything else becomes "?" with a
// warning naming its line. Straight ASCII quotes stay ASCII.
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

// Every paragraph ends with a hard return, the last one too (a hard page
// break where \newpage follows it); each note reference gets a note of its
// own, in the order of the references. Never fails and never crashes;
// markup that does not close stays as typed. Work is linear in the input.
// Warnings (each "line N: ..."): a character with no host form or invalid
// UTF-8 (typed as "?"), a reference without a definition (kept as typed), a
// definition never used or given twice.
//   importMarkdown("*Smith* v. Jones[^1]\n\n[^1]: Id.")
//     -> [italic on]Smith[italic off] v. Jones<note "Id."><hard return>
MarkdownImport importMarkdown(std::string_view utf8);

// The document as Markdown of the same subset, in UTF-8, one line per
// paragraph: hard returns end paragraphs, a hard page break is a "\newpage"
// paragraph, notes become [^1]..[^n] references with their texts at the end,
// a tab reads as a blank and a dot-leader tab as a run of dots; codes other
// than attributes are dropped. Spans close and reopen at paragraph ends;
// blanks at the edge of an emphasis span fall outside it. Importing the
// result of an imported document gives the same items.
std::string exportMarkdown(const doc::Document& document);

// The document as plain UTF-8 text, line by line as laid out: each item at
// column (x - 1200) / 120, the 12-point character width; a tab as blanks to
// its stop; a dot-leader tab as dots from one blank after the text before it
// to one blank before what it right-aligns; a note reference as its number
// (1, 2, ... in order of reference). Pages are separated by a line holding a
// form feed; each page's notes follow its text under a rule of 20 "-", as
// "n. text" wrapped at 65 columns. Trailing blanks are trimmed; the text
// ends with "\n". Lays the document out.
std::string exportText(doc::Document& document);

}  // namespace quillon::format
