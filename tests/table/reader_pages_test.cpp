// Notes and progress as the reader counts them: note texts read after the
// main text with their reference's page and odd note numbers, where each
// stream starts, and the progress bar's even steps to 75 and share of ten for
// the notes.
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
  const struct {
    const char* name;
    int notes;
    std::vector<int> positionsSet;  // every setPosition, in order
  } rows[] = {
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
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), bar,
                          [&](recognize::TokenList&) { positions.push_back(bar.position()); });
  ASSERT_EQ(positions.size(), 400u);
  EXPECT_LE(bar.highestStep, table::kProgressAfterMainText);
  EXPECT_NEAR(positions[199], 37, 2) << "halfway through, about halfway to 75";
  const struct {
    const char* name;
    std::string stream;
    int start, steps, end;
  } rows[] = {
      {"fewer bytes than positions: a step per byte", "Roe", 70, 3, 75},
      {"steps that would overshoot stop at the target", std::string(100, 'x'), 0, 75, 75},
      {"a bar past the target is set back", paragraphs(20), 90, 0, 75},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingProgressBar stream;
    stream.setPosition(row.start);
    std::vector<table::NoteAnchor> anchors;
    table::tokenizeStream(bytesOf(row.stream), anchors, 1, 0, stream, 75, [](recognize::TokenList&) {});
    EXPECT_EQ(stream.steps, row.steps);
    EXPECT_EQ(stream.position(), row.end);
  }
}

}  // namespace
