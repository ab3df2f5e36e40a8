// Where the host's save commands go. In: the document and a file path, or a
// request for a name. Out: whether the file was written, or the chosen path.
//
// The native file format implements DocumentStore; the batch host and the
// desktop window implement NamePrompt. Both are passed into DocumentEngine so
// that tests can record what was asked.
#pragma once

#include <string>

#include "quillon/doc/document.h"

namespace quillon {

class DocumentStore {
 public:
  virtual ~DocumentStore() = default;
  // Writes the document to `path`; false when the file could not be written
  // (the document then stays modified and keeps its old name).
  virtual bool save(doc::Document& document, const std::string& path) = 0;
};

class NamePrompt {
 public:
  virtual ~NamePrompt() = default;
  // Asks the user for a file path to save an unnamed document under; the
  // empty string means the user cancelled.
  virtual std::string askForName() = 0;
};

}  // namespace quillon
