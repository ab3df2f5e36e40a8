// The main dialog on a copy of the shipped database: its controls, the option
// set list (load, add, remove, the "-" rule), the three operations and the
// notices, with every message box's text and caption.
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "db/error_report.h"
#include "host/process_values.h"
#include "tests/host/commands/recording_host.h"
#include "tests/ui/fixtures.h"
#include "ui/dialog_main.h"
#include "ui/dialog_template.h"

namespace {

using ui::CDialogMain;
using ui::control;
using ui_test::onNextModal;

class MainDialog : public ui_test::UiTest {
 protected:
  // The shipped "Default" alone and chosen, as the rows count positions.
  void SetUp() override { UiTest::SetUp(); exec("delete from optionset where id=2; update settings set selected_option_set=0;"); }
  // A dialog initialised on the copy, whose table run notes in seen_ what it
  // was given and what the dialog showed meanwhile.
  std::unique_ptr<CDialogMain> open() {
    auto dialog = std::make_unique<CDialogMain>([this](bool toFile, table::ProgressBar&, const std::string& name) {
      const auto* bar = control<QProgressBar>(*dialog_, CDialogMain::kProgressBarId);
      int enabled = 0;
      for (auto* widget : dialog_->findChildren<QWidget*>()) {
        const int id = widget->property("controlId").toInt();
        enabled += id > 0 && id != CDialogMain::kProgressBarId && widget->isEnabled();
      }
      seen_ += (toFile ? "to file " : "at cursor ") + name + ", enabled " + std::to_string(enabled) + ", bar 0-" +
               std::to_string(bar->isHidden() ? -1 : bar->maximum()) + ", stored " +
               column("select selected_option_set from Settings where id=1;")[0];
    });
    dialog_ = dialog.get();
    dialog->initialise();
    return dialog;
  }
  void select(CDialogMain& dialog, const char* name) {
    auto* box = control<QComboBox>(dialog, CDialogMain::kOptionSetBoxId);
    box->setCurrentIndex(box->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
  }
  static QStringList entries(CDialogMain& dialog) {
    auto* box = control<QComboBox>(dialog, CDialogMain::kOptionSetBoxId);
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
  }
  static void click(CDialogMain& dialog, int id) { QTest::mouseClick(control<QPushButton>(dialog, id), Qt::LeftButton); }
  // Clicks "+" and answers the input dialog with name (nullptr: Cancel).
  void add(CDialogMain& dialog, const char* name) {
    onNextModal([name](QDialog& input) {
      if (name != nullptr) QTest::keyClicks(input.focusWidget(), QString::fromUtf8(name));
      QTest::mouseClick(input.findChild<QPushButton*>(name ? "ok" : "cancel"), Qt::LeftButton);
    });
    click(dialog, CDialogMain::kAddId);
  }

  CDialogMain* dialog_ = nullptr;
  std::string seen_;
};

TEST_F(MainDialog, HasEveryControlOfItsTemplateInTabOrder) {
  const auto dialog = open();
  EXPECT_EQ(dialog->windowTitle(), "Lexorda");
  const struct { int id; const char* text; } rows[] = {
      {3005, ""}, {3004, "+"}, {3007, "-"}, {3006, "&Edit"}, {3012, "&About"}, {3011, "&Help"},
      {3008, "&Dictionary Editor"}, {3009, "&Create Table at Cursor"}, {3013, "Create Table to &File"},
      {3076, "&Refresh Page Numbers"}, {3010, "Ca&ncel"},
  };
  QWidget* previous = nullptr;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    QWidget* widget = ui::controlById(*dialog, row.id);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->text(), row.text);
      EXPECT_EQ(button->isDefault(), row.id == 3009) << "only Create Table at Cursor is the default";
    }
    if (previous != nullptr) {
      EXPECT_EQ(previous->nextInFocusChain(), widget) << "template order is tab order";
    }
    previous = widget;
  }
  EXPECT_FALSE(ui::controlById(*dialog, 3078)->isVisibleTo(dialog.get())) << "progress bar hidden at first";
}

TEST_F(MainDialog, LoadsTheSortedListAndTheStoredPosition) {
  const std::string missing = folder_.file("no-such-folder/tabauth3.db");
  const struct { const char* name; std::string sql; int stored; QStringList entries; int selected; std::string message; } rows[] = {
      {"sorted ignoring case", "insert into optionset (name) values ('brief'),('Appeal');", 2, {"Appeal", "Appellate Brief", "brief", "Default"}, 2, ""},
      {"stored position beyond the list", "", 2, {"Appellate Brief", "Default"}, -1, ""},
      {"empty table", "delete from optionset;", 0, {}, -1,
       "Database error: Could not load the option sets.\nCould not find any option sets to load."},
      {"missing database", "missing", 0, {}, -1, "Database error: Could not load the option sets.\nSQLITE_CANTOPEN[14]: unable to open database file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.clear();
    std::filesystem::copy_file(LEXORDA_SHIPPED_DB, database_, std::filesystem::copy_options::overwrite_existing);
    if (row.sql == "missing") db::setDatabasePath(missing);
    else if (!row.sql.empty()) exec(row.sql);
    exec("update Settings set selected_option_set=" + std::to_string(row.stored) + " where id=1;");
    const auto dialog = open();
    EXPECT_EQ(entries(*dialog), row.entries);
    EXPECT_EQ(control<QComboBox>(*dialog, 3005)->currentIndex(), row.selected);
    EXPECT_EQ(shownTexts(), row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message});
    db::setDatabasePath(database_);
  }
}

// "-" is refused for "Default" only, and in exactly that letter case.
TEST_F(MainDialog, RemoveIsRefusedForDefaultOnly) {
  exec("insert into optionset (name) values ('default'),('Brief');");
  const auto dialog = open();
  const struct { const char* selected; bool enabled; } rows[] = {{"Default", false}, {"Brief", true}, {"default", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.selected);
    select(*dialog, row.selected);
    EXPECT_EQ(ui::controlById(*dialog, CDialogMain::kRemoveId)->isEnabled(), row.enabled);
  }
  click(*dialog, CDialogMain::kRemoveId);
  EXPECT_EQ(entries(*dialog), (QStringList{"Brief", "Default"}));
  EXPECT_EQ(control<QComboBox>(*dialog, 3005)->currentText(), "Default") << "the entry before it";
  EXPECT_EQ(column("select name from optionset order by id;"), (std::vector<std::string>{"Default", "Brief"}));
  select(*dialog, "Brief");
  click(*dialog, CDialogMain::kRemoveId);
  EXPECT_EQ(control<QComboBox>(*dialog, 3005)->currentIndex(), -1) << "the first entry removed: none selected";
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MainDialog, AddStoresNamesAsTypedAndRefusesDuplicates) {
  exec("insert into optionset (name) values ('default');");
  const auto dialog = open();
  const std::string quoted = "Smith \"Appellate\" brief", injected = "x'; drop table optionset; --";
  // selected: the entry selected afterwards (a new one is).
  const struct { const char* name; const char* typed; std::vector<std::string> stored, messages; std::string selected; } rows[] = {
      {"cancelled", nullptr, {"Default", "default"}, {}, "Default"},
      {"other letter case of an entry", "DEFAULT", {"Default", "default"},
       {"Velmor TOA: The value DEFAULT already exists"}, "Default"},
      {"double quotes", quoted.c_str(), {"Default", "default", quoted}, {}, quoted},
      {"SQL in the name", injected.c_str(), {"Default", "default", quoted, injected}, {}, injected},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.clear();
    add(*dialog, row.typed);
    EXPECT_EQ(column("select name from optionset order by id;"), row.stored);
    EXPECT_EQ(shownTexts(), row.messages);
    EXPECT_EQ(dialog->selectedOptionSetName(), row.selected);
  }
  EXPECT_EQ(entries(*dialog).size(), 4) << "sorted in, once each";
}

TEST_F(MainDialog, CreateButtonsDisableEverythingStoreTheSelectionAndClose) {
  exec("insert into optionset (name) values ('Appeal');");
  const struct { const char* name; int button; const char* selected; std::string seen; } rows[] = {
      {"at the cursor", CDialogMain::kCreateAtCursorId, "Default", "at cursor Default, enabled 0, bar 0-100, stored 1"},
      {"to a file", CDialogMain::kCreateToFileId, "Appeal", "to file Appeal, enabled 0, bar 0-100, stored 0"},
      {"nothing selected", CDialogMain::kCreateAtCursorId, "", "at cursor , enabled 0, bar 0-100, stored -1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    seen_.clear();
    const auto dialog = open();
    select(*dialog, row.selected);
    click(*dialog, row.button);
    EXPECT_EQ(seen_, row.seen);
    EXPECT_EQ(dialog->result(), QDialog::Accepted) << "closed";
  }
}

TEST_F(MainDialog, RefreshSwitchesUpdateModeOffAndOnAndStoresNothing) {
  commands_test::RecordingHost host;
  exec("insert into optionset (name) values ('Appeal');");
  const auto dialog = open();
  select(*dialog, "Default");
  click(*dialog, CDialogMain::kRefreshId);
  // The refresh runs between the update mode's off and on; a host without
  // bookmarks gets only their count asked and the lists' rewriting begun.
  std::vector<int> numbers;
  for (const auto& block : host.sent()) numbers.push_back(block.number());
  EXPECT_EQ(numbers, (std::vector<int>{33150, 33416, 823, 33150}));
  EXPECT_EQ(std::make_tuple(host.sent().front().integer(0), host.sent().back().integer(0)), std::make_tuple(0, 1));
  EXPECT_EQ(column("select selected_option_set from Settings where id=1;"), std::vector<std::string>{"0"});
  EXPECT_TRUE(ui::controlById(*dialog, CDialogMain::kCreateAtCursorId)->isEnabled());
  EXPECT_EQ(control<QProgressBar>(*dialog, 3078)->maximum(), 5);
  EXPECT_EQ(seen_, "") << "no table run";
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(MainDialog, HelpSaysWhatWentWrong) {
  const std::string guide = folder_.file("LexordaUserGuide.pdf");
  platform_test::writeFile(guide, "%PDF");
  platform_test::ScopedEnvironment viewer("LEXORDA_OPEN_COMMAND", folder_.file("no-viewer"));
  const struct { const char* name; int button; std::string guidePath, message; } rows[] = {
      {"no user guide", CDialogMain::kHelpId, folder_.file("missing.pdf"),
       "Lexorda: Could not find file - " + folder_.file("missing.pdf")},
      {"the viewer does not start", CDialogMain::kHelpId, guide, "Lexorda: Error opening file - " + guide},
  };
  auto dialog = open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.clear();
    host::processValues().userGuidePath = row.guidePath;
    click(*dialog, row.button);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{row.message});
    EXPECT_EQ(boxes_.shown()[0].owner, dialog->ownerWindow());
  }
  dialog.reset();
  EXPECT_EQ(db::messageOwner(), nullptr) << "the owner before the dialog comes back";
}

}  // namespace
