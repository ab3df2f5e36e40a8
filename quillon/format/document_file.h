// Opening and saving documents as files. In: a path. Out: the document's
// content read from a native or Markdown file, or the native file written.
#pragma once

#include <string>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/native_format.h"

namespace quillon::format {

enum class FileKind { Native, Markdown };

struct OpenedFile {
  doc::DocumentContent content;
  FileKind kind = FileKind::Native;
  std::vector<std::string> warnings;  // from a Markdown import
};

// Native when the file starts with the signature; Markdown when its name ends
// in ".md" or ".markdown" and it is UTF-8 text. Throws FormatError with a
// message naming the path: the file is missing or unreadable, is neither kind,
// or is a damaged native file.
OpenedFile openDocumentFile(const std::string& path);

// Writes the native file through a temporary file renamed over `path`, so an
// old file survives a failed save. Throws FormatError naming the path.
void saveNativeFile(doc::Document& document, const std::string& path);

}  // namespace quillon::format
