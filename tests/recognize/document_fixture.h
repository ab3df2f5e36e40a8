// What the recogniser tests share: the shipped dictionary, and a run of the
// real file reader over a document made from Markdown by the stand-in host.
#pragma once

#include <string>
#include <string_view>

#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"

namespace recognize::testing {

// The staged tabauth3.db's dictionary, loaded once per test program.
db::EntryTypeCollection& shippedDictionary();

// Imports `markdown`, saves it in the native format, reads the saved bytes
// with readDocumentFile and returns the filled table.
CitationTable recognizeMarkdown(std::string_view markdown, int citationForm = kBluebook);

// The citation's text as the table writer types it (its trimmed tokens).
std::string citationText(const Citation& citation);

// The citation whose text starts with `prefix`, or null.
const Citation* findCitation(const CitationTable& table, std::string_view prefix);

}  // namespace recognize::testing
