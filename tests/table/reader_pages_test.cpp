// Pages and notes as the reader counts them: page-break codes and page-number
// codes, note texts read after the main text with their reference's page and
// odd note numbers, and `previous` cleared at the start of every stream.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "factories.h"

namespace {

using namespace tabletest;

struct PageRow {
  const char* name;
  std::string stream;
  int initialPage;
  // token text -> expected {page, physicalPage}
  std::vector<std::pair<std::string, std::pair<int, int>>> pages;
};
// Rows print as their names in test listings.
void PrintTo(const PageRow& row, std::ostream* os) { *os << row.name; }

class StreamPages : public ::testing::TestWithParam<PageRow> {};

TEST_P(StreamPages, CountsLogicalAndPhysicalPages) {
  const Collected collected = tokenize(GetParam().stream, GetParam().initialPage);
  for (const auto& [text, expected] : GetParam().pages) {
    SCOPED_TRACE(text);
    const recognize::Token* token = collected.find(text);
    ASSERT_NE(token, nullptr) << spell(collected.tokens());
    EXPECT_EQ(std::make_pair(token->page, token->physicalPage), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StreamPages,
    ::testing::Values(
        PageRow{"StartsAtTheInitialPage", "a", 4, {{"a", {4, 4}}}},
        PageRow{"HardPageBreakRaisesBoth", "a" + kHardPageBreak + "b" + kHardPageBreak + "c", 1,
                {{"a", {1, 1}}, {"b", {2, 2}}, {"c", {3, 3}}}},
        PageRow{"SoftPageBreakRaisesBoth", "a" + kBlank + softPageBreak() + "b", 1, {{"a", {1, 1}}, {"b", {2, 2}}}},
        PageRow{"WordOverASoftBreakTakesTheNewPage", "ab" + softPageBreak() + "cd", 1, {{"abcd", {2, 2}}}},
        PageRow{"PageNumberCodeSetsLogicalOnly",
                "a" + kHardPageBreak + pageNumber(2, 5) + "b" + kHardPageBreak + "c", 1,
                {{"a", {1, 1}}, {"b", {5, 2}}, {"c", {6, 3}}}},
        PageRow{"CounterBBecomesTheChoice",
                pageNumber(3, 10) + "a" + kHardPageBreak + "b" + kBlank + pageNumber(2, 3) + "c", 1,
                {{"a", {10, 1}}, {"b", {11, 2}}, {"c", {3, 2}}}},
        PageRow{"OtherPageNumberSubcodeIsIgnored", function(0xD8, 4, std::string(5, '\0') + le16(9)) + "a", 1,
                {{"a", {1, 1}}}},
        PageRow{"ColumnLikeCodeRaisesWithoutEnding", "a" + byte(0xB4) + "b", 1, {{"a", {1, 1}}, {"b", {2, 2}}}},
        PageRow{"SeparatorThatIsNoPageCode", "a" + byte(0xB6) + "b", 1, {{"b", {1, 1}}}},
        PageRow{"LayoutPageSubcode", "a" + function(0xD0, 0x03) + "b", 1, {{"b", {2, 2}}}},
        PageRow{"LayoutNonPageSubcode", "a" + function(0xD0, 0x05) + "b", 1, {{"b", {1, 1}}}}),
    [](const auto& info) { return info.param.name; });

TEST(StreamNotes, AnchorsCarryPageAndOddNoteNumbers) {
  recognize::CitationTable table;
  std::vector<table::NoteAnchor> anchors;
  table::NullProgressBar progress;
  Collected collected;
  const std::string stream = "a" + noteReference(7) + "b" + kHardPageBreak + pageNumber(2, 9) + "c" +
                             noteReference(2) + "d";
  table::tokenizeStream(bytesOf(stream), table, anchors, 1, 0, progress, 75, collected.sink());
  EXPECT_EQ(anchors, (std::vector<table::NoteAnchor>{{7, 1, 1}, {2, 9, 3}}));
  // Main text after the k-th reference carries 2k, so note numbers order
  // occurrences as the document reads.
  const std::vector<std::pair<std::string, int>> numbers = {{"a", 0}, {"b", 2}, {"c", 2}, {"d", 4}};
  for (const auto& [text, number] : numbers) {
    ASSERT_NE(collected.find(text), nullptr) << text;
    EXPECT_EQ(collected.find(text)->noteNumber, number) << text;
  }
}

TEST(FileNotes, NoteTextsFollowTheMainTextWithTheirReferencesPages) {
  const std::string main = "See" + noteReference(1) + kBlank + "x" + kHardReturn + "y" + kHardPageBreak + "z" +
                           noteReference(0) + kHardReturn;
  const Collected collected = readFile(nativeFile(main, {"Second" + kBlank + "note.", "First" + kHardReturn + "more"}));
  EXPECT_EQ(collected.spelled(),
            (std::vector<std::string>{"See | x |", "y |", "z |", "First |", "more", "Second | note."}));
  const std::vector<std::pair<std::string, std::pair<int, int>>> expected = {
      {"See", {1, 0}}, {"z", {2, 2}}, {"First", {1, 1}}, {"more", {1, 1}}, {"Second", {2, 3}}, {"note.", {2, 3}}};
  for (const auto& [text, pageAndNote] : expected) {
    const recognize::Token* token = collected.find(text);
    ASSERT_NE(token, nullptr) << text;
    EXPECT_EQ(std::make_pair(token->page, token->noteNumber), pageAndNote) << text;
    EXPECT_FALSE(token->attribute(recognize::kInsideNote)) << text;
  }
}

TEST(FileNotes, NoteTextStartsAtItsReferencesLogicalPage) {
  const std::string main = pageNumber(2, 12) + "a" + kHardPageBreak + "b" + noteReference(0);
  const Collected collected = readFile(nativeFile(main, {"n"}));
  ASSERT_NE(collected.find("n"), nullptr);
  EXPECT_EQ(collected.find("n")->page, 13);
  EXPECT_EQ(collected.find("n")->physicalPage, 13) << "a note's text counts pages from its reference's page";
}

TEST(FileNotes, NoteReferencedInsideANoteIsNotFollowed) {
  const std::string main = "a" + noteReference(0);
  const Collected collected = readFile(nativeFile(main, {"outer" + noteReference(1) + "tail", "inner"}));
  EXPECT_EQ(collected.spelled(), (std::vector<std::string>{"a", "outer tail"}));
}

TEST(FileNotes, PreviousIsClearedAtTheStartOfEveryStream) {
  recognize::CitationTable table;
  recognize::Citation stale;
  std::vector<bool> clearedAtParagraph;
  table::NullProgressBar progress;
  const std::string file =
      nativeFile("a" + kHardReturn + "b" + noteReference(0) + noteReference(1), {"n1" + kHardReturn + "n1b", "n2"});
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), table, progress,
                          [&](recognize::TokenList&) {
                            clearedAtParagraph.push_back(table.previous == nullptr);
                            table.previous = &stale;  // what a recogniser leaves behind
                          });
  // main: "a", "b"; note 1: "n1", "n1b"; note 2: "n2".
  EXPECT_EQ(clearedAtParagraph, (std::vector<bool>{true, false, true, false, true}));
}

}  // namespace
