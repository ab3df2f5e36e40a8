// The desktop window as a person uses it, with the staged plug-in: the
// example brief shown as pages, its table built from the Tools menu by
// clicking the real dialog's button, a paragraph typed with key events and
// the page numbers refreshed; the refreshed table must equal the one a batch
// run builds afresh on the same typed brief. Message boxes are real ones,
// answered by clicking.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <map>

#include "quillon/app/document_actions.h"
#include "quillon/app/document_saving.h"
#include "quillon/format/markdown.h"
#include "quillon/window/window_session.h"
#include "tests/quillon/fixtures.h"
#include "tests/table/golden_lines.h"

namespace {

using namespace quillon;

const std::string kBrief = LEXORDA_SOURCE_DIR "/examples/appellate-brief.md";
const std::string kArgumentStart = "I. THE DISTRICT COURT ERRED IN DISMISSING";
const std::string kTyped =
    "Counsel adds this paragraph before the argument, long enough to push the text that follows it down the "
    "page by several lines, so that citations standing near the foot of a page move onto the next page and "
    "the table must say so once its page numbers are refreshed. It says nothing else of note, and it cites "
    "nothing, so the entries of the table stay the same; only their page numbers may change.";

// Clicks, from the event loop, what a person would in each modal window
// that opens: `press` in the plug-in's dialog (once), Yes or OK in a message
// box, whose text is kept. The dialog's click is posted, so that boxes
// opened while it runs are answered too.
class ModalClicker {
 public:
  explicit ModalClicker(QString press) : press_(std::move(press)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(30);
  }
  std::vector<std::string> messages;
  std::vector<int> progress;
  bool pressed = false;

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages.push_back(box->text().toStdString());
      return (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes) : box->button(QMessageBox::Ok))->click();
    }
    if (modal == nullptr || pressed) return;
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
      if (button->text().remove(QLatin1Char('&')) != press_ || !button->isEnabled()) continue;
      for (QProgressBar* bar : modal->findChildren<QProgressBar*>())
        QObject::connect(bar, &QProgressBar::valueChanged, [this](int value) { progress.push_back(value); });
      pressed = true;
      QTimer::singleShot(0, button, &QAbstractButton::click);
      return;
    }
  }
  QString press_;
  QTimer timer_;
};

std::string tableOf(doc::Document& document) { return golden::tableRegion(format::exportText(document)); }

// Runs the plug-in's command from the Tools menu; the clicker works its dialog.
void runTool(window::MainWindow& window) {
  for (QAction* action : window.toolsMenu().actions())
    if (action->data().toString() == QStringLiteral("Velmor TOA")) return action->trigger();
  ADD_FAILURE() << "no Velmor TOA in the Tools menu";
}

TEST(DesktopWindow, BuildsTheTableFromTheToolsMenuAndRefreshesItAfterTyping) {
  const platform_test::TemporaryFolder folder;
  std::filesystem::copy_file(LEXORDA_STAGE_DIR "/registry.reg", folder.file("registry.reg"));
  setenv("QUILLON_REGISTRY", folder.file("registry.reg").c_str(), 1);
  window::DesktopSession session;
  app::Options options;
  options.file = kBrief;
  ASSERT_EQ(session.start(options), 0);
  window::MainWindow& window = session.window();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  doc::Document* document = &session.engine().document();
  const std::string pages = format::exportText(*document);
  EXPECT_EQ(window.pageStatus().toStdString(),
            "Page 1 of " + std::to_string(std::count(pages.begin(), pages.end(), '\f') + 1));

  // Saved first, so that the plug-in's save question needs no file dialog.
  ASSERT_EQ(app::saveDocumentAs(session.engine(), folder.file("brief.qdoc")), 0);
  ASSERT_EQ(app::placeInsertionPoint(*document, {app::PlacementKind::AfterParagraph, {}, 25}), 0);
  {
    const ModalClicker built(QStringLiteral("Create Table at Cursor"));
    runTool(window);
    EXPECT_TRUE(built.pressed);
    EXPECT_TRUE(std::any_of(built.progress.begin(), built.progress.end(), [](int v) { return v > 0 && v < 100; }));
    EXPECT_EQ(built.progress.empty() ? 0 : built.progress.back(), 100);
  }
  const std::string golden = platform_test::readFile(LEXORDA_SOURCE_DIR "/tests/table/golden/at_cursor.txt");
  golden::expectSameLines("at_cursor.txt", golden, tableOf(*document));

  // The table's page in view, as a person scrolls to it.
  document->setSearchText("TABLE OF AUTHORITIES");
  document->goToStart();
  ASSERT_TRUE(document->searchForward());
  const int tablePage = document->physicalPage();
  document->moveTo(document->insertionPoint());
  window.pageView().showPage(tablePage);
  EXPECT_EQ(window.pageStatus().toStdString(), "Page " + std::to_string(tablePage) + " of " +
                                                   std::to_string(document->pageCount()));
  std::filesystem::create_directories(LEXORDA_SCREENSHOT_DIR);
  EXPECT_TRUE(window.grab().save(LEXORDA_SCREENSHOT_DIR "/quillon-window-table.png"));

  // A paragraph typed before the argument, then the page numbers refreshed.
  ASSERT_EQ(app::placeInsertionPoint(*document, {app::PlacementKind::BeforeText, kArgumentStart, 0}), 0);
  QTest::keyClicks(&window.pageView(), QString::fromStdString(kTyped));
  QTest::keyClick(&window.pageView(), Qt::Key_Return);
  const std::string built = tableOf(*document);
  { const ModalClicker refresh(QStringLiteral("Refresh Page Numbers")); runTool(window); }
  const std::string refreshed = tableOf(*document);
  EXPECT_TRUE(refreshed != built) << "the typed paragraph moved no page number";

  // A batch run types the same paragraph into the brief and builds its table afresh.
  const quillon_test::Environment environment{{"QUILLON_REGISTRY", folder.file("registry.reg")}};
  ASSERT_EQ(quillon_test::runProgram(LEXORDA_STAGE_DIR "/run-quillon", {kBrief, "--before", kArgumentStart,
            "--type-text", kTyped + "\n", "--save", folder.file("typed.qdoc")}, environment).exitCode, 0);
  ASSERT_EQ(quillon_test::runProgram(LEXORDA_STAGE_DIR "/run-quillon", {folder.file("typed.qdoc"),
            "--after-paragraph", "25", "--invoke", "Velmor TOA", "--press", "Create Table at Cursor",
            "--export-text", folder.file("fresh.txt")}, environment).exitCode, 0);
  golden::expectSameLines("fresh table", golden::tableRegion(platform_test::readFile(folder.file("fresh.txt"))),
                          refreshed);

  // Without pandoc a .docx is refused in a message box.
  platform_test::writeFile(folder.file("brief.docx"), "not opened");
  const std::string path = getenv("PATH");
  setenv("PATH", folder.path().c_str(), 1);
  {
    const ModalClicker clicker{QString()};
    EXPECT_FALSE(window.openFile(folder.file("brief.docx")));
    ASSERT_EQ(clicker.messages.size(), 1u);
    EXPECT_NE(clicker.messages[0].find("pandoc, which converts .docx files, is not installed"), std::string::npos);
  }
  setenv("PATH", path.c_str(), 1);
}

// Keys as a person presses them: text is typed, {Key} or {+Key} (with Shift)
// or {^B} (with Ctrl) presses one key.
void press(QWidget& view, const std::string& keys) {
  static const std::map<std::string, Qt::Key> named{{"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
      {"Home", Qt::Key_Home}, {"Back", Qt::Key_Backspace}, {"Del", Qt::Key_Delete}, {"Ret", Qt::Key_Return},
      {"Up", Qt::Key_Up}, {"^B", Qt::Key_B}};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] != '{') { QTest::keyClicks(&view, QString(QChar(keys[i]))); continue; }
    std::string name = keys.substr(i + 1, keys.find('}', i) - i - 1);
    i = keys.find('}', i);
    const bool shift = name[0] == '+', ctrl = name[0] == '^';
    QTest::keyClick(&view, named.at(shift ? name.substr(1) : name),
                    shift ? Qt::ShiftModifier : ctrl ? Qt::ControlModifier : Qt::NoModifier);
  }
}

TEST(DesktopWindow, EditingKeysGoThroughTheEngine) {
  const struct { const char* name; const char* keys; const char* markdown; } rows[] = {
      {"Enter ends a paragraph", "ab{Ret}c", "ab\n\nc\n"},
      {"Backspace at the start removes nothing", "{Back}a", "a\n"},
      {"Delete at the end removes nothing", "ab{Del}", "ab\n"},
      {"Delete takes the character after the point", "abc{Left}{Left}{Del}", "ac\n"},
      {"Shift+Left selects what Ctrl+B makes bold", "abc{+Left}{+Left}{^B}", "a**bc**\n"},
      {"Ctrl+B twice brackets what is typed between", "{^B}x{^B}y", "**x**y\n"},
      {"Shift+Right from Home selects what Backspace removes", "abc{Home}{+Right}{+Right}{Back}", "c\n"},
      {"Up keeps the column", "abc{Ret}de{Up}{Del}", "ab\n\nde\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    app::NativeFileStore store;
    app::BatchNamePrompt prompt({});
    DocumentEngine engine(store, prompt);
    window::PageView view(engine);
    press(view, row.keys);
    EXPECT_EQ(format::exportMarkdown(engine.document()), row.markdown);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // ctest sets the offscreen platform; scripts/screenshots.sh runs this under Xvfb.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
