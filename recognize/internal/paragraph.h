// The paragraph that every recogniser of one walk reads: its tokens, the run's
// table, the dictionary and the citation form. Internal to recognize/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "recognize/token.h"

namespace recognize::internal {

// What every recogniser of one paragraph shares. `tokens.size()` is the end.
// Cursor convention of every recogniser: on success the cursor stands on the
// last token consumed, on failure where it started; the walk then moves one
// token on.
struct Paragraph {
  TokenList& tokens;
  CitationTable& table;
  db::EntryTypeCollection& dictionary;
  int citationForm = kBluebook;
  // One past the last token a recogniser of the walk handled: readers that
  // look back for an authority's author and title stop there.
  std::size_t claimedEnd = 0;
  // Whether articles, books, legislative materials and the like are read.
  bool otherAuthorities = false;

  // One past the last token.
  std::size_t end() const { return tokens.size(); }

  // Every change to a token's `grouped` or `nameStop` goes through these, so
  // that an open MarkSnapshot can put it back.
  void setGrouped(std::size_t i, std::uint8_t value) {
    remember(i);
    tokens[i].grouped = value;
  }
  void setNameStop(std::size_t i, std::uint8_t value) {
    remember(i);
    tokens[i].nameStop = value;
  }

  // A token's marks before a change made while a snapshot was open.
  struct MarkChange {
    std::size_t index;
    std::uint8_t grouped, nameStop;
  };
  // Kept only while a snapshot is open: undoing a failed reading then costs
  // what that reading wrote, not the paragraph's length.
  std::vector<MarkChange> markLog{};
  int openSnapshots = 0;

 private:
  void remember(std::size_t i) {
    if (openSnapshots > 0) markLog.push_back({i, tokens[i].grouped, tokens[i].nameStop});
  }
};

// The `grouped` and `nameStop` marks of a paragraph's tokens as they are when
// it is taken, to be put back when a reader gives up. Snapshots nest; each
// lives in one scope.
class MarkSnapshot {
 public:
  explicit MarkSnapshot(Paragraph& p) : p_(p), start_(p.markLog.size()) { ++p.openSnapshots; }
  ~MarkSnapshot() {
    if (--p_.openSnapshots == 0) p_.markLog.clear();
  }
  MarkSnapshot(const MarkSnapshot&) = delete;
  MarkSnapshot& operator=(const MarkSnapshot&) = delete;

  // Puts back the marks of tokens [from, to). Walking the changes newest
  // first leaves each token with its oldest value since the snapshot.
  void restore(std::size_t from = 0, std::size_t to = std::numeric_limits<std::size_t>::max()) const {
    for (std::size_t c = p_.markLog.size(); c-- > start_;) {
      const Paragraph::MarkChange& change = p_.markLog[c];
      if (change.index < from || change.index >= to) continue;
      p_.tokens[change.index].grouped = change.grouped;
      p_.tokens[change.index].nameStop = change.nameStop;
    }
  }

 private:
  Paragraph& p_;
  std::size_t start_;
};

}  // namespace recognize::internal
