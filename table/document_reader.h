// Reads the text of a saved native document file. In: the file's bytes and
// the progress bar. Out: every paragraph of the main text and then of each
// note's text turned into tokens and handed to a sink, in document order; the
// progress bar moved to 75 after the main text and to 85 after the notes.
// Knows nothing of citations: document_recognition.h hands the paragraphs to
// the recogniser.
//
// Errors: none thrown; damage is returned. A damaged file (an offset, length
// or packet number outside it, a function shorter than its own header or
// without its closing byte, a fixed-length function never closed) ends the
// affected stream at the damage and reading goes on with the next stream;
// nothing outside `bytes` is read. Beyond the offsets it reads, the reader
// checks what the host writes around them: the signature, a known version
// (1 or 2) and, from version 2 on, the file length stored at byte 16, so that
// a file cut short anywhere is told from a whole one; one note packet per
// reference in the main text, each of type 1 with a prefix that agrees with
// its size (such a note's text is still read). The read's result says
// whether and where it met damage, so that a caller never takes a damaged
// file for a shorter whole one.
//
// The main text skips a table that an earlier run built at the cursor: the
// bytes from the start to the end of its range mark (table_marks.h), stored
// as bookmark codes, give no tokens, no paragraph ends, no pages and no
// change of attributes, as if the table were not there; the open document
// loses that text before the new table is written. A start without a later
// end (a damaged file, or a range reduced to a point) skips nothing, and
// damage inside the range is read as damage after the start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "recognize/token.h"
#include "table/progress_bar.h"

namespace table {

// A note reference met in a text stream: the packet that holds the note's
// text, the logical page at the reference, and the note number that the
// note's own tokens carry (odd: 1, 3, 5, ... in reference order).
struct NoteAnchor {
  std::uint16_t packet = 0;
  int page = 1;
  int noteNumber = 1;

  bool operator==(const NoteAnchor&) const = default;
};

// What a read found wrong with the file: nothing for a whole file, else the
// lowest file offset at which it found damage (the file's length for a file
// cut short, the first byte of a malformed function, 0 for a file without
// the signature).
struct ReadResult {
  std::optional<std::size_t> damagedAt;

  bool operator==(const ReadResult&) const = default;
};

// Progress positions of a read.
inline constexpr int kProgressAfterMainText = 75;
inline constexpr int kProgressAfterNotes = 85;

// Receives each paragraph's tokens in document order (an empty list for an
// empty paragraph). The list is freed after the call.
using ParagraphSink = std::function<void(recognize::TokenList&)>;

// Told that a text stream (the main text, one note's text) begins, before
// its first paragraph.
using StreamStartSink = std::function<void()>;

// --- Whole file ---------------------------------------------------------

// Reads the main text from the document-area offset to the end of the file,
// then the text of every note whose reference the main text holds, in the
// order of the references; notes referenced inside a note's text are not
// followed, and a note whose text lies outside the file is skipped.
// `streamStart` (when set) is called before each stream read, each paragraph
// goes to `sink`. `bytes` may be null when `size` is 0 (damaged at 0).
// Example: if (auto at = readDocumentFile(file.data(), file.size(), bar,
//                                         keepParagraph).damagedAt) warn(*at);
ReadResult readDocumentFile(const std::uint8_t* bytes, std::size_t size, ProgressBar& progress,
                            const ParagraphSink& sink, const StreamStartSink& streamStart = {});

// --- One text stream ----------------------------------------------------

// Which text a stream holds; only the main text can hold marks.
enum class TextStream { Main, Note };

// Tokenizes one text stream (the bytes from its start to its end) and hands
// each paragraph to `sink`; the main text skips an old table's range. Pages start at `initialPage`, tokens carry
// `initialNoteNumber` (raised by 2 at each note reference met), every note
// reference met is appended to `anchors`, and the progress bar advances
// evenly from its position to `progressTarget`, which it holds at the end
// (a bar already past it is set back). Returns the offset in `stream` of
// the damage that ended it early, or nothing when it was read to its end.
std::optional<std::size_t> tokenizeStream(std::span<const std::uint8_t> stream, std::vector<NoteAnchor>& anchors,
                                          int initialPage, int initialNoteNumber, ProgressBar& progress,
                                          int progressTarget, const ParagraphSink& sink,
                                          TextStream text = TextStream::Main);

}  // namespace table
