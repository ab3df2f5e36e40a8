// The batch run's native store and name prompt.
#include "quillon/app/document_saving.h"

#include <filesystem>

#include "quillon/app/console.h"
#include "quillon/format/document_file.h"

namespace quillon::app {

bool NativeFileStore::save(doc::Document& document, const std::string& path) {
  try {
    format::saveNativeFile(document, path);
    return true;
  } catch (const format::FormatError& error) {
    reportError(error.what());
    return false;
  }
}

std::string BatchNamePrompt::askForName() {
  if (!savePath_) {
    printLine("save prompt: cancelled");
    return {};
  }
  printLine("save prompt: " + *savePath_);
  return absolutePath(*savePath_);
}

std::string absolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace quillon::app
