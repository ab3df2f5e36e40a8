// The shipped tabauth3.db as the plug-in meets it: it loads without a
// message, its "Default" option set is the Bluebook set, and its dictionary
// answers the recogniser for the authorities a brief cites.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/abbreviation_collection.h"
#include "db/entry_type_collection.h"
#include "db/option_collection.h"
#include "db/option_keys.h"
#include "factories.h"
#include "tools/dictionary_check/dictionary_checks.h"
#include "tools/dictionary_check/matcher_probe.h"

namespace {

using namespace db::option_keys;

// What the plug-in loads at the start of a run, loaded once for the suite
// from one copy of the shipped file, with every message recorded.
struct Shipped {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryTypeCollection dictionary = [] {
    db::EntryTypeCollection loaded;
    loaded.LoadEntryTypes();
    return loaded;
  }();
  db::OptionCollection options{std::string("Default")};
  db::AbbreviationCollection abbreviations{0};
};

class ShippedDatabase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shipped_ = std::make_unique<Shipped>(); }
  static void TearDownTestSuite() { shipped_.reset(); }

  // The entry the matcher finds for text standing in a paragraph before a
  // page number.
  static const db::EntryName* match(const std::string& text, int* typeId) {
    const auto found = tools::probeDictionaryName(tools::probeTokens(text + " 123"), shipped_->dictionary);
    *typeId = found.typeId;
    return found.entry;
  }
  // The history phrase the matcher finds at the start of text, or "".
  static std::string phrase(const std::string& text) {
    const auto found = tools::probeHistoryPhrase(tools::probeTokens(text), shipped_->dictionary).entry;
    return found ? found->name : "";
  }

  static inline std::unique_ptr<Shipped> shipped_;
};

TEST_F(ShippedDatabase, LoadsWithoutAMessage) {
  EXPECT_TRUE(shipped_->messages.shown().empty());
  EXPECT_EQ(shipped_->options.optionSetId, 1);
  EXPECT_EQ(shipped_->temp.count("select selected_option_set from Settings where id=1;"), 0);
  EXPECT_EQ(shipped_->temp.ints("select id from DictionaryEntryTypes order by id;"),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  for (const auto& type : shipped_->dictionary.types()) {
    EXPECT_FALSE(type.name.empty());
    EXPECT_FALSE(type.entryNames.empty()) << type.id;
  }
}

TEST_F(ShippedDatabase, DefaultOptionSetIsTheBluebookSet) {
  const db::OptionCollection& options = shipped_->options;
  struct IntRow {
    const db::OptionTable* table;
    const char* key;
    int value;
  };
  const IntRow ints[] = {
      {&options.content, kComboCitationForm, 0},        {&options.content, kCheckExpandAbbr, 0},
      {&options.content, kCheckFixCaseUnderlining, 1},  {&options.content, kComboFixCaseUnderlining, 5},
      {&options.format, kSpinFontSize, 12},             {&options.format, kCheckUseDotLeadering, 1},
      {&options.format, kCheckUsePassim, 1},            {&options.format, kSpinPgRefMax, 5},
      {&options.format, kSpinPgRefPerLine, 5},          {&options.format, kCheckLinkPagenums, 0},
      {&options.sort, kComboAuthSortCases, 0},          {&options.sort, kComboAuthSortStatutes, 1},
      {&options.sort, kCheckSplitCases, 0},             {&options.sort, kCheckSplitStatutes, 0},
      {&options.sort, kCheckMixedOrderOfAppearance, 0}, {&options.sort, kCheckIgnoreLeadingPhrases, 0},
  };
  for (const IntRow& row : ints) {
    SCOPED_TRACE(row.key);
    ASSERT_EQ(row.table->intValues.count(row.key), 1u);
    EXPECT_EQ(row.table->intValues.at(row.key), row.value);
  }
  struct FloatRow {
    const char* key;
    float value;
  };
  const FloatRow floats[] = {
      {kSpinMarginLeft, 1.0f},      {kSpinMarginRight, 1.0f},          {kSpinMarginTop, 1.0f},
      {kSpinMarginBottom, 1.0f},    {kSpinCitindentFirst, 0.0f},       {kSpinCitindentSubsequent, 0.5f},
      {kSpinLineSpacing, 1.0f},
  };
  for (const FloatRow& row : floats) {
    SCOPED_TRACE(row.key);
    ASSERT_EQ(options.format.floatValues.count(row.key), 1u) << "stored as a float";
    EXPECT_EQ(options.format.floatValues.at(row.key), row.value);
  }
  EXPECT_EQ(options.format.textValues.at(kComboFontType), "Times New Roman");
  EXPECT_EQ(options.sort.textValues.at(kListCatOrderRight), "Cases;Statutes;");
  EXPECT_EQ(options.sort.textValues.at(kListCatOrderLeft), "");
  std::vector<std::string> categories;
  for (const auto& [id, category] : options.categories) categories.push_back(category.name);
  EXPECT_EQ(categories, (std::vector<std::string>{"Cases", "Cases (Federal)", "Cases (State)", "Statutes",
                                                  "Statutes (Federal)", "Statutes (State)"}));
}

TEST_F(ShippedDatabase, EveryOptionColumnHasANonNullDefault) {
  for (const char* table : {"OptionSetContent", "OptionSetFormat", "OptionSetSort"}) {
    SCOPED_TRACE(table);
    EXPECT_EQ(shipped_->temp.count(std::string("select count(*) from pragma_table_info('") + table +
                           "') where name<>'optionset_id' and (\"notnull\"=0 or dflt_value is null);"),
              0);
  }
}

TEST_F(ShippedDatabase, TheMatcherFindsWhatBriefsCite) {
  // Every entry finds itself, and no representation is shared or unsafe.
  EXPECT_EQ(tools::checkDictionary(shipped_->dictionary), std::vector<std::string>{});
  // The types, jurisdictions and variants that briefs rely on.
  struct Row {
    const char* text;
    int type;  // -1: nothing may be found
    const char* entry;
    int jurisdiction;
  };
  const Row rows[] = {
      {"F.2d", 1, "F.2d", 0},
      {"F. 2d", 1, "F.2d", 0},  // ordinary spacing variant
      {"Cal. Rptr. 3d", 1, "Cal. Rptr. 3d", 1},
      {"N.E.2d", 1, "N.E.2d", 1},
      {"WL", 3, "WL", 0},
      {"Cal. App. LEXIS", 3, "Cal. App. LEXIS", 1},
      {"U.S.C.", 2, "U.S.C.", 0},
      {"Code Civ. Proc.", 2, "Cal. Civ. Proc. Code", 1},
      {"Tex. Penal Code", 2, "Tex. Penal Code Ann.", 1},
      {"U.S. Const.", 7, "U.S. Const.", 0},
      {"Pub. L.", 8, "Pub. L. No.", 0},
      {"No.", 8, "No.", 0},
      {"Fed.", -1, "", 0},  // begins many names, is none
      {"App.", -1, "", 0},
      {"Johnson", -1, "", 0},  // a surname is no reporter variation
      {"Florida", -1, "", 0},  // nor a state's name
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    int type = -1;
    const db::EntryName* found = match(row.text, &type);
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(found ? found->name : "", row.entry);
    EXPECT_EQ(found ? found->jurisdiction : 0, row.jurisdiction);
  }
}

TEST_F(ShippedDatabase, EveryStateHasACodeAndAConstitution) {
  const char* codes[] = {
      "Ala. Code", "Alaska Stat.", "Ariz. Rev. Stat.", "Ark. Code Ann.", "Cal. Penal Code",
      "Colo. Rev. Stat.", "Conn. Gen. Stat.", "Del. Code Ann.", "Fla. Stat.", "Ga. Code Ann.",
      "Haw. Rev. Stat.", "Idaho Code", "Ill. Comp. Stat.", "Ind. Code", "Iowa Code",
      "Kan. Stat. Ann.", "Ky. Rev. Stat. Ann.", "La. Stat. Ann.", "Me. Rev. Stat. Ann.",
      "Md. Code Ann., Fam. Law", "Mass. Gen. Laws", "Mich. Comp. Laws", "Minn. Stat.", "Miss. Code Ann.",
      "Mo. Rev. Stat.", "Mont. Code Ann.", "Neb. Rev. Stat.", "Nev. Rev. Stat.", "N.H. Rev. Stat. Ann.",
      "N.J. Stat. Ann.", "N.M. Stat. Ann.", "N.Y. Penal Law", "N.C. Gen. Stat.", "N.D. Cent. Code",
      "Ohio Rev. Code Ann.", "Okla. Stat.", "Or. Rev. Stat.", "Pa. Cons. Stat.", "R.I. Gen. Laws",
      "S.C. Code Ann.", "S.D. Codified Laws", "Tenn. Code Ann.", "Tex. Fam. Code Ann.", "Utah Code Ann.",
      "Vt. Stat. Ann.", "Va. Code Ann.", "Wash. Rev. Code", "W. Va. Code", "Wis. Stat.", "Wyo. Stat. Ann.",
      "D.C. Code",
  };
  for (const char* code : codes) {
    SCOPED_TRACE(code);
    int type = -1;
    const db::EntryName* found = match(code, &type);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(found ? found->jurisdiction : -1, 1);
  }
  const db::EntryType& rules = *shipped_->dictionary.type(7);
  int constitutions = 0;
  for (const auto& [name, entry] : rules.entryNames) {
    if (name.ends_with(" Const.")) {
      ++constitutions;
      if (name != "U.S. Const.") {
        EXPECT_EQ(entry.jurisdiction, 1) << name;
      }
    }
  }
  EXPECT_EQ(constitutions, 51) << "fifty states and the federal constitution";
}

TEST_F(ShippedDatabase, HistoryPhrasesAreFound) {
  const char* phrases[] = {"aff'd", "rev'd", "cert. denied", "cert. granted", "vacated", "remanded",
                           "reh'g denied", "overruled by", "abrogated by", "superseded by statute",
                           "aff'd in part and rev'd in part", "appeal dismissed"};
  for (const char* text : phrases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(phrase(std::string(text) + " 123"), text);
  }
  EXPECT_EQ(phrase("aff'd in part, rev'd in part, 5"), "aff'd in part and rev'd in part");
  EXPECT_EQ(shipped_->dictionary.findWordInString("cert. denied~"), -1) << "history phrases are no authorities";
}

TEST_F(ShippedDatabase, CaseNameAbbreviationsHaveOneLongForm) {
  struct Row {
    const char* abbreviation;
    const char* longForm;
  };
  const Row rows[] = {
      {"Ass'n", "Association"}, {"Bd.", "Board"},        {"Corp.", "Corporation"}, {"Co.", "Company"},
      {"Dep't", "Department"},  {"Dist.", "District"},   {"Educ.", "Education"},   {"Gov't", "Government"},
      {"Inc.", "Incorporated"}, {"Int'l", "International"}, {"Nat'l", "National"}, {"Sec.", "Securities"},
      {"Sys.", "Systems"},      {"Univ.", "University"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.abbreviation);
    const db::Abbreviation* found = shipped_->abbreviations.find(row.abbreviation);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(dbtest::values(found->longForms), std::vector<std::string>{row.longForm});
    EXPECT_EQ(found->created_by, 0);
  }
}

}  // namespace
