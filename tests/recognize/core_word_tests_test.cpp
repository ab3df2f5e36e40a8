// The shared word tests and the dictionary match, on tokens exactly as the
// file reader makes them from a document, and the bracketed-group readers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "recognize/word_tests.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"
#include "tests/recognize/document_fixture.h"

namespace recognize {
namespace {

using testing::shippedDictionary;

// The paragraphs of the main text of a document made from Markdown, as
// tokens, without recognising anything.
std::vector<TokenList> paragraphsOf(std::string_view markdown) {
  quillon::format::MarkdownImport imported = quillon::format::importMarkdown(markdown);
  quillon::doc::Document document(std::move(imported.content));
  const std::string file = quillon::format::writeNative(document);
  CitationTable table;
  table::NullProgressBar progress;
  std::vector<TokenList> paragraphs;
  table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), table, progress,
                          [&paragraphs](TokenList& tokens) {
                            if (!tokens.empty()) paragraphs.push_back(tokens);
                          });
  return paragraphs;
}

// The last paragraph's tokens; a failure when the document has none. Every
// paragraph but the last of a text stream ends in the blank of its hard
// return, so a note's text is where a paragraph ends on a word.
TokenList tokensOf(std::string_view markdown) {
  std::vector<TokenList> paragraphs = paragraphsOf(markdown);
  if (paragraphs.empty()) {
    ADD_FAILURE() << "no paragraph in: " << markdown;
    return {};
  }
  return paragraphs.back();
}

// Index of the first token with this text; the list's size when none.
std::size_t indexOf(const TokenList& tokens, std::string_view text) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].text == text) return i;
  }
  ADD_FAILURE() << "no token \"" << text << "\"";
  return tokens.size();
}

// A paragraph over tokens, with a table and the shipped dictionary.
struct Reading {
  explicit Reading(std::string_view markdown) : tokens(tokensOf(markdown)) {}
  TokenList tokens;
  CitationTable table;
  Paragraph paragraph{tokens, table, shippedDictionary(), kBluebook};
};

TEST(MatchDictionaryName, CoversTheLongestWholeNameAtTheCursor) {
  const struct {
    const char* name;
    const char* markdown;
    const char* at;  // text of the token the match starts on
    std::size_t covered;
    const char* entry;
  } rows[] = {
      {"a three-word name before more words", "See Cal. Const. art. I here.", "Cal.", 3, "Cal. Const."},
      {"a multi-word name running to the paragraph's end", "x.[^1]\n\n[^1]: Compare U.S. Const.", "U.S.", 3,
       "U.S. Const."},
      {"a multi-word name before the hard return's blank", "Compare U.S. Const.", "U.S.", 3, "U.S. Const."},
      {"a hard space joins like a blank", "Compare U.S.\\ Const. art. I", "U.S.", 3, "U.S. Const."},
      {"a one-word name inside the text", "In 42 U.S.C. 1983 the rule", "U.S.C.", 1, "U.S.C."},
      {"a one-word name as the paragraph's last token", "x.[^1]\n\n[^1]: Title 42 U.S.C.", "U.S.C.", 0, ""},
      {"a one-word name before the hard return's blank", "Title 42 U.S.C.", "U.S.C.", 1, "U.S.C."},
      {"a beginning that never completes a name", "See Fed. R. Bogus rule.", "Fed.", 0, ""},
      {"a word no name begins with", "Zebulon v. Quimby", "Zebulon", 0, ""},
      {"a party name that is also a reporter's name", "Smith v. Quimby", "Smith", 1, "Smith"},
      {"a type-8 name of several words", "See Pub. L. No. 104-191 here.", "Pub.", 5, "Pub. L. No."},
      {"a trailing comma is not part of the name", "See U.S. Const., art. I.", "U.S.", 3, "U.S. Const."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    db::EntryName entry;
    const std::size_t at = indexOf(reading.tokens, row.at);
    EXPECT_EQ(matchDictionaryName(reading.paragraph, at, entry), row.covered);
    EXPECT_EQ(entry.name, row.entry);
  }
}

TEST(MatchDictionaryName, ReportsTheTypeTheNameWasFoundIn) {
  Reading reading("See Cal. Const. art. I and Pub. L. No. 5 and 1 U.S. 2.");
  const struct {
    const char* at;
    int typeId;
    int jurisdiction;
  } rows[] = {{"Cal.", 7, 1}, {"Pub.", 8, 0}, {"U.S.", 1, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at);
    db::EntryName entry;
    ASSERT_GT(matchDictionaryName(reading.paragraph, indexOf(reading.tokens, row.at), entry), 0U);
    EXPECT_EQ(entry.entry_type_id, row.typeId);
    EXPECT_EQ(entry.jurisdiction, row.jurisdiction);
  }
  db::EntryName untouched;
  EXPECT_EQ(matchDictionaryName(reading.paragraph, reading.tokens.size(), untouched), 0U) << "cursor at the end";
}

TEST(MatchHistoryPhrase, CoversTheLongestPhrase) {
  const struct {
    const char* name;
    const char* markdown;
    const char* at;
    std::size_t covered;
  } rows[] = {
      {"a phrase of three words", "x, aff'd sub nom. Smith v. Jones", "aff'd", 5},
      {"a trailing comma ends the phrase", "x, cert. denied, 5 U.S. 6", "cert.", 3},
      {"a one-word phrase", "x, aff'd, 5 U.S. 6", "aff'd,", 1},
      {"a phrase hidden in a longer beginning is not found", "x, aff'd in full, 5 U.S. 6", "aff'd", 0},
      {"no phrase", "x, followed by 5 U.S. 6", "followed", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    EXPECT_EQ(matchHistoryPhrase(reading.paragraph, indexOf(reading.tokens, row.at)), row.covered);
  }
}

TEST(WordTests, IsNumberWord) {
  const struct {
    const char* text;
    bool brackets;
    bool hyphens;
    bool number;
  } rows[] = {
      {"123", false, false, true},   {"12a", false, false, true},  {"2d", false, false, true},
      {"F.2d", false, false, true},  {"Cal.", false, false, false}, {"(1)", true, false, true},
      {"(1)", false, false, false},  {"1)", false, false, false},  {"1-2", false, false, true},
      {"1-2-3", false, false, false}, {"1-2-3", false, true, true}, {"", true, true, false},
      {"___", false, false, true},   {"abc1", false, false, false}, {"12,", false, false, true},
      {"-", false, true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text) + (row.brackets ? " brackets" : "") + (row.hyphens ? " hyphens" : ""));
    EXPECT_EQ(isNumberWord(row.text, row.brackets, row.hyphens), row.number);
  }
}

TEST(WordTests, IsSubdivisionWord) {
  const struct {
    const char* name;
    const char* markdown;
    const char* at;
    bool subdivision;
  } rows[] = {
      {"and before following", "§ 5 and following here", "and", true},
      {"and before following with a period", "§ 5 and following.", "and", false},
      {"and before Following", "§ 5 and Following", "and", true},
      {"and before following with a comma", "§ 5 and following, here", "and", false},
      {"and at the paragraph's end", "sections 5 and", "and", false},
      {"and before another word", "§ 5 and 6", "and", false},
      {"a section word with brackets and a period", "the (sec.) here", "(sec.)", true},
      {"upper case and a trailing comma", "see Section, 5", "Section,", true},
      {"pp.", "at pp. 5", "pp.", true},
      {"seq.", "5 et seq.", "seq.", true},
      {"an ordinary word", "the cite here", "cite", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    EXPECT_EQ(isSubdivisionWord(reading.paragraph, indexOf(reading.tokens, row.at)), row.subdivision);
  }
  Reading reading("a b");
  EXPECT_FALSE(isSubdivisionWord(reading.paragraph, 1)) << "a blank";
  EXPECT_FALSE(isSubdivisionWord(reading.paragraph, reading.tokens.size())) << "past the end";
}

TEST(WordTests, SignalsCapitalsAndParticles) {
  const struct {
    const char* text;
    bool signal;
  } signals[] = {{"In", true},  {"in", false},    {"IN", false},   {"e.g.,", true},
                 {"See", true}, {"(see", true},   {"Cf.", true},   {"also", false}};
  for (const auto& row : signals) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(isSignalWord(row.text), row.signal);
  }
  const struct {
    const char* text;
    bool digits;
    bool capital;
  } capitals[] = {{"(12-Abc", true, true}, {"12abc", true, false}, {"(((", true, false},
                  {"U.S.", false, true},   {"12U", false, false},  {"", true, false}};
  for (const auto& row : capitals) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(isCapitalStart(row.text, row.digits), row.capital);
  }
  const struct {
    int set;
    int number;
    bool capital;
  } specials[] = {{1, 24, true}, {1, 25, false}, {1, 22, false}, {4, 24, false}};
  for (const auto& row : specials) {
    SCOPED_TRACE(std::to_string(row.set) + "," + std::to_string(row.number));
    Token token;
    token.kind = kSpecial;
    token.text = {static_cast<char>(row.set), static_cast<char>(row.number)};
    EXPECT_EQ(isCapitalSpecial(token), row.capital);
  }
  EXPECT_TRUE(isAllCapitals("XIV,"));
  EXPECT_FALSE(isAllCapitals("Xiv"));
  EXPECT_TRUE(isNameParticle("ex"));
  EXPECT_FALSE(isNameParticle("Ex"));
}

// The texts of the tokens marked grouped.
std::string groupedTexts(const TokenList& tokens) {
  std::string text;
  for (const Token& token : tokens) {
    if (token.grouped) text += token.text;
  }
  return text;
}

TEST(CollectGroup, NestedClosedAndUnclosed) {
  const struct {
    const char* name;
    const char* markdown;
    const char* at;
    const char* text;       // the group's text, empty when none
    const char* closingAt;  // the token the cursor ends on
  } rows[] = {
      {"one word", "x (1990) y", "(1990)", "(1990)", "(1990)"},
      {"several words", "x (9th Cir. 1990) y", "(9th", "(9th Cir. 1990)", "1990)"},
      {"a nested group", "x (citing (a) b) c", "(citing", "(citing (a) b)", "b)"},
      {"a nested group at the end", "x (citing (a) (b)) c", "(citing", "(citing (a) (b))", ")"},
      {"never closed", "x (citing (a) b c", "(citing", "", "(citing"},
      {"the nested group closes, the outer does not", "x (a (b c) d", "(a", "", "(a"},
      {"not a group", "x citing y", "citing", "", "citing"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    const std::size_t start = indexOf(reading.tokens, row.at);
    std::size_t cursor = start;
    TokenList group(1);  // what the caller held before stays
    EXPECT_EQ(collectGroup(reading.paragraph, cursor, '(', ')', &group), row.text);
    EXPECT_EQ(reading.tokens[cursor].text, row.closingAt);
    EXPECT_EQ(groupedTexts(reading.tokens), row.text);
    std::string collected;
    for (std::size_t i = 1; i < group.size(); ++i) collected += group[i].text;
    EXPECT_EQ(collected, row.text);
  }
}

TEST(CollectGroup, BackwardMirrorsForward) {
  const struct {
    const char* name;
    const char* markdown;
    const char* at;
    const char* text;
    const char* openingAt;
  } rows[] = {
      {"a year before the volume", "Smith (1990) 50 Cal.3d 100", "(1990)", "(1990)", "(1990)"},
      {"several words", "x (9th Cir. 1990) y", "1990)", "(9th Cir. 1990)", "(9th"},
      {"a nested group", "x (citing (a) b) c", "b)", "(citing (a) b)", "(citing"},
      {"never opened", "x citing (a) b) c", "b)", "", "b)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    std::size_t cursor = indexOf(reading.tokens, row.at);
    TokenList group;
    group.push_back(Token{.text = "after"});
    EXPECT_EQ(collectGroupBackward(reading.paragraph, cursor, '(', ')', &group), row.text);
    EXPECT_EQ(reading.tokens[cursor].text, row.openingAt);
    EXPECT_EQ(groupedTexts(reading.tokens), row.text);
    std::string collected;
    for (const Token& token : group) collected += token.text;
    EXPECT_EQ(collected, std::string(row.text) + "after") << "the group's tokens go in front, in document order";
  }
}

}  // namespace
}  // namespace recognize
