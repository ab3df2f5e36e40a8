// How the bytes of one text stream become words, blanks and special
// characters with their pages and attributes, and where paragraphs end.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "factories.h"

namespace {

using namespace tabletest;

TEST(StreamTokens, SpellsParagraphs) {
  // paragraphs: spelled tokens per paragraph
  const struct { const char* name; std::string stream; std::vector<std::string> paragraphs; } rows[] = {
      {"year in parentheses is one token", "456" + kBlank + "(1990).", {"456 | (1990) ."}},
      {"an opening bracket starts a word", "abc(def" + kBlank + "[x]y", {"abc (def | [x] y"}},
      {"semicolon and quote stand alone", "a;b\"c\"", {"a ; b \" c \""}},
      {"three dots or more are one run token", "wait...now.....", {"wait ... now ....."}},
      {"two dots stay in the word", "a..b", {"a..b"}},
      {"null and delete are ignored", "a" + byte(0) + "b" + byte(0x7F) + "c", {"abc"}},
      {"hyphen codes join the word", "co" + byte(0x85) + "op" + byte(0x84) + "x", {"co-op-x"}},
      {"unknown one-byte code is silent", "a" + byte(0x90) + "b", {"ab"}},
      {"hard space is a special token", "42" + kHardSpace + "U.S.C.", {"42 {255:32} U.S.C."}},
      {"short-form bytes map to set one", "a" + byte(0x01) + "b" + byte(0x0A) + byte(0x20), {"a {1:35} b {1:77} {1:23}"}},
      {"typographic apostrophe and dash join", "O" + extended(0x1C, 4) + "Brien" + extended(0x21, 4) + "x",
       {"O'Brien-x"}},
      {"section sign splits words", "42" + extended(6, 4) + "1983", {"42 {4:6} 1983"}},
      {"apostrophe of another set is special", "a" + extended(0x1C, 1) + "b", {"a {1:28} b"}},
      {"tab is a blank", "a" + kTab + "b", {"a | b"}},
      {"dot-leader tab separates only", "a" + function(0xD0, 0x02) + "b", {"a | b"}},
      {"layout code 4 ends the paragraph", "a" + function(0xD0, 0x04) + "b", {"a |", "b"}},
      {"a word over a soft page break takes the new page", "ab" + softPageBreak() + "cd", {"[2/2] abcd"}},
      {"soft page break raises both pages", "a" + kBlank + softPageBreak() + "b", {"a | [2/2] b"}},
      {"layout page subcode", "a" + function(0xD0, 0x03) + "b", {"a | [2/2] b"}},
      {"hard page breaks raise both", "a" + kHardPageBreak + "b" + kHardPageBreak + "c", {"a |", "[2/2] b |", "[3/3] c"}},
      {"page-number code sets the logical page only", "a" + kHardPageBreak + pageNumber(2, 5) + "b" + kHardPageBreak + "c",
       {"a |", "[5/2] b |", "[6/3] c"}},
      {"counter B becomes the choice, then A again", pageNumber(3, 10) + "a" + kHardPageBreak + "b" + kBlank + pageNumber(2, 3) + "c",
       {"[10/1] a |", "[11/2] b | [3/2] c"}},
      {"other page-number subcode is ignored", function(0xD8, 4, std::string(5, '\0') + le16(9)) + "a", {"a"}},
      {"paragraph function ends without blank", "a" + function(0xE0, 0) + "b", {"a", "b"}},
      {"column-like code raises the page without ending", "a" + byte(0xB4) + "b", {"a | [2/2] b"}},
      {"separator that is no page code", "a" + byte(0xB6) + "b", {"a | b"}},
      {"stored code payload is skipped", "a" + function(0xD9, 1, "xyz") + "b", {"ab"}},
      {"note reference splits the word", "a" + noteReference(0) + "b", {"a b"}},
      {"skip block resumes five bytes on", "a" + byte(0xF1) + byte(0) + "xxxxx" + byte(0xF1) + byte(1) + "yyyb",
       {"ab"}},
      {"other skip block ends at its code", "a" + byte(0xF1) + byte(2) + "zz" + byte(0xF1) + "b", {"ab"}},
      {"empty paragraph is still handed on", "a" + kHardReturn + function(0xE0, 0) + "b", {"a |", "", "b"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(tokenize(row.stream).spelled, row.paragraphs);
  }
  EXPECT_EQ(tokenize("a", 4).spelled, std::vector<std::string>{"[4/4] a"}) << "the stream's initial page";
}

TEST(StreamTokens, AttributesSetExactlyTheseFlags) {
  using recognize::kBold, recognize::kInsideNote, recognize::kItalic, recognize::kSubscript,
      recognize::kSuperscript, recognize::kUnderline;
  // on: attribute keys that must be set; all others off
  const struct { const char* name; std::string stream; const char* token; std::vector<int> on; } rows[] = {
      {"italic", italic("Roe") + kBlank + "x", "Roe", {kItalic}},
      {"underline", attributeOn(14) + "Roe" + attributeOff(14) + kBlank, "Roe", {kUnderline}},
      {"superscript", attributeOn(5) + "12" + kBlank, "12", {kSuperscript}},
      {"subscript", attributeOn(6) + "2" + kBlank, "2", {kSubscript}},
      {"off after its end", italic("Roe") + "Wade" + kBlank, "Wade", {}},
      {"unknown number changes nothing", attributeOn(3) + "Roe" + kBlank, "Roe", {}},
      {"stacked flags", attributeOn(12) + attributeOn(8) + "Roe" + kBlank, "Roe", {kBold, kItalic}},
      {"inside a note between its codes", noteStart(0) + "x" + kBlank + noteEnd() + "y", "x", {kInsideNote}},
      {"not inside a note after its end", noteStart(0) + noteEnd() + "y" + kBlank, "y", {}},
      {"paragraph end drops all but superscript", attributeOn(12) + attributeOn(5) + "Roe", "Roe", {kSuperscript}},
      {"hard return keeps italic", attributeOn(8) + "Roe" + kHardReturn, "Roe", {kItalic}},
      {"a blank carries the flags in force", italic("a" + kBlank) + "b", " ", {kItalic}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Collected collected = tokenize(row.stream);
    const recognize::Token* token = collected.find(row.token);
    ASSERT_NE(token, nullptr);
    for (int key = kSuperscript; key <= kInsideNote; ++key)
      EXPECT_EQ(token->attribute(key), std::count(row.on.begin(), row.on.end(), key) == 1) << "key " << key;
    EXPECT_EQ(token->grouped + token->used + token->nameRun + token->nameStop + token->spare, 0);
  }
}

}  // namespace
