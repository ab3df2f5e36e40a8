// The pages a reader counts in a saved file are the pages the host lays out:
// every ASCII character's logical and physical page, as found by the readers'
// page rules alone, equals Document::placeOf for that character.
#include <gtest/gtest.h>

#include <functional>

#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

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
    const Walk walk = walkMainText(writeNative(d));
    ASSERT_GE(d.pageCount(), row.minPages);
    std::size_t n = 0;
    for (std::size_t i = 0; i < d.items().size(); ++i) {
      const Item& item = d.items()[i];
      if (item.kind != ItemKind::Character || item.value <= 0x20 || item.value >= 0x7F) continue;
      ASSERT_LT(n, walk.characters.size()) << "the walk found fewer characters than the document holds";
      const WalkedCharacter& found = walk.characters[n++];
      const doc::Placement place = d.placeOf(i);
      ASSERT_EQ(found.character, static_cast<char>(item.value)) << "item " << i;
      ASSERT_EQ(found.physicalPage, place.physicalPage) << "item " << i;
      ASSERT_EQ(found.logicalPage, place.logicalPage) << "item " << i;
    }
    EXPECT_EQ(n, walk.characters.size());
  }
}

TEST(NativePages, PagesBeyondTheNumberFieldAreClamped) {
  Document d;
  d.insertPageNumberCode(70000);
  d.typeText("x");
  d.hardPageBreak();
  d.typeText("y");
  const Walk walk = walkMainText(writeNative(d));
  ASSERT_EQ(walk.characters.size(), 2u);
  EXPECT_EQ(walk.characters[0].logicalPage, 65535);
  EXPECT_EQ(walk.characters[1].logicalPage, 65535);
  EXPECT_EQ(walk.characters[1].physicalPage, 2);
}

}  // namespace
}  // namespace quillon::format::test
