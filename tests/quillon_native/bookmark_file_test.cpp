// Bookmarks across save and open: names, both ends' positions and the side
// each end sticks to, and the order of the marks at one gap.
#include <gtest/gtest.h>

#include <functional>

#include "tests/quillon_native/factories.h"

namespace quillon::format::test {
namespace {

struct Row {
  const char* name;
  std::function<void(Document&)> build;
};

const Row kRows[] = {
    {"point at the start", [](Document& d) { d.typeText("abc"); d.moveTo(0); d.createBookmark("p", false); }},
    {"range over a word", [](Document& d) { d.typeText("one two"); d.select(4, 7); d.createBookmark("r", true); }},
    {"several at one gap",
     [](Document& d) {
       d.typeText("abcdef");
       d.select(1, 3);
       d.createBookmark("ends here", true);
       d.select(3, 5);
       d.createBookmark("starts here", true);
       for (const char* name : {"c", "a", "b"}) {
         d.moveTo(3);
         d.createBookmark(name, false);
       }
     }},
    {"at the end of the document", [](Document& d) { d.typeText("end"); d.createBookmark("last", false); }},
    {"names with double quotes and high bytes",
     [](Document& d) {
       d.typeText("x");
       d.createBookmark("say \"hi\"", false);
       d.createBookmark("caf\xE9 \xD1\xD9", false);
     }},
    {"end that sticks right after a deletion",
     [](Document& d) {
       d.typeText("abcdef");
       d.select(1, 4);
       d.createBookmark("cut", true);
       d.select(2, 5);
       d.deleteSelection();
     }},
};

TEST(NativeBookmarks, KeepNamesPositionsAndSides) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    Document d;
    row.build(d);
    ASSERT_GT(d.bookmarkCount(), 0u);
    expectSameBookmarks(readNative(writeNative(d)).bookmarks, d.bookmarks().all());
  }
}

TEST(NativeBookmarks, ReopenedRangeStillKeepsTypingOutside) {
  Document d;
  d.typeText("one two");
  d.select(4, 7);
  d.createBookmark("r", true);
  Document reopened(readNative(writeNative(d)));
  reopened.moveTo(4);
  reopened.typeText("xx");
  reopened.goToEnd();
  reopened.typeText("yy");
  ASSERT_TRUE(reopened.selectBookmark("r"));
  EXPECT_EQ(reopened.selectedText(), "two");
}

// Marks at one gap: ends first, then starts, each in name order.
TEST(NativeBookmarks, MarksAtOneGapComeInFixedOrder) {
  Document d;
  kRows[2].build(d);  // several at one gap
  const std::string file = writeNative(d);
  std::vector<std::string> marks;
  for (std::size_t i = get32(file, 4); i < file.size();) {
    const auto b = static_cast<std::uint8_t>(file[i]);
    if (b < 0xD0 || b > 0xEF) {
      ++i;
      continue;
    }
    const std::size_t length = get16(file, i + 2);
    if (b == 0xD1) marks.push_back((file[i + 1] == 1 ? "start " : "end ") + file.substr(i + 5, length - 6));
    i += length;
  }
  const std::vector<std::string> expected = {"start ends here", "end a",   "end b",   "end c",
                                             "end ends here",   "start a", "start b", "start c",
                                             "start starts here", "end starts here"};
  EXPECT_EQ(marks, expected);
}

}  // namespace
}  // namespace quillon::format::test
