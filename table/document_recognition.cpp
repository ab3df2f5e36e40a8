// Connects the file reader to the recogniser. In: a native file or one text
// stream, the dictionary and the citation form. Out: each paragraph handed to
// recognizeParagraph, which files its citations into the run's table; the
// table's `previous` cleared where each stream starts.
#include "table/document_recognition.h"

#include "recognize/recognizer.h"

namespace table {
namespace {

ParagraphSink recognizerFor(recognize::CitationTable& table, db::EntryTypeCollection& dictionary,
                            int citationForm) {
  return [&table, &dictionary, citationForm](recognize::TokenList& tokens) {
    recognize::recognizeParagraph(tokens, table, dictionary, citationForm);
  };
}

}  // namespace

ReadResult readDocumentFile(const std::uint8_t* bytes, std::size_t size, recognize::CitationTable& table,
                            db::EntryTypeCollection& dictionary, int citationForm, ProgressBar& progress) {
  return readDocumentFile(bytes, size, progress, recognizerFor(table, dictionary, citationForm),
                   [&table] { table.previous = nullptr; });
}

std::optional<std::size_t> tokenizeStream(std::span<const std::uint8_t> stream, recognize::CitationTable& table,
                                          std::vector<NoteAnchor>& anchors, int initialPage,
                                          db::EntryTypeCollection& dictionary, int initialNoteNumber,
                                          int citationForm, ProgressBar& progress, int progressTarget) {
  table.previous = nullptr;
  return tokenizeStream(stream, anchors, initialPage, initialNoteNumber, progress, progressTarget,
                 recognizerFor(table, dictionary, citationForm));
}

}  // namespace table
