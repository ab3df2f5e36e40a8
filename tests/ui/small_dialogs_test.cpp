// The input dialog, the text viewer, the About box and the list helpers, and
// every dialog's texts against its controls' sizes in the platform's font.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include "host/process_values.h"
#include "tests/ui/fixtures.h"
#include "ui/dialog_about.h"
#include "ui/dialog_display_text_file.h"
#include "ui/dialog_input.h"
#include "ui/dialog_main.h"
#include "ui/dialog_template.h"
#include "ui/list_helpers.h"

namespace {

using ui_test::onNextModal;

class SmallDialogs : public ui_test::UiTest {};

TEST_F(SmallDialogs, InputDialogReturnsWhatOkConfirms) {
  const struct { const char* name; const char* typed; const char* button; std::string result; } rows[] = {
      {"OK", "New set", "ok", "New set"},
      {"Cancel after typing", "New set", "cancel", ""},
      {"OK on an empty field", "", "ok", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QString title, prompt;
    onNextModal([&](QDialog& input) {
      title = input.windowTitle();
      prompt = ui::control<QLabel>(input, ui::CDialogInput::kPromptId)->text();
      // Typed where the focus is: the edit field has it from the start.
      QTest::keyClicks(QApplication::focusWidget(), row.typed);
      QTest::mouseClick(input.findChild<QPushButton*>(row.button), Qt::LeftButton);
    });
    EXPECT_EQ(ui::askForText("Input", "Enter the name."), row.result);
    EXPECT_EQ(title + "|" + prompt, "Input|Enter the name.");
  }
}

TEST_F(SmallDialogs, TextViewerShowsEveryLineWithALineFeed) {
  const struct { const char* name; std::string file, shown; } rows[] = {
      {"final line break: no extra line", "a\nb\n", "a\nb\n"},
      {"no final line break: one is added", "a\nb", "a\nb\n"},
      {"empty lines kept", "a\n\nb\n\n", "a\n\nb\n\n"},
      {"CR LF read as text", "a\r\nb\r\n", "a\nb\n"},
      {"empty file", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    platform_test::writeFile(folder_.file("Legal.txt"), row.file);
    EXPECT_EQ(ui::readTextFileLines(folder_.file("Legal.txt")), row.shown);
  }
  EXPECT_EQ(ui::readTextFileLines(folder_.file("missing.txt")), std::nullopt);
}

// About's two buttons open the viewer on the installation's files, or say
// which file could not be opened; the viewer never opens then.
TEST_F(SmallDialogs, AboutOpensLegalNoticesAndLicense) {
  platform_test::writeFile(folder_.file("Legal.txt"), "Notice\nline 2");
  host::processValues().legalNoticePath = folder_.file("Legal.txt");
  host::processValues().licenceTextPath = folder_.file("license.rtf");
  ui::CDialogAbout about;
  const struct { const char* name; int button; QString title, text; std::string message; } rows[] = {
      {"legal notices", ui::CDialogAbout::kLegalNoticesId, "Legal Notices", "Notice\nline 2\n", ""},
      {"missing licence", ui::CDialogAbout::kLicenseId, "", "", "Lexorda: Error opening file - " + folder_.file("license.rtf")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.clear();
    QString title = "", text = "";
    if (row.message.empty()) {
      onNextModal([&](QDialog& viewer) {
        title = viewer.windowTitle();
        text = ui::control<QPlainTextEdit>(viewer, ui::CDialogDisplayTextFile::kTextId)->toPlainText();
        viewer.accept();
      });
    }
    QTest::mouseClick(ui::control<QPushButton>(about, row.button), Qt::LeftButton);
    EXPECT_EQ(title + "|" + text, row.title + "|" + row.text);
    std::vector<std::string> shown;
    for (const auto& box : boxes_.shown()) shown.push_back(box.caption + ": " + box.text);
    EXPECT_EQ(shown, row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message});
  }
  EXPECT_EQ(about.windowTitle(), "About Lexorda");
  const struct { int id; QString text; int pixelSize; bool bold; } labels[] = {
      {ui::CDialogAbout::kCompanyId, "Velmor", 25, false},
      {ui::CDialogAbout::kProductId, "Lexorda", 30, true},
      {ui::CDialogAbout::kRegisteredId, QString(QChar(0xAE)), 15, false},
      {ui::CDialogAbout::kVersionId, "v1.5", -1, false},
  };
  for (const auto& row : labels) {
    SCOPED_TRACE(row.id);
    const QLabel* label = ui::control<QLabel>(about, row.id);
    EXPECT_EQ(label->text(), row.text);
    EXPECT_EQ(label->font().pixelSize(), row.pixelSize);
    EXPECT_EQ(label->font().bold(), row.bold);
  }
}

TEST_F(SmallDialogs, ListHelpersKeepOrderAndSelection) {
  QComboBox box;
  for (const char* text : {"delta", "Alpha", "charlie", "Bravo", "alpha"}) ui::insertSorted(box, text);
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemText(i);
  EXPECT_EQ(texts, (QStringList{"Alpha", "alpha", "Bravo", "charlie", "delta"})) << "case ignored, equal ones in order";
  EXPECT_EQ(box.currentIndex(), -1) << "adding selects nothing";
  EXPECT_EQ(ui::selectedText(box), "");
  box.setCurrentIndex(2);
  EXPECT_EQ(ui::removeSelectedEntry(box), 4);
  EXPECT_EQ(ui::selectedText(box), "alpha") << "the entry before it";

  QListWidget list;
  list.addItems({"one", "two", "three"});
  list.setCurrentRow(1);
  EXPECT_EQ(ui::selectedText(list), "two");
  ui::removeSelectedEntry(list);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(ui::selectedText(list), "") << "nothing selected afterwards";
}

// Every text fits its control in the font the platform gives: button texts
// inside the button's margins, labels within their width, and no two
// buttons overlap.
TEST_F(SmallDialogs, NoTextIsClippedInAnyDialog) {
  ui::CDialogMain mainDialog([](bool, table::ProgressBar&, const std::string&) {});
  ui::CDialogAbout about;
  ui::CDialogInput input("Input", "Enter the name of your new option set.");
  ui::CDialogDisplayTextFile viewer("License", "text");
  for (QDialog* dialog : std::initializer_list<QDialog*>{&mainDialog, &about, &input, &viewer}) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    const QRect client = dialog->rect();
    std::vector<QRect> buttons;
    for (QWidget* widget : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      SCOPED_TRACE(widget->objectName().toStdString());
      EXPECT_TRUE(client.contains(widget->geometry())) << "inside the dialog";
      const QFontMetrics metrics = widget->fontMetrics();
      if (auto* button = qobject_cast<QPushButton*>(widget)) {
        const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        EXPECT_LE(metrics.horizontalAdvance(ui::withoutMnemonic(button->text())), button->width() - margin);
        EXPECT_LE(metrics.height(), button->height());
        for (const QRect& other : buttons) EXPECT_FALSE(other.intersects(button->geometry()));
        buttons.push_back(button->geometry());
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_LE(label->sizeHint().width(), label->width());
        EXPECT_LE(metrics.height(), label->height());
      }
    }
  }
}

}  // namespace
