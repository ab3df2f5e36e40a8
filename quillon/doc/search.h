// Finds a plain text in a document's main text and its notes. In: the items,
// the note texts, the text (Windows-1252) and the options. Out: the items a
// match covers.
//
// Codes are invisible: a match may run over them, but never starts on one.
// A note reference inside a match is passed over the same way: the saved
// file holds nothing of it between the words around it, so the plug-in's
// reader sees those words as one text and searches for them so. Only
// ordinary characters (and a tab, as '\t') match; a special character or
// hard space matches nothing in a plain search text, and a match never runs
// over a paragraph end. Whole words: the visible characters
// just before and after the match are not letters or digits.
//
// Notes: a scan that reaches a note reference also looks through that note's
// text, by the same rules within the note's items (a match never runs from a
// note into the main text or back, and the note's first and last items are
// word boundaries). Such a match selects the reference item itself, so a
// mark made there stands at the reference and its page is the one the note
// is printed on.
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
  // A match in the text of the note whose reference is item `start` (then
  // end == start + 1): the matched items of that note's text.
  bool inNote = false;
  std::size_t noteStart = 0;
  std::size_t noteEnd = 0;
};

// First match starting at or after `from`, or nullopt. An empty text never
// matches. Without `notes` (or for a reference they do not hold) no note is
// looked into.
std::optional<Match> findForward(const std::vector<Item>& items, std::string_view text,
                                 SearchOptions options, std::size_t from,
                                 const std::vector<ItemText>* notes = nullptr);
// The nearest match ending at or before `before`, or nullopt; in a note
// reached this way, its last match.
std::optional<Match> findBackward(const std::vector<Item>& items, std::string_view text,
                                  SearchOptions options, std::size_t before,
                                  const std::vector<ItemText>* notes = nullptr);

}  // namespace quillon::doc
