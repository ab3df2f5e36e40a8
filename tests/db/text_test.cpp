// The shared byte-string functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/text.h"

namespace {

TEST(SplitString, CutsAtWholeSeparators) {
  struct Row {
    const char* name;
    std::string text;
    std::string separator;
    bool keepEmpty;
    std::vector<std::string> pieces;
  };
  const Row rows[] = {
      {"empty pieces dropped", ";;a;;b", ";", false, {"a", "b"}},
      {"empty pieces kept, also after a final separator", "a;;b;", ";", true, {"a", "", "b", ""}},
      {"no separator gives the whole text", "Cases", ";", false, {"Cases"}},
      {"a separator is a whole substring, not a set", "a, b,c, d", ", ", false, {"a", "b,c", "d"}},
      {"empty text gives nothing", "", ";", false, {}},
      {"empty text kept as one empty piece", "", ";", true, {""}},
      {"empty separator gives the whole text", "a;b", "", false, {"a;b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> pieces{"kept"};
    db::splitString(row.text, row.separator, row.keepEmpty, pieces);
    std::vector<std::string> expected{"kept"};
    expected.insert(expected.end(), row.pieces.begin(), row.pieces.end());
    EXPECT_EQ(pieces, expected) << "pieces are appended to what the list held";
  }
}

TEST(TextFunctions, StripAndLowerCase) {
  EXPECT_EQ(db::lowerCase("Fed. R. Civ. P. \xC4"), "fed. r. civ. p. \xC4")
      << "only A-Z change; other bytes stay";
  struct Row {
    const char* name;
    std::string text;
    bool withPeriod;
    std::string stripped;
  };
  const Row rows[] = {
      {"period, comma and semicolon all go with the period flag", "Inc.,;", true, "Inc"},
      {"the period stays without the flag", "Inc.,;", false, "Inc."},
      {"a period inside the run stops the stripping without the flag", "a,.:", false, "a,."},
      {"colons go too", "Id.:", false, "Id."},
      {"nothing to strip", "F.2d", true, "F.2d"},
      {"only punctuation leaves nothing", ".,;:", true, ""},
      {"empty text", "", true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(db::stripTrailing(row.text, row.withPeriod), row.stripped);
  }
  EXPECT_EQ(db::stripTrailingBlanks("U.S.  "), "U.S.");
  EXPECT_EQ(db::stripTrailingBlanks("U.S.\t"), "U.S.\t") << "only 0x20 counts as a blank";
  EXPECT_EQ(db::stripTrailingBlanks("   "), "");
}

TEST(TextFunctions, StripBrackets) {
  struct Row {
    std::string text;
    std::string stripped;
  };
  const Row rows[] = {
      {"(1990)", "1990"}, {"(Cal.", "Cal."}, {"1990)", "1990"}, {"((a))", "(a)"},
      {"(", ""},          {")", ""},         {"()", ""},        {"", ""},
      {"a(b)c", "a(b)c"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(db::stripBrackets(row.text), row.stripped);
  }
}

TEST(TextFunctions, PunctuationOnlyAndDecimalNumbers) {
  struct Row {
    const char* text;
    bool punctuationOnly, decimal;
  };
  const Row rows[] = {
      {"", true, false},     {".", true, false},   {",;.", true, false}, {";", true, false},
      {".:", false, false},  {" ", false, false},  {"., ", false, false}, {"12", false, true},
      {"12.", false, true},  {"1.5", false, true}, {".5", false, true},  {"1.2.3", false, false},
      {"1..", false, false}, {"12a", false, false}, {"-1", false, false}, {" 1", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(db::isPunctuationOnly(row.text), row.punctuationOnly);
    EXPECT_EQ(db::isDecimalNumber(row.text), row.decimal);
  }
}

}  // namespace
