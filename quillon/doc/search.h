// Finds a plain text in a document's main text. In: the items, the text
// (Windows-1252) and the options. Out: the items a match covers.
//
// Codes are invisible: a match may run over them, but never starts on one.
// Only ordinary characters (and a tab, as '\t') match; a special character,
// hard space or note reference matches nothing in a plain search text, and a
// match never runs over a paragraph end. Whole words: the visible characters
// just before and after the match are not letters or digits.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "quillon/doc/item.h"

namespace quillon::doc {

struct SearchOptions {
  bool matchCase = false;
  bool wholeWords = false;
};

struct Match {
  std::size_t start = 0;  // the first matched item
  std::size_t end = 0;    // one past the last matched item
};

// First match starting at or after `from`, or nullopt. An empty text never matches.
std::optional<Match> findForward(const std::vector<Item>& items, std::string_view text,
                                 SearchOptions options, std::size_t from);
// The nearest match ending at or before `before`, or nullopt.
std::optional<Match> findBackward(const std::vector<Item>& items, std::string_view text,
                                  SearchOptions options, std::size_t before);

}  // namespace quillon::doc
