// A small document in memory that answers the host commands a plug-in needs
// to find its way: name and path, text typed at an insertion point, a
// selection, bookmarks, a plain search, and the host switches. In: decoded
// requests. Out: their results, and a log of every request received.
//
// Text is kept as host units; a hard return is '\n', an indent or dot-leader
// tab '\t'. There is one page. Saving records that the document is saved but
// writes no file (the native format belongs to the document engine). Commands
// it does not act on are logged and answered 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quillon/commands/document_target.h"

namespace quillon {

struct Bookmark {
  std::u16string name;
  std::size_t start = 0;  // units; start == end for a bookmark at a point
  std::size_t end = 0;
};

class MinimalDocument : public DocumentTarget {
 public:
  // An unnamed, empty document.
  MinimalDocument() = default;
  // A document saved as folder + fileName; the folder ends in a separator.
  MinimalDocument(std::string folder, std::string fileName, std::u16string text = {});

  CommandResult execute(const CommandRequest& request) override;

  const std::u16string& text() const { return text_; }
  std::size_t insertionPoint() const { return point_; }
  std::u16string selectedText() const;
  // Bookmarks in document order (by start, then by creation).
  std::vector<Bookmark> bookmarks() const;
  bool modified() const { return modified_; }
  const std::string& folder() const { return folder_; }
  const std::string& fileName() const { return fileName_; }

  // Every request received, in order.
  const std::vector<CommandRequest>& log() const { return log_; }
  void clearLog() { log_.clear(); }

 private:
  struct Range {
    std::size_t start, end;
  };
  std::optional<Range> selection() const;
  void moveTo(std::size_t position);  // extends the selection in select mode
  void insert(std::u16string_view units);
  void erase(Range range);
  void search(bool forward);
  Bookmark* findBookmark(std::u16string_view name);
  CommandResult bookmarkInfo(const CommandRequest& request) const;
  CommandResult createBookmark(const CommandRequest& request);
  void saveAs(const std::string& path);
  std::int32_t* switchFor(std::uint16_t command);

  std::string folder_;
  std::string fileName_;
  std::u16string text_;
  std::size_t point_ = 0;
  std::optional<std::size_t> anchor_;  // the other end of the selection
  bool selectMode_ = false;
  bool modified_ = false;
  std::vector<Bookmark> bookmarks_;  // creation order
  std::u16string searchText_;
  std::int32_t switchA_ = 0, switchB_ = 0, switchC_ = 0;
  std::vector<CommandRequest> log_;
};

}  // namespace quillon
