// The quillon program's desktop window. In: the document engine and the
// plug-in host of the run, and what a person does: menus, toolbar, keys.
// Out: the document shown as pages, opened, saved and exported; each
// command the plug-ins registered run as --invoke runs it, its dialog modal
// over this window, and the pages painted again when it returns.
//
// File: Open... (native, Markdown, .docx), Save, Save As..., Import .docx...,
// Export PDF..., Quit. View: Zoom In, Zoom Out. Tools: one action per
// registered command, named by its first display text (its name when that
// is empty), also listed by the toolbar's Tools button. The status bar reads
// "Page N of M" for the page in view. Failures (a file that cannot be opened
// or written, pandoc missing) are shown in message boxes.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>

#include <string>

#include "quillon/app/plugin_host.h"
#include "quillon/commands/document_engine.h"
#include "quillon/window/page_view.h"

namespace quillon::window {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Both must outlive the window; the host must have been started.
  MainWindow(DocumentEngine& engine, app::PluginHost& host);

  // Opens a native, Markdown or .docx file as the window's document; false,
  // after a message box, when it cannot be opened (the document stays).
  bool openFile(const std::string& path);

  PageView& pageView() { return *view_; }
  QMenu& toolsMenu() { return *tools_; }
  // The status bar's text, e.g. "Page 1 of 12".
  QString pageStatus() const { return status_->text(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void runCommand(const app::RegisteredCommand& command);
  void openChosen();
  void importDocx();
  bool save();
  bool saveAs();
  bool saveTo(const std::string& path);
  void exportPdf();
  void documentReplaced();
  void updateTitle();

  DocumentEngine& engine_;
  app::PluginHost& host_;
  PageView* view_ = nullptr;
  QMenu* tools_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace quillon::window
