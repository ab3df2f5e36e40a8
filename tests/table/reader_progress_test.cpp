// The progress bar during a read: even steps up to 75 over the main text, a
// share of the remaining ten for each note, 85 at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "factories.h"

namespace {

using namespace tabletest;

std::string paragraphs(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "Smith" + kBlank + "v." + kBlank + "Jones" + kHardReturn;
  return text;
}

struct ProgressRow {
  const char* name;
  int notes;
  std::vector<int> positionsSet;  // every setPosition, in order
};
// Rows print as their names in test listings.
void PrintTo(const ProgressRow& row, std::ostream* os) { *os << row.name; }

class ReadProgress : public ::testing::TestWithParam<ProgressRow> {};

TEST_P(ReadProgress, SetsTheTargetOfEachStream) {
  std::string main = paragraphs(50);
  std::vector<std::string> notes;
  for (int i = 0; i < GetParam().notes; ++i) {
    main += noteReference(static_cast<unsigned>(i));
    notes.push_back(paragraphs(3));
  }
  RecordingProgressBar bar;
  readFile(nativeFile(main, notes), &bar);
  EXPECT_EQ(bar.set, GetParam().positionsSet);
}

INSTANTIATE_TEST_SUITE_P(
    Notes, ReadProgress,
    ::testing::Values(ProgressRow{"NoNotes", 0, {75, 85}},
                      ProgressRow{"OneNoteTakesAllTen", 1, {75, 85, 85}},
                      ProgressRow{"ThreeNotesTakeThreeEach", 3, {75, 78, 81, 84, 85}},
                      ProgressRow{"ElevenNotesTakeNothingEach", 11,
                                  {75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 75, 85}}),
    [](const auto& info) { return info.param.name; });

TEST(ReadProgress, MainTextStepsEvenlyAndNeverPassesItsTarget) {
  const std::string main = paragraphs(400);  // several thousand bytes
  RecordingProgressBar bar;
  Collected collected;
  recognize::CitationTable table;
  std::vector<int> positions;
  const std::string file = nativeFile(main);
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), table, bar,
                          [&](recognize::TokenList&) { positions.push_back(bar.position()); });
  ASSERT_EQ(positions.size(), 400u);
  EXPECT_GE(bar.steps, 70);
  EXPECT_LE(bar.highestStep, table::kProgressAfterMainText);
  // Halfway through the paragraphs the bar stands about halfway to 75.
  EXPECT_NEAR(positions[199], 37, 2);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
}

TEST(ReadProgress, StreamWithFewerBytesThanPositionsStepsEveryByte) {
  RecordingProgressBar bar;
  bar.setPosition(70);
  bar.set.clear();
  recognize::CitationTable table;
  std::vector<table::NoteAnchor> anchors;
  table::tokenizeStream(bytesOf("Roe"), table, anchors, 1, 0, bar, 75, [](recognize::TokenList&) {});
  EXPECT_EQ(bar.steps, 3);
  EXPECT_EQ(bar.set, std::vector<int>{75});
}

TEST(ReadProgress, StepsThatWouldOvershootStopAtTheTarget) {
  // 100 bytes for 75 positions: a step per byte would run to 99.
  RecordingProgressBar bar;
  recognize::CitationTable table;
  std::vector<table::NoteAnchor> anchors;
  table::tokenizeStream(bytesOf(std::string(100, 'x')), table, anchors, 1, 0, bar, 75,
                        [](recognize::TokenList&) {});
  EXPECT_EQ(bar.steps, 75);
  EXPECT_EQ(bar.highestStep, 75);
}

TEST(ReadProgress, BarAlreadyPastTheTargetIsSetBack) {
  RecordingProgressBar bar;
  bar.setPosition(90);
  recognize::CitationTable table;
  std::vector<table::NoteAnchor> anchors;
  table::tokenizeStream(bytesOf(paragraphs(20)), table, anchors, 1, 0, bar, 75, [](recognize::TokenList&) {});
  EXPECT_EQ(bar.steps, 0);
  EXPECT_EQ(bar.position(), 75);
}

}  // namespace
