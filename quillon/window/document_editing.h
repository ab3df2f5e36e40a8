// Typing and basic editing in the desktop window. In: key presses. Out: the
// same host commands the plug-ins send (TypeText, InsertCharacter,
// HardReturn, MoveCharLeft/Right, SelectCharLeft, DeleteSelection,
// AttributeOn/Off) carried out by the document engine, so that what a person
// types lands exactly as a plug-in's typing would.
//
// Keys: printable text types at the insertion point (a character the host
// has neither a byte nor a special character for types as "?"); Enter a hard
// return; Backspace and Delete remove the selection, else the character
// before or after the insertion point (codes beside it stay); Left and Right
// move one character, Up and Down one line at about the same column, Home
// and End to the line's ends; with Shift each of these extends the
// selection; Ctrl+B, Ctrl+I and Ctrl+U turn bold, italic and underline over
// (over the selection when there is one, else for what is typed next).
#pragma once

#include <QKeyEvent>

#include <cstdint>
#include <string>

#include "quillon/commands/document_engine.h"

namespace quillon::window {

class DocumentEditing {
 public:
  // The engine must outlive this object; its current document is used.
  explicit DocumentEditing(DocumentEngine& engine) : engine_(engine) {}

  // Carries out the key; false when it is not an editing key (nothing done).
  bool handle(const QKeyEvent& event);

 private:
  void run(std::uint16_t command, std::int32_t value = 0, bool withValue = false);
  void typeText(const QString& text);
  void erase(bool forward);
  void toggle(int attribute);
  // Moves the insertion point with `move`, keeping the far end of the
  // selection when extending.
  template <typename Move>
  void moveOrExtend(bool extend, Move move);
  std::size_t lineNeighbour(int direction);
  std::size_t lineEnd(bool end);

  DocumentEngine& engine_;
};

}  // namespace quillon::window
