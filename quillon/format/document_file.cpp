// Opens and saves documents by path. In: a file path (and a document to save).
// Out: the content of a native or Markdown file, or the native file written
// so that a failed save leaves the old file whole and no other file is touched.
#include "quillon/format/document_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/platform.h"
#include "quillon/format/markdown.h"

namespace quillon::format {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void cannotOpen(const std::string& path, const std::string& why) {
  throw FormatError("cannot open " + path + ": " + why);
}

[[noreturn]] void cannotSave(const std::string& path, const std::string& why) {
  throw FormatError("cannot save " + path + ": " + why);
}

bool hasMarkdownName(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".md" || extension == ".markdown";
}

// Well-formed UTF-8 without NUL bytes: what a Markdown file must be. Rejects
// overlong forms, surrogates and code points beyond U+10FFFF.
bool isUtf8Text(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == 0) return false;
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra = 0;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (text.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    const char32_t smallest = extra == 2 ? 0x800 : extra == 3 ? 0x10000 : 0x80;
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::string reason() { return std::strerror(errno); }

}  // namespace

OpenedFile openDocumentFile(const std::string& path) {
  std::error_code error;
  const auto status = fs::status(path, error);
  if (error && error != std::errc::no_such_file_or_directory) cannotOpen(path, error.message());
  if (!fs::exists(status)) cannotOpen(path, "no such file");
  if (!fs::is_regular_file(status)) cannotOpen(path, "not a file");
  std::ifstream in(path, std::ios::binary);
  if (!in) cannotOpen(path, reason());
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) cannotOpen(path, reason());

  OpenedFile opened;
  if (isNative(bytes)) {
    try {
      opened.content = readNative(bytes);
    } catch (const FormatError& e) {
      cannotOpen(path, e.what());
    }
    return opened;
  }
  if (!hasMarkdownName(path) || !isUtf8Text(bytes)) {
    cannotOpen(path, "not a Quillon document or a Markdown file");
  }
  MarkdownImport imported = importMarkdown(bytes);
  opened.content = std::move(imported.content);
  opened.kind = FileKind::Markdown;
  opened.warnings = std::move(imported.warnings);
  return opened;
}

void saveNativeFile(doc::Document& document, const std::string& path) {
  std::string bytes;
  try {
    bytes = writeNative(document);
  } catch (const FormatError& e) {
    cannotSave(path, e.what());
  }
  if (const std::string why = writeFileSafely(path, bytes); !why.empty()) cannotSave(path, why);
}

std::string writeFileSafely(const std::string& path, std::string_view bytes) {
  const platform::FileWriteResult result = platform::writeWholeFile(path, bytes);
  switch (result.status) {
    case platform::FileWriteStatus::Ok: return {};
    case platform::FileWriteStatus::ReadOnly: return kReadOnlyReason;
    // A device or pipe would take the bytes somewhere other than a file, and
    // a folder cannot take them at all.
    case platform::FileWriteStatus::NotRegularFile: return "it is not a regular file";
    case platform::FileWriteStatus::Failed: break;
  }
  return std::strerror(result.errorNumber);
}

}  // namespace quillon::format
