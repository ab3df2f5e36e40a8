// Opening and saving documents as files. In: a path. Out: the document's
// content read from a native or Markdown file, or the native file written.
#pragma once

#include <string>
#include <string_view>
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

// Writes the native file with writeFileSafely. Throws FormatError
// "cannot save PATH: REASON", the old file left as it was.
void saveNativeFile(doc::Document& document, const std::string& path);

// Every file the host writes goes through here (platform::writeWholeFile):
// links are written through, nothing but a regular file is replaced, the old
// contents survive any failure. Returns "" when written, else the reason:
// kReadOnlyReason, "it is not a regular file", or the system's text.
// Example: writeFileSafely("/dev/full", "x") == "it is not a regular file"
std::string writeFileSafely(const std::string& path, std::string_view bytes);

inline constexpr const char* kReadOnlyReason = "This document is read-only";

}  // namespace quillon::format
