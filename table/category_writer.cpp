// Types the table's title lines and its categories. In: a heading text, or a
// category's citations with its style and indents. Out: a bold upper-case
// title line; the category's entries with its heading kept on the page of the
// first entry, the category's hanging indent and a blank line after it.
#include "host/host_commands.h"
#include "table/internal/table_layout.h"

namespace table::internal {
namespace {

constexpr int kAttributeBold = 12;
constexpr int kCaseUpper = 2;

host::HostText mark(const char* name) { return host::HostText(name); }

}  // namespace

void writeCategoryTitle(const std::string& text) {
  host::HostCommands& c = host::hostCommands();
  c.CreateBookmark(mark("XTOA~BeginCategoryTitle"), 0);
  c.TypeText(host::HostText(text));
  c.HardReturn();
  c.CreateBookmark(mark("XTOA~EndCategoryTitle"), 0);

  c.MoveCharLeft();
  c.SetSelectMode(1);
  c.GoToBookmark(mark("XTOA~BeginCategoryTitle"));
  c.AttributeOn(kAttributeBold);
  c.ConvertCase(kCaseUpper);
  c.SetSelectMode(0);

  c.GoToBookmark(mark("XTOA~EndCategoryTitle"));
  c.DeleteBookmark(mark("XTOA~EndCategoryTitle"));
}

void writeCategory(const std::vector<recognize::Citation*>& citations, const std::string& heading,
                   const EntryStyle& style, int firstLineIndent, int followingIndent, int& entryNumber,
                   ProgressSteps& progress) {
  if (citations.empty()) return;
  host::HostCommands& c = host::hostCommands();
  if (!heading.empty()) writeCategoryTitle(heading);
  c.CreateBookmark(mark("XTOA~BeginCategory"), 0);

  bool firstEntry = true;
  for (const recognize::Citation* citation : citations) {
    progress.beforeEntry();
    EntryStyle entry = style;
    if (citation->kind != recognize::kCase) entry.underlineMode = 0;
    writeEntry(*citation, entry, entryNumber);
    if (firstEntry) {
      // The heading (or, without one, the title) and the first entry share a page.
      c.CreateBookmark(mark("XTOA~EndFirstCitation"), 0);
      c.SetSelectMode(1);
      c.GoToBookmark(mark("XTOA~BeginCategoryTitle"));
      c.ApplyToSelection203(1);
      c.SetSelectMode(0);
      c.GoToBookmark(mark("XTOA~EndFirstCitation"));
      c.DeleteBookmark(mark("XTOA~EndFirstCitation"));
      c.DeleteBookmark(mark("XTOA~BeginCategoryTitle"));
      c.Command823(1);
      c.MoveCharRight();
      c.Command823(0);
      firstEntry = false;
    }
    ++entryNumber;
  }

  c.CreateBookmark(mark("XTOA~EndCategory"), 0);
  c.MoveCharLeft();
  c.SetSelectMode(1);
  c.GoToBookmark(mark("XTOA~BeginCategory"));
  c.SetParagraphIndent(static_cast<std::int16_t>(followingIndent));
  c.SetFirstLineIndent(static_cast<std::int16_t>(firstLineIndent - followingIndent));
  c.AttributeOff(kAttributeBold);
  c.SetSelectMode(0);
  c.DeleteBookmark(mark("XTOA~BeginCategory"));
  c.GoToBookmark(mark("XTOA~EndCategory"));
  c.DeleteBookmark(mark("XTOA~EndCategory"));
  c.HardReturn();
}

}  // namespace table::internal
