// The option set editor on a copy of the shipped database: every control of
// its three pages through Apply and back, Cancel, the pages that OK saves,
// the category lists, load and save failures, and the font list it uses.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "db/error_report.h"
#include "tests/ui/fixtures.h"
#include "ui/dialog_main.h"
#include "ui/dialog_template.h"
#include "ui/font_preview_combo.h"
#include "ui/num_spin_ctrl.h"
#include "ui/option_set_sheet.h"

namespace {

using ui::COptionSetSheet;

class OptionSheet : public ui_test::UiTest {
 protected:
  static std::unique_ptr<COptionSetSheet> open(const std::string& name = "Default", int page = 0) {
    auto sheet = std::make_unique<COptionSetSheet>(name, nullptr, page);
    sheet->show();
    return sheet;
  }
  // The set's row of each option table, "a|b|..." per table, one per line.
  std::string rows() {
    db::CppSQLite3DB connection;
    connection.open(database_);
    std::string text;
    for (const char* table : {"OptionSetContent", "OptionSetFormat", "OptionSetSort"}) {
      db::CppSQLite3Query q = connection.query(std::string("select * from ") + table + " where optionset_id=1;");
      for (int i = 0; i < q.fieldCount(); ++i) text += (i ? "|" : "") + q.getString(i, "<null>");
      text += "\n";
    }
    return text;
  }
  template <typename Widget = QWidget>
  static Widget* named(QWidget& sheet, const char* name) { return sheet.findChild<Widget*>(name); }
  // The button or check box that reads text (without its mnemonic).
  static QAbstractButton* button(QWidget& sheet, const QString& text) {
    for (auto* button : sheet.findChildren<QAbstractButton*>()) {
      if (ui::withoutMnemonic(button->text()) == text) return button;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
  }
  static ui::CNumSpinCtrl* spin(QWidget& sheet, const QString& label) {
    for (auto* l : sheet.findChildren<QLabel*>()) {
      if (ui::withoutMnemonic(l->text()) == label) return static_cast<ui::CNumSpinCtrl*>(l->buddy());
    }
    return nullptr;
  }
  static std::string items(const QListWidget& list) {
    std::string text;
    for (int i = 0; i < list.count(); ++i) text += list.item(i)->text().toStdString() + ";";
    return text;
  }
  // Every control of every page as a person reads it (opens all pages).
  static std::string shown(COptionSetSheet& sheet) {
    std::string text;
    for (int page = 0; page < 3; ++page) {
      sheet.tabs().setCurrentIndex(page);
      for (QWidget* w : sheet.tabs().widget(page)->findChildren<QWidget*>()) {
        if (auto* box = qobject_cast<QComboBox*>(w)) text += box->currentText().toStdString() + ";";
        if (auto* check = qobject_cast<QCheckBox*>(w)) text += check->isChecked() ? "on;" : "off;";
        if (auto* edit = qobject_cast<QLineEdit*>(w)) text += edit->text().toStdString() + ";";
        if (auto* list = qobject_cast<QListWidget*>(w)) text += items(*list);
        if (w->objectName() != "" && !w->isEnabled()) text += "(" + w->objectName().toStdString() + " off)";
      }
      text += "\n";
    }
    return text;
  }
  static void pick(QListWidget& list, const char* text) {
    list.setCurrentItem(list.findItems(text, Qt::MatchExactly).value(0));
  }
};

// Every control set once and Cancelled, which writes nothing; set again and
// Applied, then read back from the database by a new sheet.
TEST_F(OptionSheet, EveryControlComesBackAfterApplyAndNothingAfterCancel) {
  const std::string shipped = rows();
  std::string before, font;
  for (const char* closing : {"Cancel", "Apply"}) {
    SCOPED_TRACE(closing);
    auto sheet = open();
    EXPECT_EQ(sheet->windowTitle(), "Editing Option Set: Default");
    named<QComboBox>(*sheet, "citationForm")->setCurrentIndex(1);
    named<QComboBox>(*sheet, "caseFormatting")->setCurrentIndex(2);
    for (const char* box : {"Expand Abbreviations in Case Names", "Case Name Formatting Options"}) {
      button(*sheet, box)->click();
    }
    sheet->tabs().setCurrentIndex(COptionSetSheet::kFormatPage);
    // Clicks from the shipped values; past an end they stop at it.
    const struct { const char* label; int clicks; } spins[] = {
        {"Left margin:", 3}, {"Right margin:", -10}, {"Top", 20}, {"Bottom margin:", -1}, {"First line", 22},
        {"Subsequent lines:", -6}, {"Size", 20}, {"Line Spacing", 2}, {"Page references per line", -4},
        {"Max page references", 94}};
    for (const auto& row : spins) spin(*sheet, row.label)->stepBy(row.clicks);
    for (const char* box : {"Use dot leadering", "Hyperlink page numbers", "Use Passim"}) button(*sheet, box)->click();
    auto* fonts = named<ui::CFontPreviewCombo>(*sheet, "fontType");
    ASSERT_GT(fonts->count(), 0);
    fonts->setCurrentIndex(fonts->count() - 1);
    font = fonts->currentText().toStdString();
    sheet->tabs().setCurrentIndex(COptionSetSheet::kSortPage);
    named<QComboBox>(*sheet, "sortCases")->setCurrentIndex(2);
    named<QComboBox>(*sheet, "sortStatutes")->setCurrentIndex(0);
    button(*sheet, "Split Cases into Federal/State")->click();
    pick(*named<QListWidget>(*sheet, "categoriesIncluded"), "Statutes");
    button(*sheet, "<")->click();
    for (const char* box : {"Ignore \"In Re\", \"Ex parte\", \"People v.\", \"United States v.\" and",
                            "By Order of Appearance (all citation types mixed)"}) {
      button(*sheet, box)->click();
    }
    before = shown(*sheet);
    // What the enable rules turned off; the passim maximum keeps its value.
    for (const char* off : {"caseFormatting", "spin_pg_ref_max", "sortCases", "categoriesIncluded"}) {
      EXPECT_NE(before.find(std::string("(") + off + " off)"), std::string::npos) << off;
    }
    EXPECT_TRUE(button(*sheet, "Apply")->isEnabled());
    button(*sheet, closing)->click();
    EXPECT_FALSE(button(*sheet, "Apply")->isEnabled() && sheet->isVisible());
    button(*sheet, "Cancel")->click();  // after Apply: what was applied stays
    EXPECT_EQ(rows() == shipped, closing == std::string("Cancel"));
  }
  EXPECT_EQ(rows(), "1|1|0|1|2\n"
                    "1|1.3|0.0|2.0|0.9|2.2|0.0|25|2.0|1|99|0|1|0|" + font + "\n"
                    "1|Constitutional Provisions;Rules;Regulations;Sentencing Guidelines;Other Authorities;Statutes;|Cases (Federal);Cases (State);|1|0|1|1|2|0\n");
  EXPECT_EQ(shown(*open()), before);
  EXPECT_TRUE(boxes_.shown().empty());
}

// Only pages that were shown are saved, and they are saved on OK even
// unchanged: a row changed behind the sheet's back after it loaded tells.
TEST_F(OptionSheet, OkSavesExactlyThePagesThatWereShown) {
  const struct { const char* name; int page; std::string markers; } rows_[] = {
      {"Content", COptionSetSheet::kContentPage, "0 1 1"},
      {"Formatting: 1.26 comes back as shown, 1.3; an unknown font selects nothing and stays", 1, "1 0 1"},
      {"Sorting", COptionSetSheet::kSortPage, "1 1 0"},
  };
  for (const auto& row : rows_) {
    SCOPED_TRACE(row.name);
    std::filesystem::copy_file(LEXORDA_SHIPPED_DB, database_, std::filesystem::copy_options::overwrite_existing);
    exec("update OptionSetFormat set spin_margin_left=1.26, combo_font_type='No Such Font';");
    auto sheet = open("Default", row.page);
    exec("update OptionSetContent set check_expand_abbr=1; update OptionSetFormat set check_link_pagenums=1;"
         "update OptionSetSort set check_ignore_leading_phrases=1;");
    button(*sheet, "OK")->click();
    EXPECT_EQ(shownTexts(), std::vector<std::string>{});
    EXPECT_EQ(column("select check_expand_abbr || ' ' || check_link_pagenums || ' ' || check_ignore_leading_phrases "
                     "from OptionSetContent, OptionSetFormat, OptionSetSort;")[0], row.markers);
    if (row.page == 1) {
      EXPECT_EQ(named<QComboBox>(*sheet, "fontType")->currentIndex(), -1);
      EXPECT_EQ(column("select spin_margin_left || ' ' || combo_font_type from OptionSetFormat;")[0],
                "1.3 No Such Font");
    }
  }
}

TEST_F(OptionSheet, CategoryListsSplitMoveAndStoreTheirOrder) {
  using Action = std::function<void(QWidget&)>;
  const auto press = [](const char* text) { return Action([text](QWidget& s) { button(s, text)->click(); }); };
  const auto select = [](const char* list, const char* text) {
    return Action([=](QWidget& s) { pick(*named<QListWidget>(s, list), text); });
  };
  const Action cases = press("Split Cases into Federal/State"), statutes = press("Split Statutes into Federal/State");
  const char* right = "categoriesIncluded";
  const struct {
    const char* name;
    std::string left, right;  // stored before
    bool split;               // both splits stored on
    std::vector<Action> actions;
    std::string shown;        // "left | right | selected right"
  } rows_[] = {
      {"split on rewrites both lists in place", "Cases;Rules;", "Statutes;Cases;", false, {cases},
       "Cases (Federal);Cases (State);Rules; | Statutes;Cases (Federal);Cases (State); | "},
      {"split off: State found before Federal goes, Federal becomes the name", "Statutes (State);",
       "Statutes (State);Cases;Statutes (Federal);", true, {statutes}, " | Cases;Statutes; | "},
      {"on and off again restores one name at Federal's place", "", "Rules;Cases;Statutes;", false, {cases, cases},
       " | Rules;Cases;Statutes; | "},
      {"Move Down on the last entry keeps it there, selected", "", "Cases;Statutes;", false,
       {select(right, "Statutes"), press("Move Down")}, " | Cases;Statutes; | Statutes"},
      {"Move Up on the first entry", "", "Cases;Statutes;", false, {select(right, "Cases"), press("Move Up")},
       " | Cases;Statutes; | Cases"},
      {"Move Up", "", "Cases;Rules;Statutes;", false, {select(right, "Statutes"), press("Move Up")},
       " | Cases;Statutes;Rules; | Statutes"},
      {"> appends the selection to the included list", "Rules;Codes;", "Cases;", false,
       {select("categoriesNotIncluded", "Rules"), press(">")}, "Codes; | Cases;Rules; | "},
      {"< without a selection does nothing", "Rules;", "Cases;", false, {press("<"), press("Move Up")},
       "Rules; | Cases; | "},
  };
  for (const auto& row : rows_) {
    SCOPED_TRACE(row.name);
    exec("update OptionSetSort set list_cat_order_left='" + row.left + "', list_cat_order_right='" + row.right +
         "', check_split_cases=" + std::to_string(row.split) + ", check_split_statutes=" + std::to_string(row.split));
    auto sheet = open("Default", COptionSetSheet::kSortPage);
    for (const Action& action : row.actions) action(*sheet);
    auto* included = named<QListWidget>(*sheet, right);
    const QListWidgetItem* selected = included->currentItem();
    EXPECT_EQ(items(*named<QListWidget>(*sheet, "categoriesNotIncluded")) + " | " + items(*included) + " | " +
                  (selected && selected->isSelected() ? selected->text().toStdString() : ""),
              row.shown);
    button(*sheet, "OK")->click();
    EXPECT_EQ(column("select list_cat_order_left || ' | ' || list_cat_order_right from OptionSetSort;")[0],
              row.shown.substr(0, row.shown.rfind(" | "))) << "stored as shown";
  }
}

TEST_F(OptionSheet, LoadAndSaveFailuresAreShownAndTheSheetGoesOn) {
  const struct { const char* name; std::string set, sqlAfterOpen; std::vector<std::string> messages; } rows_[] = {
      {"the table gone before Apply", "Default", "drop table OptionSetContent;",
       {"Database error: Could not save the options.\nSQLITE_ERROR[1]: no such table: OptionSetContent"}},
  };
  for (const auto& row : rows_) {
    SCOPED_TRACE(row.name);
    boxes_.clear();
    auto sheet = open(row.set);
    if (!row.sqlAfterOpen.empty()) exec(row.sqlAfterOpen);
    button(*sheet, "Apply")->click();
    EXPECT_EQ(shownTexts(), row.messages);
    EXPECT_TRUE(button(*sheet, "Apply")->isEnabled()) << "a failed save may be tried again";
    EXPECT_NE(boxes_.shown().back().owner, nullptr) << "owned by the sheet";
    sheet.reset();
    EXPECT_EQ(db::messageOwner(), nullptr) << "the owner before the sheet comes back";
  }
}

TEST_F(OptionSheet, MainDialogEditOpensTheSelectedSet) {
  ui::CDialogMain dialog([](bool, table::ProgressBar&, const std::string&) {});
  dialog.initialise();
  QString title;
  ui_test::onNextModal([&](QDialog& sheet) {
    title = sheet.windowTitle() + " " + static_cast<COptionSetSheet&>(sheet).tabs().tabText(0);
    button(sheet, "Cancel")->click();
  });
  button(dialog, "Edit")->click();
  EXPECT_EQ(title, "Editing Option Set: Default Content");
}

TEST(FontPreviewCombo, StylesDecideThePreviewFonts) {
  for (int style : {1, 2}) {
    SCOPED_TRACE(style);
    ui::CFontPreviewCombo box;
    box.setPreviewStyle(style, false);
    box.initialise();
    ASSERT_GT(box.count(), 0);
    EXPECT_EQ(box.previewFonts().size(), style == 1 ? 0u : static_cast<std::size_t>(box.count()));
    EXPECT_EQ(box.widestName() > 0, style == 2) << "measured for the name-and-sample styles only";
    EXPECT_EQ(box.itemData(0).toInt(), QFontDatabase::isScalable(box.itemText(0)) ? 4 : 0);
    EXPECT_EQ(box.currentIndex(), 0);
  }
}

}  // namespace
