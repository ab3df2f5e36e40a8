// Builds the window's menus, toolbar and status bar and carries out the File
// and Tools actions; see main_window.h.
#include "quillon/window/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "platform/platform.h"
#include "quillon/app/docx.h"
#include "quillon/format/document_file.h"
#include "quillon/libs/text_codec.h"
#include "quillon/render/pdf_export.h"
#include "quillon/window/window_prompts.h"

namespace quillon::window {
namespace {

const QString kOpenFilter = QStringLiteral(
    "Documents (*.qdoc *.md *.markdown *.docx);;Quillon documents (*.qdoc);;Markdown (*.md *.markdown);;"
    "Word documents (*.docx);;All files (*)");

QString commandText(const app::RegisteredCommand& command) {
  const std::u16string& shown = command.displayTexts[0].empty() ? command.name : command.displayTexts[0];
  return QString::fromStdString(utf8OfHostString(shown));
}

}  // namespace

MainWindow::MainWindow(DocumentEngine& engine, app::PluginHost& host)
    : engine_(engine), host_(host), view_(new PageView(engine, this)), status_(new QLabel(this)) {
  setCentralWidget(view_);
  statusBar()->addWidget(status_);
  connect(view_, &PageView::pageChanged, this,
          [this](int page, int pages) { status_->setText(QStringLiteral("Page %1 of %2").arg(page).arg(pages)); });
  buildMenus();
  documentReplaced();
  resize(900, 1000);
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &MainWindow::openChosen);
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { (void)save(); });
  file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, [this] { (void)saveAs(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Import .docx..."), this, &MainWindow::importDocx);
  file->addAction(QStringLiteral("&Export PDF..."), this, &MainWindow::exportPdf);
  file->addSeparator();
  file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->addAction(QStringLiteral("Zoom &In"), QKeySequence::ZoomIn, view_, &PageView::zoomIn);
  view->addAction(QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut, view_, &PageView::zoomOut);

  tools_ = menuBar()->addMenu(QStringLiteral("&Tools"));
  for (const app::RegisteredCommand& command : host_.commands()) {
    QAction* action = tools_->addAction(commandText(command), this, [this, command] { runCommand(command); });
    action->setData(QString::fromStdString(utf8OfHostString(command.name)));
    action->setStatusTip(QString::fromStdString(utf8OfHostString(command.displayTexts[2])));
  }
  if (host_.commands().empty()) tools_->addAction(QStringLiteral("(no plug-in commands)"))->setEnabled(false);

  QToolBar* bar = addToolBar(QStringLiteral("Tools"));
  bar->setMovable(false);
  auto* button = new QToolButton(bar);
  button->setText(QStringLiteral("Tools"));
  button->setMenu(tools_);
  button->setPopupMode(QToolButton::InstantPopup);
  bar->addWidget(button);
}

void MainWindow::runCommand(const app::RegisteredCommand& command) {
  if (!host_.invoke(command)) showError("No plug-in accepted the command " + commandText(command).toStdString() + ".");
  // The command may have typed a table, saved, or made a new document.
  documentReplaced();
}

bool MainWindow::openFile(const std::string& path) {
  if (app::isDocxPath(path)) {
    app::DocxImport imported = app::importDocx(path);
    if (!imported.error.empty()) {
      showError(imported.error);
      return false;
    }
    engine_.openDocument(std::move(imported.content), {});
  } else {
    try {
      format::OpenedFile opened = format::openDocumentFile(path);
      const bool native = opened.kind == format::FileKind::Native;
      engine_.openDocument(std::move(opened.content),
                           native ? QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString() : "");
    } catch (const format::FormatError& error) {
      showError(error.what());
      return false;
    }
  }
  documentReplaced();
  view_->showPage(1);
  return true;
}

void MainWindow::openChosen() {
  const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kOpenFilter);
  if (!chosen.isEmpty()) (void)openFile(chosen.toStdString());
}

void MainWindow::importDocx() {
  const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Import .docx"), QString(),
                                                      QStringLiteral("Word documents (*.docx)"));
  if (!chosen.isEmpty()) (void)openFile(chosen.toStdString());
}

bool MainWindow::save() { return engine_.path().empty() ? saveAs() : saveTo(engine_.path()); }

bool MainWindow::saveAs() {
  const std::string path = WindowNamePrompt().askForName();
  return !path.empty() && saveTo(path);
}

bool MainWindow::saveTo(const std::string& path) {
  WindowFileStore store;
  if (!store.save(engine_.document(), path)) return false;
  engine_.setPath(path);
  engine_.document().setModified(false);
  updateTitle();
  return true;
}

void MainWindow::exportPdf() {
  QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Export PDF"), QString(),
                                                QStringLiteral("PDF files (*.pdf)"));
  if (chosen.isEmpty()) return;
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".pdf");
  const std::string why = format::writeFileSafely(chosen.toStdString(), render::exportPdf(engine_.document()));
  if (!why.empty()) showError("cannot write " + chosen.toStdString() + ": " + why);
}

void MainWindow::documentReplaced() {
  view_->documentChanged();
  updateTitle();
}

void MainWindow::updateTitle() {
  const std::string name = engine_.fileName().empty() ? "Untitled" : engine_.fileName();
  setWindowTitle(QString::fromStdString(name) + QStringLiteral(" - Quillon"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (engine_.document().modified()) {
    const int answer = platform::messageBox(nullptr, "Save the changes to the document before closing?", "Quillon",
                                            platform::kMbYesNoCancel | platform::kMbIconQuestion);
    if (answer == platform::kIdCancel || (answer == platform::kIdYes && !save())) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

}  // namespace quillon::window
