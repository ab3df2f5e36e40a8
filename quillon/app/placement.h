// Where a batch run puts the insertion point before it invokes a command. In:
// the document's main text and a placement from the command line. Out: the
// position (gap between items) the insertion point moves to, or nothing when
// the text or paragraph asked for is not there.
//
// Matching a text: the text is UTF-8 and is compared, case for case, with
// what the main text shows. Codes and note references are invisible (a match
// may run over them but never starts on one), a paragraph end is never
// matched, a special character matches its Unicode form, a hard space
// matches a blank or U+00A0, and a straight quote matches the typographic
// quotes of its kind, because imported documents turn ' and " into those.
// Example: in "Smith’s brief" the text "Smith's" is found at position 0.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/document.h"

namespace quillon::app {

enum class PlacementKind {
  AtStart,         // before the first item
  AtEnd,           // after the last item
  BeforeText,      // at the first item of the first match of `text`
  AfterParagraph,  // right after the hard return (or page break) ending paragraph `paragraph`
};

struct Placement {
  PlacementKind kind = PlacementKind::AtStart;
  std::string text;   // BeforeText: UTF-8, never empty
  int paragraph = 0;  // AfterParagraph: 1-based

  bool operator==(const Placement&) const = default;
};

// The code points of utf8; a malformed or truncated sequence gives
// 0xFFFFFFFF (no character) for its lead byte and decoding resumes at the
// next byte. Example: decodeUtf8("a\xC2\xA7") == U"a\u00A7".
std::u32string decodeUtf8(std::string_view utf8);

// Position of the first item of the first match of utf8 in items, or nullopt.
// An empty text or one that is not valid UTF-8 in part still matches only
// what it says: an invalid byte matches nothing.
std::optional<std::size_t> findVisibleText(const std::vector<doc::Item>& items, std::string_view utf8);

// Position just after the item ending paragraph n (1-based). A last paragraph
// that has items but no end counts as paragraph n too and ends at the end of
// the text. nullopt for n < 1 or beyond the last paragraph.
std::optional<std::size_t> afterParagraph(const std::vector<doc::Item>& items, int n);

// The position the placement asks for in this document, or nullopt.
std::optional<std::size_t> placementPosition(const doc::Document& document, const Placement& placement);

}  // namespace quillon::app
