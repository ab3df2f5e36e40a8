// The pages the plug-in's reader counts in a saved file are the pages the
// host lays out: every word of the main text, as the reader hands it on, has
// the logical and physical page Document::placeOf gives its first character.
#include <gtest/gtest.h>

#include <functional>

#include "recognize/token.h"
#include "table/document_reader.h"
#include "table/progress_bar.h"
#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

// The main text's words with their pages, as the reader hands them on.
std::vector<recognize::Token> mainTextWords(const std::string& file) {
  std::vector<recognize::Token> words;
  int streams = 0;
  table::NullProgressBar progress;
  table::readDocumentFile(
      reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), progress,
      [&](recognize::TokenList& tokens) {
        for (const recognize::Token& token : tokens)
          if (streams == 1 && token.isWord()) words.push_back(token);
      },
      [&] { ++streams; });
  return words;
}

struct Row {
  const char* name;
  int minPages;  // guards the row: fewer pages would test less than it says
  std::function<void(Document&)> build;
};

const Row kRows[] = {
    {"long text breaking softly", 6, [](Document& d) { d.typeText(paragraphs(150)); }},
    {"hard page breaks between soft ones", 8,
     [](Document& d) {
       for (int block = 0; block < 5; ++block) {
         d.typeText(paragraphs(12 + block * 9));
         d.hardPageBreak();
       }
       d.hardPageBreak();  // an empty page
       d.typeText("last");
     }},
    {"page-number codes mid-page", 6,
     [](Document& d) {
       d.typeText(paragraphs(40));
       d.typeText("mid ");
       d.insertPageNumberCode(5);
       d.typeText(paragraphs(50));
       d.insertPageNumberCode(2);  // counting backwards
       d.typeText(paragraphs(40));
       d.insertPageNumberCode(3);  // exactly the page that follows: no function needed
       d.typeText(paragraphs(30));
     }},
    {"footnotes pushing lines to the next page", 6,
     [](Document& d) {
       for (int p = 0; p < 40; ++p) {
         d.typeText(paragraphs(2));
         d.typeText("Noted.");
         d.insertNote(std::string(400 + 37 * (p % 9), 'n'));
       }
     }},
    {"margins and sizes changing page heights", 5,
     [](Document& d) {
       d.setValue(CodeKind::MarginTop, 3000);
       d.setValue(CodeKind::Size, 300);
       d.typeText(paragraphs(40));
       d.setValue(CodeKind::LineSpacing, 2000);
       d.hardPageBreak();
       d.typeText(paragraphs(30));
     }},
};

TEST(NativePages, ReaderCountsThePagesTheLayoutMakes) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    Document d;
    row.build(d);
    const std::vector<recognize::Token> words = mainTextWords(writeNative(d));
    ASSERT_GE(d.pageCount(), row.minPages);
    std::size_t w = 0, at = 0;  // the word, and the character within it
    for (std::size_t i = 0; i < d.items().size(); ++i) {
      const Item& item = d.items()[i];
      if (item.kind != ItemKind::Character || item.value <= 0x20 || item.value >= 0x7F) continue;
      ASSERT_LT(w, words.size()) << "the reader found fewer characters than the document holds";
      ASSERT_EQ(words[w].text[at], static_cast<char>(item.value)) << "item " << i;
      if (at == 0) {
        const doc::Placement place = d.placeOf(i);
        ASSERT_EQ(words[w].physicalPage, place.physicalPage) << "item " << i;
        ASSERT_EQ(words[w].page, place.logicalPage) << "item " << i;
      }
      if (++at == words[w].text.size()) ++w, at = 0;
    }
    EXPECT_EQ(w, words.size());
  }
}

TEST(NativePages, PagesBeyondTheNumberFieldAreClamped) {
  Document d;
  d.insertPageNumberCode(70000);
  d.typeText("x");
  d.hardPageBreak();
  d.typeText("y");
  const std::vector<recognize::Token> words = mainTextWords(writeNative(d));
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0].page, 65535);
  EXPECT_EQ(words[1].page, 65535);
  EXPECT_EQ(words[1].physicalPage, 2);
}

}  // namespace
}  // namespace quillon::format::test
