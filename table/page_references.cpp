// Refreshes a table's page lists. In: the occurrence and list marks in the
// open document and the option set's page-list style. Out: each list retyped
// from the pages the host reports, through host commands.
#include "table/page_references.h"

#include <cstdint>
#include <exception>
#include <string_view>

#include "db/error_report.h"
#include "db/option_collection.h"
#include "db/option_keys.h"
#include "db/sqlite_exception.h"
#include "host/host_commands.h"
#include "table/internal/bookmark_list.h"

namespace table {
namespace {

constexpr std::string_view kCitationPrefix = "XTOA~CIT~";
constexpr std::string_view kNumberSuffix = "~NUM";
constexpr std::string_view kBeginSuffix = "~TOABEGIN";
constexpr std::string_view kEndSuffix = "~TOAEND";

host::HostText text(const std::string& value) { return host::HostText(value); }

bool endsWith(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() && name.substr(name.size() - suffix.size()) == suffix;
}

bool isOccurrenceMark(std::string_view name) {
  return name.size() > kCitationPrefix.size() && name.substr(0, kCitationPrefix.size()) == kCitationPrefix &&
         !endsWith(name, kNumberSuffix) && !endsWith(name, kBeginSuffix) && !endsWith(name, kEndSuffix);
}

// One progress step each time `threshold` items have been handled.
class Steps {
 public:
  Steps(ProgressBar& bar, std::size_t total) : bar_(bar), threshold_(total / 2) {}
  void beforeItem() {
    if (handled_ >= threshold_) {
      bar_.step();
      handled_ = 0;
    }
    ++handled_;
  }

 private:
  ProgressBar& bar_;
  std::size_t threshold_;
  std::size_t handled_ = 0;
};

// Types page p of a list and leaves the insertion point after it (and after
// its hyperlink's end), the number covered by the mark occurrence + "~NUM".
void typePageNumber(int page, const std::string& occurrence, bool link) {
  host::HostCommands& c = host::hostCommands();
  const std::string number = std::to_string(page);
  c.TypeText(text(number));
  for (std::size_t i = 0; i < number.size(); ++i) c.SelectCharLeft();
  const std::string numberMark = occurrence + std::string(kNumberSuffix);
  c.CreateBookmark(text(numberMark), 1);
  if (link) {
    c.SelectBookmark(text(numberMark));
    c.CreateHyperlink(0, host::HostText(), text(occurrence), 0);
  }
  c.SelectBookmark(text(numberMark));
  c.MoveCharRight();
  c.Command823(1);
  if (link) c.MoveCharRight();
  c.MoveCharRight();
}

void rewriteList(const std::string& key, const std::map<int, std::string>& pages, const PageListStyle& style) {
  host::HostCommands& c = host::hostCommands();
  const std::string prefix = std::string(kCitationPrefix) + key;
  const std::string begin = prefix + std::string(kBeginSuffix);
  const std::string end = prefix + std::string(kEndSuffix);
  if (!bookmarkExists(begin) || !bookmarkExists(end)) return;

  c.GoToBookmark(text(begin));
  c.SetSelectMode(1);
  c.GoToBookmark(text(end));
  c.Command823(1);
  c.SelectCharLeft();
  c.Command823(0);
  c.DeleteSelection();
  c.SetSelectMode(0);

  if (style.passim == 1 && static_cast<int>(pages.size()) > style.passimMaximum) {
    c.TypeText(text("passim"));
    return;
  }
  int onLine = 0;
  std::size_t left = pages.size();
  for (const auto& [page, occurrence] : pages) {
    typePageNumber(page, occurrence, style.link);
    ++onLine;
    if (--left == 0) break;
    c.TypeText(text(","));
    if (onLine < style.referencesPerLine) {
      c.InsertSpace75();
    } else {
      onLine = 0;
      c.HardReturn();
      c.InsertIndent();
    }
  }
}

}  // namespace

bool bookmarkExists(const std::string& name) {
  host::HostCommands& c = host::hostCommands();
  c.GoToDocumentTop();
  const int x = c.GetHorizontalPosition();
  const int y = c.GetVerticalPosition();
  c.GoToBookmark(text(name));
  if (c.GetPageNumber() != 1) return true;
  return c.GetHorizontalPosition() != x || c.GetVerticalPosition() != y;
}

PageMap readPageMap(ProgressBar& progress) {
  host::HostCommands& c = host::hostCommands();
  const std::int32_t count = internal::bookmarkCount();
  PageMap pages;
  Steps steps(progress, static_cast<std::size_t>(count > 0 ? count : 0));
  for (std::int32_t i = 1; i <= count; ++i) {
    steps.beforeItem();
    const host::HostText name = internal::bookmarkName(i);
    const std::string& mark = name.text();
    if (!isOccurrenceMark(mark)) continue;
    c.GoToBookmark(name);
    const int page = c.GetPageNumber();
    std::string key = mark.substr(kCitationPrefix.size());
    if (const std::size_t cut = key.rfind('~'); cut != std::string::npos) key.resize(cut);
    pages[key][page] = mark;
  }
  return pages;
}

void rewritePageLists(const PageMap& pages, const PageListStyle& style, ProgressBar& progress) {
  host::hostCommands().Command823(0);
  Steps steps(progress, pages.size());
  for (const auto& [key, keyPages] : pages) {
    steps.beforeItem();
    rewriteList(key, keyPages, style);
  }
}

void refreshPageNumbers(const std::string& optionSetName, ProgressBar& progress) {
  namespace key = db::option_keys;
  PageListStyle style;
  try {
    const db::OptionCollection options(optionSetName);
    const db::OptionTable& f = options.format;
    style.link = f.intOption(key::kCheckLinkPagenums) != 0;
    style.referencesPerLine = f.intOption(key::kSpinPgRefPerLine);
    style.passim = f.intOption(key::kCheckUsePassim);
    style.passimMaximum = f.intOption(key::kSpinPgRefMax);
  } catch (const db::CppSQLite3Exception&) {
    return;  // the option table's loader has shown it
  } catch (const std::exception& error) {
    db::reportException(error, "Could not load the option set.", "Database Error");
    return;
  }
  rewritePageLists(readPageMap(progress), style, progress);
}

}  // namespace table
