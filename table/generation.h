// The run behind Create Table at Cursor and Create Table to File. In: where
// to write, the progress bar, the option set's name. Out: the document saved
// (when the user agrees), the marks of an earlier table removed, the saved
// file read and its citations recognised, and the table written.
//
// Errors: none thrown; the run's questions and notices go through
// platform::messageBox, owned by db::messageOwner().
#pragma once

#include <chrono>
#include <string>

#include "table/progress_bar.h"

namespace table {

struct GenerationSettings {
  // How long the finished bar stays at 100 before the run ends; tests and
  // benchmarks set 0.
  std::chrono::milliseconds finalWait{1000};
};

// One run, at the cursor (toFile false) or into a new document. Stops
// silently when the user declines to save or the save does not take effect;
// shows the read-only message when the saved file cannot be opened for
// reading (here: its path is missing, is a folder or other non-regular file,
// or refuses reading; see platform::openFileForReading). A database failure
// while loading the dictionary, the option set or the abbreviations is shown
// (the loader's own message, or "Could not load the dictionary." / "Could not
// load the option set." with caption "Database Error") and stops the run
// before the document changes. A saved file that the reader finds damaged
// (document_reader.h) is reported with "Lexorda could not read the whole
// saved document (damaged at byte N). The table may be incomplete." (caption
// "Lexorda", OK) before the document changes; the run then goes on with the
// citations read. At the cursor, the written page lists are
// then refreshed from the occurrence marks (page_references.h). From
// SetUpdateMode(0) on, the run always ends with the bar at 100,
// SetUpdateMode(1) and Command823(0).
//
// At the cursor, a table that an earlier run built at the cursor (its range
// mark of table_marks.h spans text) is replaced in place: its text is
// deleted and the new table is written where it stood, not at the user's
// insertion point; the saved file's copy of it is not read for citations.
// When that mark spans nothing, nothing is deleted and the table goes to the
// insertion point.
void generateTable(bool toFile, ProgressBar& progress, const std::string& optionSetName,
                   const GenerationSettings& settings = {});

// Deletes every bookmark of the open document whose name begins with "XTOA~"
// and is longer than that prefix, except the range mark of a table built at
// the cursor (table_marks.h): it stays as long as its table does.
void removeOldMarks();

// GetDocumentPath followed by GetDocumentFileName; empty for a document that
// was never saved.
std::string documentFullName();

}  // namespace table
