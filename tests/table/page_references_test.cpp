// Refresh Page Numbers against the stand-in host's engine: on a one-entry
// table whose occurrence marks are placed by hand on chosen pages, the list
// rewritten as the style asks; on generated briefs, refresh after an edit
// against a fresh table built on the edited brief, and the edit undone.
#include <gtest/gtest.h>

#include "bench/generated_brief.h"
#include "platform/platform.h"
#include "quillon/app/placement.h"
#include "quillon/doc/visible_text.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "table/generation.h"
#include "table/page_references.h"
#include "tests/table/engine_host.h"

namespace {

using quillon::doc::Document;

// Entry "A" with its list "old" between its marks on page 1, then one
// occurrence mark a~n on each page listed. The user's own marks sort first:
// mark a~0 is bookmark 253, an index that the host command marks as omitted.
void buildBrief(Document& d, const std::vector<int>& pages, bool withEnd) {
  for (int i = 0; i < 252; ++i) d.createBookmark("Mine" + std::to_string(1000 + i), false);
  d.typeText("A\t"), d.createBookmark("XTOA~CIT~a~TOABEGIN", false), d.typeText("old");
  if (withEnd) d.createBookmark("XTOA~CIT~a~TOAEND", false);
  d.hardReturn();
  for (int n = 0, page = 1; n < static_cast<int>(pages.size()); ++n) {
    for (; page < pages[n]; ++page) d.hardPageBreak();
    d.typeText("Cite "), d.createBookmark("XTOA~CIT~a~" + std::to_string(n), false);
  }
}

std::string refreshedList(Document& d, const table::PageListStyle& style) {
  table::NullProgressBar bar;
  table::rewritePageLists(table::readPageMap(bar), style, bar);
  const auto* begin = d.bookmarks().find("XTOA~CIT~a~TOABEGIN");
  const auto* end = d.bookmarks().find("XTOA~CIT~a~TOAEND");
  return quillon::doc::visibleText(d.items(), begin->start.position, end ? end->start.position : begin->start.position + 3);
}

TEST(PageReferences, ListsFollowTheOccurrenceMarks) {
  // numbers: each "~NUM" mark as occurrence:the text it covers>its link target.
  struct Row { const char* name; std::vector<int> pages; table::PageListStyle style; bool withEnd; std::string list, numbers; };
  const Row rows[] = {
      {"two on page 3 count once; the later mark wins", {3, 3, 7}, {false, 2, 0, 0}, true, "3, 7", "1:3> 2:7>"},
      {"five pages, two a line", {2, 3, 4, 5, 6}, {false, 2, 0, 0}, true, "2, 3,\n\t4, 5,\n\t6", "0:2> 1:3> 2:4> 3:5> 4:6>"},
      {"passim above the maximum", {2, 3, 4, 5, 6}, {false, 9, 1, 4}, true, "passim", ""},
      {"the maximum itself is written", {2, 3, 4, 5}, {false, 9, 1, 4}, true, "2, 3, 4, 5", "0:2> 1:3> 2:4> 3:5>"},
      {"passim option 2 always writes", {2, 3, 4, 5, 6}, {false, 9, 2, 4}, true, "2, 3, 4, 5, 6", "0:2> 1:3> 2:4> 3:5> 4:6>"},
      {"links to the occurrence marks", {2, 4, 4}, {true, 9, 0, 0}, true, "2, 4", "0:2>XTOA~CIT~a~0 2:4>XTOA~CIT~a~2"},
      {"no end mark keeps the old list", {2}, {false, 9, 0, 0}, false, "old", ""},
  };
  ASSERT_TRUE(table_test::bindHostStrings());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    table_test::EngineHost host;
    Document& d = host.document();
    buildBrief(d, row.pages, row.withEnd);
    EXPECT_EQ(refreshedList(d, row.style), row.list);
    std::string numbers;
    for (const auto& m : d.bookmarks().all()) {
      if (m.name.ends_with("~NUM"))
        numbers += (numbers.empty() ? "" : " ") + m.name.substr(11, m.name.size() - 15) + ":" +
                   quillon::doc::visibleText(d.items(), m.start.position, m.end.position) + ">" + d.hyperlinkAt(m.start.position);
    }
    EXPECT_EQ(numbers, row.numbers);
  }
}

// Each entry's list by its key, for the entries with occurrence marks: an
// authority cited only in notes has none (the host cannot search note text),
// so a refresh leaves its list as the file was counted when it was built.
std::map<std::string, std::string> markedLists(Document& d) {
  std::map<std::string, std::string> out;
  for (const auto& m : d.bookmarks().all()) {
    const std::string key = m.name.substr(0, m.name.rfind('~'));
    if (m.name.ends_with("~TOABEGIN") || m.name.ends_with("~TOAEND") || m.name.ends_with("~NUM")) continue;
    const auto *begin = d.bookmarks().find(key + "~TOABEGIN"), *end = d.bookmarks().find(key + "~TOAEND");
    if (begin && end) out[key] = quillon::doc::visibleText(d.items(), begin->start.position, end->start.position);
  }
  return out;
}

// The slow, obviously right way: the same two pages inserted before a fresh
// Create Table at Cursor. The tables stand at the end, so that both runs find
// the body at the same places. Deleting the pages again and refreshing gives
// back the file as it was; the first brief is edited in the session that
// built its table, the others after a save and reopen.
TEST(PageReferences, RefreshAfterAnEditEqualsAFreshTableAndUndoingItRestoresTheFile) {
  ASSERT_TRUE(table_test::bindHostStrings());
  platform_test::TemporaryFolder folder;
  table_test::TempDatabase database(LEXORDA_SHIPPED_DB);
  database.exec("update OptionSetFormat set check_use_passim=0, check_link_pagenums=1");
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);
  table::NullProgressBar bar;
  const std::string path = folder.file("brief.qdoc");
  for (const int occurrences : {60, 150, 300}) {
    SCOPED_TRACE(std::to_string(occurrences) + " citations");
    std::map<std::string, std::string> refreshed, fresh;
    for (auto* result : {&refreshed, &fresh}) {
      Document brief(quillon::format::importMarkdown(bench::generateBrief(occurrences)).content);
      const std::size_t at = *quillon::app::afterParagraph(brief.items(), 5);
      const auto edit = [at](Document& d) {
        d.moveTo(at);
        for (int page = 0; page < 2; ++page) d.typeText("Inserted."), d.hardPageBreak();
      };
      if (result == &fresh) edit(brief);
      quillon::format::saveNativeFile(brief, path);
      table_test::EngineHost host;
      host.open(path);
      host.document().goToEnd();
      table::generateTable(false, bar, "Default", {std::chrono::milliseconds(0)});
      if (result == &refreshed && occurrences > 60) quillon::format::saveNativeFile(host.document(), path), host.open(path);
      Document& d = host.document();
      const std::string unedited = quillon::format::writeNative(d);
      if (result == &refreshed) edit(d), table::refreshPageNumbers("Default", bar);
      *result = markedLists(d);
      if (result == &fresh) continue;
      d.select(at, at + 20), d.deleteSelection(), table::refreshPageNumbers("Default", bar);
      EXPECT_TRUE(quillon::format::writeNative(d) == unedited) << "the native file differs";
    }
    EXPECT_EQ(refreshed, fresh);
  }
  EXPECT_TRUE(messages.shown().empty());
}

}  // namespace

