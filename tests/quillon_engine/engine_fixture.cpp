// The fixture's wiring and the plug-in's page-reference and mark-removal
// sequences, sent command by command as the plug-in sends them.
#include "tests/quillon_engine/engine_fixture.h"

#include "quillon/doc/visible_text.h"

namespace engine_test {

void EngineTest::SetUp() {
  if (!host::hostLibraries().isBound()) {
    ASSERT_TRUE(host::hostLibraries().bind(17, 0));
  }
  saved_ = host::processValues();
  host::processValues().hostWindow = window_.handle();
  host::processValues().pluginAtom = 0xC101;
  host::processValues().hostAtom = 0xC102;
}

void EngineTest::TearDown() {
  EXPECT_EQ(window_.outstandingReplies(), 0u);
  host::processValues() = saved_;
}

long EngineTest::markAt(const std::string& name) {
  const auto* mark = doc().bookmarks().find(name);
  return mark ? static_cast<long>(mark->start.position) : -1;
}

std::string EngineTest::textBetween(const std::string& from, const std::string& to) {
  const long a = markAt(from), b = markAt(to);
  if (a < 0 || b < a) return "<missing>";
  return quillon::doc::visibleText(doc().items(), static_cast<std::size_t>(a), static_cast<std::size_t>(b));
}

std::size_t EngineTest::positionOf(const std::string& needle, int nth) {
  const auto& items = doc().items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::size_t j = i, k = 0;
    while (k < needle.size() && j < items.size() && items[j].kind == quillon::doc::ItemKind::Character &&
           static_cast<char>(items[j].value) == needle[k]) {
      ++j;
      ++k;
    }
    if (k == needle.size() && nth-- == 0) return i;
  }
  ADD_FAILURE() << "no \"" << needle << "\" in the document";
  return 0;
}

bool EngineTest::bookmarkExists(const std::string& name) {
  c().GoToDocumentTop();
  const auto x = c().GetHorizontalPosition();
  const auto y = c().GetVerticalPosition();
  c().GoToBookmark(t(name));
  return !(c().GetPageNumber() == 1 && c().GetHorizontalPosition() == x && c().GetVerticalPosition() == y);
}

void EngineTest::refreshPageNumbers(bool link, int perLine) {
  std::int32_t count = 0;
  host::HostText unused;
  c().GetBookmarkInfo(unused, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubCount,
                      host::bookmark_info::kFourth, count);
  std::map<std::string, std::map<int, std::string>> pages;
  const auto endsWith = [](const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
  };
  for (std::int32_t i = 1; i <= count; ++i) {
    host::HostText name;
    std::int32_t index = i;
    c().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubName,
                        host::bookmark_info::kFourth, index);
    const std::string& n = name.text();
    if (n.size() <= 9 || n.rfind("XTOA~CIT~", 0) != 0 || endsWith(n, "~NUM") || endsWith(n, "~TOABEGIN") ||
        endsWith(n, "~TOAEND"))
      continue;
    c().GoToBookmark(name);
    const int page = c().GetPageNumber();
    std::string key = n.substr(9);
    if (const auto cut = key.rfind('~'); cut != std::string::npos) key.resize(cut);
    pages[key][page] = n;
  }
  c().Command823(0);
  for (const auto& [key, byPage] : pages) {
    const std::string begin = "XTOA~CIT~" + key + "~TOABEGIN", end = "XTOA~CIT~" + key + "~TOAEND";
    if (!bookmarkExists(begin) || !bookmarkExists(end)) continue;
    c().GoToBookmark(t(begin));
    c().SetSelectMode(1);
    c().GoToBookmark(t(end));
    c().Command823(1);
    c().SelectCharLeft();
    c().Command823(0);
    c().DeleteSelection();
    c().SetSelectMode(0);
    int onLine = 0;
    for (auto it = byPage.begin(); it != byPage.end(); ++it) {
      const std::string number = std::to_string(it->first);
      c().TypeText(t(number));
      for (std::size_t k = 0; k < number.size(); ++k) c().SelectCharLeft();
      const std::string numName = it->second + "~NUM";
      c().CreateBookmark(t(numName), 1);
      if (link) {
        c().SelectBookmark(t(numName));
        c().CreateHyperlink(0, host::HostText(), t(it->second), 0);
      }
      c().SelectBookmark(t(numName));
      c().MoveCharRight();
      c().Command823(1);
      if (link) c().MoveCharRight();
      c().MoveCharRight();
      ++onLine;
      if (std::next(it) != byPage.end()) {
        c().TypeText(t(","));
        if (onLine < perLine) {
          c().InsertSpace75();
        } else {
          onLine = 0;
          c().HardReturn();
          c().InsertIndent();
        }
      }
    }
  }
}

void EngineTest::removeOldMarks() {
  std::int32_t count = 0;
  host::HostText unused;
  c().GetBookmarkInfo(unused, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubCount,
                      host::bookmark_info::kFourth, count);
  for (std::int32_t i = 1; i <= count; ++i) {
    host::HostText name;
    std::int32_t index = i;
    c().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubName,
                        host::bookmark_info::kFourth, index);
    if (name.length() > 5 && name.text().compare(0, 5, "XTOA~") == 0) {
      c().DeleteBookmark(name);
      --i;
      --count;
    }
  }
}

}  // namespace engine_test
