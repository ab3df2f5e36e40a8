// The JSON that lexorda-cite prints: texts converted from the host's
// character set, escaping, and occurrence lists of unequal length.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "recognize/citation_table.h"
#include "tools/lexorda_cite/citation_json.h"

namespace {

recognize::Token word(std::string text) { return {.text = std::move(text)}; }
recognize::Token blank() { return {.text = " ", .kind = recognize::kBlank}; }
// A special character's bytes: set, then number.
recognize::Token special(std::string bytes) { return {.text = std::move(bytes), .kind = recognize::kSpecial}; }

TEST(CiteJson, TokensTextAsTyped) {
  const struct { const char* name; recognize::TokenList tokens; std::string utf8; } rows[] = {
      {"words and blanks", {word("Smith"), blank(), word("v."), blank(), word("Jones")}, "Smith v. Jones"},
      {"hard space reads as a blank", {word("42"), special("\xFF\x20"), word("U.S.C.")}, "42 U.S.C."},
      {"section sign", {special("\x04\x06"), blank(), word("1983")}, "\xC2\xA7 1983"},
      {"typographic quotes", {special("\x04\x20"), word("x"), special("\x04\x1F")}, "\xE2\x80\x9Cx\xE2\x80\x9D"},
      {"undefined special", {special("\x09\x09")}, "\xEF\xBF\xBD"},
      {"one-byte special text", {special("\x04")}, "\xEF\xBF\xBD"},
      {"Windows-1252 word byte", {word("caf\xE9")}, "caf\xC3\xA9"},
  };
  for (const auto& row : rows) {
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
  table.citations.push_back(std::make_unique<recognize::Citation>(recognize::Citation{
      .kind = recognize::kCase, .tokens = {word("Smith"), blank(), word("v."), blank(), word("Jones")},
      .pages = {1, 3}, .physicalPages = {1, 2}, .occurrencePages = {1, 3},
      .occurrenceGroups = {{}, {word("at"), blank(), word("460")}}, .ids = {0, 4}, .noteNumbers = {0, 3},
      .key = "smith v. jones, 123 u.s. 456", .entryName = "U.S.", .shortName = "smith"}));
  // A new authority's ids hold two numbers for its one occurrence.
  table.citations.push_back(std::make_unique<recognize::Citation>(recognize::Citation{
      .kind = recognize::kDictionaryAuthority, .jurisdiction = 1, .tokens = {word("\"Quote\"")}, .pages = {2},
      .physicalPages = {2}, .occurrencePages = {2}, .occurrenceGroups = {}, .ids = {1, 2}, .noteNumbers = {},
      .key = "cal.civ.code\x04\x06" "1714", .entryName = "Cal. Civ. Code", .shortName = ""}));

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
