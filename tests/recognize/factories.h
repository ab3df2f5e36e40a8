// What the recogniser tests share: the shipped dictionary; a run of the real
// file reader over a document made from Markdown by the stand-in host; tokens
// typed by hand for the paragraph ends a document cannot produce; and the
// texts and occurrences a test compares.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "recognize/token.h"

namespace recognize::testing {

// The staged tabauth3.db's dictionary, loaded once per test program.
db::EntryTypeCollection& shippedDictionary();

// Imports `markdown`, saves it in the native format, reads the saved bytes
// with the real reader and recogniser and returns the filled table.
CitationTable recognizeMarkdown(std::string_view markdown, int citationForm = kBluebook);

// The main text's non-empty paragraphs of such a document, as tokens, with
// nothing recognised. A note's text is where a paragraph ends on a word: every
// other paragraph ends in the blank of its hard return.
std::vector<TokenList> paragraphsOf(std::string_view markdown);

// Tokens from short codes: " " a blank, "~" a hard space, "§" the section
// sign, "<<" and ">>" the typographic quotation marks; anything else a word.
TokenList tokensOf(const std::vector<std::string>& codes);

// Tokens as typed: blanks and hard spaces as " ", the section sign as "§",
// the quotation marks as "<<" and ">>", other specials as "{set:number}".
std::string typed(const TokenList& tokens);
// The citation's text as the table writer types it (its trimmed tokens).
inline std::string citationText(const Citation& citation) { return typed(citation.tokens); }
// The words of one occurrence group.
inline std::string occurrenceText(const Citation& citation, std::size_t occurrence) {
  return occurrence < citation.occurrenceGroups.size() ? typed(citation.occurrenceGroups[occurrence]) : "<no group>";
}

// Every citation as "text xN" (N occurrences), in table order; "" for none.
std::string summary(const CitationTable& table);

// Every key of the table, for failure messages.
std::string allKeys(const CitationTable& table);

}  // namespace recognize::testing
