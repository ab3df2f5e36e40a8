// The units of a document's main text. In: what the user types and the codes
// that commands place. Out: one Item per unit, held in document order.
//
// Every item occupies one position; codes are zero-width for layout, search
// and selected text, but still take a position so that they have a place
// before or after the characters around them.
#pragma once

#include <cstdint>
#include <vector>

namespace quillon::doc {

enum class ItemKind : std::uint8_t {
  Character,      // an ordinary Windows-1252 byte (`value`)
  Special,        // host character (`set`, `value` = number)
  HardSpace,      // a blank that never breaks a line
  Tab,            // to the next tab stop
  DotLeaderTab,   // right-aligns what follows with dots before it
  HardReturn,     // ends the paragraph
  HardPageBreak,  // ends the paragraph and the page
  NoteReference,  // `value` = index of the note text in Document::notes()
  Code,           // zero-width; `code` says which, `value` carries its value
};

enum class CodeKind : std::uint8_t {
  None,
  AttributeOn,      // `value` = attribute number
  AttributeOff,
  Font,             // `value` = index of the face name in Document::faces()
  Size,             // `value` = font size in 1/1200 inch
  LineSpacing,      // `value` = spacing in thousandths (1000 = single)
  MarginLeft,       // margins and indents in 1/1200 inch
  MarginRight,
  MarginTop,
  MarginBottom,
  ParagraphIndent,
  FirstLineIndent,  // relative to the paragraph indent; may be negative
  HyperlinkStart,   // `value` = index of the target name in Document::targets()
  HyperlinkEnd,
  KeepTogetherStart,
  KeepTogetherEnd,
  PageNumber,       // `value` = logical number of the page holding the code
};

// Attribute numbers as the host's commands give them.
inline constexpr int kSuperscript = 5;
inline constexpr int kSubscript = 6;
inline constexpr int kItalic = 8;
inline constexpr int kBold = 12;
inline constexpr int kUnderline = 14;

struct Item {
  ItemKind kind = ItemKind::Character;
  CodeKind code = CodeKind::None;
  std::uint8_t set = 0;
  std::int32_t value = 0;

  static Item character(std::uint8_t byte) { return {ItemKind::Character, CodeKind::None, 0, byte}; }
  static Item of(ItemKind kind, std::int32_t value = 0) { return {kind, CodeKind::None, 0, value}; }
  static Item special(std::uint8_t set, std::uint8_t number) {
    return {ItemKind::Special, CodeKind::None, set, number};
  }
  static Item codeOf(CodeKind code, std::int32_t value = 0) { return {ItemKind::Code, code, 0, value}; }

  bool isCode() const { return kind == ItemKind::Code; }
  bool endsParagraph() const { return kind == ItemKind::HardReturn || kind == ItemKind::HardPageBreak; }
  bool operator==(const Item&) const = default;
};

// A note's text: characters, blanks, tabs, hard returns and attribute codes.
using ItemText = std::vector<Item>;

}  // namespace quillon::doc
