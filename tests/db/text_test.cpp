// The shared byte-string functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/text.h"

namespace {

using Texts = std::vector<std::string>;

TEST(SplitString, CutsAtWholeSeparatorsAndAppends) {
  const struct { const char* name; std::string text, separator; bool keepEmpty; Texts pieces; } rows[] = {
      {"empty pieces dropped", ";;a;;b", ";", false, {"a", "b"}},
      {"empty pieces kept, also after a final separator", "a;;b;", ";", true, {"a", "", "b", ""}},
      {"a separator is a whole substring, not a set", "a, b,c, d", ", ", false, {"a", "b,c", "d"}},
      {"empty text gives nothing", "", ";", false, {}},
      {"empty text kept as one empty piece", "", ";", true, {""}},
      {"empty separator gives the whole text", "a;b", "", false, {"a;b"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Texts pieces{"kept"};
    db::splitString(row.text, row.separator, row.keepEmpty, pieces);
    Texts expected{"kept"};
    expected.insert(expected.end(), row.pieces.begin(), row.pieces.end());
    EXPECT_EQ(pieces, expected);
  }
}

TEST(TextFunctions, StripLowerCaseAndClassify) {
  EXPECT_EQ(db::lowerCase("Fed. R. \xC4"), "fed. r. \xC4") << "only A-Z change";
  const struct { std::string text; bool withPeriod; std::string stripped; } rows[] = {
      {"Inc.,;", true, "Inc"}, {"Inc.,;", false, "Inc."}, {"a,.:", false, "a,."}, {".,;:", true, ""}};
  for (const auto& row : rows) {
    EXPECT_EQ(db::stripTrailing(row.text, row.withPeriod), row.stripped) << row.text << " " << row.withPeriod;
  }
  EXPECT_EQ(db::stripTrailingBlanks("U.S. \t "), "U.S. \t") << "only 0x20 counts as a blank";
  for (const auto& [text, stripped] : std::vector<std::pair<std::string, std::string>>{
           {"(1990)", "1990"}, {"(Cal.", "Cal."}, {"((a))", "(a)"}, {"a(b)c", "a(b)c"}}) {
    EXPECT_EQ(db::stripBrackets(text), stripped) << text;
  }
  const struct { const char* text; bool punctuationOnly, decimal; } classes[] = {
      {"", true, false},    {",;.", true, false}, {".:", false, false},    {"., ", false, false},
      {"12.", false, true}, {".5", false, true},  {"1.2.3", false, false}, {"-1", false, false}};
  for (const auto& row : classes) {
    EXPECT_EQ(db::isPunctuationOnly(row.text), row.punctuationOnly) << row.text;
    EXPECT_EQ(db::isDecimalNumber(row.text), row.decimal) << row.text;
  }
}

}  // namespace
