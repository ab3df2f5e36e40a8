// Saving and reopening: documents built through the editing API come back
// item for item and bookmark for bookmark (names, both ends, the side each
// end sticks to), saving the reopened document gives the same bytes, and the
// bytes are laid out as the format says.
#include <gtest/gtest.h>

#include <functional>

#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

struct Row {
  const char* name;
  std::function<Document()> build;
};

// Two ranges meeting at position 3 and three points there, typed in no order.
Document marksAtOneGap() {
  Document d;
  d.typeText("abcdef");
  d.select(1, 3);
  d.createBookmark("ends here", true);
  d.select(3, 5);
  d.createBookmark("starts here", true);
  for (const char* name : {"c", "a", "b"}) {
    d.moveTo(3);
    d.createBookmark(name, false);
  }
  return d;
}

const Row kRows[] = {
    {"empty document", [] { return Document(); }},
    {"every item kind and code", everyKind},
    {"long text over many pages", [] { return typed(paragraphs(120)); }},
    {"page number on the first page", [] { return build("first <P70000>" + paragraphs(60)); }},  // over 16 bits
    {"only a note", [] { return build("^^"); }},
    {"marks at one gap, a high-byte name, an end that sticks right after a deletion",
     [] {
       Document d = marksAtOneGap();
       d.createBookmark("caf\xE9 \xD1\xD9", false);
       d.select(1, 4);
       d.createBookmark("cut", true);
       d.select(2, 5);
       d.deleteSelection();
       return d;
     }},
    {"trailing page break and bookmark",
     [] {
       Document d = build("a\f");
       d.createBookmark("z", false);
       return d;
     }},
};

TEST(NativeRoundTrip, ReopenedDocumentMatchesAndSavesToSameBytes) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    Document original = row.build();
    const std::string saved = writeNative(original);
    EXPECT_EQ(writeNative(original), saved) << "the same document must give the same bytes";
    const doc::DocumentContent reopened = readNative(saved);
    expectSameContent(reopened, original.content());
    Document again(reopened);
    EXPECT_EQ(writeNative(again), saved);
  }
}

TEST(NativeBytes, SmallDocumentIsLaidOutAsTheFormatSays) {
  Document d;
  d.typeText("a b");
  d.insertNote(ItemText{Item::character('n')});
  d.createBookmark("m", false);
  const std::string note = "n";
  const std::string main =
      "a\x80" "b" + noteRef(0) + std::string("\xD1\x02\x07\x00\x00m\xD1\xD1\x01\x07\x00\x00m\xD1", 14);
  const std::string expected = std::string("\xFFQDC", 4) + le32(20 + 14 + 10 + 1) + le16(2) + le16(1) + le16(0) +
                               le16(20) + le32(static_cast<std::uint32_t>(45 + main.size())) +  // header
                               le16(1) + le32(0) + le32(11) + le32(34) +        // index entry
                               le16(1) + le32(1) + le32(0) + note +             // note packet
                               main;
  EXPECT_EQ(writeNative(d), expected);
}

// Marks at one gap: ends first, then starts, each in name order.
TEST(NativeBytes, MarksAtOneGapComeInFixedOrder) {
  Document d = marksAtOneGap();
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

struct Encoding {
  const char* name;
  ItemText text;
  std::string bytes;
};

// The encodings of each part of a text stream, read through a note packet.
TEST(NativeBytes, NoteTextsFoundThroughPacketIndexHoldTheirEncoding) {
  const Encoding rows[] = {
      {"word, blank, italic", join({{on(doc::kItalic)}, chars("Id. at"), {off(doc::kItalic)}}), "\xF2\x08\xF2Id.\x80" "at\xF3\x08\xF3"},
      {"unusual attribute as stored code", {Item::codeOf(CodeKind::AttributeOn, 300)},
       std::string("\xD9\x01\x09\x00\x2C\x01\x00\x00\xD9", 9)},
      {"short form and extended character", {Item::special(1, 35), Item::special(1, 23), Item::special(4, 6)},
       std::string("\x01\x20\xF0\x06\x04\xF0", 6)},
      {"hard space, tab, hard return, page break", {Item::of(ItemKind::HardSpace), Item::of(ItemKind::Tab),
        Item::of(ItemKind::HardReturn), Item::of(ItemKind::HardPageBreak)}, "\x81\x87\xCC\xC7"},
      {"dot leader", {Item::of(ItemKind::DotLeaderTab)}, std::string("\xD0\x02\x05\x00\xD0", 5)},
      {"soft hyphen and e acute", {Item::character(0xAD), Item::character(0xE9)},
       std::string("\x85\xD9\x20\x0A\x00\xE9\x00\x00\x00\x01\xD9\x0F", 12)},
      {"byte without host character", {Item::character(0x81)},
       std::string("\xD9\x20\x0A\x00\x81\x00\x00\x00\x00\xD9", 10)},
  };
  Document d;
  for (const Encoding& row : rows) d.insertNote(row.text);
  const std::string file = writeNative(d);
  ASSERT_EQ(get16(file, 10), std::size(rows)) << "one packet per note, in reference order";
  const std::size_t index = get16(file, 14);
  for (std::size_t n = 0; n < std::size(rows); ++n) {
    SCOPED_TRACE(rows[n].name);
    const std::size_t entry = index + 14 * n;
    const std::size_t size = get32(file, entry + 6), data = get32(file, entry + 10);
    ASSERT_LE(data + size, file.size());
    EXPECT_EQ(file.substr(data + 10, size - 10), rows[n].bytes);
  }
}

}  // namespace
}  // namespace quillon::format::test
