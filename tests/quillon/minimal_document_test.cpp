// The stand-in document answering the commands a plug-in sends through the
// host window: typing, document name and state, the page, bookmarks created,
// visited, counted, named and deleted, selection and search.
#include "quillon/commands/minimal_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillon/commands/block_executor.h"
#include "quillon/commands/host_window.h"
#include "tests/quillon/block_builder.h"

namespace {

using quillon_test::BlockBuilder;

// Sends commands as a plug-in does and reads the replies.
class DocumentHost {
 public:
  explicit DocumentHost(quillon::MinimalDocument& document) : executor_(document) {}

  void plain(std::uint16_t command) {
    run(command, 0, [](BlockBuilder&) {});
  }
  void withInteger(std::uint16_t command, std::int32_t value) {
    run(command, 1, [&](BlockBuilder& b) { b.integer(0, 'I', value); });
  }
  void withText(std::uint16_t command, const std::u16string& text) {
    run(command, 1, [&](BlockBuilder& b) { b.hostString(0, 'Q', text); });
  }
  void type(const std::u16string& text) { withText(2, text); }
  void createBookmark(const std::u16string& name, std::int32_t overSelection) {
    run(202, 2,
        [&](BlockBuilder& b) { b.hostString(0, 'Q', name).integer(1, 'I', overSelection); });
  }
  std::int16_t int16(std::uint16_t command) {
    return read(command, [](void* r) { return quillon_test::replyInt16(r); });
  }
  std::int32_t int32(std::uint16_t command) {
    return read(command, [](void* r) { return quillon_test::replyInt32(r); });
  }
  std::u16string text(std::uint16_t command) {
    return read(command, [](void* r) { return quillon_test::replyText(r); });
  }
  std::int32_t bookmarkCount() {
    std::int32_t count = -1;
    run(33416, 5, bookmarkInfo(0, 0), [&](void* r) { count = quillon_test::replyInt32(r); });
    return count;
  }
  std::u16string bookmarkName(std::int32_t n) {
    std::u16string name = u"<no reply>";
    run(33416, 5, bookmarkInfo(1, n), [&](void* r) { name = quillon_test::replyText(r); });
    return name;
  }
  std::u16string selected() { return text(16665); }

 private:
  static std::function<void(BlockBuilder&)> bookmarkInfo(std::int32_t sub, std::int32_t n) {
    return [=](BlockBuilder& b) {
      b.hostString(0, 'R', u"").integer(1, 'I', 4).integer(2, 'I', sub).integer(3, 'I', 0);
      b.integer(4, 'F', n);
    };
  }
  template <typename Read>
  auto read(std::uint16_t command, Read readReply) -> decltype(readReply(nullptr)) {
    decltype(readReply(nullptr)) value{};
    run(
        command, 0, [](BlockBuilder&) {}, [&](void* r) { value = readReply(r); });
    return value;
  }
  void run(std::uint16_t command, std::uint32_t count,
           const std::function<void(BlockBuilder&)>& fill,
           const std::function<void(void*)>& onReply = {}) {
    BlockBuilder block(command, count);
    fill(block);
    ASSERT_EQ(block.sendTo(window_.handle()), 1);
    if (onReply) {
      ASSERT_NE(block.reply(), nullptr) << "command " << command << " gave no reply";
      onReply(block.reply());
    }
    (void)block.release(window_.handle());
  }

  quillon::BlockExecutor executor_;
  quillon::HostWindow window_{executor_};
};

constexpr std::uint16_t kHardReturn = 85, kGoToBookmark = 370, kSelectBookmark = 371,
                        kDeleteBookmark = 373, kSetSelectMode = 33256, kSelectCharLeft = 33190,
                        kMoveCharLeft = 33189, kGoToTop = 33328, kGoToEnd = 33236,
                        kSetSearchText = 549, kSearchForward = 33185, kSearchBackward = 33186,
                        kDeleteSelection = 33051, kPage = 16450, kPath = 49189, kFileName = 49208,
                        kModified = 49213, kSave = 32993, kNewDocument = 33101;

TEST(MinimalDocument, TypedTextAndReturnsAppearAtTheInsertionPoint) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  EXPECT_EQ(host.int32(kModified), 0);
  host.type(u"Smith v. Jones");
  host.plain(kHardReturn);
  host.type(u"\u00A7 12");
  EXPECT_EQ(document.text(), u"Smith v. Jones\n\u00A7 12");
  EXPECT_EQ(host.int32(kModified), 1);
  host.plain(kGoToTop);
  host.type(u"> ");
  EXPECT_EQ(document.text(), u"> Smith v. Jones\n\u00A7 12");
  EXPECT_EQ(document.insertionPoint(), 2u);
}

TEST(MinimalDocument, NameAndStateOfTheDocument) {
  struct Row {
    const char* name;
    quillon::MinimalDocument document;
    std::u16string path, file;
  } rows[] = {
      {"saved document", quillon::MinimalDocument("/home/ann/briefs/", "reply.qd"),
       u"/home/ann/briefs/", u"reply.qd"},
      {"never saved", quillon::MinimalDocument(), u"", u""},
      {"Windows-1252 bytes in the name", quillon::MinimalDocument("/b/", "r\xE9sum\xE9.qd"), u"/b/",
       u"r\u00E9sum\u00E9.qd"},
  };
  for (Row& row : rows) {
    SCOPED_TRACE(row.name);
    DocumentHost host(row.document);
    EXPECT_EQ(host.text(kPath), row.path);
    EXPECT_EQ(host.text(kFileName), row.file);
    EXPECT_EQ(host.int16(kPage), 1);
  }
}

TEST(MinimalDocument, SavingClearsTheModifiedFlagOnlyWithAName) {
  quillon::MinimalDocument unnamed;
  DocumentHost host(unnamed);
  host.type(u"text");
  host.plain(kSave);
  EXPECT_EQ(host.int32(kModified), 1) << "the host would have to ask for a name";

  BlockBuilder saveAs(33102, 3);
  saveAs.ansi(0, 'N', "/tmp/briefs/new.qd").integer(1, 'I', 4).integer(2, 'I', 1);
  quillon::BlockExecutor executor(unnamed);
  quillon::HostWindow window(executor);
  ASSERT_EQ(saveAs.sendTo(window.handle()), 1);
  EXPECT_EQ(unnamed.folder(), "/tmp/briefs/");
  EXPECT_EQ(unnamed.fileName(), "new.qd");
  EXPECT_EQ(host.int32(kModified), 0);
}

TEST(MinimalDocument, BookmarksAreCountedAndNamedInDocumentOrder) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  EXPECT_EQ(host.bookmarkCount(), 0) << "a document without bookmarks";
  host.type(u"First. ");
  host.createBookmark(u"XTOA~B", 0);
  host.plain(kGoToTop);
  host.createBookmark(u"XTOA~A", 0);
  host.plain(kGoToEnd);
  host.type(u"Second.");
  host.createBookmark(u"XTOA~C", 0);

  EXPECT_EQ(host.bookmarkCount(), 3);
  struct Row {
    std::int32_t n;
    std::u16string name;
  } rows[] = {{1, u"XTOA~A"}, {2, u"XTOA~B"}, {3, u"XTOA~C"}, {4, u""}, {0, u""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.n);
    EXPECT_EQ(host.bookmarkName(row.n), row.name);
  }

  host.withText(kDeleteBookmark, u"XTOA~B");
  EXPECT_EQ(host.bookmarkCount(), 2);
  EXPECT_EQ(host.bookmarkName(2), u"XTOA~C");
}

TEST(MinimalDocument, GoingToABookmarkMovesTheInsertionPoint) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  host.type(u"ab");
  host.createBookmark(u"XTOA~CursorLocation", 0);
  host.type(u"cd");
  host.withText(kGoToBookmark, u"XTOA~CursorLocation");
  EXPECT_EQ(document.insertionPoint(), 2u);
  host.type(u"X");
  EXPECT_EQ(document.text(), u"abXcd");
  // A missing bookmark leaves the insertion point where it is.
  host.withText(kGoToBookmark, u"XTOA~Missing");
  EXPECT_EQ(document.insertionPoint(), 3u);
  // The bookmark stayed before the text typed at it.
  host.withText(kGoToBookmark, u"XTOA~CursorLocation");
  EXPECT_EQ(document.insertionPoint(), 2u);
}

TEST(MinimalDocument, SelectionsComeFromSelectModeBookmarksAndSearches) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  host.type(u"See Smith v. Jones and Smith again.");
  EXPECT_EQ(host.selected(), u"") << "nothing selected";

  host.plain(kSelectCharLeft);
  host.plain(kSelectCharLeft);
  EXPECT_EQ(host.selected(), u"n.");
  host.plain(kMoveCharLeft);
  EXPECT_EQ(host.selected(), u"") << "a move ends the selection";

  host.createBookmark(u"XTOA~Here", 0);
  host.plain(kGoToTop);
  host.withInteger(kSetSelectMode, 1);
  host.withText(kGoToBookmark, u"XTOA~Here");
  host.withInteger(kSetSelectMode, 0);
  EXPECT_EQ(host.selected(), u"See Smith v. Jones and Smith aga");
  host.createBookmark(u"XTOA~Over", 1);
  host.plain(kGoToEnd);
  host.withText(kSelectBookmark, u"XTOA~Over");
  EXPECT_EQ(host.selected(), u"See Smith v. Jones and Smith aga");

  host.plain(kGoToEnd);
  host.withText(kSetSearchText, u"Smith");
  host.withInteger(kSearchBackward, 1);
  EXPECT_EQ(host.selected(), u"Smith");
  EXPECT_EQ(document.insertionPoint(), 28u) << "the later Smith";
  host.withInteger(kSearchBackward, 1);
  EXPECT_EQ(document.insertionPoint(), 9u) << "the earlier Smith";
  host.withInteger(kSearchForward, 0);
  EXPECT_EQ(document.insertionPoint(), 28u);
  host.withInteger(kSearchForward, 0);
  EXPECT_EQ(host.selected(), u"") << "no further match";

  host.withText(kSelectBookmark, u"XTOA~Over");
  host.plain(kDeleteSelection);
  EXPECT_EQ(document.text(), u"in.");
}

TEST(MinimalDocument, EveryRequestIsLoggedAndUnknownOnesAnswerZero) {
  quillon::MinimalDocument document("/d/", "x.qd");
  DocumentHost host(document);
  host.withInteger(823, 0);
  EXPECT_EQ(host.int32(54321), 0);
  EXPECT_EQ(host.int16(16740), 0) << "positions are the layout's, not this document's";
  ASSERT_EQ(document.log().size(), 3u);
  EXPECT_EQ(document.log()[0].command, 823);
  EXPECT_EQ(document.log()[1].command, 54321);
  EXPECT_EQ(document.log()[2].command, 16740);
  EXPECT_EQ(document.text(), u"");
}

TEST(MinimalDocument, NewDocumentStartsEmptyButKeepsTheLog) {
  quillon::MinimalDocument document("/d/", "x.qd", u"old text");
  DocumentHost host(document);
  host.createBookmark(u"XTOA~Old", 0);
  host.plain(kNewDocument);
  EXPECT_EQ(document.text(), u"");
  EXPECT_EQ(host.bookmarkCount(), 0);
  EXPECT_EQ(host.text(kFileName), u"");
  EXPECT_EQ(document.log().size(), 4u);
}

}  // namespace
