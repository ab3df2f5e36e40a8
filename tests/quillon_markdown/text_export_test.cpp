// Plain-text export: columns from the layout, tabs and dot leaders, pages
// split by form feeds, and each page's notes under a rule.
#include <gtest/gtest.h>

#include <algorithm>

#include "quillon/format/markdown.h"
#include "tests/quillon_support/documents.h"

namespace quillon::format::test {
namespace {

std::vector<std::string> split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + separator.size();
  }
}

std::vector<std::string> linesOf(const std::string& page) {
  std::vector<std::string> lines = split(page, "\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

constexpr const char* kLongNote =
    "Brown v. Board of Education, 347 U.S. 483 (1954), overruling Plessy v. Ferguson, 163 U.S. 537 "
    "(1896), and its progeny in every respect that matters here.";

// Page 1: a dot-leader line, a tab, special characters and filler; page 2: a
// note reference; a hard page break; page 3: a second note of two paragraphs.
doc::Document brief() {
  std::string filler;
  for (int i = 4; i <= 50; ++i) filler += "Line " + std::to_string(i) + "\n";
  return doc::test::build("Smith v. Jones[.]5\na\tb\n{4,6}~1983 <+8>italic<-8>\n" + filler + "Cited.^" + kLongNote +
                          "^\n\fAfter the break.^Short.\nSecond paragraph.^ Again.");
}

TEST(TextExport, PagesLinesAndNotes) {
  doc::Document d = brief();
  const std::string text = exportText(d);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.substr(text.size() - 2), "\f\n") << "no form feed after the last page";

  const std::vector<std::string> pages = split(text, "\f\n");
  ASSERT_EQ(static_cast<int>(pages.size()), d.pageCount());
  ASSERT_EQ(pages.size(), 3u);

  const std::vector<std::string> page1 = linesOf(pages[0]);
  ASSERT_GE(page1.size(), 4u);
  {
    SCOPED_TRACE("dot leader: dots from one blank after the text to one blank before the 5 at column 64");
    EXPECT_EQ(page1[0], "Smith v. Jones " + std::string(48, '.') + " 5");
  }
  EXPECT_EQ(page1[1], "a    b") << "tab to the stop at 600 (column 5)";
  EXPECT_EQ(page1[2], "\xC2\xA7 1983 italic") << "special as UTF-8, hard space as a blank, codes show nothing";
  EXPECT_EQ(pages[0].find("----"), std::string::npos) << "no notes on page 1";

  const std::vector<std::string> page2 = linesOf(pages[1]);
  const auto cited = std::find(page2.begin(), page2.end(), "Cited.1");
  ASSERT_NE(cited, page2.end()) << pages[1];
  const auto rule = std::find(page2.begin(), page2.end(), std::string(20, '-'));
  ASSERT_NE(rule, page2.end());
  EXPECT_GT(rule, cited);
  // The note's lines: "1. " then the text wrapped at 65 columns, later lines
  // indented under the first word.
  std::string rejoined;
  for (auto line = rule + 1; line != page2.end(); ++line) {
    EXPECT_LE(line->size(), 65u) << *line;
    EXPECT_EQ(line->substr(0, 3), line == rule + 1 ? "1. " : "   ");
    rejoined += (rejoined.empty() ? "" : " ") + line->substr(3);
  }
  EXPECT_EQ(rejoined, kLongNote);
  EXPECT_GT(page2.end() - rule, 2) << "the long note wraps";

  const std::vector<std::string> page3 = linesOf(pages[2]);
  const std::vector<std::string> expected3 = {"After the break.2 Again.", std::string(20, '-'), "2. Short.",
                                              "   Second paragraph."};
  EXPECT_EQ(page3, expected3);
}

TEST(TextExport, SmallCases) {
  struct Row {
    const char* name;
    std::string typed;  // typed into an empty document
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"empty document", "", "\n"},
      {"trailing blanks trimmed", "word   \nnext", "word\nnext\n"},
      {"long paragraph wraps as laid out",
       std::string(30, 'a') + " " + std::string(30, 'b') + " " + std::string(30, 'c'),
       std::string(30, 'a') + " " + std::string(30, 'b') + "\n" + std::string(30, 'c') + "\n"},
      {"cp1252 bytes as UTF-8", "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    doc::Document d;
    d.typeText(row.typed);
    EXPECT_EQ(exportText(d), row.expected);
  }
}

}  // namespace
}  // namespace quillon::format::test
