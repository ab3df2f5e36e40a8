// The reader over files that the stand-in host saves: the words, attributes,
// special characters, pages and notes of a document come back as the user
// typed them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "factories.h"
#include "quillon/doc/document.h"
#include "quillon/doc/item.h"
#include "quillon/format/native_format.h"

namespace {

using namespace tabletest;
namespace doc = quillon::doc;

Collected readSaved(doc::Document& document) {
  return readFile(quillon::format::writeNative(document));
}

TEST(SavedDocument, CaseCitationWithItalicNameAndFootnote) {
  doc::Document document;
  document.typeText("See ");
  document.setAttribute(doc::kItalic, true);
  document.typeText("Smith v. Jones");
  document.setAttribute(doc::kItalic, false);
  document.typeText(", 123 U.S. 456 (1990).");
  document.insertNote("Id. at 460.");
  document.hardReturn();
  document.typeText("42");
  document.insertHardSpace();
  document.typeText("U.S.C.");
  document.insertHardSpace();
  document.insertSpecial(4, 6);
  document.typeText("1983.");

  const Collected collected = readSaved(document);
  EXPECT_EQ(collected.spelled(),
            (std::vector<std::string>{"See | Smith | v. | Jones , | 123 | U.S. | 456 | (1990) . |",
                                      "42 {255:32} U.S.C. {255:32} {4:6} 1983.", "Id. | at | 460."}));
  for (const char* word : {"Smith", "v.", "Jones"}) {
    ASSERT_NE(collected.find(word), nullptr) << word;
    EXPECT_TRUE(collected.find(word)->attribute(recognize::kItalic)) << word;
  }
  EXPECT_FALSE(collected.find("123")->attribute(recognize::kItalic));
  EXPECT_EQ(collected.find("(1990)")->noteNumber, 0);
  EXPECT_EQ(collected.find("1983.")->noteNumber, 2) << "main text after the first reference";
  EXPECT_EQ(collected.find("460.")->noteNumber, 1);
}

TEST(SavedDocument, HardBreaksAndPageNumberCodes) {
  doc::Document document;
  document.typeText("one");
  document.hardPageBreak();
  document.insertPageNumberCode(10);
  document.typeText("two");
  document.insertNote("inside");
  document.hardPageBreak();
  document.typeText("three");

  const Collected collected = readSaved(document);
  const std::vector<std::pair<std::string, std::pair<int, int>>> expected = {
      {"one", {1, 1}}, {"two", {10, 2}}, {"three", {11, 3}}, {"inside", {10, 10}}};
  for (const auto& [text, pages] : expected) {
    ASSERT_NE(collected.find(text), nullptr) << text;
    EXPECT_EQ(std::make_pair(collected.find(text)->page, collected.find(text)->physicalPage), pages) << text;
  }
}

TEST(SavedDocument, LayoutPagesCountFromSoftPageBreaks) {
  doc::Document document;
  for (int i = 0; i < 300; ++i) {
    document.typeText("Paragraph " + std::to_string(i) + " cites nothing at all but fills a line or two.");
    document.hardReturn();
  }
  const Collected collected = readSaved(document);
  ASSERT_EQ(collected.paragraphs.size(), 300u);
  const recognize::Token& first = collected.paragraphs.front().front();
  const recognize::Token& last = collected.paragraphs.back().front();
  EXPECT_EQ(first.page, 1);
  EXPECT_GT(last.page, 3) << "300 paragraphs fill several pages";
  EXPECT_EQ(last.page, last.physicalPage);
  // Pages never go back and never jump by more than one between paragraphs.
  for (std::size_t i = 1; i < collected.paragraphs.size(); ++i) {
    const int step = collected.paragraphs[i].front().page - collected.paragraphs[i - 1].front().page;
    EXPECT_TRUE(step == 0 || step == 1) << "paragraph " << i;
  }
}

TEST(SavedDocument, TypographicApostropheAndDashJoinWords) {
  doc::Document document;
  document.typeText("O");
  document.insertSpecial(4, 0x1C);
  document.typeText("Brien, 12");
  document.insertSpecial(4, 0x21);
  document.typeText("14");
  EXPECT_EQ(readSaved(document).spelled(), std::vector<std::string>{"O'Brien, | 12-14"});
}

}  // namespace
