// What the document engine saves through in a batch run. In: the host's save
// commands (a document and a path, or a request for a name). Out: the native
// file written, or the reason on standard error; the --name (or else --save)
// path offered as the name, or a cancel, and a "save prompt: ..." line on
// standard output.
#pragma once

#include <optional>
#include <string>

#include "quillon/commands/document_store.h"

namespace quillon::app {

// Saves with format::saveNativeFile. A failure prints its message to standard
// error and answers false, so the engine keeps the document modified and
// under its old name.
class NativeFileStore : public DocumentStore {
 public:
  bool save(doc::Document& document, const std::string& path) override;
};

// Answers every request for a name with the path given (--name, or else
// --save) as "save prompt: PATH" (the path made absolute), or without one as
// cancelled ("save prompt: cancelled").
class BatchNamePrompt : public NamePrompt {
 public:
  explicit BatchNamePrompt(std::optional<std::string> savePath) : savePath_(std::move(savePath)) {}
  std::string askForName() override;

 private:
  std::optional<std::string> savePath_;
};

// path made absolute and without "." or ".." steps, so that a document's
// folder stays right whatever the current folder becomes; path itself when
// that fails.
std::string absolutePath(const std::string& path);

}  // namespace quillon::app
