// How a new citation's key is normalised and its tokens trimmed before the
// table writer prints them: quotation marks, loose ends, parentheses and the
// key's length limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recognize/recognizer.h"

namespace recognize {
namespace {

// Builds tokens from short codes: " " a blank, "<<" / ">>" the typographic
// quotation marks, "~" a hard space; anything else a word.
TokenList tokensOf(const std::vector<std::string>& codes) {
  TokenList tokens;
  for (const std::string& code : codes) {
    Token token;
    token.text = code;
    if (code == " ") {
      token.kind = kBlank;
    } else if (code == "<<" || code == ">>" || code == "~") {
      token.kind = kSpecial;
      token.text = code == "<<" ? kOpeningQuoteText : code == ">>" ? kClosingQuoteText : kHardSpaceText;
    }
    tokens.push_back(token);
  }
  return tokens;
}

std::string codesOf(const TokenList& tokens) {
  std::string text;
  for (const Token& token : tokens) {
    if (token.text == kOpeningQuoteText) {
      text += "<<";
    } else if (token.text == kClosingQuoteText) {
      text += ">>";
    } else if (token.isHardSpace()) {
      text += "~";
    } else {
      text += token.text;
    }
  }
  return text;
}

TEST(TrimTokens, QuotationMarksLooseEndsAndParentheses) {
  const struct {
    const char* name;
    std::vector<std::string> tokens;
    const char* trimmed;
  } rows[] = {
      {"closing typographic quote drops the words up to it",
       {"said", " ", "so", ">>", " ", "Smith", " ", "v.", " ", "Jones"}, "Smith v. Jones"},
      {"an opening quote ends the walk; a quoted whole loses both marks", {"<<", "Civil", " ", "Act", ">>"}, "Civil Act"},
      {"quote pair inside is kept", {"<<", "a", ">>", " ", "b"}, "<<a>> b"},
      {"an unpaired straight quote drops the words up to it",
       {"the", " ", "\"", "Civil", " ", "Rights", " ", "Act"}, "Civil Rights Act"},
      {"paired straight quotes stay", {"\"", "Act", "\"", " ", "Title"}, "\"Act\" Title"},
      {"blanks and punctuation words leave both ends", {" ", ".", "Smith", ",", " ", "Act.", " ", ";"}, "Smith, Act"},
      {"the last word loses trailing punctuation", {"Cal.", " ", "Const.,;"}, "Cal. Const"},
      {"a ) nothing opened loses it", {"Act)", " ", "Title"}, "Act Title"},
      {"a ( never closed loses it", {"(Civil", " ", "Act"}, "Civil Act"},
      {"an outer pair around everything goes", {"(Civil", " ", "Act)"}, "Civil Act"},
      {"an outer pair closed early stays", {"(a)", " ", "b", " ", "(c)"}, "(a) b (c)"},
      {"a nested pair survives its unclosed parent", {"(a", " ", "(b)"}, "a (b)"},
      {"one bracketed word loses its brackets", {"(1990)"}, "1990"},
      {"nothing printable is left", {" ", ".", " "}, ""},
      {"a hard space inside stays", {"U.S.", "~", "Const."}, "U.S.~Const"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TokenList tokens = tokensOf(row.tokens);
    trimTokens(tokens);
    EXPECT_EQ(codesOf(tokens), row.trimmed);
  }
}

TEST(NormaliseKey, Rows) {
  const std::string longKey = [] {
    std::string key;
    for (int i = 0; i < 250; ++i) key += static_cast<char>('a' + i % 26);
    return key;
  }();
  const struct {
    const char* name;
    std::string key;
    int kind;
    std::string normalised;
  } rows[] = {
      {"dictionary keys lose blanks, hard spaces and section signs",
       std::string("42 U.S.C. \xFF\x04\x06 1983"), kDictionaryAuthority, "42u.s.c.1983"},
      {"a hard space goes with its marker byte", std::string("Cal.\xFF\xFF\x20" "Const. art. I"),
       kDictionaryAuthority, "cal.const.art.i"},
      {"dictionary keys lose a trailing period", "Pub. L. No. 104-191.", kDictionaryAuthority, "pub.l.no.104-191"},
      {"case keys keep blanks and a trailing period", "123 U.S. 456 (1990).", kCase, "123 u.s. 456 (1990)."},
      {"case keys lose trailing , ; :", "123 U.S. 456,;:", kCase, "123 u.s. 456"},
      {"a ) nothing opened is deleted", "1 u.s. 2)", kCase, "1 u.s. 2"},
      {"a ( left open is deleted", "1 u.s. 2 (1990", kCase, "1 u.s. 2 1990"},
      {"only the unclosed ( goes", "a (b (c) d", kCase, "a b (c) d"},
      {"an outer pair around everything goes", "(1 u.s. 2)", kCase, "1 u.s. 2"},
      {"an outer pair closed early stays", "(a) 1 (b)", kCase, "(a) 1 (b)"},
      {"a lone ( is deleted", "(", kCase, ""},
      {"a marker byte at the very end is dropped", std::string("abc\xFF"), kDictionaryAuthority, "abc"},
      {"a key of 250 characters keeps its last 200", longKey, kCase, longKey.substr(50)},
      {"a key of 200 characters is kept whole", longKey.substr(0, 200), kCase, longKey.substr(0, 200)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(normaliseKey(row.key, row.kind), row.normalised);
  }
}

}  // namespace
}  // namespace recognize
