// Word-processor (.docx) files in and out, through the pandoc converter. In:
// a .docx path to read, or a document to write. Out: the document's content
// imported from pandoc's Markdown, or the bytes of a .docx made from the
// document's Markdown export.
//
// pandoc is started directly (no shell), found on PATH, with the file as one
// argument, so names with blanks or quotes need no quoting. Its Markdown is
// the Pandoc dialect that format/markdown.h imports; the way back keeps what
// the Markdown export keeps, a table's entries with their page numbers as
// text, and gives each dot-leader tab back as the .docx's absolute tab,
// right-aligned at the margin with a dot leader (no tab stop needed, which
// pandoc's Markdown cannot set).
#pragma once

#include <string>
#include <vector>

#include "quillon/doc/document.h"

namespace quillon::app {

// What a conversion gives: on failure, error says why in a sentence a user
// can act on; content and bytes are then empty.
struct DocxImport {
  doc::DocumentContent content;
  std::vector<std::string> warnings;  // from the Markdown import
  std::string error;
};

struct DocxExport {
  std::string bytes;
  std::string error;
};

// True for a path whose name ends in ".docx" (any letter case).
bool isDocxPath(const std::string& path);

// Runs "pandoc -f docx -t markdown-smart --wrap=none PATH" and imports its
// output; quotes, dashes and ellipses come through as the characters they are.
// Errors: the file does not exist; pandoc is not installed ("pandoc, which
// converts .docx files, is not installed or not on PATH ..."); pandoc failed
// (its own message is quoted) or took longer than two minutes.
DocxImport importDocx(const std::string& path);

// Runs "pandoc -f markdown-smart -t docx -o -" on exportMarkdown(document):
// straight quotes and runs of dots stay as they are; hard page breaks and
// dot-leader tabs become the .docx's own.
// Errors: as importDocx, less the missing file.
DocxExport exportDocx(const doc::Document& document);

}  // namespace quillon::app
