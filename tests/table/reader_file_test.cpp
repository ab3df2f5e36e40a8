// Whole saved files as the reader walks them: note texts read after the main
// text with their reference's page and odd note numbers, where each stream
// starts, the progress bar's even steps to 75 and share of ten for the notes;
// and damaged files, where the reader never reads outside the file and never
// stops advancing: a stream ends at its damage and the others are still read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "factories.h"
#include "quillon/doc/document.h"
#include "quillon/format/native_format.h"

namespace {

using namespace tabletest;

TEST(FileNotes, NoteTextsFollowTheMainTextEachAsAStream) {
  const std::string main = "See" + noteReference(1) + kBlank + "x" + kHardReturn + "y" + kHardPageBreak + "z" +
                           noteReference(0) + kHardReturn;
  const Collected collected = readFile(nativeFile(main, {"Second" + kBlank + "note.", "First" + kHardReturn + "more"}));
  EXPECT_EQ(collected.events, (std::vector<std::string>{"^", "See | x |", "y |", "[2/2] z |", "^", "[1/1] First |",
                                                        "more", "^", "[2/2] Second | note."}));
  for (const auto& [text, note] : std::vector<std::pair<std::string, int>>{{"See", 0}, {"z", 2}, {"more", 1}, {"note.", 3}})
    EXPECT_EQ(collected.find(text)->noteNumber, note) << text;
  // A note referenced inside a note's text is not followed.
  EXPECT_EQ(readFile(nativeFile("a" + noteReference(0), {"outer" + noteReference(1) + "tail", "inner"})).events,
            (std::vector<std::string>{"^", "a", "^", "outer tail"}));
}

TEST(FileNotes, SavedDocumentNoteStartsAtItsReferencesPage) {
  // The host's own writer: page-number codes, breaks and a note as it saves them.
  quillon::doc::Document document;
  document.typeText("one");
  document.hardPageBreak();
  document.insertPageNumberCode(10);
  document.typeText("two");
  document.insertNote("inside");
  document.hardPageBreak();
  document.typeText("three");
  EXPECT_EQ(readFile(quillon::format::writeNative(document)).events,
            (std::vector<std::string>{"^", "one |", "[10/2] two |", "[11/3] three", "^", "[10/10] inside"}));
}

std::string paragraphs(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "Smith" + kBlank + "v." + kBlank + "Jones" + kHardReturn;
  return text;
}

TEST(ReadProgress, SetsTheTargetOfEachStream) {
  // positionsSet: every setPosition, in order
  const struct { const char* name; int notes; std::vector<int> positionsSet; } rows[] = {
      {"no notes", 0, {75, 85}},
      {"three notes take three each", 3, {75, 78, 81, 84, 85}},
      {"eleven notes take nothing each", 11, {75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 85}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string main = paragraphs(50);
    for (int i = 0; i < row.notes; ++i) main += noteReference(static_cast<unsigned>(i));
    RecordingProgressBar bar;
    readFile(nativeFile(main, std::vector<std::string>(static_cast<std::size_t>(row.notes), paragraphs(3))), &bar);
    EXPECT_EQ(bar.set, row.positionsSet);
  }
}

TEST(ReadProgress, StepsEvenlyAndNeverPastTheTarget) {
  RecordingProgressBar bar;
  std::vector<int> positions;
  const std::string file = nativeFile(paragraphs(400));
  table::readDocumentFile(bytesOf(file), file.size(), bar,
                          [&](recognize::TokenList&) { positions.push_back(bar.position()); });
  ASSERT_EQ(positions.size(), 400u);
  EXPECT_LE(bar.highestStep, table::kProgressAfterMainText);
  EXPECT_NEAR(positions[199], 37, 2) << "halfway through, about halfway to 75";
  const struct { const char* name; std::string stream; int start, steps, end; } rows[] = {
      {"fewer bytes than positions: a step per byte", "Roe", 70, 3, 75},
      {"steps that would overshoot stop at the target", std::string(100, 'x'), 0, 75, 75},
      {"a bar past the target is set back", paragraphs(20), 90, 0, 75},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingProgressBar stream;
    stream.setPosition(row.start);
    std::vector<table::NoteAnchor> anchors;
    table::tokenizeStream({bytesOf(row.stream), row.stream.size()}, anchors, 1, 0, stream, 75,
                          [](recognize::TokenList&) {});
    EXPECT_EQ(stream.steps, row.steps);
    EXPECT_EQ(stream.position(), row.end);
  }
}

// Overwrites bytes of a well-formed file.
std::string patched(std::string file, std::size_t at, const std::string& bytes) {
  return file.replace(at, bytes.size(), bytes);
}

TEST(DamagedFile, ReadsWhatLiesBeforeTheDamage) {
  const std::string twoNotes = nativeFile("a" + noteReference(0) + "b" + noteReference(1), {"n0", "n1"});
  const auto size = static_cast<unsigned>(twoNotes.size());
  constexpr std::size_t kEntry0 = 16, kEntry1 = 30;  // index entry p: size at +6, data offset at +10
  const std::string ab = "ab" + byte(0xD0) + byte(1);
  const struct { const char* name; std::string file; std::vector<std::string> paragraphs; } rows[] = {
      {"well-formed control", twoNotes, {"a b", "n0", "n1"}},
      {"empty file", "", {}},
      {"shorter than the document offset", "\xFFQD", {}},
      {"document area beyond the file", patched(twoNotes, 4, le32(0x7FFFFFF0)), {}},
      {"header without packet index field", "\xFFQDC" + le32(8) + "x", {"x"}},
      {"packet index beyond the file", patched(twoNotes, 14, le16(0xFFFF)), {"a b"}},
      {"packet number beyond the index", nativeFile("a" + noteReference(900) + "b" + noteReference(1), {"n0", "n1"}),
       {"a b", "n1"}},
      {"packet data beyond the file", patched(twoNotes, kEntry0 + 10, le32(0xFFFFFFF0)), {"a b", "n1"}},
      {"packet smaller than its prefix", patched(twoNotes, kEntry0 + 6, le32(4)), {"a b", "n1"}},
      {"packet runs past the end of file", patched(twoNotes, kEntry1 + 6, le32(size)), {"a b", "n0", "n1a b"}},
      {"variable length shorter than its header", nativeFile(ab + le16(3) + "cd"), {"ab"}},
      {"variable length past the end", nativeFile(ab + le16(200) + "cd"), {"ab"}},
      {"variable header cut off", nativeFile("ab" + byte(0xD9) + byte(1)), {"ab"}},
      {"note start too short for its packet", nativeFile("ab" + function(0xD7, 0, "x") + "cd"), {"ab"}},
      {"page number too short for its value", nativeFile("ab" + function(0xD8, 2, "xyz") + "cd"), {"ab"}},
      {"attribute never closed", nativeFile("ab" + byte(0xF2) + byte(8) + "cd"), {"ab"}},
      {"extended character never closed", nativeFile("ab" + byte(0xF0) + byte(6) + byte(4) + "cd"), {"ab"}},
      {"extended character cut off", nativeFile("ab" + byte(0xF0) + byte(6)), {"ab"}},
      {"skip block never ended", nativeFile("ab" + byte(0xF1) + byte(0) + "cdefghij"), {"ab"}},
      {"skip block ending at the last byte", nativeFile("ab" + byte(0xF1) + byte(0) + "cdef" + byte(0xF1) + byte(1)),
       {"ab"}},
      {"long fixed function never closed", nativeFile("ab" + byte(0xFA) + "cd"), {"ab"}},
      {"damage in a note spares the others",
       nativeFile("a" + noteReference(0) + noteReference(1), {"x" + byte(0xD0) + byte(1) + le16(0) + "y", "n1"}),
       {"a", "x", "n1"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingProgressBar bar;
    EXPECT_EQ(readFile(row.file, &bar).spelled, row.paragraphs);
    EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
  }
  table::NullProgressBar bar;
  int paragraphs = 0;
  table::readDocumentFile(nullptr, 0, bar, [&](recognize::TokenList&) { ++paragraphs; });
  EXPECT_EQ(paragraphs, 0) << "null bytes read as an empty file";
  EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
}

}  // namespace
