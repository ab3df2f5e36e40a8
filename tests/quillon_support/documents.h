// Documents for the stand-in host's tests. In: typed text, a script, or items
// to string together. Out: documents built through the editing API, items
// built directly, and items and the cursor rendered as text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/document.h"

namespace quillon::doc::test {

// A document holding `text` typed at its start, insertion point at the end.
inline Document typed(std::string_view text) {
  Document doc;
  doc.typeText(text);
  return doc;
}

// A document typed from a script that reads like showItem()'s output: "<+12>"
// and "<-12>" switch an attribute on and off, "<S400>" "<L2000>" "<M1800>"
// "<I600>" "<F-600>" set size, spacing, left margin, paragraph and first-line
// indent, "<P7>" is a page-number code, "[.]" a dot-leader tab, "{4,3}" a
// special character, "~" a hard space, "\f" a page break, "^text^" a note.
inline Document build(std::string_view script) {
  Document d;
  std::size_t i = 0;
  while (i < script.size()) {
    const char c = script[i];
    if (c == '<') {
      const std::size_t close = script.find('>', i);
      const char kind = script[i + 1];
      const int v = std::stoi(std::string(script.substr(i + 2, close - i - 2)));
      switch (kind) {
        case '+': d.setAttribute(v, true); break;
        case '-': d.setAttribute(v, false); break;
        case 'S': d.setValue(CodeKind::Size, v); break;
        case 'L': d.setValue(CodeKind::LineSpacing, v); break;
        case 'M': d.setValue(CodeKind::MarginLeft, v); break;
        case 'I': d.setValue(CodeKind::ParagraphIndent, v); break;
        case 'F': d.setValue(CodeKind::FirstLineIndent, v); break;
        case 'P': d.insertPageNumberCode(v); break;
        default: break;
      }
      i = close + 1;
    } else if (script.substr(i, 3) == "[.]") {
      d.insertDotLeaderTab();
      i += 3;
    } else if (c == '{') {
      const std::size_t comma = script.find(',', i);
      const std::size_t close = script.find('}', i);
      d.insertSpecial(static_cast<std::uint8_t>(std::stoi(std::string(script.substr(i + 1, comma - i - 1)))),
                      static_cast<std::uint8_t>(std::stoi(std::string(script.substr(comma + 1, close - comma - 1)))));
      i = close + 1;
    } else if (c == '^') {
      const std::size_t close = script.find('^', i + 1);
      d.insertNote(script.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      c == '~' ? d.insertHardSpace() : c == '\f' ? d.hardPageBreak() : d.typeText(script.substr(i, 1));
      ++i;
    }
  }
  return d;
}

// One item as text: characters as themselves, "<+14>"/"<-14>" for attribute
// codes, "<K"/"K>" keep-together, "<H"/"H>" hyperlink, "<P3>" a page-number
// code, "<Z200>" other value codes, "~" hard space, "[.]" a dot-leader tab,
// "{4,0}" a special character, "^0" a note reference.
inline std::string showItem(const Item& item) {
  switch (item.kind) {
    case ItemKind::Character: return std::string(1, static_cast<char>(item.value));
    case ItemKind::Special: return "{" + std::to_string(item.set) + "," + std::to_string(item.value) + "}";
    case ItemKind::HardSpace: return "~";
    case ItemKind::Tab: return "\t";
    case ItemKind::DotLeaderTab: return "[.]";
    case ItemKind::HardReturn: return "\n";
    case ItemKind::HardPageBreak: return "\f";
    case ItemKind::NoteReference: return "^" + std::to_string(item.value);
    case ItemKind::Code: break;
  }
  switch (item.code) {
    case CodeKind::AttributeOn: return "<+" + std::to_string(item.value) + ">";
    case CodeKind::AttributeOff: return "<-" + std::to_string(item.value) + ">";
    case CodeKind::KeepTogetherStart: return "<K";
    case CodeKind::KeepTogetherEnd: return "K>";
    case CodeKind::HyperlinkStart: return "<H";
    case CodeKind::HyperlinkEnd: return "H>";
    case CodeKind::PageNumber: return "<P" + std::to_string(item.value) + ">";
    default: return "<Z" + std::to_string(item.value) + ">";
  }
}

// The items with "|" at the insertion point, or "[" and "]" around the selection.
inline std::string showCursor(const Document& doc) {
  const auto range = doc.selection();
  std::string out;
  for (std::size_t i = 0; i <= doc.items().size(); ++i) {
    if (range && i == range->start) out += "[";
    if (range && i == range->end) out += "]";
    if (!range && i == doc.insertionPoint()) out += "|";
    if (i < doc.items().size()) out += showItem(doc.items()[i]);
  }
  return out;
}

// Items built directly: characters, attribute codes, and pieces strung together.
inline std::vector<Item> chars(std::string_view text) {
  std::vector<Item> items;
  for (char c : text) items.push_back(Item::character(static_cast<std::uint8_t>(c)));
  return items;
}
inline Item on(int attribute) { return Item::codeOf(CodeKind::AttributeOn, attribute); }
inline Item off(int attribute) { return Item::codeOf(CodeKind::AttributeOff, attribute); }
inline std::vector<Item> join(std::initializer_list<std::vector<Item>> parts) {
  std::vector<Item> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace quillon::doc::test
