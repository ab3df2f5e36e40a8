// Walks a saved native file's text streams. In: the file's bytes. Out: the
// main text and then each referenced note's text tokenized, paragraph by
// paragraph, into the sink; the progress bar at 85.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "table/document_reader.h"
#include "table/internal/file_bytes.h"

namespace table {
namespace {

constexpr std::uint64_t kDocumentAreaAt = 4;
constexpr std::uint64_t kPacketIndexAt = 14;
constexpr std::uint64_t kIndexEntrySize = 14;
constexpr std::uint64_t kPacketSizeAt = 6;
constexpr std::uint64_t kPacketOffsetAt = 10;
constexpr std::uint64_t kNoteTextPrefix = 10;
constexpr int kInitialPage = 1;
constexpr int kMainTextNoteNumber = 0;
constexpr int kProgressForNotes = kProgressAfterNotes - kProgressAfterMainText;

// The bytes of the note text that packet `packet` holds, or an empty span
// when the index entry or the text lies outside the file. A text running
// past the file's end is read up to the end.
std::span<const std::uint8_t> noteText(std::span<const std::uint8_t> file, std::uint64_t indexOffset,
                                       std::uint16_t packet) {
  const std::uint64_t entry = indexOffset + kIndexEntrySize * packet;
  const auto size = internal::read32(file, entry + kPacketSizeAt);
  const auto offset = internal::read32(file, entry + kPacketOffsetAt);
  if (!size || !offset) return {};
  const std::uint64_t start = std::uint64_t{*offset} + kNoteTextPrefix;
  const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t{*offset} + *size, file.size());
  if (start >= end) return {};
  return file.subspan(start, end - start);
}

}  // namespace

void readDocumentFile(const std::uint8_t* bytes, std::size_t size, ProgressBar& progress, const ParagraphSink& sink,
                      const StreamStartSink& streamStart) {
  const std::span<const std::uint8_t> file = bytes != nullptr ? std::span(bytes, size) : std::span<const std::uint8_t>{};

  const auto documentArea = internal::read32(file, kDocumentAreaAt);
  const std::uint64_t mainStart = documentArea ? std::min<std::uint64_t>(*documentArea, file.size()) : file.size();
  std::vector<NoteAnchor> anchors;
  if (streamStart) streamStart();
  tokenizeStream(file.subspan(mainStart), anchors, kInitialPage, kMainTextNoteNumber, progress,
                 kProgressAfterMainText, sink);

  const auto indexOffset = internal::read16(file, kPacketIndexAt);
  const int stepPerNote = anchors.empty() ? kProgressForNotes
                                          : static_cast<int>(std::size_t{kProgressForNotes} / anchors.size());
  int target = kProgressAfterMainText;
  std::vector<NoteAnchor> nestedAnchors;  // collected, never followed
  for (const NoteAnchor& anchor : anchors) {
    target += stepPerNote;
    if (!indexOffset) continue;
    const std::span<const std::uint8_t> text = noteText(file, *indexOffset, anchor.packet);
    if (text.empty()) continue;
    if (streamStart) streamStart();
    tokenizeStream(text, nestedAnchors, anchor.page, anchor.noteNumber, progress, target, sink, TextStream::Note);
  }
  progress.setPosition(kProgressAfterNotes);
}

}  // namespace table
