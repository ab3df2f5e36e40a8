// The marking pass. In: the run's citation table. Out: extended keys and one
// occurrence mark per occurrence the host's search finds on its page, placed
// by walking the document once from its end towards its start.
#include "table/document_marks.h"

#include <algorithm>
#include <string>
#include <vector>

#include "db/text.h"
#include "host/host_commands.h"

namespace table {
namespace {

using host::HostText;

// One occurrence to find. The citations outlive the pass, so the target
// points at its tokens and key rather than copying them.
struct OccurrenceTarget {
  const recognize::TokenList* tokens = nullptr;
  int page = 0;
  const std::string* key = nullptr;
  int occurrence = 0;
  int id = 0;
  int noteNumber = 0;
};

// How far before its volume a case name may begin, in characters.
constexpr int kNameReach = 300;

int entryOr0(const std::vector<int>& list, std::size_t i) { return i < list.size() ? list[i] : 0; }

std::vector<OccurrenceTarget> buildTargets(recognize::CitationTable& table) {
  std::vector<OccurrenceTarget> targets;
  for (std::size_t k = 0; k < table.citations.size(); ++k) {
    recognize::Citation& citation = *table.citations[k];
    citation.key += std::to_string(k);
    const std::size_t count = std::min(citation.occurrencePages.size(), citation.occurrenceGroups.size());
    // An authority the recogniser keeps holds two numbers for its first
    // occurrence (one from its creation, one from its filing); taken from the
    // front, every later occurrence would sort with the number of the one
    // before it, and the walk would pass it by. The last numbers are the
    // occurrences' own.
    const std::size_t pages = citation.occurrencePages.size();
    const std::size_t skip = citation.ids.size() > pages ? citation.ids.size() - pages : 0;
    for (std::size_t i = 0; i < count; ++i) {
      targets.push_back({&citation.occurrenceGroups[i], citation.occurrencePages[i], &citation.key,
                         static_cast<int>(i), entryOr0(citation.ids, i + skip), entryOr0(citation.noteNumbers, i)});
    }
  }
  // Last read first: note numbers order the main text and the notes as the
  // document reads (a note's text between the main text after its reference
  // and before it, where the backward search enters the note), ids order the
  // occurrences within one of them.
  std::stable_sort(targets.begin(), targets.end(), [](const OccurrenceTarget& a, const OccurrenceTarget& b) {
    return a.noteNumber != b.noteNumber ? a.noteNumber > b.noteNumber : a.id > b.id;
  });
  return targets;
}

std::size_t selectedLength(host::HostCommands& c) { return c.GetSelectedText().length(); }

bool isIdForm(const std::string& piece) {
  const std::string word = db::stripTrailing(db::lowerCase(piece), true);
  return word == "id" || word == "ibid";
}

// With a match selected: marks it at its start unless it lies on an earlier
// page than the occurrence, in which case the search goes back to where the
// previous occurrence was marked.
void markOrReject(host::HostCommands& c, const OccurrenceTarget& target) {
  const int page = c.GetPageNumber();
  if (target.page > page) {
    c.GoToBookmark(HostText(kPreviousCitationMark));
    return;
  }
  c.MoveCharLeft();
  // A case citation that runs over a page end is listed on the page where
  // its text, the case name, begins, as a paralegal's table lists it; the
  // search found its volume on the next page, so the mark goes back to the
  // reader's page when that lies within a name's length. (Main text only: a
  // note's text is marked at its reference.)
  if (target.page < page && target.noteNumber % 2 == 0) {
    int back = 0;
    while (back < kNameReach && c.GetPageNumber() > target.page) {
      c.MoveCharLeft();
      ++back;
    }
    if (c.GetPageNumber() != target.page) {
      for (; back > 0; --back) c.MoveCharRight();
    }
  }
  c.CreateBookmark(HostText(occurrenceMarkName(*target.key, target.occurrence)), 0);
}

void searchOnePiece(host::HostCommands& c, const OccurrenceTarget& target, const std::string& piece) {
  if (isIdForm(piece)) c.SetSearchOption563(1);  // "Id." inside "Idaho" is no Id.
  c.SetSearchText(HostText(piece));
  c.SearchBackward(1);
  if (selectedLength(c) > 0) markOrReject(c, target);
  c.SetSearchOption563(0);
}

enum class Attempt { Found, PieceMissing, FirstPieceGone };

// One candidate: the nearest earlier match of the first piece, grown forward
// over the others. Leaves the selection over what was found.
Attempt tryCandidate(host::HostCommands& c, const SearchPieces& search) {
  c.SetSearchText(HostText(search.pieces.front()));
  c.SearchBackward(1);
  const bool firstFound = selectedLength(c) > 0;
  if (firstFound) {
    c.MoveCharLeft();
    c.CreateBookmark(HostText(kBeginCitationMark), 0);
  }
  c.SearchBegin570();
  bool grew = firstFound;
  for (std::size_t i = 0; grew && i < search.pieces.size(); ++i) {
    const std::size_t before = selectedLength(c);
    c.SetSearchText(HostText(search.pieces[i]));
    c.SearchForward(0);
    grew = selectedLength(c) > before;
  }
  c.SearchEnd573();
  if (!firstFound) return Attempt::FirstPieceGone;
  return grew ? Attempt::Found : Attempt::PieceMissing;
}

void searchPieces(host::HostCommands& c, const OccurrenceTarget& target, const SearchPieces& search) {
  for (;;) {
    const Attempt attempt = tryCandidate(c, search);
    if (attempt == Attempt::FirstPieceGone) {
      c.GoToBookmark(HostText(kBeforeSearchMark));
      return;
    }
    if (attempt == Attempt::PieceMissing) {
      // Where a failed forward search leaves the insertion point is the
      // host's affair; from the candidate's start, the next backward search
      // can only find an earlier candidate, and with nothing selected a
      // first piece that is gone reads as gone.
      c.GoToBookmark(HostText(kBeginCitationMark));
      c.DeleteBookmark(HostText(kBeginCitationMark));
      continue;
    }
    const bool exact = selectedLength(c) == static_cast<std::size_t>(search.expectedLength);
    if (exact) markOrReject(c, target);
    else c.MoveCharLeft();  // the next candidate starts before this one
    c.SetSelectMode(0);
    c.DeleteBookmark(HostText(kBeginCitationMark));
    if (exact) return;
  }
}

}  // namespace

std::string occurrenceMarkName(const std::string& key, int occurrence) {
  return "XTOA~CIT~" + key + "~" + std::to_string(occurrence);
}

void markCitations(recognize::CitationTable& table) {
  host::HostCommands& c = host::hostCommands();
  c.SearchEnd573();
  c.SetSearchOption561(0);
  c.SetSearchOption563(0);
  const std::vector<OccurrenceTarget> targets = buildTargets(table);
  // Each first search finds the nearest match before the insertion point, so
  // from the end the walk moves steadily towards the start.
  c.GoToDocumentEnd();
  for (const OccurrenceTarget& target : targets) {
    c.CreateBookmark(HostText(kPreviousCitationMark), 0);
    const SearchPieces search = buildSearchPieces(*target.tokens);
    if (search.pieces.empty()) continue;
    c.CreateBookmark(HostText(kBeforeSearchMark), 0);
    if (search.pieces.size() == 1) searchOnePiece(c, target, search.pieces.front());
    else searchPieces(c, target, search);
  }
}

}  // namespace table
