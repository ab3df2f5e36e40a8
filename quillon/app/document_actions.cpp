// Opening, placing, saving, exporting and listing a batch run's document.
#include "quillon/app/document_actions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "quillon/app/bookmark_listing.h"
#include "quillon/app/command_line.h"
#include "quillon/app/console.h"
#include "quillon/app/document_saving.h"
#include "quillon/app/docx.h"
#include "quillon/app/exit_codes.h"
#include "quillon/doc/charsets.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "quillon/render/pdf_export.h"

namespace quillon::app {
namespace {

bool writeStandardOutput(const std::string& bytes) {
  std::fflush(stdout);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return std::fflush(stdout) == 0 && written;
}

}  // namespace

int openDocument(DocumentEngine& engine, const std::string& path) {
  if (isDocxPath(path)) {
    DocxImport imported = importDocx(path);
    if (!imported.error.empty()) {
      reportError(imported.error);
      return std::filesystem::is_regular_file(path) ? kExitConversion : kExitCannotOpen;
    }
    engine.openDocument(std::move(imported.content), {});
    printLine("opened: " + path + " (docx)");
    for (const std::string& warning : imported.warnings) reportWarning(warning);
    return kExitOk;
  }
  format::OpenedFile opened;
  try {
    opened = format::openDocumentFile(path);
  } catch (const format::FormatError& error) {
    reportError(error.what());
    return kExitCannotOpen;
  }
  const bool native = opened.kind == format::FileKind::Native;
  engine.openDocument(std::move(opened.content), native ? absolutePath(path) : std::string{});
  printLine("opened: " + path + (native ? " (native)" : " (Markdown)"));
  for (const std::string& warning : opened.warnings) reportWarning(warning);
  return kExitOk;
}

int placeInsertionPoint(doc::Document& document, const Placement& placement) {
  const std::optional<std::size_t> position = placementPosition(document, placement);
  if (!position) {
    reportError(placement.kind == PlacementKind::BeforeText
                    ? "text not found: " + placement.text
                    : "paragraph " + std::to_string(placement.paragraph) + " not found");
    return kExitNotFound;
  }
  document.moveTo(*position);
  return kExitOk;
}

void editDocument(doc::Document& document, const std::vector<DocumentEdit>& edits) {
  for (const DocumentEdit& edit : edits) {
    if (edit.kind == EditKind::PageBreak) {
      document.hardPageBreak();
      continue;
    }
    for (const char32_t point : decodeUtf8(edit.text)) {
      if (const auto byte = doc::unicodeToCp1252(point)) {
        document.typeText(std::string(1, static_cast<char>(*byte)));
      } else if (const auto special = doc::unicodeToSpecial(point)) {
        document.insertSpecial(special->set, special->number);
      } else {
        document.typeText("?");
      }
    }
  }
}

int saveDocumentAs(DocumentEngine& engine, const std::string& path) {
  try {
    format::saveNativeFile(engine.document(), path);
  } catch (const format::FormatError& error) {
    reportError(error.what());
    return kExitCannotWrite;
  }
  engine.setPath(absolutePath(path));
  engine.document().setModified(false);
  printLine("saved: " + path);
  return kExitOk;
}

int exportDocument(doc::Document& document, ExportKind kind, const std::string& target) {
  std::string bytes;
  if (kind == ExportKind::Docx) {
    DocxExport converted = exportDocx(document);
    if (!converted.error.empty()) {
      reportError(converted.error);
      return kExitConversion;
    }
    bytes = std::move(converted.bytes);
  } else {
    bytes = kind == ExportKind::Text       ? format::exportText(document)
            : kind == ExportKind::Markdown ? format::exportMarkdown(document)
                                           : render::exportPdf(document);
  }
  if (target == kStandardOutput) {
    if (writeStandardOutput(bytes)) return kExitOk;
    reportError(std::string("cannot write standard output: ") + std::strerror(errno));
    return kExitCannotWrite;
  }
  // Never truncated first: a failed export leaves the old file whole.
  if (const std::string why = format::writeFileSafely(target, bytes); !why.empty()) {
    reportError("cannot write " + target + ": " + why);
    return kExitCannotWrite;
  }
  return kExitOk;
}

void printBookmarks(doc::Document& document) {
  for (const std::string& line : bookmarkLines(document)) printLine(line);
}

}  // namespace quillon::app
