// Marks every occurrence of every citation in the open document. In: the
// run's citation table as the file reader filled it. Out: each citation's key
// extended with its table index, and one bookmark "XTOA~CIT~" + key + "~" + n
// on each occurrence n that the host's search finds no earlier than the page
// the reader counted; the page-reference pass asks the host for the pages of
// these marks, and hyperlinks point at them.
//
// Errors: none thrown, nothing shown. An occurrence that cannot be found
// (edited away after saving, split where the host's search cannot follow,
// lying around another occurrence marked before it) simply gets no mark; its
// entry keeps the file's pages.
#pragma once

#include <string>
#include <vector>

#include "recognize/citation_table.h"
#include "recognize/token.h"

namespace table {

// Mark names, all under the prefix that removeOldMarks clears.
inline constexpr const char* kPreviousCitationMark = "XTOA~PreviousCitation";
inline constexpr const char* kBeforeSearchMark = "XTOA~BeforeSearch";
inline constexpr const char* kBeginCitationMark = "XTOA~BeginCitation";

// "XTOA~CIT~" + key + "~" + occurrence in decimal.
// Example: occurrenceMarkName("smithjones3", 0) == "XTOA~CIT~smithjones3~0".
std::string occurrenceMarkName(const std::string& key, int occurrence);

// What one occurrence is searched as: plain texts in document order, none
// holding a special character, note text, superscript or "-", none longer
// than 70 characters (the host's search cannot cross the first four and
// limits its text), and the number of characters that a selection from the
// start of the first piece to the end of the last must hold. Pieces are cut
// at a hyphen even inside a word; blanks at the very start and end go.
// Example: "Hewlett-Packard Co." gives {"Hewlett", "Packard Co."}, 19.
struct SearchPieces {
  std::vector<std::string> pieces;
  int expectedLength = 0;
};
SearchPieces buildSearchPieces(const recognize::TokenList& tokens);

// The marking pass. Appends each citation's 0-based table position to its
// key (so two equal keys still make different marks; the table writer's
// page-list marks use the extended key), then searches the occurrences from
// the last one read to the first, walking the document once from its end
// (by note number, then by each occurrence's own running number):
// - one piece: searched backward from where the previous occurrence was
//   marked; "Id." and "Ibid." (any case, trailing ",;:." ignored) as whole
//   words, every other text anywhere;
// - several pieces: the first searched backward, the rest forward from it,
//   taken only when the whole selection has exactly the expected length;
//   otherwise the next earlier match of the first piece is tried, so every
//   attempt starts before the last one and the search always ends.
// A match on an earlier page than the reader counted is not marked and the
// next occurrence is searched from where the previous one was marked.
// An occurrence in a note's text is found where the backward walk reaches
// the note's reference (the host's search looks through a note there), and
// its mark stands at the reference, on the page the note is printed on; the
// note's occurrences sort between the main text after its reference and the
// main text before it, as the reader numbers them. Occurrences without a
// token group, or whose group has no searchable text, get no mark. Leaves
// the insertion point where the last search put it.
void markCitations(recognize::CitationTable& table);

}  // namespace table
