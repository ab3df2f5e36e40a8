// The dictionary editor on a copy of the shipped database: the coloured
// boxes' drawing and order, entry names refused and added, the import from an
// older database, and saving into a locked database, with every message
// box's text and caption. (tests/e2e scripts it and reads the result with
// lexorda-cite.)
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "db/connection.h"
#include "db/error_report.h"
#include "tests/ui/fixtures.h"
#include "ui/colored_item_controls.h"
#include "ui/dialog_main.h"
#include "ui/dialog_template.h"
#include "ui/dictionary_sheet.h"
#include "ui/proppage_citations.h"

namespace {

using ui_test::onNextModal;
using Texts = std::vector<std::string>;

constexpr const char* kImportQuestion =
    "Lexorda: Importing a dictionary from another database allows you to retain user added reporters that may have "
    "been lost when upgrading to a new version of Lexorda. Would you like to continue?";
constexpr const char* kComplete = "Lexorda: Dictionary import complete";
// Every dictionary row, for comparing the database before and after.
constexpr const char* kAllRows =
    "select e.entry_type_id||'|'||e.name||'|'||e.created_by||'|'||e.jurisdiction||'|'||ifnull(s.value,'')||'|'||"
    "ifnull(s.name_type,'') from DictionaryEntryNames e left join DictionaryStrings s on s.name_id=e.id "
    "union all select 'abbr|'||a.name||'|'||ifnull(s.value,'') from DictionaryAbbreviations a "
    "left join DictionaryStrings s on s.name_id=a.id and s.name_type=0 order by 1;";

// Answers file-open dialogs with path (empty: cancel) and notes the titles.
struct FileAnswer : platform::FileDialogHandler {
  std::string path, asked;
  bool open(const platform::FileDialogRequest& request, std::string* chosen) override {
    asked += request.title;
    *chosen = path;
    return !path.empty();
  }
};

class DictionaryEditor : public ui_test::UiTest {
 protected:
  template <typename Widget = QWidget>
  static Widget* child(QWidget& sheet, const char* name) {
    return sheet.findChild<Widget*>(name);
  }
  // Clicks a button of the sheet, which must be shown: hidden buttons take
  // no clicks.
  static void click(QWidget& sheet, const char* button) {
    sheet.show();
    QTest::mouseClick(child<QPushButton>(sheet, button), Qt::LeftButton);
  }
  // Clicks a "+" and types text into the input dialog.
  static void add(QWidget& sheet, const char* button, const char* text) {
    onNextModal([text](QDialog& input) {
      QTest::keyClicks(input.focusWidget(), text);
      QTest::mouseClick(input.findChild<QPushButton*>("ok"), Qt::LeftButton);
    });
    click(sheet, button);
  }
  static QStringList texts(QWidget& sheet, const char* list) {
    QStringList all;
    if (auto* box = child<QComboBox>(sheet, list)) {
      for (int i = 0; i < box->count(); ++i) all << box->itemText(i);
    } else {
      for (auto* item : child<QListWidget>(sheet, list)->findItems("*", Qt::MatchWildcard)) all << item->text();
    }
    return all;
  }
};

// Ink of one row of a coloured list: bold text covers more pixels.
int inkOf(ui::CColoredItemListBox& list, int row) {
  QImage image(list.visualItemRect(list.item(row)).size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.initFrom(&list);
  option.rect = image.rect();
  list.itemDelegate()->paint(&painter, option, list.model()->index(row, 0));
  painter.end();
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  }
  return ink;
}

TEST_F(DictionaryEditor, ColouredBoxesSortIgnoringCaseAndDrawUserEntriesBold) {
  ui::CColoredItemListBox list;
  for (const ui::ColoredItem& item : {ui::ColoredItem{"b.", false}, {"F.3d", true}, {"A.", false}, {"F.3d", false}}) {
    list.addEntry(item);
  }
  EXPECT_EQ(list.findExact("f.3D"), 2) << "found ignoring case";
  ASSERT_EQ(list.count(), 4);
  EXPECT_EQ(list.item(0)->text() + list.item(1)->text(), "A.b.") << "sorted ignoring case";
  EXPECT_GT(inkOf(list, 2), inkOf(list, 3) * 11 / 10) << "the flagged F.3d is bold, the other not";
  EXPECT_EQ(list.visualItemRect(list.item(0)).height(), list.fontMetrics().height() + 5);
}

// The main dialog's button opens the sheet, which owns message boxes while
// it is open and hides the reserved types 4 and 5.
TEST_F(DictionaryEditor, OpensFromTheMainDialogWithTheVisibleTypesInTabOrder) {
  ui::CDialogMain mainDialog([](bool, table::ProgressBar&, const std::string&) {});
  mainDialog.initialise();
  QStringList seen;
  platform::WindowHandle sheetOwner = nullptr;
  onNextModal([&](QDialog& sheet) {
    sheetOwner = db::messageOwner();
    auto* tabs = child<QTabWidget>(sheet, nullptr);
    seen << sheet.windowTitle() << tabs->tabText(0) << tabs->tabText(1) << texts(sheet, "types");
    for (QWidget* at = tabs->findChild<QTabBar*>(); (at = at->nextInFocusChain()) != child(sheet, "apply");) {
      if (at->focusPolicy() & Qt::TabFocus && at->isVisibleTo(&sheet) && !at->objectName().isEmpty()) seen << at->objectName();
    }
    sheet.reject();
  });
  QTest::mouseClick(ui::controlById(mainDialog, ui::CDialogMain::kDictionaryEditorId), Qt::LeftButton);
  EXPECT_EQ(seen.join(","), "Dictionary Editor,Citations,Abbreviations,Case Reporters,Codes Cited with a Section,"
                            "Constitutions, Rules and Guidelines,Electronic Databases and Other Case Sources,"
                            "History Phrases,Law Reviews and Journals,Numbered Authorities,"
                            "types,entryNames,addEntryName,removeEntryName,"
                            "group,validNames,addValid,removeValid,invalidNames,addInvalid,removeInvalid,import,ok,cancel");
  EXPECT_NE(sheetOwner, mainDialog.ownerWindow());
  EXPECT_EQ(db::messageOwner(), mainDialog.ownerWindow()) << "the main dialog owns message boxes again";
}

// Adding entries in the editor, then OK: the reporter is stored as the
// user's, in bold while it is shown.
TEST_F(DictionaryEditor, AddedReporterIsRefusedInOtherCaseAndStoredAsTheUsers) {
  ui::CDictionarySheet sheet;  // on the first type, Case Reporters, and its first entry, A.
  const struct { const char* name; const char* button; const char* typed; Texts messages; const char* list; QStringList shown; } rows[] = {
      {"an entry name in other letter case", "addEntryName", "f.3D", {"Velmor TOA: The value f.3D already exists"},
       "validNames", {"A."}},
      {"a new entry, its own first valid form", "addEntryName", "Zed. Rptr.", {}, "validNames", {"Zed. Rptr."}},
      {"a valid form in other letter case", "addValid", "ZED. RPTR.", {"Velmor TOA: The value ZED. RPTR. already exists"},
       "validNames", {"Zed. Rptr."}},
      {"an invalid form", "addInvalid", "Zed Rptr", {}, "invalidNames", {"Zed Rptr"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.clear();
    add(sheet, row.button, row.typed);
    EXPECT_EQ(shownTexts(), row.messages);
    EXPECT_EQ(texts(sheet, row.list), row.shown);
  }
  auto* names = child<QComboBox>(sheet, "entryNames");
  EXPECT_EQ(names->currentText(), "Zed. Rptr.");
  EXPECT_TRUE(names->currentData(ui::kHighlightRole).toBool()) << "drawn bold";
  EXPECT_TRUE(sheet.hasUnsavedChanges());
  click(sheet, "ok");
  EXPECT_EQ(column("select e.created_by||'|'||s.value||'|'||s.name_type||'|'||s.created_by from DictionaryEntryNames e "
                   "join DictionaryStrings s on s.name_id=e.id where e.name='Zed. Rptr.' order by s.name_type;"),
            (Texts{"1|Zed. Rptr.|1|1", "1|Zed Rptr|2|1"}));
}

TEST_F(DictionaryEditor, ImportAddsExactlyTheUserRowsTheCurrentDatabaseLacks) {
  const std::string old = folder_.file("old.db"), empty = folder_.file("empty.db");
  std::filesystem::copy_file(LEXORDA_SHIPPED_DB, old);
  platform_test::writeFile(empty, "");
  {
    db::CppSQLite3DB connection;
    connection.open(old);
    connection.execute(
        "insert into DictionaryEntryNames (entry_type_id,name,dictionary_id,created_by,jurisdiction) values "
        "(1,'Zed \"Q\" Rptr.',0,1,1),(8,'Refused',0,1,0),(2,'F.3d',0,1,0);"
        "insert into DictionaryStrings (name_id,name_type,value,created_by) select id,1,'Zed \"Q\" Rptr.',1 from "
        "DictionaryEntryNames where name='Zed \"Q\" Rptr.';"
        "insert into DictionaryStrings (name_id,name_type,value,created_by) select id,2,'F 3d',1 from "
        "DictionaryEntryNames where name='F.3d' and created_by=0;"
        "insert into DictionaryStrings (name_id,name_type,value,created_by) values (1,0,'Long form',1),(1,2,'F3d',1);");
  }
  // The current database refuses one row without an error, as a trigger may.
  exec("create trigger refuse before insert on DictionaryEntryNames when new.name='Refused' begin select raise(ignore); end;");
  const Texts shipped = column(kAllRows);
  const struct { const char* name; std::string file; int answer; Texts messages; Texts added; } rows[] = {
      {"the question cancelled", old, platform::kIdCancel, {kImportQuestion}, {}},
      {"the file dialog cancelled", "", platform::kIdOk, {kImportQuestion}, {}},
      {"a copy of the shipped database", LEXORDA_SHIPPED_DB, platform::kIdOk, {kImportQuestion, kComplete}, {}},
      {"no dictionary in the file", empty, platform::kIdOk,
       {kImportQuestion, "Database Error: Could not import dictionary\nSQLITE_ERROR[1]: no such table: DictionaryEntryNames", kComplete}, {}},
      {"user rows: new names and forms only, quotes kept, long forms left", old, platform::kIdOk,
       {kImportQuestion, "Database Error: Error adding dictionary name: Refused", kComplete},
       {"1|F.3d|0|0|F 3d|2", "1|Zed \"Q\" Rptr.|1|1|Zed \"Q\" Rptr.|1"}},
      {"again: everything is there already", old, platform::kIdOk,
       {kImportQuestion, "Database Error: Error adding dictionary name: Refused", kComplete},
       {"1|F.3d|0|0|F 3d|2", "1|Zed \"Q\" Rptr.|1|1|Zed \"Q\" Rptr.|1"}},
  };
  ui::CDictionarySheet sheet;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_ = platform::ScriptedMessageBoxHandler({row.answer});
    FileAnswer files;
    files.path = row.file;
    platform::ScopedFileDialogHandler scopedFiles(&files);
    click(sheet, "import");
    EXPECT_EQ(shownTexts(), row.messages);
    EXPECT_EQ(files.asked, row.answer == platform::kIdOk ? "Select Old Database" : "");
    Texts added;
    for (const std::string& line : column(kAllRows)) {
      if (!std::binary_search(shipped.begin(), shipped.end(), line)) added.push_back(line);
    }
    EXPECT_EQ(added, row.added);
  }
  EXPECT_TRUE(texts(sheet, "entryNames").contains("Zed \"Q\" Rptr.")) << "the page shows what was imported";
  EXPECT_FALSE(sheet.hasUnsavedChanges()) << "the import wrote the rows itself";
}

// A save that meets another process's lock says so and loses nothing: the
// whole save is rolled back.
TEST_F(DictionaryEditor, LockedDatabaseDuringSaveKeepsEveryStoredRow) {
  db::setOperationBusyTimeoutMs(50);
  const Texts before = column(kAllRows);
  const std::string busy = "SQLITE_BUSY[5]: database is locked";
  const struct { const char* name; const char* button; Texts messages; bool open; } rows[] = {
      {"Apply", "apply",
       {"Database error: " + busy, "Save error: Could not save the citations.",
        "Database Error: Could not save abbreviations.\n" + busy, "Save error: Could not save the abbreviations."},
       true},
      {"OK", "ok",
       {"Database error: " + busy, "Save error: Couldn't save the Citations.",
        "Database Error: Could not save abbreviations.\n" + busy, "Save error: Couldn't save the Abbreviations."},
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ui::CDictionarySheet sheet;
    add(sheet, "addEntryName", "Zed. Rptr.");
    db::CppSQLite3DB holder;
    holder.open(database_);
    holder.execute("begin exclusive transaction;");
    boxes_.clear();
    click(sheet, row.button);
    holder.execute("rollback transaction;");
    EXPECT_EQ(shownTexts(), row.messages);
    EXPECT_EQ(sheet.isVisible(), row.open) << "OK closes the sheet all the same";
    EXPECT_TRUE(sheet.hasUnsavedChanges()) << "Apply stays on while the edits are unsaved";
    EXPECT_EQ(column(kAllRows), before);
  }
  db::setOperationBusyTimeoutMs(db::kDefaultBusyTimeoutMs);
}

}  // namespace
