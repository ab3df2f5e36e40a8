// The JSON that lexorda-cite prints: texts converted from the host's
// character set, escaping, and occurrence lists of unequal length.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "recognize/citation_table.h"
#include "tools/lexorda_cite/citation_json.h"

namespace {

recognize::Token token(std::string text, int kind = recognize::kWord) {
  recognize::Token t;
  t.text = std::move(text);
  t.kind = kind;
  return t;
}
recognize::Token blank() { return token(" ", recognize::kBlank); }
recognize::Token special(int set, int number) {
  return token(std::string{static_cast<char>(set), static_cast<char>(number)}, recognize::kSpecial);
}

struct TextRow {
  const char* name;
  recognize::TokenList tokens;
  std::string utf8;
};

TEST(CiteJson, TokensTextAsTyped) {
  const TextRow rows[] = {
      {"words and blanks", {token("Smith"), blank(), token("v."), blank(), token("Jones")}, "Smith v. Jones"},
      {"hard space reads as a blank", {token("42"), token("\xFF\x20", recognize::kSpecial), token("U.S.C.")},
       "42 U.S.C."},
      {"section sign", {special(4, 6), blank(), token("1983")}, "\xC2\xA7 1983"},
      {"typographic quotes", {special(4, 32), token("x"), special(4, 31)}, "\xE2\x80\x9Cx\xE2\x80\x9D"},
      {"undefined special", {special(9, 9)}, "\xEF\xBF\xBD"},
      {"one-byte special text", {token("\x04", recognize::kSpecial)}, "\xEF\xBF\xBD"},
      {"Windows-1252 word byte", {token("caf\xE9")}, "caf\xC3\xA9"},
  };
  for (const TextRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(lexorda_cite::tokensText(row.tokens), row.utf8);
  }
}

TEST(CiteJson, HostBytesAndEscaping) {
  EXPECT_EQ(lexorda_cite::hostBytesToUtf8("\x93q\x94 \xA7"), "\xE2\x80\x9Cq\xE2\x80\x9D \xC2\xA7");
  EXPECT_EQ(lexorda_cite::hostBytesToUtf8("\x81"), "\xEF\xBF\xBD") << "a byte Windows-1252 leaves out";
  EXPECT_EQ(lexorda_cite::jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(lexorda_cite::jsonString(std::string("\x04\x06\n\x7F", 4)), "\"\\u0004\\u0006\\u000a\\u007f\"");
  EXPECT_EQ(lexorda_cite::jsonString("\xC2\xA7"), "\"\xC2\xA7\"") << "UTF-8 passes unescaped";
}

TEST(CiteJson, WholeTableInOrder) {
  recognize::CitationTable table;
  auto first = std::make_unique<recognize::Citation>();
  first->kind = recognize::kCase;
  first->entryName = "U.S.";
  first->key = "smith v. jones, 123 u.s. 456";
  first->shortName = "smith";
  first->tokens = {token("Smith"), blank(), token("v."), blank(), token("Jones")};
  first->pages = {1, 3};
  first->occurrencePages = {1, 3};
  first->physicalPages = {1, 2};
  first->ids = {0, 4};
  first->noteNumbers = {0, 3};
  first->occurrenceGroups = {{}, {token("at"), blank(), token("460")}};
  auto second = std::make_unique<recognize::Citation>();
  second->kind = recognize::kDictionaryAuthority;
  second->jurisdiction = 1;
  second->entryName = "Cal. Civ. Code";
  second->key = "cal.civ.code\x04\x06" "1714";
  second->tokens = {token("\"Quote\"")};
  second->pages = {2};
  second->occurrencePages = {2};
  second->physicalPages = {2};
  second->ids = {1, 2};  // a new authority's ids hold two numbers for one occurrence
  table.citations.push_back(std::move(first));
  table.citations.push_back(std::move(second));

  EXPECT_EQ(lexorda_cite::citationsJson(table),
            "{\"citations\":["
            "{\"kind\":1,\"jurisdiction\":0,\"entryName\":\"U.S.\",\"key\":\"smith v. jones, 123 u.s. 456\","
            "\"shortName\":\"smith\",\"text\":\"Smith v. Jones\",\"pages\":[1,3],\"occurrences\":["
            "{\"page\":1,\"physicalPage\":1,\"id\":0,\"note\":0,\"group\":\"\"},"
            "{\"page\":3,\"physicalPage\":2,\"id\":4,\"note\":3,\"group\":\"at 460\"}]},"
            "{\"kind\":2,\"jurisdiction\":1,\"entryName\":\"Cal. Civ. Code\","
            "\"key\":\"cal.civ.code\\u0004\\u00061714\",\"shortName\":\"\",\"text\":\"\\\"Quote\\\"\","
            "\"pages\":[2],\"occurrences\":[{\"page\":2,\"physicalPage\":2,\"id\":1,\"note\":0,\"group\":\"\"}]}"
            "]}");
  EXPECT_EQ(lexorda_cite::citationsJson(recognize::CitationTable{}), "{\"citations\":[]}");
}

}  // namespace
