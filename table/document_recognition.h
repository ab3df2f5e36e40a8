// Reads the citations out of a saved native document file. In: the file's
// bytes (or one text stream), the run's citation table, the dictionary, the
// citation form and the progress bar. Out: every paragraph the reader makes
// handed to recognizeParagraph, which fills the table; the progress bar as
// document_reader.h describes; where the file is damaged. Errors: none
// thrown, as for the reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"

namespace table {

// Reads the whole file as readDocumentFile of document_reader.h does and
// recognises each paragraph in `citationForm`. The table's `previous` is
// cleared at the start of every stream, so that an Id. or section sign never
// reaches back from a note into the main text or another note.
// Returns where the file is damaged, as the reader does.
// Example: readDocumentFile(file.data(), file.size(), table, dictionary,
//                           recognize::kBluebook, bar).damagedAt;
ReadResult readDocumentFile(const std::uint8_t* bytes, std::size_t size, recognize::CitationTable& table,
                            db::EntryTypeCollection& dictionary, int citationForm, ProgressBar& progress);

// Clears the table's `previous`, then tokenizes one stream as tokenizeStream
// of document_reader.h does and recognises each paragraph; returns where
// damage ended the stream.
std::optional<std::size_t> tokenizeStream(std::span<const std::uint8_t> stream, recognize::CitationTable& table,
                                          std::vector<NoteAnchor>& anchors, int initialPage,
                                          db::EntryTypeCollection& dictionary, int initialNoteNumber,
                                          int citationForm, ProgressBar& progress, int progressTarget);

}  // namespace table
