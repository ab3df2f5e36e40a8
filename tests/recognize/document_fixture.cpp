// What the recogniser tests share. In: Markdown written by a test. Out: the
// citation table that the real file reader and recogniser make of the native
// file the stand-in host saves for it, and the texts a test compares.
#include "tests/recognize/document_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "db/connection.h"
#include "platform/platform.h"
#include "quillon/doc/charsets.h"
#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"

namespace recognize::testing {
namespace {

// A token as a reader sees it typed: blanks and hard spaces as " ", special
// characters as their Unicode character, word bytes as they stand (the
// reader only makes ASCII words).
std::string tokenText(const Token& token) {
  if (token.isBlank() || token.isHardSpace()) return " ";
  if (token.isSpecial() && token.text.size() == 2) {
    const auto set = static_cast<std::uint8_t>(token.text[0]);
    const auto number = static_cast<std::uint8_t>(token.text[1]);
    std::string out;
    quillon::doc::appendUtf8(out, quillon::doc::specialToUnicode(set, number).value_or(U'?'));
    return out;
  }
  return token.text;
}

db::EntryTypeCollection loadShippedDictionary() {
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);
  const std::string previousPath = db::databasePath();
  db::setDatabasePath(LEXORDA_SHIPPED_DB);
  db::EntryTypeCollection dictionary;
  try {
    dictionary.LoadEntryTypes();
  } catch (const std::exception& error) {
    db::setDatabasePath(previousPath);
    throw std::runtime_error(std::string("cannot load the shipped dictionary: ") + error.what());
  }
  db::setDatabasePath(previousPath);
  for (const auto& message : messages.shown()) {
    ADD_FAILURE() << "loading the shipped dictionary showed " << message.caption << ": " << message.text;
  }
  // Tests that want case names expanded set the context themselves.
  setAbbreviationContext(nullptr, false);
  return dictionary;
}

}  // namespace

db::EntryTypeCollection& shippedDictionary() {
  static db::EntryTypeCollection dictionary = loadShippedDictionary();
  return dictionary;
}

CitationTable recognizeMarkdown(std::string_view markdown, int citationForm) {
  db::EntryTypeCollection& dictionary = shippedDictionary();
  quillon::format::MarkdownImport imported = quillon::format::importMarkdown(markdown);
  for (const std::string& warning : imported.warnings) ADD_FAILURE() << "Markdown import: " << warning;
  quillon::doc::Document document(std::move(imported.content));
  const std::string file = quillon::format::writeNative(document);
  CitationTable table;
  table::NullProgressBar progress;
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), table, dictionary,
                          citationForm, progress);
  return table;
}

std::string citationText(const Citation& citation) {
  std::string text;
  for (const Token& token : citation.tokens) text += tokenText(token);
  return text;
}

const Citation* findCitation(const CitationTable& table, std::string_view prefix) {
  for (const auto& citation : table.citations) {
    if (citation && citationText(*citation).starts_with(prefix)) return citation.get();
  }
  return nullptr;
}

}  // namespace recognize::testing
