// What the recogniser tests share. In: Markdown or token codes written by a
// test. Out: the citation table that the real file reader and recogniser make
// of the native file the stand-in host saves for it, tokens, and the texts a
// test compares.
#include "tests/recognize/factories.h"

#include <cstdint>
#include <string>
#include <utility>

#include "db/connection.h"
#include "platform/platform.h"
#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "table/document_recognition.h"
#include "table/progress_bar.h"

namespace recognize::testing {
namespace {

db::EntryTypeCollection loadShippedDictionary() {
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);
  db::setDatabasePath(LEXORDA_SHIPPED_DB);
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();  // a failure throws and fails every test
  for (const auto& message : messages.shown()) ADD_FAILURE() << "loading the dictionary showed " << message.text;
  // Tests that want case names expanded set the context themselves.
  setAbbreviationContext(nullptr, false);
  return dictionary;
}

std::string nativeFileOf(std::string_view markdown) {
  quillon::format::MarkdownImport imported = quillon::format::importMarkdown(markdown);
  for (const std::string& warning : imported.warnings) ADD_FAILURE() << "Markdown import: " << warning;
  quillon::doc::Document document(std::move(imported.content));
  return quillon::format::writeNative(document);
}

}  // namespace

db::EntryTypeCollection& shippedDictionary() {
  static db::EntryTypeCollection dictionary = loadShippedDictionary();
  return dictionary;
}

CitationTable recognizeMarkdown(std::string_view markdown, int citationForm) {
  const std::string file = nativeFileOf(markdown);
  CitationTable table;
  table::NullProgressBar progress;
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), table,
                          shippedDictionary(), citationForm, progress);
  return table;
}

std::vector<TokenList> paragraphsOf(std::string_view markdown) {
  const std::string file = nativeFileOf(markdown);
  table::NullProgressBar progress;
  std::vector<TokenList> paragraphs;
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), progress,
                          [&paragraphs](TokenList& tokens) {
                            if (!tokens.empty()) paragraphs.push_back(tokens);
                          });
  return paragraphs;
}

TokenList tokensOf(const std::vector<std::string>& codes) {
  TokenList tokens;
  for (const std::string& code : codes) {
    Token& token = tokens.emplace_back(Token{.text = code});
    if (code == " ") token.kind = kBlank;
    const std::pair<const char*, const std::string*> specials[] = {
        {"~", &kHardSpaceText}, {"\xC2\xA7", &kSectionSignText}, {"<<", &kOpeningQuoteText}, {">>", &kClosingQuoteText}};
    for (const auto& [spelled, text] : specials) {
      if (code == spelled) token = Token{.text = *text, .kind = kSpecial};
    }
  }
  return tokens;
}

std::string typed(const TokenList& tokens) {
  std::string text;
  for (const Token& token : tokens) {
    if (token.isBlank() || token.isHardSpace()) {
      text += ' ';
    } else if (!token.isSpecial()) {
      text += token.text;
    } else if (token.isSectionSign()) {
      text += "\xC2\xA7";
    } else if (token.text == kOpeningQuoteText || token.text == kClosingQuoteText) {
      text += token.text == kOpeningQuoteText ? "<<" : ">>";
    } else {
      std::string spelled;
      for (const char c : token.text) spelled += (spelled.empty() ? "{" : ":") + std::to_string(static_cast<std::uint8_t>(c));
      text += spelled + "}";
    }
  }
  return text;
}

std::string summary(const CitationTable& table) {
  std::string out;
  for (const auto& citation : table.citations)
    out += (out.empty() ? "" : " | ") + citationText(*citation) + " x" +
           std::to_string(citation->occurrencePages.size());
  return out;
}

std::string allKeys(const CitationTable& table) {
  std::string keys;
  for (const auto& citation : table.citations) keys += "[" + citation->key + "] ";
  return keys;
}

}  // namespace recognize::testing
