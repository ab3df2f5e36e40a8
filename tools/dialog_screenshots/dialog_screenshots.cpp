// Shows the plug-in's dialogs one by one in real windows and saves each as a
// PNG, so that a person can look at them. In: an output folder and a
// Lexorda installation folder (its tabauth3.db, Legal.txt). Out: main.png,
// main_busy.png, about.png, input.png, text_viewer.png,
// dictionary_citations.png, dictionary_abbreviations.png.
//
// Usage: dialog_screenshots OUTPUT_FOLDER INSTALL_FOLDER/
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <cstdio>
#include <string>

#include "db/connection.h"
#include "host/process_values.h"
#include "ui/dialog_about.h"
#include "ui/dialog_display_text_file.h"
#include "ui/dialog_input.h"
#include "ui/dialog_main.h"
#include "ui/dialog_template.h"
#include "ui/colored_item_controls.h"
#include "ui/dictionary_sheet.h"

namespace {

bool save(QWidget& window, const QString& folder, const char* name) {
  window.show();
  window.activateWindow();
  // Let the window system map and paint the window before it is grabbed.
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  const QString path = folder + "/" + name;
  const bool saved = window.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", path.toLocal8Bit().constData());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: dialog_screenshots OUTPUT_FOLDER INSTALL_FOLDER/\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const std::string install = argv[2];
  QDir().mkpath(output);
  db::setDatabasePath(install + "tabauth3.db");
  host::processValues().legalNoticePath = install + "Legal.txt";
  bool ok = true;

  {
    ui::CDialogMain dialog([](bool, table::ProgressBar&, const std::string&) {});
    dialog.initialise();
    ok &= save(dialog, output, "main.png");
    // The busy state of a table run: everything disabled, the bar moving.
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->property(ui::kControlIdProperty).toInt() > 0) child->setEnabled(false);
    }
    auto* bar = ui::control<QProgressBar>(dialog, ui::CDialogMain::kProgressBarId);
    bar->setRange(0, 100);
    bar->setValue(40);
    bar->setEnabled(true);
    bar->show();
    ok &= save(dialog, output, "main_busy.png");
  }
  {
    ui::CDialogAbout about;
    ok &= save(about, output, "about.png");
  }
  {
    ui::CDialogInput input("Input", "Enter the name of your new option set.");
    ok &= save(input, output, "input.png");
  }
  {
    const auto text = ui::readTextFileLines(install + "Legal.txt");
    ui::CDialogDisplayTextFile viewer("Legal Notices", text.value_or("(Legal.txt could not be read)"));
    ok &= save(viewer, output, "text_viewer.png");
  }
  {
    // Only looked at: nothing is saved, so the staged database stays as it is.
    ui::CDictionarySheet sheet;
    // Shown as a user-added entry would be, to see the bold drawing.
    auto* names = sheet.findChild<QComboBox*>("entryNames");
    names->setItemData(names->currentIndex(), true, ui::kHighlightRole);
    sheet.findChild<QListWidget*>("invalidNames")->item(1)->setData(ui::kHighlightRole, true);
    ok &= save(sheet, output, "dictionary_citations.png");
    sheet.findChild<QTabWidget*>()->setCurrentIndex(ui::CDictionarySheet::kAbbreviationsPage);
    ok &= save(sheet, output, "dictionary_abbreviations.png");
  }
  return ok ? 0 : 1;
}
