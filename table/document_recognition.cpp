// Connects the file reader to the recogniser. In: a native file or one text
// stream, the dictionary and the citation form. Out: each paragraph handed to
// recognizeParagraph, which files its citations into the run's table; the
// table's `previous` cleared where each stream starts.
#include "table/document_recognition.h"

#include "recognize/recognizer.h"
#include "table/own_tables.h"

namespace table {
namespace {

// A document's own table of contents or authorities is not read: its lines
// would file every authority again, on the table's pages.
ParagraphSink recognizerFor(recognize::CitationTable& table, db::EntryTypeCollection& dictionary,
                            int citationForm, OwnTableFilter& ownTables) {
  return [&table, &dictionary, citationForm, &ownTables](recognize::TokenList& tokens) {
    if (ownTables.read(tokens)) recognize::recognizeParagraph(tokens, table, dictionary, citationForm);
  };
}

}  // namespace

ReadResult readDocumentFile(const std::uint8_t* bytes, std::size_t size, recognize::CitationTable& table,
                            db::EntryTypeCollection& dictionary, int citationForm, ProgressBar& progress) {
  OwnTableFilter ownTables;
  return readDocumentFile(bytes, size, progress, recognizerFor(table, dictionary, citationForm, ownTables),
                          [&table, &ownTables] {
                            table.previous = nullptr;
                            ownTables.reset();
                          });
}

std::optional<std::size_t> tokenizeStream(std::span<const std::uint8_t> stream, recognize::CitationTable& table,
                                          std::vector<NoteAnchor>& anchors, int initialPage,
                                          db::EntryTypeCollection& dictionary, int initialNoteNumber,
                                          int citationForm, ProgressBar& progress, int progressTarget) {
  table.previous = nullptr;
  OwnTableFilter ownTables;
  return tokenizeStream(stream, anchors, initialPage, initialNoteNumber, progress, progressTarget,
                        recognizerFor(table, dictionary, citationForm, ownTables));
}

}  // namespace table
