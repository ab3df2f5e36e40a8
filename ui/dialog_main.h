// The plug-in's main dialog. In: the option sets in the database and the
// user's clicks. Out: the chosen option set handed to a table run (at the
// cursor or to a file) or to a page number refresh, option sets added and
// removed, and the About box, the user guide and the editors opened.
//
// While it exists its window owns the plug-in's message boxes
// (db::messageOwner()); the previous owner comes back when it is destroyed.
//
// Errors: database failures are shown in message boxes and the dialog goes
// on. An exception from a handler (a message-box handler that throws, say)
// closes the dialog and is rethrown by run().
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "table/progress_bar.h"

class QComboBox;
class QProgressBar;

namespace ui {

class CDialogMain : public QDialog {
 public:
  // Template ids.
  static constexpr int kOptionSetBoxId = 3005;
  static constexpr int kAddId = 3004;
  static constexpr int kRemoveId = 3007;
  static constexpr int kEditId = 3006;
  static constexpr int kAboutId = 3012;
  static constexpr int kHelpId = 3011;
  static constexpr int kDictionaryEditorId = 3008;
  static constexpr int kCreateAtCursorId = 3009;
  static constexpr int kCreateToFileId = 3013;
  static constexpr int kRefreshId = 3076;
  static constexpr int kCancelId = 3010;
  static constexpr int kProgressBarId = 3078;

  // The table run behind the two Create buttons: table::generateTable in the
  // plug-in. Example: [](bool toFile, table::ProgressBar& bar, const
  // std::string& name) { table::generateTable(toFile, bar, name); }.
  using TableRun = std::function<void(bool toFile, table::ProgressBar& bar, const std::string& optionSetName)>;

  explicit CDialogMain(TableRun tableRun, QWidget* parent = nullptr);
  ~CDialogMain() override;

  // Loads the option sets (reporting a failure), updates "-" and makes this
  // window the owner of message boxes.
  void initialise();
  // initialise(), then runs modally; rethrows what a handler threw.
  void run();

  // The selected entry's text, or "" when none is selected.
  std::string selectedOptionSetName() const;
  // The window that owns message boxes while the dialog is initialised.
  platform::WindowHandle ownerWindow() const { return ownerWindow_; }

 private:
  void loadOptionSets();
  void storeSelection();
  void updateRemoveButton();
  void addOptionSet();
  void removeOptionSet();
  void editOptionSet();
  void createTable(bool toFile);
  void refreshPageNumbers();
  void openUserGuide();
  // Connects a button's click to a handler whose exceptions close the dialog.
  void onClick(int id, std::function<void()> handler);

  TableRun tableRun_;
  QComboBox* optionSets_;
  QProgressBar* progressBar_;
  platform::WindowHandle ownerWindow_ = nullptr;
  platform::WindowHandle previousOwner_ = nullptr;
  bool ownsMessages_ = false;
};

}  // namespace ui
