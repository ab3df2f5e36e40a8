// The pieces that writeTable puts together. In: the option set's format
// values, one category or one citation at a time. Out: the host commands that
// type and format titles, categories and entries at the insertion point.
// Shared by table_writer.cpp, category_writer.cpp and entry_writer.cpp, and by
// the tests; not for other modules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/abbreviation_collection.h"
#include "db/option_collection.h"
#include "recognize/citation.h"
#include "table/progress_bar.h"

namespace table::internal {

// --- units -----------------------------------------------------------------

// Inches as host lengths (1/1200 inch), the fraction dropped. The product is
// taken in single precision, as the option is stored.
// Example: inchesToHostUnits(1.25f) == 1500.
int inchesToHostUnits(float inches);
// A font size in points as a host length: points / 72 held as a float, times
// 1200, the fraction dropped. Example: pointsToHostUnits(12) == 200.
int pointsToHostUnits(int points);

// --- the table's format ----------------------------------------------------

// The option set's format values, converted once per table.
struct TableFormat {
  std::string fontFace;
  int fontSize = 0;               // 1/1200 inch
  double lineSpacing = 0.0;
  int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;  // 1/1200 inch
  int firstLineIndent = 0;        // 1/1200 inch
  int followingIndent = 0;        // 1/1200 inch
  int referencesPerLine = 0;
  bool dotLeader = false;
  bool passim = false;
  int passimMaximum = 0;
};

// Reads the format keys of the set's format table; a missing key reads as 0,
// 0.0 or "".
TableFormat readTableFormat(const db::OptionCollection& options);

// --- how entries are written -----------------------------------------------

// What writeCategory hands to each of its entries.
struct EntryStyle {
  int underlineMode = -1;  // -1 as in the document, 0..5 the combo's items; cases only
  int referencesPerLine = 0;
  const db::AbbreviationCollection* abbreviations = nullptr;  // null: nothing expands
  bool expandAbbreviations = false;                            // cases only
  bool dotLeader = false;
  bool passim = false;
  int passimMaximum = 0;
};

// The progress bar's steps over the table's entries: one step each time
// `threshold` entries have been started.
struct ProgressSteps {
  ProgressBar& bar;
  int threshold = 0;  // ceil(citations / 10), fixed for the table
  int counter = 0;

  // Called before each entry.
  void beforeEntry() {
    if (counter >= threshold) {
      bar.step();
      counter = 0;
    }
    ++counter;
  }
};

// ceil(citations / 10), 0 for none.
int progressThreshold(std::size_t citations);

// --- writing -----------------------------------------------------------------

// One bold title line, upper-cased by the host, with the mark
// "XTOA~BeginCategoryTitle" left before it for the keep-together of the next
// category's first entry.
void writeCategoryTitle(const std::string& text);

// One category: heading (when not empty), its entries, then the category's
// indents, bold switched off over the entries and a blank line. An empty
// list writes nothing. Cases take style.underlineMode, other kinds 0.
// entryNumber counts on over the whole table.
void writeCategory(const std::vector<recognize::Citation*>& citations, const std::string& heading,
                   const EntryStyle& style, int firstLineIndent, int followingIndent, int& entryNumber,
                   ProgressSteps& progress);

// One entry, numbered `entryNumber`, with underline mode style.underlineMode.
void writeEntry(const recognize::Citation& citation, const EntryStyle& style, int entryNumber);

// --- entry text --------------------------------------------------------------

// True for a word that opens a citation as a signal and is not written:
// "e.g", "accord", "see", "also", "cf", "compare", "contra", "but",
// "generally", "however", "similarly", "finally", "further" and the empty
// word, after trailing ",;:." and one pair of brackets are removed, in any
// letter case. "in" counts as well unless `inBeginsInRe`.
bool isEntrySignalWord(std::string_view word, bool inBeginsInRe);

// Index of the first token to write: leading blanks and signal words are
// passed over; a special character or another word stops the walk. "In" is
// kept when the first non-blank token after the first token reads "re".
std::size_t firstWrittenToken(const recognize::TokenList& tokens);

// The text to type for a case word when abbreviations expand: the long form
// of the abbreviation named by the word without its trailing ",;:", followed
// by what was removed, when that abbreviation has exactly one long form; the
// word itself otherwise. Example: "Ass'n," -> "Association,".
std::string expandedWord(const std::string& word, const db::AbbreviationCollection& abbreviations);

// Bookmark names the writer leaves in the document.
std::string nameEndMark(int entryNumber);   // "XTOA~EndOfCitationNameInTable" + e
std::string pageEndMark(int entryNumber);   // "XTOA~EndOfCitationPageInTable" + e
std::string pageListBeginMark(const std::string& key);  // "XTOA~CIT~" + key + "~TOABEGIN"
std::string pageListEndMark(const std::string& key);    // "XTOA~CIT~" + key + "~TOAEND"

}  // namespace table::internal
