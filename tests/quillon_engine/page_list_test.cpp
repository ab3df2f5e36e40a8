// The page-reference refresh and the removal of old marks, sent as the
// plug-in sends them. In: a body with occurrence marks on known pages and a
// table entry with an old page list. Out: the new list, its "~NUM" marks and
// hyperlinks, and the untouched text around it.
#include <string>
#include <vector>

#include "quillon/doc/visible_text.h"
#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

const std::string kBegin = "XTOA~CIT~smith0~TOABEGIN";
const std::string kEnd = "XTOA~CIT~smith0~TOAEND";

struct PageListRow {
  const char* name;
  std::vector<int> occurrencePages;  // occurrence n stands on occurrencePages[n]
  bool link;
  int perLine;
  std::string expected;
};

void PrintTo(const PageListRow& row, std::ostream* os) { *os << row.name; }

class PageList : public EngineTest, public testing::WithParamInterface<PageListRow> {
 protected:
  // Eight body pages, an entry whose old list reads "1, 2" with bold text
  // switched on right after its end mark, and a closing paragraph.
  void build(const std::vector<int>& occurrencePages) {
    for (int page = 1; page <= 8; ++page) {
      if (page > 1) doc().hardPageBreak();
      c().TypeText(t("Text of page " + std::to_string(page) + ". "));
      for (std::size_t n = 0; n < occurrencePages.size(); ++n) {
        if (occurrencePages[n] != page) continue;
        c().CreateBookmark(t("XTOA~CIT~smith0~" + std::to_string(n)), 0);
        c().TypeText(t("Smith v. Jones. "));
      }
    }
    c().HardReturn();
    c().TypeText(t("Smith v. Jones"));
    c().InsertDotLeaderTab();
    c().CreateBookmark(t(kBegin), 0);
    c().TypeText(t("1, 2"));
    c().CreateBookmark(t(kEnd), 0);
    c().AttributeOn(12);
    c().HardReturn();
    c().TypeText(t("After the table."));
  }
};

TEST_P(PageList, RewritesTheListBetweenItsMarks) {
  const PageListRow& row = GetParam();
  build(row.occurrencePages);
  const auto& items = doc().items();
  const std::string before = quillon::doc::visibleText(items, 0, static_cast<std::size_t>(markAt(kBegin)));
  const std::string after =
      quillon::doc::visibleText(items, static_cast<std::size_t>(markAt(kEnd)), items.size());

  for (int pass = 1; pass <= 2; ++pass) {
    SCOPED_TRACE("refresh " + std::to_string(pass));
    refreshPageNumbers(row.link, row.perLine);
    EXPECT_EQ(textBetween(kBegin, kEnd), row.expected);
    EXPECT_EQ(quillon::doc::visibleText(doc().items(), 0, static_cast<std::size_t>(markAt(kBegin))), before);
    EXPECT_EQ(quillon::doc::visibleText(doc().items(), static_cast<std::size_t>(markAt(kEnd)), doc().items().size()),
              after);
    EXPECT_TRUE(doc().attributeAt(quillon::doc::kBold, doc().items().size()));
    EXPECT_FALSE(doc().attributeAt(quillon::doc::kBold, static_cast<std::size_t>(markAt(kEnd))))
        << "typing went past the code after the list";
  }

  // Each page is covered by the "~NUM" mark of the last occurrence on it.
  for (std::size_t n = 0; n < row.occurrencePages.size(); ++n) {
    const int page = row.occurrencePages[n];
    bool laterOnSamePage = false;
    for (std::size_t m = n + 1; m < row.occurrencePages.size(); ++m) laterOnSamePage |= row.occurrencePages[m] == page;
    const std::string occurrence = "XTOA~CIT~smith0~" + std::to_string(n);
    const std::string num = occurrence + "~NUM";
    SCOPED_TRACE(num);
    if (laterOnSamePage) {
      EXPECT_EQ(doc().bookmarks().find(num), nullptr);
      continue;
    }
    ASSERT_TRUE(doc().selectBookmark(num));
    EXPECT_EQ(doc().selectedText(), std::to_string(page));
    const auto range = *doc().selection();
    EXPECT_EQ(doc().hyperlinkAt(range.start), row.link ? occurrence : "");
    std::size_t next = range.end;
    while (next < doc().items().size() && doc().items()[next].isCode()) ++next;
    EXPECT_EQ(doc().hyperlinkAt(next), "") << "the link runs past the number";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Refresh, PageList,
    testing::Values(PageListRow{"TwoOnPage3OneOn7", {3, 3, 7}, false, 2, "3, 7"},
                    PageListRow{"TwoOnPage3OneOn7Linked", {3, 3, 7}, true, 2, "3, 7"},
                    PageListRow{"OnePerLine", {3, 7}, false, 1, "3,\n\t7"},
                    PageListRow{"OnePerLineLinked", {7, 3}, true, 1, "3,\n\t7"},
                    PageListRow{"FivePagesTwoPerLine", {2, 3, 4, 5, 6}, false, 2, "2, 3,\n\t4, 5,\n\t6"},
                    PageListRow{"FivePagesTwoPerLineLinked", {2, 3, 4, 5, 6}, true, 2, "2, 3,\n\t4, 5,\n\t6"}),
    [](const testing::TestParamInfo<PageListRow>& info) { return std::string(info.param.name); });

TEST_F(EngineTest, MissingEndMarkLeavesTheOldList) {
  c().TypeText(t("Body. "));
  c().CreateBookmark(t("XTOA~CIT~k0~0"), 0);
  c().TypeText(t("Cite.\nEntry\t"));
  c().CreateBookmark(t("XTOA~CIT~k0~TOABEGIN"), 0);
  c().TypeText(t("9\nAfter"));
  const std::string text = doc().text();
  refreshPageNumbers(true, 2);
  EXPECT_EQ(doc().text(), text);
}

struct MarkRemovalRow {
  const char* name;
  std::vector<std::string> marks;
  std::vector<std::string> remaining;  // in enumeration order
};

void PrintTo(const MarkRemovalRow& row, std::ostream* os) { *os << row.name; }

class MarkRemoval : public EngineTest, public testing::WithParamInterface<MarkRemovalRow> {};

TEST_P(MarkRemoval, DeletesEveryPrefixedMark) {
  c().TypeText(t("Some body text."));
  for (const std::string& mark : GetParam().marks) {
    c().MoveCharLeft();
    c().CreateBookmark(t(mark), 0);
  }
  const std::string text = doc().text();
  removeOldMarks();
  std::vector<std::string> remaining;
  for (std::size_t n = 1; n <= doc().bookmarkCount(); ++n) remaining.push_back(*doc().bookmarkName(n));
  EXPECT_EQ(remaining, GetParam().remaining);
  EXPECT_EQ(doc().text(), text);
}

INSTANTIATE_TEST_SUITE_P(
    OldMarks, MarkRemoval,
    testing::Values(MarkRemovalRow{"ThreeInARow", {"XTOA~a", "XTOA~b", "XTOA~c", "Zed"}, {"Zed"}},
                    MarkRemovalRow{"ThreeInARowAtTheEnd", {"Alpha", "XTOA~CIT~k0~0", "XTOA~Cursor", "XTOA~z"}, {"Alpha"}},
                    MarkRemovalRow{"BarePrefixAndLowerCaseStay",
                                   {"XTOA~", "XTOA~x", "xtoa~y", "Alpha"},
                                   {"Alpha", "XTOA~", "xtoa~y"}}),
    [](const testing::TestParamInfo<MarkRemovalRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace engine_test
