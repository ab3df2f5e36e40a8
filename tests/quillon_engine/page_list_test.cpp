// The page-reference refresh and the removal of old marks, sent command by
// command as the plug-in sends them. In: a body with occurrence marks on
// known pages and a table entry with an old page list. Out: the new list, its "~NUM" marks and
// hyperlinks, and the untouched text around it.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "quillon/doc/visible_text.h"
#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

const std::string kBegin = "XTOA~CIT~smith0~TOABEGIN";
const std::string kEnd = "XTOA~CIT~smith0~TOAEND";

class PageList : public EngineTest {
 protected:
  // Whether a mark exists, told the plug-in's way: going to a missing one
  // leaves the point at the top.
  bool bookmarkExists(const std::string& name) {
    c().GoToDocumentTop();
    const auto x = c().GetHorizontalPosition();
    const auto y = c().GetVerticalPosition();
    c().GoToBookmark(t(name));
    return !(c().GetPageNumber() == 1 && c().GetHorizontalPosition() == x && c().GetVerticalPosition() == y);
  }

  // Refresh: page map from the occurrence marks, then the page lists rewritten.
  void refreshPageNumbers(bool link, int perLine) {
    std::map<std::string, std::map<int, std::string>> pages;
    for (const std::string& n : bookmarkNames()) {
      if (n.size() <= 9 || !n.starts_with("XTOA~CIT~") || n.ends_with("~NUM") || n.ends_with("~TOABEGIN") ||
          n.ends_with("~TOAEND"))
        continue;
      c().GoToBookmark(t(n));
      std::string key = n.substr(9);
      if (const auto cut = key.rfind('~'); cut != std::string::npos) key.resize(cut);
      pages[key][c().GetPageNumber()] = n;
    }
    c().Command823(0);
    for (const auto& [key, byPage] : pages) {
      const std::string begin = "XTOA~CIT~" + key + "~TOABEGIN", end = "XTOA~CIT~" + key + "~TOAEND";
      if (!bookmarkExists(begin) || !bookmarkExists(end)) continue;
      c().GoToBookmark(t(begin));
      c().SetSelectMode(1);
      c().GoToBookmark(t(end));
      c().Command823(1);
      c().SelectCharLeft();
      c().Command823(0);
      c().DeleteSelection();
      c().SetSelectMode(0);
      int onLine = 0;
      for (auto it = byPage.begin(); it != byPage.end(); ++it) {
        const std::string number = std::to_string(it->first);
        c().TypeText(t(number));
        for (std::size_t k = 0; k < number.size(); ++k) c().SelectCharLeft();
        const std::string numName = it->second + "~NUM";
        c().CreateBookmark(t(numName), 1);
        if (link) {
          c().SelectBookmark(t(numName));
          c().CreateHyperlink(0, host::HostText(), t(it->second), 0);
        }
        c().SelectBookmark(t(numName));
        c().MoveCharRight();
        c().Command823(1);
        if (link) c().MoveCharRight();
        c().MoveCharRight();
        if (std::next(it) == byPage.end()) break;
        c().TypeText(t(","));
        if (++onLine % perLine != 0) {
          c().InsertSpace75();
        } else {
          c().HardReturn();
          c().InsertIndent();
        }
      }
    }
  }

  void removeOldMarks() {
    auto count = static_cast<std::int32_t>(bookmarkNames().size());
    for (std::int32_t i = 1; i <= count; ++i) {
      host::HostText name;
      std::int32_t index = i;
      c().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubName,
                          host::bookmark_info::kFourth, index);
      if (name.length() > 5 && name.text().compare(0, 5, "XTOA~") == 0) {
        c().DeleteBookmark(name);
        --i;
        --count;
      }
    }
  }
};

struct PageListRow {
  const char* name;
  std::vector<int> occurrencePages;  // occurrence n stands on occurrencePages[n]
  bool link;
  int perLine;
  std::string expected;
};

TEST_F(PageList, RefreshRewritesTheListBetweenItsMarks) {
  for (const PageListRow& row : std::vector<PageListRow>{
           {"two on page 3, one on 7", {3, 3, 7}, false, 2, "3, 7"},
           {"one per line, linked", {7, 3}, true, 1, "3,\n\t7"},
           {"five pages, two per line", {2, 3, 4, 5, 6}, false, 2, "2, 3,\n\t4, 5,\n\t6"}}) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    // Eight body pages, an entry whose old list reads "1, 2" with bold text
    // switched on right after its end mark, and a closing paragraph.
    for (int page = 1; page <= 8; ++page) {
      if (page > 1) doc().hardPageBreak();
      c().TypeText(t("Text of page " + std::to_string(page) + ". "));
      for (std::size_t n = 0; n < row.occurrencePages.size(); ++n) {
        if (row.occurrencePages[n] != page) continue;
        c().CreateBookmark(t("XTOA~CIT~smith0~" + std::to_string(n)), 0);
        c().TypeText(t("Smith v. Jones. "));
      }
    }
    c().TypeText(t("\nSmith v. Jones"));
    c().InsertDotLeaderTab();
    c().CreateBookmark(t(kBegin), 0);
    c().TypeText(t("1, 2"));
    c().CreateBookmark(t(kEnd), 0);
    c().AttributeOn(12);
    c().TypeText(t("\nAfter the table."));
    const std::string text = doc().text();

    for (int pass = 1; pass <= 2; ++pass) {
      SCOPED_TRACE("refresh " + std::to_string(pass));
      refreshPageNumbers(row.link, row.perLine);
      ASSERT_TRUE(markAt(kBegin) >= 0 && markAt(kEnd) >= markAt(kBegin));
      const auto begin = static_cast<std::size_t>(markAt(kBegin)), end = static_cast<std::size_t>(markAt(kEnd));
      EXPECT_EQ(quillon::doc::visibleText(doc().items(), begin, end), row.expected);
      std::string outside = doc().text();
      outside.replace(outside.find(row.expected), row.expected.size(), "1, 2");
      EXPECT_EQ(outside, text);
      EXPECT_TRUE(doc().attributeAt(quillon::doc::kBold, doc().items().size()));
      EXPECT_FALSE(doc().attributeAt(quillon::doc::kBold, end))
          << "typing went past the code after the list";
    }

    // Each page is covered by the "~NUM" mark of the last occurrence on it.
    for (std::size_t n = 0; n < row.occurrencePages.size(); ++n) {
      const auto& pages = row.occurrencePages;
      const bool laterOnSamePage = std::find(pages.begin() + static_cast<long>(n) + 1, pages.end(), pages[n]) != pages.end();
      const std::string occurrence = "XTOA~CIT~smith0~" + std::to_string(n);
      SCOPED_TRACE(occurrence);
      ASSERT_EQ(doc().selectBookmark(occurrence + "~NUM"), !laterOnSamePage);
      if (laterOnSamePage) continue;
      EXPECT_EQ(doc().selectedText(), std::to_string(pages[n]));
      const auto range = *doc().selection();
      EXPECT_EQ(doc().hyperlinkAt(range.start), row.link ? occurrence : "");
      std::size_t next = range.end;
      while (next < doc().items().size() && doc().items()[next].isCode()) ++next;
      EXPECT_EQ(doc().hyperlinkAt(next), "") << "the link runs past the number";
    }
  }
}

TEST_F(PageList, MissingEndMarkLeavesTheOldList) {
  c().TypeText(t("Body. "));
  c().CreateBookmark(t("XTOA~CIT~k0~0"), 0);
  c().TypeText(t("Cite.\nEntry\t"));
  c().CreateBookmark(t("XTOA~CIT~k0~TOABEGIN"), 0);
  c().TypeText(t("9\nAfter"));
  const std::string text = doc().text();
  refreshPageNumbers(true, 2);
  EXPECT_EQ(doc().text(), text);
}

// Deleting while enumerating shifts the indices: consecutive marks must all go.
TEST_F(PageList, RemovesEveryPrefixedMark) {
  using Names = std::vector<std::string>;
  for (const auto& [marks, remaining] : std::vector<std::pair<Names, Names>>{
           {{"XTOA~a", "XTOA~b", "XTOA~c", "Zed"}, {"Zed"}},
           {{"Alpha", "XTOA~CIT~k0~0", "XTOA~Cursor", "XTOA~z"}, {"Alpha"}},
           {{"XTOA~", "XTOA~x", "xtoa~y", "Alpha"}, {"Alpha", "XTOA~", "xtoa~y"}}}) {
    SCOPED_TRACE(marks[1]);
    c().NewDocument();
    c().TypeText(t("Some body text."));
    for (const std::string& mark : marks) {
      c().MoveCharLeft();
      c().CreateBookmark(t(mark), 0);
    }
    removeOldMarks();
    EXPECT_EQ(bookmarkNames(), remaining);
    EXPECT_EQ(doc().text(), "Some body text.");
  }
}

}  // namespace
}  // namespace engine_test
