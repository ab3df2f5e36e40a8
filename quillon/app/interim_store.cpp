// Saving the program's document as plain text, and the batch host's answer
// when asked for a file name.
#include "quillon/app/interim_store.h"

#include <cstdio>
#include <fstream>

namespace quillon::app {

bool PlainTextStore::save(doc::Document& document, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string text = document.text();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

std::string CancellingNamePrompt::askForName() {
  std::puts("save: no file name given, saving cancelled");
  std::fflush(stdout);
  return {};
}

}  // namespace quillon::app
