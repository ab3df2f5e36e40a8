// Writes the whole Table of Authorities: destination, title, the categories
// in the option set's order, the table's font, spacing and margins, and the
// line fix-up that moves page lists without room onto lines of their own. In:
// the run's citation table, where to write and the option set's name. Out:
// host commands; the host switches as they were.
#include <exception>

#include "db/abbreviation_collection.h"
#include "db/option_collection.h"
#include "db/sqlite_exception.h"
#include "host/host_commands.h"
#include "table/categories.h"
#include "table/internal/table_layout.h"
#include "table/table_marks.h"
#include "table/table_writer.h"

namespace table {
namespace {

using namespace internal;

// Positions closer than this count as the same place on the line.
constexpr int kSamePlaceTolerance = 10;

host::HostText mark(std::string_view name) { return host::HostText(name); }

// The three host switches, saved and switched off for the table's life.
struct SavedSwitches {
  bool a = false, b = false, c = false;

  static SavedSwitches switchOff() {
    host::HostCommands& h = host::hostCommands();
    SavedSwitches saved;
    saved.a = h.GetSwitchA() != 0;
    h.SetSwitchA(0);
    saved.b = h.GetSwitchB() != 0;
    h.SetSwitchB(0);
    saved.c = h.GetSwitchC() != 0;
    h.SetSwitchC(0);
    return saved;
  }
  // Only what was on is switched on again.
  void restore() const {
    host::HostCommands& h = host::hostCommands();
    if (a) h.SetSwitchA(1);
    if (b) h.SetSwitchB(1);
    if (c) h.SetSwitchC(1);
  }
};

void formatWholeTable(const TableFormat& format) {
  host::HostCommands& c = host::hostCommands();
  c.SetSelectMode(1);
  c.GoToBookmark(mark("XTOA~BeginToA"));
  c.SetFont(host::HostText(format.fontFace), 256, 0, 96, 112, 20, 139, 12);
  c.SetFontSize(static_cast<std::int16_t>(format.fontSize));
  c.Command157(1.0);
  c.SetLineSpacing(format.lineSpacing, 0);
  (void)c.SetMarginLeft(static_cast<std::int16_t>(format.marginLeft));
  (void)c.SetMarginRight(static_cast<std::int16_t>(format.marginRight));
  (void)c.Command170(0);
  (void)c.SetMarginTop(static_cast<std::int16_t>(format.marginTop));
  (void)c.SetMarginBottom(static_cast<std::int16_t>(format.marginBottom));
  c.DeleteBookmark(mark("XTOA~BeginToA"));
  c.SetSelectMode(0);
  c.Command823(0);
}

// Entry e: a page list whose leader found no room on the name's line starts
// a line of its own; an entry over several lines gets single spacing.
void fixUpLines(int entryNumber) {
  host::HostCommands& c = host::hostCommands();
  c.GoToBookmark(mark(nameEndMark(entryNumber)));
  const int h0 = c.GetHorizontalPosition();
  c.MoveCharRight();
  const int h1 = c.GetHorizontalPosition();
  if (h1 <= h0 + kSamePlaceTolerance) {
    c.MoveCharLeft();
    c.HardReturn();
  }
  c.GoToBookmark(mark(nameEndMark(entryNumber)));
  c.MoveCharLeft();
  const int y0 = c.GetVerticalPosition();
  c.SetSelectMode(1);
  c.GoToBookmark(mark(pageEndMark(entryNumber)));
  const int y1 = c.GetVerticalPosition();
  if (y1 > y0) {
    c.Command33193();
    c.SetLineSpacing(1.0, 0);
  }
  c.SetSelectMode(0);
  c.MoveCharRight();
}

// Turns the point mark left where the table began into a range over the
// whole table, so that a later run finds the text to replace; the insertion
// point ends after the table.
void markTableExtent() {
  host::HostCommands& c = host::hostCommands();
  c.GoToBookmark(mark(kTableEndMark));
  c.SetSelectMode(1);
  c.GoToBookmark(mark(kTableMark));
  c.CreateBookmark(mark(kTableMark), 1);
  c.SetSelectMode(0);
  c.GoToBookmark(mark(kTableEndMark));
  c.DeleteBookmark(mark(kTableEndMark));
}

}  // namespace

void writeTable(recognize::CitationTable& table, bool toFile, const std::string& optionSetName,
                ProgressBar& progress) {
  host::HostCommands& c = host::hostCommands();
  const SavedSwitches switches = SavedSwitches::switchOff();

  db::OptionCollection options;
  db::AbbreviationCollection abbreviations;
  try {
    options = db::OptionCollection(optionSetName);
    abbreviations.dictionaryId = 0;
    if (abbreviations.Fill() != 0) {
      switches.restore();
      return;
    }
  } catch (const db::CppSQLite3Exception&) {
    // The option table's loader has shown it; the document stays untouched.
    switches.restore();
    return;
  } catch (const std::exception&) {
    // A set the database could not name; the driver's own load of the same
    // set has shown it already.
    switches.restore();
    return;
  }

  if (toFile) {
    c.NewDocument();
    c.GoToDocumentTop();
  } else {
    c.CreateBookmark(mark(kTableMark), 0);
    c.HardReturn();
    c.HardReturn();
    c.Command33208();
  }
  const TableFormat format = readTableFormat(options);
  c.CreateBookmark(mark("XTOA~BeginToA"), 0);
  (void)c.QueryState16455();
  writeCategoryTitle("TABLE OF AUTHORITIES");

  int entryNumber = 1;
  ProgressSteps steps{progress, progressThreshold(table.citations.size())};
  for (const CategoryBlock& block : layOutCategories(table, options)) {
    EntryStyle style;
    style.underlineMode = block.underlineMode;
    style.referencesPerLine = format.referencesPerLine;
    style.abbreviations = &abbreviations;
    style.expandAbbreviations = block.expandAbbreviations;  // check_expand_abbr, per category
    style.dotLeader = format.dotLeader;
    style.passim = format.passim;
    style.passimMaximum = format.passimMaximum;
    writeCategory(block.citations, block.heading, style, format.firstLineIndent, format.followingIndent,
                  entryNumber, steps);
  }

  if (!toFile) c.CreateBookmark(mark(kTableEndMark), 0);
  formatWholeTable(format);
  for (int e = 1; e < entryNumber; ++e) fixUpLines(e);
  if (!toFile) markTableExtent();
  switches.restore();
}

}  // namespace table
