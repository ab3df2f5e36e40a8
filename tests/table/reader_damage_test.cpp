// Damaged files: the reader never reads outside the file and never stops
// advancing; a stream ends at its damage and the other streams are still
// read.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "factories.h"

namespace {

using namespace tabletest;

struct DamageRow {
  const char* name;
  std::string file;
  std::vector<std::string> paragraphs;
};
// Rows print as their names in test listings.
void PrintTo(const DamageRow& row, std::ostream* os) { *os << row.name; }

// Overwrites bytes of a well-formed file.
std::string patched(std::string file, std::size_t at, const std::string& bytes) {
  file.replace(at, bytes.size(), bytes);
  return file;
}

const std::string kTwoNotes = nativeFile("a" + noteReference(0) + "b" + noteReference(1), {"n0", "n1"});
// Index entry p starts at 16 + 14 p: its size at + 6, its data offset at + 10.
constexpr std::size_t kEntry0 = 16;
constexpr std::size_t kEntry1 = 30;

class DamagedFile : public ::testing::TestWithParam<DamageRow> {};

TEST_P(DamagedFile, ReadsWhatLiesBeforeTheDamage) {
  RecordingProgressBar bar;
  EXPECT_EQ(readFile(GetParam().file, &bar).spelled(), GetParam().paragraphs);
  EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
}

INSTANTIATE_TEST_SUITE_P(
    Header, DamagedFile,
    ::testing::Values(
        DamageRow{"WellFormedControl", kTwoNotes, {"a b", "n0", "n1"}},
        DamageRow{"EmptyFile", "", {}},
        DamageRow{"ShorterThanTheDocumentOffset", "\xFFQD", {}},
        DamageRow{"DocumentAreaBeyondTheFile", patched(kTwoNotes, 4, le32(0x7FFFFFF0)), {}},
        DamageRow{"DocumentAreaAtTheVeryEnd", patched(kTwoNotes, 4, le32(static_cast<unsigned>(kTwoNotes.size()))),
                  {}},
        DamageRow{"HeaderWithoutPacketIndexField", "\xFFQDC" + le32(8) + "x", {"x"}},
        DamageRow{"PacketIndexBeyondTheFile", patched(kTwoNotes, 14, le16(0xFFFF)), {"a b"}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Packets, DamagedFile,
    ::testing::Values(
        DamageRow{"PacketNumberBeyondTheIndex",
                  nativeFile("a" + noteReference(900) + "b" + noteReference(1), {"n0", "n1"}), {"a b", "n1"}},
        DamageRow{"PacketDataBeyondTheFile", patched(kTwoNotes, kEntry0 + 10, le32(0xFFFFFFF0)), {"a b", "n1"}},
        DamageRow{"PacketSmallerThanItsPrefix", patched(kTwoNotes, kEntry0 + 6, le32(4)), {"a b", "n1"}},
        DamageRow{"PacketRunsPastTheEndOfFile",
                  patched(kTwoNotes, kEntry1 + 6, le32(static_cast<unsigned>(kTwoNotes.size()))),
                  {"a b", "n0", "n1a b"}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Functions, DamagedFile,
    ::testing::Values(
        DamageRow{"VariableLengthZero", nativeFile("ab" + byte(0xD0) + byte(1) + le16(0) + "cd"), {"ab"}},
        DamageRow{"VariableLengthShorterThanItsHeader", nativeFile("ab" + byte(0xD0) + byte(1) + le16(3) + "cd"),
                  {"ab"}},
        DamageRow{"VariableLengthPastTheEnd", nativeFile("ab" + byte(0xD0) + byte(1) + le16(200) + "cd"), {"ab"}},
        DamageRow{"VariableHeaderCutOff", nativeFile("ab" + byte(0xD9) + byte(1)), {"ab"}},
        DamageRow{"NoteStartTooShortForItsPacket", nativeFile("ab" + function(0xD7, 0, "x") + "cd"), {"ab"}},
        DamageRow{"PageNumberTooShortForItsValue", nativeFile("ab" + function(0xD8, 2, "xyz") + "cd"), {"ab"}},
        DamageRow{"AttributeNeverClosed", nativeFile("ab" + byte(0xF2) + byte(8) + "cd"), {"ab"}},
        DamageRow{"ExtendedCharacterNeverClosed", nativeFile("ab" + byte(0xF0) + byte(6) + byte(4) + "cd"), {"ab"}},
        DamageRow{"ExtendedCharacterCutOff", nativeFile("ab" + byte(0xF0) + byte(6)), {"ab"}},
        DamageRow{"SkipBlockNeverEnded", nativeFile("ab" + byte(0xF1) + byte(0) + "cdefghij"), {"ab"}},
        DamageRow{"SkipBlockEndingAtTheLastByte", nativeFile("ab" + byte(0xF1) + byte(0) + "cdef" + byte(0xF1) + byte(1)),
                  {"ab"}},
        DamageRow{"LongFixedFunctionNeverClosed", nativeFile("ab" + byte(0xFA) + "cd"), {"ab"}},
        DamageRow{"DamageInANoteSparesTheOthers",
                  nativeFile("a" + noteReference(0) + noteReference(1),
                             {"x" + byte(0xD0) + byte(1) + le16(0) + "y", "n1"}),
                  {"a", "x", "n1"}}),
    [](const auto& info) { return info.param.name; });

TEST(DamagedFile, NullBytesReadAsAnEmptyFile) {
  recognize::CitationTable table;
  table::NullProgressBar bar;
  int paragraphs = 0;
  table::readDocumentFile(nullptr, 0, table, bar, [&](recognize::TokenList&) { ++paragraphs; });
  EXPECT_EQ(paragraphs, 0);
  EXPECT_EQ(bar.position(), table::kProgressAfterNotes);
}

}  // namespace
