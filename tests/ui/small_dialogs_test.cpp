// The input dialog, the text viewer and the About box, and every dialog's
// texts against its controls' sizes in the platform's font.
#include <QLabel>
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

namespace {

using ui_test::onNextModal;

class SmallDialogs : public ui_test::UiTest {};

TEST_F(SmallDialogs, InputDialogReturnsWhatOkConfirms) {
  const struct { const char* name; const char* typed; const char* button; std::string result; } rows[] = {
      {"OK", "New set", "ok", "New set"},
      {"Cancel after typing", "New set", "cancel", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QString title, prompt;
    onNextModal([&](QDialog& input) {
      title = input.windowTitle();
      prompt = ui::control<QLabel>(input, ui::CDialogInput::kPromptId)->text();
      // Typed where the focus is: the edit field has it from the start.
      QTest::keyClicks(input.focusWidget(), row.typed);
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
      {"CR LF read as text", "a\r\nb\r\n", "a\nb\n"},
      {"empty file", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    platform_test::writeFile(folder_.file("Legal.txt"), row.file);
    EXPECT_EQ(ui::readTextFileLines(folder_.file("Legal.txt")), row.shown);
  }
}

// About's buttons open the viewer on the installation's files, or say which
// file could not be opened; the viewer never opens then.
TEST_F(SmallDialogs, AboutOpensLegalNoticesAndLicense) {
  platform_test::writeFile(folder_.file("Legal.txt"), "Notice\nline 2");
  host::processValues().legalNoticePath = folder_.file("Legal.txt");
  host::processValues().licenceTextPath = folder_.file("license.rtf");
  ui::CDialogAbout about;
  QString shown;
  onNextModal([&](QDialog& viewer) {
    shown = viewer.windowTitle() + "|" +
            ui::control<QPlainTextEdit>(viewer, ui::CDialogDisplayTextFile::kTextId)->toPlainText();
    viewer.accept();
  });
  QTest::mouseClick(ui::control<QPushButton>(about, ui::CDialogAbout::kLegalNoticesId), Qt::LeftButton);
  EXPECT_EQ(shown, "Legal Notices|Notice\nline 2\n");
  QTest::mouseClick(ui::control<QPushButton>(about, ui::CDialogAbout::kLicenseId), Qt::LeftButton);
  EXPECT_EQ(shownTexts(), std::vector<std::string>{"Lexorda: Error opening file - " + folder_.file("license.rtf")});
  EXPECT_EQ(about.windowTitle(), "About Lexorda");
  const QLabel* company = ui::control<QLabel>(about, ui::CDialogAbout::kCompanyId);
  const QLabel* sign = ui::control<QLabel>(about, ui::CDialogAbout::kRegisteredId);
  EXPECT_EQ(company->text() + sign->text(), "Velmor" + QString(QChar(0xAE)));
  EXPECT_GT(sign->x(), company->x() + company->fontMetrics().horizontalAdvance("Velmor")) << "the sign after the name";
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
