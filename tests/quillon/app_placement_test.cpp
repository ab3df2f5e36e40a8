// Where a batch run puts the insertion point. In: documents typed through the
// document's own operations. Out: the position found (read back as the
// visible text before it). How dialog actions are handed out is run through
// the program in app_dialogs_test.
// Which placement a command line picks is run through the program in
// app_program_test; the bookmark report is checked on the staged host.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "quillon/app/placement.h"
#include "quillon/doc/visible_text.h"
#include "tests/quillon_support/documents.h"

namespace {

using quillon::doc::Document;
using quillon::doc::test::build;

// The visible text before the position found, or nullopt when none was.
std::optional<std::string> textBefore(const Document& d, std::optional<std::size_t> position) {
  if (!position) return std::nullopt;
  return quillon::doc::visibleText(d.items(), 0, *position);
}

TEST(Placement, BeforeTextFindsTheFirstVisibleMatch) {
  // Scripts as build() reads them: "<+8>" italic on, "{4,28}" a right single
  // quote, "{4,6}" a section sign, "~" a hard space, "^...^" a note.
  const Document twoParagraphs = build("First TARGET.\nSecond TARGET here.");
  const Document italicName = build("Smith v. <+8>Jones");
  const Document possessive = build("Smith{4,28}s brief");
  const Document statute = build("42~U.S.C. {4,6} 1983");
  const Document withNote = build("held^See below.^ that");
  const Document western = build("Caf\xE9 Society\ta\tb");

  const struct {
    const char* name;
    const Document& document;
    const char* text;
    std::optional<std::string> before;
  } rows[] = {
      {"first of two occurrences", twoParagraphs, "TARGET", "First "},
      {"in a later paragraph", twoParagraphs, "Second TARGET", "First TARGET.\n"},
      {"case counts", twoParagraphs, "target", std::nullopt},
      {"never across a paragraph end", twoParagraphs, "TARGET.Second", std::nullopt},
      {"a blank is not a paragraph end", twoParagraphs, "TARGET. Second", std::nullopt},
      {"runs over an attribute code", italicName, "v. Jones", "Smith "},
      {"starts on the character after a code", italicName, "Jones", "Smith v. "},
      {"straight apostrophe finds the typographic one", possessive, "Smith's", ""},
      {"the typographic apostrophe finds itself", possessive, "h\xE2\x80\x99s", "Smit"},
      {"a blank finds a hard space", statute, "42 U.S.C.", ""},
      {"UTF-8 section sign finds the host character", statute, "\xC2\xA7 1983", "42\xA0U.S.C. "}, // visible text shows the hard space
      {"a note reference is invisible", withNote, "held that", ""},
      {"UTF-8 finds a Windows-1252 letter", western, "Caf\xC3\xA9", ""},
      {"a raw Windows-1252 byte is not UTF-8 and finds nothing", western, "Caf\xE9", std::nullopt},
      {"tabs match tabs", western, "a\tb", "Caf\xE9 Society\t"},
      {"text longer than the document", western, "Caf\xC3\xA9 Society\ta\tb and more", std::nullopt},
      {"empty text finds nothing", western, "", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<std::size_t> found = quillon::app::findVisibleText(row.document.items(), row.text);
    EXPECT_EQ(textBefore(row.document, found), row.before);
    if (found) {
      EXPECT_FALSE(row.document.items()[*found].isCode()) << "a match never starts on a code";
    }
  }
}

TEST(Placement, AfterParagraphStandsAfterItsEnd) {
  const Document unended = build("One\nTwo\nThree");
  const Document ended = build("One\nTwo\n");
  const Document paged = build("One\fTwo");
  const Document empty;
  const struct {
    const char* name;
    const Document& document;
    int paragraph;
    std::optional<std::string> before;
  } rows[] = {
      {"first paragraph", unended, 1, "One\n"},
      {"an unended last paragraph ends with the text", unended, 3, "One\nTwo\nThree"},
      {"beyond the last", unended, 4, std::nullopt},
      {"paragraphs count from 1", unended, 0, std::nullopt},
      {"last paragraph with its return", ended, 2, "One\nTwo\n"},
      {"nothing after the last return is no paragraph", ended, 3, std::nullopt},
      {"a page break ends a paragraph", paged, 1, "One\f"},
      {"empty document has no paragraph", empty, 1, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(textBefore(row.document, quillon::app::afterParagraph(row.document.items(), row.paragraph)),
              row.before);
  }
}

}  // namespace
