// Renders imported items compactly, and checks that imported content is well
// formed, for the Markdown and text format tests.
//
// Dump notation: characters as themselves, "{4,6}" a host character, "~" a
// hard space, "<tab>" and "<..>" tabs, "\n" a hard return, "\f" a hard page
// break, "[i+]" "[i-]" attribute codes (i italic, b bold, u underline,
// p superscript, s subscript), "[n:text]" a note reference with its text.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"

namespace quillon::format::test {

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


// What a reader sees of each character: its text and the attributes on it.
// Two documents with the same rendering read the same, whatever the order
// or number of their codes.
inline std::string formatted(const std::vector<doc::Item>& items, const std::vector<doc::ItemText>& notes) {
  std::string out;
  std::vector<int> on;
  for (const doc::Item& item : items) {
    if (item.isCode()) {
      if (item.code == doc::CodeKind::AttributeOn) on.push_back(item.value);
      if (item.code == doc::CodeKind::AttributeOff) std::erase(on, item.value);
      continue;
    }
    if (item.endsParagraph()) {  // a paragraph's end shows no formatting
      out += dump({item}, notes) + " ";
      continue;
    }
    std::vector<int> sorted = on;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::string attributes;
    for (int a : sorted) attributes += attributeLetter(a);
    out += dump({item}, notes) + (attributes.empty() ? "" : "/" + attributes) + " ";
  }
  return out;
}

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
