// Cuts one occurrence's tokens into the plain texts the host can search for.
// In: the occurrence's token group. Out: the pieces and the length a
// selection over all of them must have.
#include <string>

#include "table/document_marks.h"

namespace table {
namespace {

// The host's search text is limited; longer runs are searched in parts that
// the growing selection joins again.
constexpr std::size_t kMaxPieceLength = 70;

int length(const std::string& text) { return static_cast<int>(text.size()); }

class PieceBuilder {
 public:
  void add(const recognize::Token& token) {
    if (token.isSpecial()) {
      // The host's search cannot cross a special character; it is one
      // character of the selection.
      breakWithGap(1);
    } else if (token.attribute(recognize::kInsideNote)) {
      // A note's own text is not in the selection at all.
      if (!current_.empty()) close(), gap_ = 0;
    } else if (token.isSuperscript()) {
      breakWithGap(length(token.text));
    } else {
      addText(token.text);
    }
  }

  SearchPieces finish() {
    std::vector<std::string>& pieces = out_.pieces;
    if (current_.empty() && !pieces.empty()) {
      out_.expectedLength -= trimTrailingBlanks(pieces.back());
    } else if (!current_.empty()) {
      out_.expectedLength -= trimTrailingBlanks(current_);
      if (!current_.empty()) close();
    }
    if (!pieces.empty()) {
      const std::size_t blanks = pieces.front().find_first_not_of(' ');
      const std::size_t cut = blanks == std::string::npos ? pieces.front().size() : blanks;
      out_.expectedLength -= static_cast<int>(cut);
      if (cut == pieces.front().size()) pieces.erase(pieces.begin());
      else pieces.front().erase(0, cut);
    }
    return std::move(out_);
  }

 private:
  // Ends the piece at something the search cannot cross and that counts
  // `width` characters between this piece and the next.
  void breakWithGap(int width) {
    if (!current_.empty()) {
      close();
      gap_ = width;
    } else if (!out_.pieces.empty()) {
      gap_ += width;
    }
  }

  void addText(const std::string& text) {
    out_.expectedLength += length(text);
    const std::size_t hyphen = text.find('-');
    if (hyphen == std::string::npos) {
      current_ += text;
      if (current_.size() > kMaxPieceLength) {
        out_.pieces.push_back(current_.substr(0, kMaxPieceLength));
        out_.expectedLength += gap_;
        gap_ = 0;
        current_.erase(0, kMaxPieceLength);
      }
      return;
    }
    // The hyphen is never searched for: the selection grows over it.
    current_ += text.substr(0, hyphen);
    close();
    gap_ = 0;
    current_ = text.substr(hyphen + 1);
    for (std::size_t next; (next = current_.find('-')) != std::string::npos;) {
      out_.pieces.push_back(current_.substr(0, next));
      current_.erase(0, next + 1);
    }
  }

  void close() {
    out_.pieces.push_back(current_);
    out_.expectedLength += gap_;
    current_.clear();
  }

  static int trimTrailingBlanks(std::string& text) {
    const std::size_t kept = text.find_last_not_of(' ') + 1;  // npos + 1 == 0
    const int removed = length(text) - static_cast<int>(kept);
    text.erase(kept);
    return removed;
  }

  SearchPieces out_;
  std::string current_;
  int gap_ = 0;
};

}  // namespace

SearchPieces buildSearchPieces(const recognize::TokenList& tokens) {
  PieceBuilder builder;
  for (const recognize::Token& token : tokens) builder.add(token);
  return builder.finish();
}

}  // namespace table
