// How the bytes of one text stream become words, blanks and special
// characters, and where paragraphs end.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "factories.h"

namespace {

using namespace tabletest;

struct StreamRow {
  const char* name;
  std::string stream;
  std::vector<std::string> paragraphs;  // spelled tokens per paragraph
};
// Rows print as their names in test listings.
void PrintTo(const StreamRow& row, std::ostream* os) { *os << row.name; }

class StreamTokens : public ::testing::TestWithParam<StreamRow> {};

TEST_P(StreamTokens, SpellsParagraphs) {
  EXPECT_EQ(tokenize(GetParam().stream).spelled(), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Words, StreamTokens,
    ::testing::Values(
        StreamRow{"CaseNameWithSoftSpaces", "Smith" + kBlank + "v." + kBlank + "Jones,",
                  {"Smith | v. | Jones,"}},
        StreamRow{"YearInParenthesesIsOneToken", "456" + kBlank + "(1990).", {"456 | (1990) ."}},
        StreamRow{"OpeningBracketStartsAWord", "abc(def" + kBlank + "[x]y", {"abc (def | [x] y"}},
        StreamRow{"ClosingBracketEndsTheWord", "f)g", {"f) g"}},
        StreamRow{"SemicolonAndQuoteStandAlone", "a;b\"c\"", {"a ; b \" c \""}},
        StreamRow{"AbbreviationKeepsInnerPeriods", "U.S.C.A.", {"U.S.C.A."}},
        StreamRow{"ThreeDotsAreOneRunToken", "wait...now", {"wait ... now"}},
        StreamRow{"LongerRunStaysWhole", "a.....", {"a ....."}},
        StreamRow{"TwoDotsStayInTheWord", "a..b", {"a..b"}},
        StreamRow{"NullAndDeleteAreIgnored", "a" + byte(0) + "b" + byte(0x7F) + "c", {"abc"}},
        StreamRow{"HyphenCodesJoinTheWord", "co" + byte(0x85) + "op" + byte(0x84) + "x", {"co-op-x"}},
        StreamRow{"UnknownOneByteCodeIsSilent", "a" + byte(0x90) + "b", {"ab"}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Characters, StreamTokens,
    ::testing::Values(
        StreamRow{"HardSpaceIsASpecialToken", "42" + kHardSpace + "U.S.C.", {"42 {255:32} U.S.C."}},
        StreamRow{"ShortFormBytesMapToSetOne",
                  "a" + byte(0x01) + "b" + byte(0x0A) + byte(0x20),
                  {"a {1:35} b {1:77} {1:23}"}},
        StreamRow{"TypographicApostropheJoinsTheWord", "O" + extended(0x1C, 4) + "Brien", {"O'Brien"}},
        StreamRow{"EnDashJoinsTheWord", "12" + extended(0x21, 4) + "14", {"12-14"}},
        StreamRow{"SectionSignSplitsWords", "42" + extended(6, 4) + "1983", {"42 {4:6} 1983"}},
        StreamRow{"ApostropheOfAnotherSetIsSpecial", "a" + extended(0x1C, 1) + "b", {"a {1:28} b"}},
        StreamRow{"TabIsABlank", "a" + kTab + "b", {"a | b"}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Functions, StreamTokens,
    ::testing::Values(
        StreamRow{"DotLeaderTabSeparatesOnly", "a" + function(0xD0, 0x02) + "b", {"a | b"}},
        StreamRow{"LayoutFourEndsTheParagraph", "a" + function(0xD0, 0x04) + "b", {"a |", "b"}},
        StreamRow{"SoftPageBreakKeepsTheWord", "ab" + softPageBreak() + "cd", {"abcd"}},
        StreamRow{"ParagraphFunctionEndsWithoutBlank", "a" + function(0xE0, 0) + "b", {"a", "b"}},
        StreamRow{"HardReturnLeavesATrailingBlank", "a" + kHardReturn + "b", {"a |", "b"}},
        StreamRow{"HardPageBreakEndsTheParagraph", "a" + kHardPageBreak + "b", {"a |", "b"}},
        StreamRow{"SeparatorBelowParagraphEnds", "a" + byte(0xB4) + "b", {"a | b"}},
        StreamRow{"StoredCodePayloadIsSkipped", "a" + function(0xD9, 1, "xyz") + "b", {"ab"}},
        StreamRow{"NoteReferenceSplitsTheWord", "a" + noteReference(0) + "b", {"a b"}},
        StreamRow{"AttributeCodesSplitWords", "See" + italic("Roe") + ",", {"See Roe ,"}},
        StreamRow{"UnknownAttributeStillSplits", "a" + attributeOn(3) + "b", {"a b"}},
        StreamRow{"LongFixedFunctionIsSkipped", "a" + byte(0xF5) + "junk" + byte(0xF5) + "b", {"ab"}},
        StreamRow{"SkipBlockResumesFiveBytesOn",
                  "a" + byte(0xF1) + byte(0) + "xxxxx" + byte(0xF1) + byte(1) + "yyy" + "b", {"ab"}},
        StreamRow{"OtherSkipBlockEndsAtItsCode", "a" + byte(0xF1) + byte(2) + "zz" + byte(0xF1) + "b", {"ab"}},
        StreamRow{"EmptyStreamHasNoParagraph", "", {}},
        StreamRow{"TrailingBreakLeavesNoEmptyParagraph", "a" + kHardReturn, {"a |"}},
        StreamRow{"EmptyParagraphIsStillHandedOn", "a" + kHardReturn + function(0xE0, 0) + "b",
                  {"a |", "", "b"}}),
    [](const auto& info) { return info.param.name; });

// Attribute bits expected on one token.
struct AttributeRow {
  const char* name;
  std::string stream;
  std::string token;
  std::vector<int> on;  // attribute keys that must be set; all others off
};
// Rows print as their names in test listings.
void PrintTo(const AttributeRow& row, std::ostream* os) { *os << row.name; }

class TokenAttributes : public ::testing::TestWithParam<AttributeRow> {};

TEST_P(TokenAttributes, SetsExactlyTheseFlags) {
  const Collected collected = tokenize(GetParam().stream);
  const recognize::Token* token = collected.find(GetParam().token);
  ASSERT_NE(token, nullptr) << spell(collected.tokens());
  for (int key = recognize::kSuperscript; key <= recognize::kInsideNote; ++key) {
    const bool expected = std::find(GetParam().on.begin(), GetParam().on.end(), key) != GetParam().on.end();
    EXPECT_EQ(token->attribute(key), expected) << "attribute key " << key;
  }
  EXPECT_EQ(token->grouped + token->used + token->nameRun + token->nameStop + token->spare, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, TokenAttributes,
    ::testing::Values(
        AttributeRow{"Italic", italic("Roe") + kBlank + "x", "Roe", {recognize::kItalic}},
        AttributeRow{"Underline", attributeOn(14) + "Roe" + attributeOff(14) + kBlank, "Roe",
                     {recognize::kUnderline}},
        AttributeRow{"Bold", attributeOn(12) + "Roe" + kBlank, "Roe", {recognize::kBold}},
        AttributeRow{"Superscript", attributeOn(5) + "12" + kBlank, "12", {recognize::kSuperscript}},
        AttributeRow{"Subscript", attributeOn(6) + "2" + kBlank, "2", {recognize::kSubscript}},
        AttributeRow{"OffAfterItsEnd", italic("Roe") + "Wade" + kBlank, "Wade", {}},
        AttributeRow{"UnknownNumberChangesNothing", attributeOn(3) + "Roe" + kBlank, "Roe", {}},
        AttributeRow{"StackedFlags", attributeOn(12) + attributeOn(8) + "Roe" + kBlank, "Roe",
                     {recognize::kBold, recognize::kItalic}},
        AttributeRow{"InsideNoteBetweenTheCodes", noteStart(0) + "x" + kBlank + noteEnd() + "y", "x",
                     {recognize::kInsideNote}},
        AttributeRow{"NotInsideNoteAfterTheEnd", noteStart(0) + noteEnd() + "y" + kBlank, "y", {}},
        AttributeRow{"ParagraphEndDropsAllButSuperscript", attributeOn(12) + attributeOn(5) + "Roe", "Roe",
                     {recognize::kSuperscript}},
        AttributeRow{"StreamEndDropsItalic", attributeOn(8) + "Roe", "Roe", {}},
        AttributeRow{"HardReturnKeepsItalic", attributeOn(8) + "Roe" + kHardReturn, "Roe", {recognize::kItalic}},
        AttributeRow{"BlankCarriesTheFlagsInForce", italic("a" + kBlank) + "b", " ", {recognize::kItalic}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
