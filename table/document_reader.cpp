// Walks a saved native file's text streams. In: the file's bytes. Out: the
// main text and then each referenced note's text tokenized, paragraph by
// paragraph, into the sink; the progress bar at 85; where the file is damaged.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "table/document_reader.h"
#include "table/internal/file_bytes.h"

namespace table {
namespace {

constexpr std::array<std::uint8_t, 4> kSignature = {0xFF, 'Q', 'D', 'C'};
constexpr std::uint64_t kDocumentAreaAt = 4;
constexpr std::uint64_t kVersionAt = 8;
constexpr std::uint64_t kPacketCountAt = 10;
constexpr std::uint64_t kPacketIndexAt = 14;
constexpr std::uint64_t kFileLengthAt = 16;
constexpr std::uint64_t kLengthlessHeader = 16;
constexpr std::uint64_t kLengthHeader = 20;
constexpr std::uint32_t kLengthlessVersion = 1;  // written before the length field
constexpr std::uint32_t kLengthVersion = 2;
constexpr std::uint64_t kIndexEntrySize = 14;
constexpr std::uint64_t kPacketSizeAt = 6;
constexpr std::uint64_t kPacketOffsetAt = 10;
constexpr std::uint64_t kNoteTextPrefix = 10;  // type (1 for a note), text length, 0
constexpr std::uint32_t kNotePacket = 1;
constexpr int kInitialPage = 1;
constexpr int kMainTextNoteNumber = 0;
constexpr int kProgressForNotes = kProgressAfterNotes - kProgressAfterMainText;

// Keeps the lowest offset at which damage was met.
struct Damage {
  std::optional<std::size_t> at;
  void met(std::uint64_t offset) {
    const auto where = static_cast<std::size_t>(offset);
    if (!at || where < *at) at = where;
  }
};

// Checks the header beyond the two offsets that the walk needs and returns
// the bytes that belong to the file: all of them, or the length that a
// version 2 header stores when the file has grown past it.
std::span<const std::uint8_t> checkedFile(std::span<const std::uint8_t> file, Damage& damage) {
  if (file.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) {
    damage.met(0);
  }
  const auto version = internal::read16(file, kVersionAt);
  if (!version) {
    damage.met(file.size());
  } else if (*version == kLengthVersion) {
    const auto length = internal::read32(file, kFileLengthAt);
    if (!length) {
      damage.met(file.size());
    } else if (*length != file.size()) {
      damage.met(std::min<std::uint64_t>(*length, file.size()));
      return file.first(std::min<std::size_t>(*length, file.size()));
    }
  } else if (*version != kLengthlessVersion) {
    damage.met(kVersionAt);
  }
  return file;
}

// The bytes of the note text that packet `packet` holds, or an empty span
// when the index entry or the text lies outside the file. A text running
// past the file's end is read up to the end. Either is damage, and so is an
// entry or a packet prefix that the host would not write (another type, a
// text length other than the packet's size less the prefix): the text is
// read all the same.
std::span<const std::uint8_t> noteText(std::span<const std::uint8_t> file, std::uint64_t indexOffset,
                                       std::uint16_t packet, Damage& damage) {
  const std::uint64_t entry = indexOffset + kIndexEntrySize * packet;
  const auto size = internal::read32(file, entry + kPacketSizeAt);
  const auto offset = internal::read32(file, entry + kPacketOffsetAt);
  if (!size || !offset) {
    damage.met(std::min<std::uint64_t>(entry, file.size()));
    return {};
  }
  if (internal::read16(file, entry) != kNotePacket) damage.met(entry);
  if (*size < kNoteTextPrefix) damage.met(entry + kPacketSizeAt);
  if (std::uint64_t{*offset} + *size > file.size()) damage.met(file.size());
  if (internal::read16(file, *offset) != kNotePacket ||
      internal::read32(file, *offset + 2) != *size - kNoteTextPrefix) {
    damage.met(std::min<std::uint64_t>(*offset, file.size()));
  }
  const std::uint64_t start = std::uint64_t{*offset} + kNoteTextPrefix;
  const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t{*offset} + *size, file.size());
  if (start >= end) return {};
  return file.subspan(start, end - start);
}

}  // namespace

ReadResult readDocumentFile(const std::uint8_t* bytes, std::size_t size, ProgressBar& progress,
                            const ParagraphSink& sink, const StreamStartSink& streamStart) {
  Damage damage;
  const std::span<const std::uint8_t> file =
      checkedFile(bytes != nullptr ? std::span(bytes, size) : std::span<const std::uint8_t>{}, damage);

  const auto documentArea = internal::read32(file, kDocumentAreaAt);
  const std::uint64_t header =
      internal::read16(file, kVersionAt) == kLengthVersion ? kLengthHeader : kLengthlessHeader;
  if (!documentArea || *documentArea > file.size()) {
    damage.met(file.size());
  } else if (*documentArea < header) {
    damage.met(kDocumentAreaAt);  // the main text would start inside the header
  }
  const std::uint64_t mainStart = documentArea ? std::min<std::uint64_t>(*documentArea, file.size()) : file.size();
  std::vector<NoteAnchor> anchors;
  if (streamStart) streamStart();
  if (const auto at = tokenizeStream(file.subspan(mainStart), anchors, kInitialPage, kMainTextNoteNumber, progress,
                                     kProgressAfterMainText, sink)) {
    damage.met(mainStart + *at);
  }

  const auto indexOffset = internal::read16(file, kPacketIndexAt);
  if (!indexOffset && !anchors.empty()) damage.met(file.size());
  if (indexOffset && *indexOffset > file.size()) damage.met(file.size());
  // The host writes one packet per note reference of the main text; a main
  // text that damage cut short holds fewer, so its damage is the one to name.
  if (!damage.at && internal::read16(file, kPacketCountAt) != anchors.size()) damage.met(kPacketCountAt);
  const int stepPerNote = anchors.empty() ? kProgressForNotes
                                          : static_cast<int>(std::size_t{kProgressForNotes} / anchors.size());
  int target = kProgressAfterMainText;
  std::vector<NoteAnchor> nestedAnchors;  // collected, never followed
  for (const NoteAnchor& anchor : anchors) {
    target += stepPerNote;
    if (!indexOffset) continue;
    const std::span<const std::uint8_t> text = noteText(file, *indexOffset, anchor.packet, damage);
    if (text.empty()) continue;
    if (streamStart) streamStart();
    if (const auto at = tokenizeStream(text, nestedAnchors, anchor.page, anchor.noteNumber, progress, target, sink,
                                       TextStream::Note)) {
      damage.met(static_cast<std::uint64_t>(text.data() - file.data()) + *at);
    }
  }
  progress.setPosition(kProgressAfterNotes);
  return {damage.at};
}

}  // namespace table
