// Builds documents and hand-made native files for the native format's tests.
// In: what a row needs. Out: documents built through the editing API, file
// bytes assembled independently of the writer, and content comparisons.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/charsets.h"
#include "quillon/doc/document.h"
#include "quillon/format/native_format.h"

namespace quillon::format::test {

using doc::CodeKind;
using doc::Document;
using doc::Item;
using doc::ItemKind;
using doc::ItemText;

inline std::string le16(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
inline std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }
inline std::uint32_t get16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8;
}
inline std::uint32_t get32(std::string_view b, std::size_t at) { return get16(b, at) | get16(b, at + 2) << 16; }

// A native file assembled by hand from its parts: header, index, one note
// packet per text, then the main text.
inline std::string nativeFile(std::string_view mainText, const std::vector<std::string>& notes = {}) {
  const std::size_t count = notes.size();
  std::size_t data = 16 + 14 * count;
  std::string index, packets;
  for (const std::string& text : notes) {
    index += le16(1) + le32(0) + le32(static_cast<std::uint32_t>(10 + text.size())) + le32(static_cast<std::uint32_t>(data));
    packets += le16(1) + le32(static_cast<std::uint32_t>(text.size())) + le32(0) + text;
    data += 10 + text.size();
  }
  return std::string("\xFFQDC", 4) + le32(static_cast<std::uint32_t>(data)) + le16(1) +
         le16(static_cast<std::uint32_t>(count)) + le16(0) + le16(16) + index + packets + std::string(mainText);
}

// Note references in the file's form: start with packet p, then end.
inline std::string noteRef(std::uint32_t packet) {
  return std::string("\xD7\x00\x09\x00\x00\x00", 6) + le16(packet) + "\xD7" + std::string("\xD7\x01\x05\x00\xD7", 5);
}

inline ItemText noteText(std::string_view text, int attribute) {
  ItemText note{Item::codeOf(CodeKind::AttributeOn, attribute)};
  for (char c : text) note.push_back(c == ' ' ? Item::character(' ') : Item::character(static_cast<std::uint8_t>(c)));
  note.push_back(Item::codeOf(CodeKind::AttributeOff, attribute));
  return note;
}

// Paragraphs of citation-like text, long enough to fill `pages` pages or so.
inline void typeParagraphs(Document& d, int count) {
  for (int p = 0; p < count; ++p) {
    d.typeText("Paragraph " + std::to_string(p) +
               " cites Smith v. Jones, 123 F.3d 456, 460 (9th Cir. 1999), and the words run on to wrap.\n");
  }
}

// A document holding every item kind and every code the format stores.
inline Document everyKind() {
  Document d;
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
  d.typeText("Plain ASCII !\"#$%&'()*+,-./0123456789:;<=>?@[\\]^_`{|}~ and high: " + high);
  for (int set : {1, 4}) {
    for (int n = 0; n < 256; ++n) {
      if (doc::specialToUnicode(set, n)) d.insertSpecial(static_cast<std::uint8_t>(set), static_cast<std::uint8_t>(n));
    }
  }
  for (std::uint8_t n : kShortForms) d.insertSpecial(1, n);
  d.insertSpecial(7, 200);  // a set the host does not define still travels
  d.insertHardSpace();
  d.insertTab();
  d.insertDotLeaderTab();
  d.hardReturn();
  for (int a : {doc::kSuperscript, doc::kSubscript, doc::kItalic, doc::kBold, doc::kUnderline, 0, 0xEF, 0xF0, 300, -2}) {
    d.setAttribute(a, true);
    d.typeText("x");
    d.setAttribute(a, false);
  }
  d.setFont("Times Roman");
  d.setFont("Quillon Mono");
  d.setFont("Courier \"New\"");
  d.setValue(CodeKind::Size, 240);
  d.setValue(CodeKind::LineSpacing, 2000);
  d.setValue(CodeKind::MarginLeft, 1500);
  d.setValue(CodeKind::MarginRight, 900);
  d.setValue(CodeKind::MarginTop, 1000);
  d.setValue(CodeKind::MarginBottom, 1100);
  d.setValue(CodeKind::ParagraphIndent, 600);
  d.setValue(CodeKind::FirstLineIndent, -300);
  d.insertPageNumberCode(12);
  d.typeText("Id. at 5.");
  d.insertNote(noteText("See id. at 7.", doc::kItalic));
  d.insertNote(noteText("Cf. 1 U.S. 1.", 300));
  d.hardPageBreak();
  d.typeText("Linked text kept together.");
  const std::size_t end = d.insertionPoint();
  d.select(end - 26, end - 16);
  d.createHyperlink("target \"one\"");
  d.select(end - 10, end - 2);
  d.keepTogether();
  d.select(0, 5);
  d.createBookmark("range", true);
  d.moveTo(5);
  d.createBookmark("alpha", false);
  d.createBookmark("beta", false);
  d.goToEnd();
  d.createBookmark("at \"end\"", false);
  return d;
}

inline void expectSameContent(const doc::DocumentContent& got, const doc::DocumentContent& want) {
  EXPECT_EQ(got.items, want.items);
  EXPECT_EQ(got.notes, want.notes);
  EXPECT_EQ(got.faces, want.faces);
  EXPECT_EQ(got.targets, want.targets);
  EXPECT_EQ(got.bookmarks, want.bookmarks);
}

}  // namespace quillon::format::test
