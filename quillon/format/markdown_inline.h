// The inline Markdown of one paragraph. In: a paragraph's text. Out: the
// host's items for it: characters, blanks, tabs, hard spaces, special
// characters, note references and balanced attribute codes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/item.h"
#include "quillon/format/markdown_blocks.h"

namespace quillon::format::internal {

struct InlineContext {
  std::vector<std::string>* warnings = nullptr;
  // The note index for a reference "[^id]" found on `line`, or nullopt when
  // no definition has that id. Empty inside a note, where references stay
  // text.
  std::function<std::optional<int>(std::string_view id, int line)> resolveNote;
};

// The items of one paragraph, without the return that ends it. Leading and
// trailing blanks are dropped; line breaks become one blank; every attribute
// that is switched on is switched off again inside the paragraph, though
// spans may still nest or repeat (normalizeAttributes in
// markdown_attributes.h gives them their one form). Never fails: markup that
// does not close is kept as the characters typed.
std::vector<doc::Item> parseInline(const MarkdownBlock& block, InlineContext& context);

// The host item for a code point that is not Markdown markup, or nullopt for
// one the host cannot show (the caller types '?' and warns).
std::optional<doc::Item> hostItemFor(char32_t cp);

}  // namespace quillon::format::internal
