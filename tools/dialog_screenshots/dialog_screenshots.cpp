// Shows the plug-in's dialogs one by one in real windows and saves each as a
// PNG, so that a person can look at them. In: an output folder and a
// Lexorda installation folder (its tabauth3.db, Legal.txt). Out: main.png,
// main_busy.png, about.png, input.png, text_viewer.png, the option set
// editor's pages options_content.png, options_formatting.png and
// options_sorting.png, font_list.png (the font list dropped down), and the
// dictionary editor's dictionary_citations.png and dictionary_abbreviations.png.
//
// Usage: dialog_screenshots OUTPUT_FOLDER INSTALL_FOLDER/
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
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
#include "ui/font_preview_combo.h"
#include "ui/option_set_sheet.h"

namespace {

// Lets the window system map and paint what was shown.
void settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool saved(const QPixmap& picture, const QString& folder, const char* name) {
  const QString path = folder + "/" + name;
  const bool ok = picture.save(path);
  std::printf("%s %s\n", ok ? "saved" : "FAILED", path.toLocal8Bit().constData());
  return ok;
}

bool save(QWidget& window, const QString& folder, const char* name) {
  window.show();
  window.activateWindow();
  settle();
  return saved(window.grab(), folder, name);
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
    ui::COptionSetSheet sheet("Default");
    const char* pages[] = {"options_content.png", "options_formatting.png", "options_sorting.png"};
    for (int page = 0; page < 3; ++page) {
      sheet.tabs().setCurrentIndex(page);
      ok &= save(sheet, output, pages[page]);
    }
    // A drop-down list is a window of its own: the screen shows both.
    sheet.tabs().setCurrentIndex(ui::COptionSetSheet::kFormatPage);
    settle();
    auto* fonts = sheet.findChild<ui::CFontPreviewCombo*>();
    fonts->setCurrentIndex(fonts->findText("DejaVu Serif"));
    fonts->showPopup();
    settle();
    const QRect area = sheet.frameGeometry().united(fonts->view()->window()->geometry());
    ok &= saved(QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()),
                output, "font_list.png");
    fonts->hidePopup();
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
