// Native files and Markdown for the format tests. In: what a row needs. Out:
// documents built through the editing API, native file bytes assembled
// independently of the writer, content comparisons, and imported items
// rendered compactly and checked well formed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/charsets.h"
#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_bytes.h"
#include "quillon/format/native_format.h"
#include "tests/quillon_support/documents.h"

namespace quillon::format::test {

using doc::CodeKind;
using doc::Document;
using doc::Item;
using doc::ItemKind;
using doc::ItemText;
using doc::test::build;
using doc::test::chars;
using doc::test::join;
using doc::test::off;
using doc::test::on;
using doc::test::typed;
using internal::get16;
using internal::get32;

inline std::string le16(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
inline std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

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

// Paragraphs of citation-like text, each long enough to wrap.
inline std::string paragraphs(int count) {
  std::string text;
  for (int p = 0; p < count; ++p) {
    text += "Paragraph " + std::to_string(p) +
            " cites Smith v. Jones, 123 F.3d 456, 460 (9th Cir. 1999), and the words run on to wrap.\n";
  }
  return text;
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
  d.insertNote(join({{on(doc::kItalic)}, chars("See id. at 7."), {off(doc::kItalic)}}));
  d.insertNote(join({{on(300)}, chars("Cf. 1 U.S. 1."), {off(300)}}));
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

// Dump notation: characters as themselves, "{4,6}" a host character, "~" a
// hard space, "<tab>" and "<..>" tabs, "\n" a hard return, "\f" a hard page
// break, "[i+]" "[i-]" attribute codes (i italic, b bold, u underline,
// p superscript, s subscript), "[n:text]" a note reference with its text.
inline std::string attributeLetter(int attribute) {
  switch (attribute) {
    case doc::kItalic: return "i";
    case doc::kBold: return "b";
    case doc::kUnderline: return "u";
    case doc::kSuperscript: return "p";
    case doc::kSubscript: return "s";
    default: return std::to_string(attribute);
  }
}

inline std::string dump(const std::vector<doc::Item>& items, const std::vector<doc::ItemText>& notes) {
  std::string out;
  for (const doc::Item& item : items) {
    switch (item.kind) {
      case doc::ItemKind::Character:
        if (item.value >= 0x20 && item.value < 0x7F) {
          out += static_cast<char>(item.value);
        } else {
          out += "<x" + std::to_string(item.value) + ">";
        }
        break;
      case doc::ItemKind::Special:
        out += "{" + std::to_string(item.set) + "," + std::to_string(item.value) + "}";
        break;
      case doc::ItemKind::HardSpace: out += "~"; break;
      case doc::ItemKind::Tab: out += "<tab>"; break;
      case doc::ItemKind::DotLeaderTab: out += "<..>"; break;
      case doc::ItemKind::HardReturn: out += "\n"; break;
      case doc::ItemKind::HardPageBreak: out += "\f"; break;
      case doc::ItemKind::NoteReference: {
        const auto n = static_cast<std::size_t>(item.value);
        out += "[n:" + (n < notes.size() ? dump(notes[n], {}) : std::string("?")) + "]";
        break;
      }
      case doc::ItemKind::Code:
        if (item.code == doc::CodeKind::AttributeOn || item.code == doc::CodeKind::AttributeOff) {
          out += "[" + attributeLetter(item.value) + (item.code == doc::CodeKind::AttributeOn ? "+]" : "-]");
        } else {
          out += "<code>";
        }
        break;
    }
  }
  return out;
}

inline std::string dump(const doc::DocumentContent& content) { return dump(content.items, content.notes); }

// Every attribute switched on is switched off later in the same paragraph,
// every paragraph ends, and every note reference names a note.
inline void expectWellFormed(const doc::DocumentContent& content) {
  std::vector<int> depth(256, 0);
  for (const doc::Item& item : content.items) {
    if (item.isCode() && item.code == doc::CodeKind::AttributeOn) {
      ASSERT_GE(item.value, 0);
      ++depth[static_cast<std::size_t>(item.value)];
    } else if (item.isCode() && item.code == doc::CodeKind::AttributeOff) {
      ASSERT_GT(depth[static_cast<std::size_t>(item.value)], 0) << "off without on";
      --depth[static_cast<std::size_t>(item.value)];
    } else if (item.endsParagraph()) {
      for (int d : depth) ASSERT_EQ(d, 0) << "span runs over a paragraph end";
    } else if (item.kind == doc::ItemKind::NoteReference) {
      ASSERT_LT(static_cast<std::size_t>(item.value), content.notes.size());
    }
  }
  if (!content.items.empty()) {
    EXPECT_TRUE(content.items.back().endsParagraph());
  }
  for (const doc::ItemText& note : content.notes) {
    for (const doc::Item& item : note) {
      EXPECT_NE(item.kind, doc::ItemKind::NoteReference);
      EXPECT_NE(item.kind, doc::ItemKind::HardPageBreak);
    }
  }
}

}  // namespace quillon::format::test
