// What the quillon program saves with until the native file format exists.
// In: the document and a path, or a request for a name. Out: the document's
// visible text written to the path; no name offered (the batch host has no
// user to ask yet).
#pragma once

#include <string>

#include "quillon/commands/document_store.h"

namespace quillon::app {

// Writes the main text as doc::Document::text() reads it (Windows-1252).
// False when the file cannot be written.
class PlainTextStore : public DocumentStore {
 public:
  bool save(doc::Document& document, const std::string& path) override;
};

// Answers every request for a name with "cancelled" and says so on stdout.
class CancellingNamePrompt : public NamePrompt {
 public:
  std::string askForName() override;
};

}  // namespace quillon::app
