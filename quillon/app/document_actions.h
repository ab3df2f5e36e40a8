// What a batch run does to its document around the invoked command. In: the
// document engine and the options of the command line. Out: the document
// opened and the insertion point placed before the command; the file saved,
// the exports written and the bookmarks listed after it. Each action reports
// on standard output and standard error and returns an exit code (kExitOk
// when it worked).
#pragma once

#include <string>
#include <vector>

#include "quillon/app/command_line.h"
#include "quillon/app/placement.h"
#include "quillon/commands/document_engine.h"

namespace quillon::app {

// Opens path into the engine: a native file stays named by its absolute path
// (so the command's SaveDocument writes back to it), an imported Markdown file
// becomes unnamed. Prints "opened: PATH (native)" or "(Markdown)" and each
// import warning as "warning: ...". A .docx file is converted by pandoc
// (docx.h), imported as Markdown and stays unnamed ("(docx)").
// kExitCannotOpen, with the reason on standard error, for a missing,
// unreadable, damaged or unknown file; kExitConversion when pandoc is
// missing or fails.
int openDocument(DocumentEngine& engine, const std::string& path);

// Moves the insertion point as placement asks. kExitNotFound with
// "text not found: TEXT" or "paragraph N not found" when it is not there.
int placeInsertionPoint(doc::Document& document, const Placement& placement);

// Makes the edits at the insertion point, in order: typed text (UTF-8; a
// character the host has no byte or special character for types as "?", a
// "\n" as a hard return) or a hard page break. The insertion point ends
// after the last edit.
void editDocument(doc::Document& document, const std::vector<DocumentEdit>& edits);

// Saves as a native file at path, which then names the document.
// kExitCannotWrite with the reason when the file cannot be written.
int saveDocumentAs(DocumentEngine& engine, const std::string& path);

enum class ExportKind { Text, Markdown, Pdf, Docx };

// Writes the document as paged text, Markdown (UTF-8), PDF or .docx to
// target, or to standard output when target is "-". kExitCannotWrite when it
// cannot be written; kExitConversion, with pandoc's reason, when a .docx
// cannot be made (nothing is written then).
int exportDocument(doc::Document& document, ExportKind kind, const std::string& target);

// Prints the bookmark lines of bookmark_listing.h.
void printBookmarks(doc::Document& document);

}  // namespace quillon::app
