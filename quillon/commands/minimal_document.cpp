// Commands carried out on the in-memory stand-in document.
#include "quillon/commands/minimal_document.h"

#include <algorithm>

#include "platform/platform.h"
#include "quillon/commands/command_table.h"
#include "quillon/libs/text_codec.h"

namespace quillon {
namespace {

constexpr std::int32_t kOnlyPage = 1;

// Where a position ends up after units were inserted at `at`: text typed at a
// bookmark's position lands after it.
std::size_t shiftedForInsert(std::size_t position, std::size_t at, std::size_t units) {
  return position > at ? position + units : position;
}

std::size_t shiftedForErase(std::size_t position, std::size_t start, std::size_t end) {
  if (position <= start) return position;
  if (position <= end) return start;
  return position - (end - start);
}

}  // namespace

MinimalDocument::MinimalDocument(std::string folder, std::string fileName, std::u16string text)
    : folder_(std::move(folder)), fileName_(std::move(fileName)), text_(std::move(text)) {}

std::optional<MinimalDocument::Range> MinimalDocument::selection() const {
  if (!anchor_ || *anchor_ == point_) return std::nullopt;
  return Range{std::min(*anchor_, point_), std::max(*anchor_, point_)};
}

std::u16string MinimalDocument::selectedText() const {
  const auto range = selection();
  return range ? text_.substr(range->start, range->end - range->start) : std::u16string{};
}

std::vector<Bookmark> MinimalDocument::bookmarks() const {
  std::vector<Bookmark> ordered = bookmarks_;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const Bookmark& a, const Bookmark& b) { return a.start < b.start; });
  return ordered;
}

void MinimalDocument::moveTo(std::size_t position) {
  position = std::min(position, text_.size());
  if (selectMode_) {
    if (!anchor_) anchor_ = point_;
  } else {
    anchor_.reset();
  }
  point_ = position;
}

void MinimalDocument::insert(std::u16string_view units) {
  if (const auto range = selection()) erase(*range);
  anchor_.reset();
  text_.insert(point_, units);
  for (Bookmark& mark : bookmarks_) {
    mark.start = shiftedForInsert(mark.start, point_, units.size());
    mark.end = shiftedForInsert(mark.end, point_, units.size());
  }
  point_ += units.size();
  modified_ = true;
}

void MinimalDocument::erase(Range range) {
  text_.erase(range.start, range.end - range.start);
  for (Bookmark& mark : bookmarks_) {
    mark.start = shiftedForErase(mark.start, range.start, range.end);
    mark.end = shiftedForErase(mark.end, range.start, range.end);
  }
  point_ = range.start;
  anchor_.reset();
  modified_ = true;
}

void MinimalDocument::search(bool forward) {
  const auto range = selection();
  std::size_t found = std::u16string::npos;
  if (!searchText_.empty()) {
    if (forward) {
      found = text_.find(searchText_, range ? range->end : point_);
    } else {
      // A match must end before the selection (or the insertion point) starts.
      const std::size_t limit = range ? range->start : point_;
      if (limit >= searchText_.size()) found = text_.rfind(searchText_, limit - searchText_.size());
    }
  }
  if (found == std::u16string::npos) {
    anchor_.reset();
    return;
  }
  anchor_ = found;
  point_ = found + searchText_.size();
}

Bookmark* MinimalDocument::findBookmark(std::u16string_view name) {
  const auto found = std::find_if(bookmarks_.begin(), bookmarks_.end(),
                                  [&](const Bookmark& mark) { return mark.name == name; });
  return found != bookmarks_.end() ? &*found : nullptr;
}

CommandResult MinimalDocument::createBookmark(const CommandRequest& request) {
  const std::u16string name = request.textAt(0);
  if (name.empty()) return {};
  const bool overSelection = request.integerAt(1) == 1;
  Bookmark mark{name, point_, point_};
  if (const auto range = selection(); overSelection && range) {
    mark.start = range->start;
    mark.end = range->end;
  }
  if (Bookmark* existing = findBookmark(name)) {
    *existing = mark;
  } else {
    bookmarks_.push_back(mark);
  }
  return {};
}

CommandResult MinimalDocument::bookmarkInfo(const CommandRequest& request) const {
  if (request.integerAt(1) != kBookmarkInfoWhatBookmarks) return {};
  const std::int32_t sub = request.integerAt(2);
  if (sub == kBookmarkInfoSubCount)
    return integerResult(static_cast<std::int32_t>(bookmarks_.size()));
  if (sub == kBookmarkInfoSubName) {
    const std::vector<Bookmark> ordered = bookmarks();
    const std::int32_t n = request.integerAt(4);
    if (n >= 1 && static_cast<std::size_t>(n) <= ordered.size()) {
      return textResult(ordered[static_cast<std::size_t>(n) - 1].name);
    }
  }
  return {};
}

void MinimalDocument::saveAs(const std::string& path) {
  const std::size_t cut = path.rfind(platform::kPathSeparator);
  folder_ = cut == std::string::npos ? std::string{} : path.substr(0, cut + 1);
  fileName_ = cut == std::string::npos ? path : path.substr(cut + 1);
  modified_ = false;
}

std::int32_t* MinimalDocument::switchFor(std::uint16_t number) {
  switch (number) {
    case command::kGetSwitchA:
    case command::kSetSwitchA:
      return &switchA_;
    case command::kGetSwitchB:
    case command::kSetSwitchB:
      return &switchB_;
    case command::kGetSwitchC:
    case command::kSetSwitchC:
      return &switchC_;
    default:
      return nullptr;
  }
}

CommandResult MinimalDocument::execute(const CommandRequest& request) {
  log_.push_back(request);
  namespace c = command;
  switch (request.command) {
    case c::kTypeText:
      insert(request.textAt(0));
      return {};
    case c::kHardReturn:
      insert(u"\n");
      return {};
    case c::kInsertSpace75:
      insert(u" ");
      return {};
    case c::kInsertIndent:
    case c::kInsertDotLeaderTab:
      insert(u"\t");
      return {};
    case c::kCreateBookmark:
      return createBookmark(request);
    case c::kGoToBookmark:
      if (const Bookmark* mark = findBookmark(request.textAt(0))) moveTo(mark->start);
      return {};
    case c::kSelectBookmark:
      if (const Bookmark* mark = findBookmark(request.textAt(0))) {
        anchor_ = mark->start;
        point_ = mark->end;
      }
      return {};
    case c::kDeleteBookmark:
      std::erase_if(bookmarks_,
                    [&](const Bookmark& mark) { return mark.name == request.textAt(0); });
      return {};
    case c::kGetBookmarkInfo:
      return bookmarkInfo(request);
    case c::kGetSelectedText:
      return textResult(selectedText());
    case c::kSetSelectMode:
      selectMode_ = request.integerAt(0) == 1;
      if (selectMode_ && !anchor_) anchor_ = point_;
      return {};
    case c::kSelectCharLeft:
      if (!anchor_) anchor_ = point_;
      if (point_ > 0) --point_;
      return {};
    case c::kMoveCharLeft:
      moveTo(point_ > 0 ? point_ - 1 : 0);
      return {};
    case c::kMoveCharRight:
      moveTo(point_ + 1);
      return {};
    case c::kDeleteSelection:
      if (const auto range = selection()) erase(*range);
      return {};
    case c::kGoToDocumentTop:
      moveTo(0);
      return {};
    case c::kGoToDocumentEnd:
      moveTo(text_.size());
      return {};
    case c::kSetSearchText:
      searchText_ = request.textAt(0);
      return {};
    case c::kSearchForward:
    case c::kSearchBackward:
      search(request.command == c::kSearchForward);
      return {};
    case c::kGetPageNumber:
      return integerResult(kOnlyPage);
    case c::kGetDocumentPath:
      return textResult(hostStringOfAnsi(folder_));
    case c::kGetDocumentFileName:
      return textResult(hostStringOfAnsi(fileName_));
    case c::kIsDocumentModified:
      return integerResult(modified_ ? 1 : 0);
    case c::kSaveDocument:
      if (!fileName_.empty()) modified_ = false;
      return {};
    case c::kSaveDocumentAs:
      if (const std::u16string path = request.textAt(0); !path.empty()) {
        saveAs(ansiOfHostString(path));
      }
      return {};
    case c::kNewDocument: {
      std::vector<CommandRequest> log = std::move(log_);
      *this = MinimalDocument();
      log_ = std::move(log);
      return {};
    }
    case c::kGetSwitchA:
    case c::kGetSwitchB:
    case c::kGetSwitchC:
      return integerResult(*switchFor(request.command));
    case c::kSetSwitchA:
    case c::kSetSwitchB:
    case c::kSetSwitchC:
      *switchFor(request.command) = request.integerAt(0);
      return {};
    default:
      return {};
  }
}

}  // namespace quillon
