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

// One run, at the cursor (toFile false) or into a new document.
void generateTable(bool toFile, ProgressBar& progress, const std::string& optionSetName,
                   const GenerationSettings& settings = {});

// Deletes every bookmark of the open document whose name begins with "XTOA~"
// and is longer than that prefix.
void removeOldMarks();

// GetDocumentPath followed by GetDocumentFileName; empty for a document that
// was never saved.
std::string documentFullName();

}  // namespace table
