// The stand-in host's document: main text, note texts, bookmarks, insertion
// point and selection, search state and layout. In: one call per host
// operation (type, insert, format, move, select, search, ask). Out: the
// changed document and the answers the host's queries give.
//
// Positions are gaps between items, 0 = before the first item. How the
// insertion point moves over zero-width codes is stated in cursor.cpp:
// MoveCharLeft/Right and SelectCharLeft step over codes so that one move
// passes exactly one character, and a selection is ended at its start or end.
//
// Typing while a selection exists ends the selection at its end and types
// there: nothing selected is deleted or displaced.
//
// Formatting applies over the selection when there is one (a code at its
// start, the previous value restored by a code at its end, the same setting's
// codes inside it removed), else a code at the insertion point, which then
// stands after the code so that what is typed next takes the new format.
//
// Errors: none. Odd input (unknown bookmark, empty search text, no selection)
// leaves the document unchanged and reports false where a result is returned.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/bookmarks.h"
#include "quillon/doc/item.h"
#include "quillon/doc/layout.h"
#include "quillon/doc/search.h"

namespace quillon::doc {

struct Range {
  std::size_t start = 0;
  std::size_t end = 0;
  bool operator==(const Range&) const = default;
};

enum class CaseMode { AsTyped = 0, Lower = 1, Upper = 2, InitialCapitals = 3 };

// Defaults of the value codes, in force where no code has set them.
inline constexpr int kDefaultSize = 200;        // 12 pt in 1/1200 inch
inline constexpr int kDefaultSpacing = 1000;    // single
inline constexpr int kDefaultMargin = 1200;     // 1 inch

// Everything a saved file holds: what a document is built from on opening.
struct DocumentContent {
  std::vector<Item> items;
  std::vector<ItemText> notes;         // indexed by NoteReference items
  std::vector<std::string> faces;      // faces[0] is the default; empty means the default alone
  std::vector<std::string> targets;    // indexed by HyperlinkStart codes
  std::vector<Bookmark> bookmarks;
};

class Document {
 public:
  Document();
  // A document holding `content`, insertion point at the start, unmodified.
  explicit Document(DocumentContent content);
  DocumentContent content() const;

  // --- Content ---------------------------------------------------------
  const std::vector<Item>& items() const { return items_; }
  const std::vector<ItemText>& notes() const { return notes_; }        // note texts
  const std::vector<std::string>& faces() const { return faces_; }      // faces[0] is the default
  const std::vector<std::string>& targets() const { return targets_; }  // hyperlink targets
  // The whole main text as visibleText reads it.
  std::string text() const;

  // --- Typing at the insertion point -------------------------------------
  // Bytes of Windows-1252; '\n' becomes a hard return, '\t' a tab, other
  // control bytes are dropped. typeText("a\tb") inserts three items.
  void typeText(std::string_view text);
  void hardReturn();
  void hardPageBreak();
  void insertTab();
  void insertDotLeaderTab();
  void insertHardSpace();
  void insertSpecial(std::uint8_t set, std::uint8_t number);
  // A note reference whose note text is kept apart from the main text.
  void insertNote(std::string_view noteText);
  void insertNote(ItemText noteText);
  // Gives the page that will hold the insertion point the logical number n.
  void insertPageNumberCode(int number);

  // --- Formatting -------------------------------------------------------
  void setAttribute(int attribute, bool on);
  void setFont(std::string_view face);
  // kind is one of Size, LineSpacing, Margin*, ParagraphIndent, FirstLineIndent.
  void setValue(CodeKind kind, int value);
  // Over the selection only; false without one.
  bool keepTogether();
  bool createHyperlink(std::string_view targetBookmark);
  // Changes letter case of the selected characters; AsTyped changes nothing.
  void convertCase(CaseMode mode);

  // What is in force at a position (codes before it, else the defaults).
  bool attributeAt(int attribute, std::size_t position) const;
  int valueAt(CodeKind kind, std::size_t position) const;
  // Hyperlink target in force at a position, or empty.
  std::string hyperlinkAt(std::size_t position) const;

  // --- Insertion point and selection (cursor.cpp) -----------------------
  std::size_t insertionPoint() const { return point_; }
  // The selection [start, end), or nullopt when nothing is selected.
  std::optional<Range> selection() const;
  // With on, later moves extend the selection from where the point stands;
  // with off, moves stop extending (the current selection stays until one).
  void setSelectMode(bool on);
  bool selectMode() const { return selectMode_; }
  // Moves the insertion point; in select mode the selection extends to it.
  void moveTo(std::size_t position);
  void select(std::size_t anchor, std::size_t point);
  void moveCharLeft();
  void moveCharRight();
  void selectCharLeft();
  // Steps over the codes next to the insertion point only, never a character.
  void moveOverCodesRight();
  void moveOverCodesLeft();
  void goToStart();
  void goToEnd();
  // Deletes the selected items; false when nothing is selected.
  bool deleteSelection();
  // Text of the selection as visibleText reads it; empty without one. A note
  // reference that a search selected reads as the note text it matched.
  std::string selectedText() const;

  // --- Bookmarks (cursor.cpp) ------------------------------------------
  // A point at the insertion point, or with overSelection and a selection, a
  // range over it. An existing bookmark of that name is replaced.
  void createBookmark(std::string_view name, bool overSelection);
  // Missing names return false and leave everything as it was.
  bool goToBookmark(std::string_view name);
  bool selectBookmark(std::string_view name);
  bool deleteBookmark(std::string_view name);
  std::size_t bookmarkCount() const { return bookmarks_.size(); }
  // Name of bookmark n (1-based, byte-wise name order), or nullopt.
  std::optional<std::string> bookmarkName(std::size_t n) const;
  const BookmarkSet& bookmarks() const { return bookmarks_; }

  // --- Search (document_search.cpp) ---------------------------------------
  void setSearchText(std::string_view text) { searchText_ = text; }
  void setMatchCase(bool on) { searchOptions_.matchCase = on; }
  void setWholeWords(bool on) { searchOptions_.wholeWords = on; }
  // Selects the first match starting at or after the insertion point (the
  // selection's end); while extending, the selection runs from where the
  // insertion point stood at beginExtendingSearch to the match's end.
  bool searchForward();
  // Selects the nearest match ending at or before the insertion point (the
  // selection's start).
  bool searchBackward();
  void beginExtendingSearch();
  void endExtendingSearch() { extending_ = false, extendNote_.reset(); }
  //
  // Notes. As the host's own search, both searches also look through a note's
  // text where their scan reaches its reference. Positions here are main-text
  // positions, so a match inside a note selects the reference item and the
  // place inside the note is kept beside it: selectedText() then gives the
  // matched note text (what the host shows selected; never empty, so "found"
  // reads as found), pageNumber() after moveCharLeft the page the note is
  // printed on. A search from there goes on inside that note first (backward
  // before the match, forward after it), then past the reference; any other
  // move, jump, select or edit leaves the note. An extending search begun
  // inside a note grows only inside it, and one begun in the main text never
  // enters a note: the host's selection cannot span a note and the main text,
  // and a selection that "grew" across that border would read as text the
  // user never wrote in one place.

  // --- Layout queries (bring the layout up to date as far as needed) ------
  Placement placeOf(std::size_t position);
  int pageNumber() { return placeOf(point_).logicalPage; }
  int physicalPage() { return placeOf(point_).physicalPage; }
  int horizontalPosition() { return placeOf(point_).x; }
  int verticalPosition() { return placeOf(point_).y; }
  int pageCount() { return layout_.pageCount(items_, notes_); }
  std::vector<LaidLine> lines() { return layout_.lines(items_, notes_); }
  // Left edge of item `index` as last laid out; call after lines().
  int itemX(std::size_t index) const { return layout_.itemX(index); }
  std::size_t linesLaidOut() const { return layout_.linesLaidOut(); }

  // --- State ------------------------------------------------------------
  bool modified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

 private:
  // The one way the items change: both keep positions, bookmarks and layout right.
  void insertItems(std::size_t at, const std::vector<Item>& items);
  void eraseItems(std::size_t from, std::size_t to);
  void typeItems(const std::vector<Item>& items);
  void endSelectionAtEnd();
  // Puts `code` over the selection (restoring with `restore` at its end) or
  // at the insertion point; `same` tells the codes of the same setting.
  template <typename Same>
  void applyCode(Item code, Item restore, Same same);
  void wrapSelection(Item open, Item close);
  // Where a format over the selection must restore the previous setting:
  // after the codes that follow the selection.
  std::size_t settingEnd() const;
  std::size_t leftOfCharacter(std::size_t from) const;
  std::size_t rightOfCharacter(std::size_t from) const;
  int internString(std::vector<std::string>& table, std::string_view text);

  std::vector<Item> items_;
  std::vector<ItemText> notes_;
  std::vector<std::string> faces_;
  std::vector<std::string> targets_;
  BookmarkSet bookmarks_;
  std::size_t point_ = 0;
  std::optional<std::size_t> anchor_;
  bool selectMode_ = false;
  std::string searchText_;
  SearchOptions searchOptions_;
  bool extending_ = false;
  std::size_t extendFrom_ = 0;
  // Where a search left the insertion point inside the note whose reference
  // is item `reference`: the selected items of that note's text.
  struct NoteSpot {
    std::size_t reference = 0;
    std::size_t start = 0;
    std::size_t end = 0;
  };
  // The kept place, while the selection is its reference or the insertion
  // point stands right before it with nothing selected.
  std::optional<NoteSpot> noteSpot() const;
  const ItemText& noteOf(const NoteSpot& spot) const { return notes_[items_[spot.reference].value]; }
  std::optional<NoteSpot> noteSpot_;
  std::optional<NoteSpot> extendNote_;  // an extending search begun inside this note
  bool modified_ = false;
  Layout layout_;
};

}  // namespace quillon::doc
