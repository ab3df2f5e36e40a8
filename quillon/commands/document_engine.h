// The host's document engine behind its command window. In: decoded command
// requests (values already translated by the sender into the host's numeric
// codes). Out: the effect on the current document and the result the reply
// carries.
//
// Every command of the host's command table is carried out:
// - typing: TypeText, HardReturn, InsertSpace75 (a blank), InsertIndent (a
//   tab), InsertDotLeaderTab, InsertCharacter (set, number);
// - formatting: AttributeOn/Off (5 superscript, 6 subscript, 8 italic, 12
//   bold, 14 underline; an omitted attribute does nothing), ConvertCase (0 as
//   typed, 1 lower, 2 upper, 3 initial capitals), SetFont (the face; the seven
//   integers are ignored), SetFontSize, margins and indents (1/1200 inch),
//   SetLineSpacing (1.0 = single), ApplyToSelection203(1) (the selection
//   becomes a keep-together range);
// - bookmarks (GetBookmarkInfo names bookmark n for every n, 253 too, whose
//   index arrives marked omitted), hyperlinks, selection, moves, search
//   (561: 1 = match case; 563: 1 = whole words), positions and page numbers
//   (16-bit);
// - the document: path and file name ("" until saved; the path ends in '/'),
//   modified state, SaveDocument (asks the NamePrompt when unnamed),
//   SaveDocumentAs, NewDocument (a fresh empty document becomes the target);
// - switches A, B and C are three stored flags; SetUpdateMode stores its flag;
//   Command157/170/33162/33163/33193/33208/33340 and QueryState16455 are
//   accepted and change nothing.
// How moves behave around codes, Command823, SelectCharLeft and Command33197
// is stated in engine_moves.cpp.
//
// Errors: none thrown. Missing or omitted parameters fall back to "do nothing"
// or to 0; unknown commands answer 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillon/commands/document_store.h"
#include "quillon/commands/document_target.h"
#include "quillon/doc/document.h"

namespace quillon {

class DocumentEngine : public DocumentTarget {
 public:
  // Starts with an empty unnamed document. store and prompt must outlive it.
  DocumentEngine(DocumentStore& store, NamePrompt& prompt);

  CommandResult execute(const CommandRequest& request) override;

  doc::Document& document() { return *document_; }
  const doc::Document& document() const { return *document_; }
  // Folder (ending in '/') and file name of the current document; empty
  // until it is saved.
  const std::string& folder() const { return folder_; }
  const std::string& fileName() const { return fileName_; }
  // Gives the current document a name, as opening a file does.
  void setPath(const std::string& path);
  // Folder and file name together; empty while the document is unnamed.
  std::string path() const { return folder_ + fileName_; }
  // Makes `content` the current document, as opening a file does: insertion
  // point at the start, unmodified, named by `path` (a native file) or
  // unnamed when `path` is empty (an imported one, saved like a new document).
  void openDocument(doc::DocumentContent content, const std::string& path);

  bool switchA() const { return switchA_; }
  bool switchB() const { return switchB_; }
  bool switchC() const { return switchC_; }
  bool updateMode() const { return updateMode_; }

 private:
  // Command groups; each returns the command's result.
  CommandResult typing(const CommandRequest& request, bool& handled);
  CommandResult formatting(const CommandRequest& request, bool wasPick, bool& handled);
  CommandResult marksAndSearch(const CommandRequest& request, bool& handled);
  CommandResult documentCommand(const CommandRequest& request, bool& handled);
  // engine_moves.cpp
  CommandResult moves(const CommandRequest& request, bool& handled);
  void moveCharRight();
  void selectCharLeft();
  void endPickAfterFormat();
  void forgetTypingState();

  bool saveTo(const std::string& path);

  DocumentStore& store_;
  NamePrompt& prompt_;
  std::unique_ptr<doc::Document> document_;
  std::string folder_;
  std::string fileName_;
  bool switchA_ = false, switchB_ = false, switchC_ = false;
  bool updateMode_ = true;
  bool codesOnly_ = false;     // Command823(1) in force
  bool pick_ = false;          // the selection was made by SelectCharLeft outside select mode
  int pendingSteps_ = 0;       // Command33197s not yet spent by a MoveCharRight
};

}  // namespace quillon
