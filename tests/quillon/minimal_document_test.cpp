// The stand-in document answering the commands a plug-in sends through the
// host window. In: command blocks for typing, saving, bookmarks, selection
// and search. Out: the document's text, insertion point, name, state,
// bookmarks and selection, and the replies the plug-in reads.
#include "quillon/commands/minimal_document.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "quillon/commands/block_executor.h"
#include "quillon/commands/host_window.h"
#include "tests/quillon/block_builder.h"

namespace {

using quillon_test::BlockBuilder;

constexpr std::uint16_t kHardReturn = 85, kGoToBookmark = 370, kSelectBookmark = 371, kDeleteBookmark = 373,
                        kSetSelectMode = 33256, kSelectCharLeft = 33190, kMoveCharLeft = 33189, kGoToTop = 33328,
                        kGoToEnd = 33236, kSetSearchText = 549, kSearchForward = 33185, kSearchBackward = 33186,
                        kDeleteSelection = 33051, kPage = 16450, kPath = 49189, kFileName = 49208,
                        kModified = 49213, kSave = 32993, kSaveAs = 33102, kNewDocument = 33101, kSelectedText = 16665,
                        kBookmarkInfo = 33416;

// A reply read every way a plug-in may read it; reading one that was never
// given fails the test.
class Reply {
 public:
  explicit Reply(const void* reply)
      : given_(reply != nullptr), int16_(quillon_test::replyInt16(reply)), int32_(quillon_test::replyInt32(reply)),
        text_(quillon_test::replyText(reply)) {}
  std::int16_t int16() const { return check(int16_); }
  std::int32_t int32() const { return check(int32_); }
  std::u16string text() const { return check(text_); }

 private:
  template <typename T>
  T check(T value) const {
    EXPECT_TRUE(given_) << "the command gave no reply";
    return value;
  }
  bool given_;
  std::int16_t int16_;
  std::int32_t int32_;
  std::u16string text_;
};

// Sends commands to the document as a plug-in does.
class DocumentHost {
 public:
  explicit DocumentHost(quillon::MinimalDocument& document) : executor_(document) {}

  Reply run(std::uint16_t command, std::uint32_t count = 0, const std::function<void(BlockBuilder&)>& fill = {}) {
    BlockBuilder block(command, count);
    if (fill) fill(block);
    EXPECT_EQ(block.sendTo(window_.handle()), 1);
    const Reply reply(block.reply());
    (void)block.release(window_.handle());
    return reply;
  }
  Reply withInteger(std::uint16_t command, std::int32_t value) {
    return run(command, 1, [&](BlockBuilder& b) { b.integer(0, 'I', value); });
  }
  Reply withText(std::uint16_t command, const std::u16string& text) {
    return run(command, 1, [&](BlockBuilder& b) { b.hostString(0, 'Q', text); });
  }
  void type(const std::u16string& text) { withText(2, text); }
  void createBookmark(const std::u16string& name, std::int32_t overSelection) {
    run(202, 2, [&](BlockBuilder& b) { b.hostString(0, 'Q', name).integer(1, 'I', overSelection); });
  }
  // What 4 (bookmarks): sub 0 counts them, sub 1 names the n-th.
  Reply bookmarkInfo(std::int32_t sub, std::int32_t n = 0) {
    return run(kBookmarkInfo, 5, [&](BlockBuilder& b) {
      b.hostString(0, 'R', u"").integer(1, 'I', 4).integer(2, 'I', sub).integer(3, 'I', 0).integer(4, 'F', n);
    });
  }
  std::u16string selected() { return run(kSelectedText).text(); }

 private:
  quillon::BlockExecutor executor_;
  quillon::HostWindow window_{executor_};
};

TEST(MinimalDocument, TypedTextAndReturnsAppearAtTheInsertionPoint) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  EXPECT_EQ(host.run(kModified).int32(), 0);
  host.type(u"Smith v. Jones");
  host.run(kHardReturn);
  host.type(u"\u00A7 12");
  EXPECT_EQ(document.text(), u"Smith v. Jones\n\u00A7 12");
  EXPECT_EQ(host.run(kModified).int32(), 1);
  host.run(kGoToTop);
  host.type(u"> ");
  EXPECT_EQ(document.text(), u"> Smith v. Jones\n\u00A7 12");
  EXPECT_EQ(document.insertionPoint(), 2u);
}

TEST(MinimalDocument, NameAndStateOfTheDocument) {
  struct { const char* name; quillon::MinimalDocument document; std::u16string path, file; } rows[] = {
      {"saved document", quillon::MinimalDocument("/home/ann/briefs/", "reply.qd"), u"/home/ann/briefs/", u"reply.qd"},
      {"never saved", quillon::MinimalDocument(), u"", u""},
      {"Windows-1252 bytes in the name", quillon::MinimalDocument("/b/", "r\xE9sum\xE9.qd"), u"/b/",
       u"r\u00E9sum\u00E9.qd"},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row.name);
    DocumentHost host(row.document);
    EXPECT_EQ(host.run(kPath).text(), row.path);
    EXPECT_EQ(host.run(kFileName).text(), row.file);
    EXPECT_EQ(host.run(kPage).int16(), 1);
  }
}

TEST(MinimalDocument, SavingClearsTheModifiedFlagOnlyWithAName) {
  quillon::MinimalDocument unnamed;
  DocumentHost host(unnamed);
  host.type(u"text");
  host.run(kSave);
  EXPECT_EQ(host.run(kModified).int32(), 1) << "the host would have to ask for a name";
  host.run(kSaveAs, 3,
           [](BlockBuilder& b) { b.ansi(0, 'N', "/tmp/briefs/new.qd").integer(1, 'I', 4).integer(2, 'I', 1); });
  EXPECT_EQ(unnamed.folder(), "/tmp/briefs/");
  EXPECT_EQ(unnamed.fileName(), "new.qd");
  EXPECT_EQ(host.run(kModified).int32(), 0);
}

TEST(MinimalDocument, BookmarksAreCountedNamedVisitedAndDeletedInDocumentOrder) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  EXPECT_EQ(host.bookmarkInfo(0).int32(), 0) << "a document without bookmarks";
  host.type(u"First. ");
  host.createBookmark(u"XTOA~B", 0);
  host.run(kGoToTop);
  host.createBookmark(u"XTOA~A", 0);
  host.run(kGoToEnd);
  host.type(u"Second.");
  host.createBookmark(u"XTOA~C", 0);
  EXPECT_EQ(host.bookmarkInfo(0).int32(), 3);
  const std::u16string names[] = {u"", u"XTOA~A", u"XTOA~B", u"XTOA~C", u""};  // n = 0..4
  for (std::int32_t n = 0; n < 5; ++n) EXPECT_EQ(host.bookmarkInfo(1, n).text(), names[n]) << n;

  // Going to a bookmark moves the insertion point; text typed there stays after it.
  host.withText(kGoToBookmark, u"XTOA~B");
  EXPECT_EQ(document.insertionPoint(), 7u);
  host.type(u"X");
  host.withText(kGoToBookmark, u"XTOA~Missing");
  EXPECT_EQ(document.insertionPoint(), 8u) << "a missing bookmark leaves the insertion point";
  host.withText(kGoToBookmark, u"XTOA~B");
  EXPECT_EQ(document.insertionPoint(), 7u);
  EXPECT_EQ(document.text(), u"First. XSecond.");

  host.withText(kDeleteBookmark, u"XTOA~B");
  EXPECT_EQ(host.bookmarkInfo(0).int32(), 2);
  EXPECT_EQ(host.bookmarkInfo(1, 2).text(), u"XTOA~C");
}

TEST(MinimalDocument, SelectionsComeFromSelectModeBookmarksAndSearches) {
  quillon::MinimalDocument document;
  DocumentHost host(document);
  host.type(u"See Smith v. Jones and Smith again.");
  EXPECT_EQ(host.selected(), u"") << "nothing selected";
  host.run(kSelectCharLeft);
  host.run(kSelectCharLeft);
  EXPECT_EQ(host.selected(), u"n.");
  host.run(kMoveCharLeft);
  EXPECT_EQ(host.selected(), u"") << "a move ends the selection";

  host.createBookmark(u"XTOA~Here", 0);
  host.run(kGoToTop);
  host.withInteger(kSetSelectMode, 1);
  host.withText(kGoToBookmark, u"XTOA~Here");
  host.withInteger(kSetSelectMode, 0);
  EXPECT_EQ(host.selected(), u"See Smith v. Jones and Smith aga");
  host.createBookmark(u"XTOA~Over", 1);
  host.run(kGoToEnd);
  host.withText(kSelectBookmark, u"XTOA~Over");
  EXPECT_EQ(host.selected(), u"See Smith v. Jones and Smith aga");

  host.run(kGoToEnd);
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
  host.run(kDeleteSelection);
  EXPECT_EQ(document.text(), u"in.");
}

TEST(MinimalDocument, EveryRequestIsLoggedUnknownOnesAnswerZeroAndNewEmptiesTheDocument) {
  quillon::MinimalDocument document("/d/", "x.qd", u"old text");
  DocumentHost host(document);
  host.withInteger(823, 0);
  EXPECT_EQ(host.run(54321).int32(), 0);
  EXPECT_EQ(host.run(16740).int16(), 0) << "positions are the layout's, not this document's";
  host.createBookmark(u"XTOA~Old", 0);
  host.run(kNewDocument);
  EXPECT_EQ(document.text(), u"");
  EXPECT_EQ(host.bookmarkInfo(0).int32(), 0);
  EXPECT_EQ(host.run(kFileName).text(), u"");
  ASSERT_EQ(document.log().size(), 7u) << "the log outlives the new document";
  EXPECT_EQ(document.log()[0].command, 823);
  EXPECT_EQ(document.log()[1].command, 54321);
  EXPECT_EQ(document.log()[2].command, 16740);
}

}  // namespace
