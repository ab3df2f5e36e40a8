// The shared word tests and the dictionary match, on tokens exactly as the
// file reader makes them from a document, and the bracketed-group readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/internal/word_tests.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

using namespace recognize::internal;

// Index of the first token with this text; the list's size when none.
std::size_t indexOf(const TokenList& tokens, std::string_view text) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].text == text) return i;
  }
  ADD_FAILURE() << "no token \"" << text << "\"";
  return tokens.size();
}

// The last paragraph of a document made from Markdown, read with a table
// and the shipped dictionary.
struct Reading {
  explicit Reading(std::string_view markdown) {
    const std::vector<TokenList> paragraphs = paragraphsOf(markdown);
    if (!paragraphs.empty()) tokens = paragraphs.back();
  }
  TokenList tokens;
  CitationTable table;
  Paragraph paragraph{tokens, table, shippedDictionary(), kBluebook};
};

TEST(MatchDictionaryName, CoversTheLongestWholeNameAtTheCursor) {
  // at: text of the token the match starts on
  // type: the type the name was found in, -1 for none
  const struct { const char* name; const char* markdown; const char* at; std::size_t covered; const char* entry;
                 int type = -1; } rows[] = {
      {"a three-word name before more words", "See Cal. Const. art. I here.", "Cal.", 3, "Cal. Const.", 7},
      {"a multi-word name running to the paragraph's end", "x.[^1]\n\n[^1]: Compare U.S. Const.", "U.S.", 3,
       "U.S. Const.", 7},
      {"a hard space joins like a blank", "Compare U.S.\\ Const. art. I", "U.S.", 3, "U.S. Const.", 7},
      {"a one-word name inside the text", "In 42 U.S.C. 1983 the rule", "U.S.C.", 1, "U.S.C.", 2},
      {"a one-word name as the paragraph's last token", "x.[^1]\n\n[^1]: Title 42 U.S.C.", "U.S.C.", 0, ""},
      {"a one-word name before the hard return's blank", "Title 42 U.S.C.", "U.S.C.", 1, "U.S.C.", 2},
      {"a beginning that never completes a name", "See Fed. R. Bogus rule.", "Fed.", 0, ""},
      {"a party name that is also a reporter's name", "Smith v. Quimby", "Smith", 1, "Smith", 1},
      {"a type-8 name of several words", "See Pub. L. No. 104-191 here.", "Pub.", 5, "Pub. L. No.", 8},
      {"a trailing comma is not part of the name", "See U.S. Const., art. I.", "U.S.", 3, "U.S. Const.", 7},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    db::EntryName entry;
    EXPECT_EQ(matchDictionaryName(reading.paragraph, indexOf(reading.tokens, row.at), entry), row.covered);
    EXPECT_EQ(entry.name, row.entry);
    EXPECT_EQ(entry.entry_type_id, row.type);
    EXPECT_EQ(matchDictionaryName(reading.paragraph, reading.tokens.size(), entry), 0U) << "cursor at the end";
  }
}

TEST(MatchHistoryPhrase, CoversTheLongestPhrase) {
  const struct { const char* name; const char* markdown; const char* at; std::size_t covered; } rows[] = {
      {"a phrase of three words", "x, aff'd sub nom. Smith v. Jones", "aff'd", 5},
      {"a trailing comma ends the phrase", "x, cert. denied, 5 U.S. 6", "cert.", 3},
      {"a phrase hidden in a longer beginning is not found", "x, aff'd in full, 5 U.S. 6", "aff'd", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    EXPECT_EQ(matchHistoryPhrase(reading.paragraph, indexOf(reading.tokens, row.at)), row.covered);
  }
}

TEST(WordTests, IsNumberWord) {
  const struct { const char* text; bool brackets; bool hyphens; bool number; } rows[] = {
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
  const struct { const char* name; const char* markdown; const char* at; bool subdivision; } rows[] = {
      {"and before following", "§ 5 and following here", "and", true},
      {"and before following with a period", "§ 5 and following.", "and", false},
      {"and before Following", "§ 5 and Following", "and", true},
      {"and before following with a comma", "§ 5 and following, here", "and", false},
      {"and at the paragraph's end", "sections 5 and", "and", false},
      {"and before another word", "§ 5 and 6", "and", false},
      {"a section word with brackets and a period", "the (sec.) here", "(sec.)", true},
      {"pp.", "at pp. 5", "pp.", true},
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
  const auto capital = [](std::string_view text) { return isCapitalStart(text, true); };
  const auto capitalNoDigits = [](std::string_view text) { return isCapitalStart(text, false); };
  const auto special = [](std::string_view text) { return isCapitalSpecial(Token{.text = std::string(text), .kind = kSpecial}); };
  const struct {
    const char* test;
    bool (*predicate)(std::string_view);
    std::string text;
    bool expected;
  } rows[] = {
      {"signal", isSignalWord, "In", true}, {"signal", isSignalWord, "in", false}, {"signal", isSignalWord, "IN", false},
      {"signal", isSignalWord, "e.g.,", true}, {"signal", isSignalWord, "(see", true}, {"signal", isSignalWord, "also", false},
      {"capital", capital, "(12-Abc", true}, {"capital", capital, "12abc", false}, {"capital", capital, "(((", false},
      {"capital", capital, "", false}, {"capital without digits", capitalNoDigits, "12U", false},
      {"capital special", special, "\x01\x18", true}, {"capital special", special, "\x01\x19", false},
      {"capital special", special, "\x01\x16", false}, {"capital special", special, "\x04\x18", false},
      {"all capitals", isAllCapitals, "XIV,", true}, {"all capitals", isAllCapitals, "Xiv", false},
      {"particle", isNameParticle, "ex", true}, {"particle", isNameParticle, "Ex", false},
  };
  for (const auto& row : rows) EXPECT_EQ(row.predicate(row.text), row.expected) << row.test << " " << row.text;
}

TEST(CollectGroup, ForwardAndBackward) {
  // text: the group's text, empty when none
  // cursorAt: the token the cursor ends on
  const struct { const char* name; const char* markdown; const char* at; bool backward; const char* text;
                 const char* cursorAt; } rows[] = {
      {"one word", "x (1990) y", "(1990)", false, "(1990)", "(1990)"},
      {"several words", "x (9th Cir. 1990) y", "(9th", false, "(9th Cir. 1990)", "1990)"},
      {"a nested group", "x (citing (a) b) c", "(citing", false, "(citing (a) b)", "b)"},
      {"a nested group at the end", "x (citing (a) (b)) c", "(citing", false, "(citing (a) (b))", ")"},
      {"never closed", "x (citing (a) b c", "(citing", false, "", "(citing"},
      {"the nested group closes, the outer does not", "x (a (b c) d", "(a", false, "", "(a"},
      {"not a group", "x citing y", "citing", false, "", "citing"},
      {"backward: a year before the volume", "Smith (1990) 50 Cal.3d 100", "(1990)", true, "(1990)", "(1990)"},
      {"backward: a nested group", "x (citing (a) b) c", "b)", true, "(citing (a) b)", "(citing"},
      {"backward: never opened", "x citing (a) b) c", "b)", true, "", "b)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Reading reading(row.markdown);
    std::size_t cursor = indexOf(reading.tokens, row.at);
    TokenList group = tokensOf({"held"});  // what the caller held before stays
    const std::string text = row.backward ? collectGroupBackward(reading.paragraph, cursor, '(', ')', &group)
                                          : collectGroup(reading.paragraph, cursor, '(', ')', &group);
    EXPECT_EQ(text, row.text);
    EXPECT_EQ(reading.tokens[cursor].text, row.cursorAt);
    std::string grouped;
    for (const Token& token : reading.tokens) grouped += token.grouped ? token.text : "";
    EXPECT_EQ(grouped, row.text) << "exactly the group's tokens are marked";
    // Backward, the group's tokens go in front, in document order.
    EXPECT_EQ(typed(group), row.backward ? row.text + std::string("held") : "held" + std::string(row.text));
  }
}

}  // namespace
}  // namespace recognize::testing
