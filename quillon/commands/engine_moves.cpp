// Carries out the host's cursor commands on the current document. In:
// MoveCharLeft/Right, SelectCharLeft, SetSelectMode, DeleteSelection, the
// document top and end, Command823 and Command33197. Out: the insertion point
// and selection the plug-in's sequences rely on.
//
// The rules (beyond the document's own: one move passes exactly one
// character, codes are stepped over; see quillon/doc/cursor.cpp):
// 1. Command823(1) stays in force until Command823(0) or the next typing
//    command (TypeText, HardReturn, InsertSpace75, InsertIndent,
//    InsertDotLeaderTab, InsertCharacter). While it is in force:
//    - MoveCharRight ends a selection at its end and then steps only over the
//      codes that close a range (hyperlink end, keep-together end) right of
//      the insertion point, never over a character or any other code. This
//      takes the insertion point out of a page number's hyperlink, or past
//      the end of a heading's keep-together range, without touching the text
//      that follows (a table written in the middle of a document).
//    - SelectCharLeft does nothing: the selection between a page list's two
//      marks is deleted whole.
// 2. SelectCharLeft outside select mode makes a "pick" (the character left of
//    the insertion point). AttributeOn/AttributeOff sent while the pick is the
//    selection apply to it and then end it at its end, past the code that
//    restores the earlier setting, so that a following attribute command and
//    the next text apply where typing continues. ConvertCase keeps the pick;
//    the MoveCharRight that follows ends it at its end as usual. Any command
//    other than GetSelectedText, Command823, Command33197 and the position
//    queries ends the pick state (the selection itself stays).
// 3. Command33197 counts one step walked to the left. The next MoveCharRight
//    passes one character per counted step (at least one): after a walk of k
//    characters back to a blank and its un-underlining, one MoveCharRight
//    returns to where typing continues. Typing forgets the count.
#include "quillon/commands/document_engine.h"

#include "quillon/commands/command_table.h"

namespace quillon {
namespace {

constexpr std::uint16_t kCommand33197 = 33197;
constexpr std::uint16_t kCommand823 = 823;

bool closesRange(const doc::Item& item) {
  return item.isCode() &&
         (item.code == doc::CodeKind::HyperlinkEnd || item.code == doc::CodeKind::KeepTogetherEnd);
}

}  // namespace

void DocumentEngine::moveCharRight() {
  doc::Document& d = *document_;
  const int steps = pendingSteps_;
  pendingSteps_ = 0;
  if (codesOnly_) {
    if (d.selection()) d.moveCharRight();
    std::size_t p = d.insertionPoint();
    while (p < d.items().size() && closesRange(d.items()[p])) ++p;
    d.moveTo(p);
    return;
  }
  const bool hadSelection = d.selection().has_value();
  int moves = hadSelection ? steps : std::max(1, steps);
  if (hadSelection) d.moveCharRight();
  while (moves-- > 0) d.moveCharRight();
}

void DocumentEngine::selectCharLeft() {
  doc::Document& d = *document_;
  if (codesOnly_) return;
  d.selectCharLeft();
  pick_ = !d.selectMode() && d.selection().has_value();
}

void DocumentEngine::endPickAfterFormat() {
  doc::Document& d = *document_;
  const auto range = d.selection();
  if (!range) return;
  std::size_t p = range->end;
  while (p < d.items().size() && d.items()[p].isCode()) ++p;
  d.select(p, p);
}

CommandResult DocumentEngine::moves(const CommandRequest& request, bool& handled) {
  doc::Document& d = *document_;
  handled = true;
  switch (request.command) {
    case command::kMoveCharLeft:
      d.moveCharLeft();
      break;
    case command::kMoveCharRight:
      moveCharRight();
      break;
    case command::kSelectCharLeft:
      selectCharLeft();
      break;
    case command::kSetSelectMode:
      if (request.parameters.empty() || request.parameters[0].omitted()) break;
      d.setSelectMode(request.integerAt(0) == 1);
      break;
    case command::kDeleteSelection:
      (void)d.deleteSelection();
      break;
    case command::kGoToDocumentTop:
      d.goToStart();
      break;
    case command::kGoToDocumentEnd:
      d.goToEnd();
      break;
    case kCommand823:
      codesOnly_ = request.integerAt(0) == 1;
      break;
    case kCommand33197:
      ++pendingSteps_;
      break;
    default:
      handled = false;
  }
  return {};
}

}  // namespace quillon
