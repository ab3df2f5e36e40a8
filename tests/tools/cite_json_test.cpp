// The JSON that lexorda-cite prints: texts converted from the host's
// character set, escaping, and occurrence lists of unequal length.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "recognize/citation_table.h"
#include "tools/lexorda_cite/citation_json.h"

namespace {

recognize::Token word(std::string text) { return {.text = std::move(text)}; }
// A special character's bytes: set, then number.
recognize::Token special(std::string bytes) { return {.text = std::move(bytes), .kind = recognize::kSpecial}; }

TEST(CiteJson, TokensTextAsTyped) {
  const struct { const char* name; recognize::TokenList tokens; std::string utf8; } rows[] = {
      // Words, blanks and the section sign: pinned by tests/tools/cite_brief.json.
      {"hard space reads as a blank", {word("42"), special("\xFF\x20"), word("U.S.C.")}, "42 U.S.C."},
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

// A case with its ordinary lists is pinned by tests/tools/cite_brief.json;
// here the fields that brief never varies: a jurisdiction, a physical page
// other than the logical one, no groups or note numbers for the occurrence,
// and texts that need escaping.
TEST(CiteJson, FieldsTheBriefLeavesAlone) {
  recognize::CitationTable table;
  EXPECT_EQ(lexorda_cite::citationsJson(table), "{\"citations\":[]}");
  // A new authority's ids hold two numbers for its one occurrence.
  table.citations.push_back(std::make_unique<recognize::Citation>(recognize::Citation{
      .kind = recognize::kDictionaryAuthority, .jurisdiction = 1, .tokens = {word("\"Quote\"")}, .pages = {3},
      .physicalPages = {2}, .occurrencePages = {3}, .occurrenceGroups = {}, .ids = {1, 2}, .noteNumbers = {},
      .key = "cal.civ.code\x04\x06" "1714", .entryName = "Cal. Civ. Code", .shortName = ""}));
  EXPECT_EQ(lexorda_cite::citationsJson(table),
            "{\"citations\":[{\"kind\":2,\"jurisdiction\":1,\"authorityGroup\":\"statute\","
            "\"entryName\":\"Cal. Civ. Code\",\"key\":\"cal.civ.code\\u0004\\u00061714\",\"shortName\":\"\",\"text\":\"\\\"Quote\\\"\","
            "\"pages\":[3],\"occurrences\":[{\"page\":3,\"physicalPage\":2,\"id\":1,\"note\":0,\"group\":\"\"}]}"
            "]}");
}

}  // namespace
