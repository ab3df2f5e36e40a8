// The shipped tabauth3.db as the plug-in meets it: it loads without a
// message, its "Default" option set is the Bluebook set, and its dictionary
// answers the recogniser for the authorities a brief cites.
#include <gtest/gtest.h>

#include <string>

#include "db/abbreviation_collection.h"
#include "db/entry_type_collection.h"
#include "db/option_collection.h"
#include "db/option_keys.h"
#include "factories.h"
#include "tools/dictionary_check/matcher_probe.h"

namespace {

using namespace db::option_keys;

class ShippedDatabase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    temp_ = new dbtest::TempDatabase;
    dictionary_ = new db::EntryTypeCollection;
    dbtest::MessageRecorder messages;
    dictionary_->LoadEntryTypes();
    options_ = new db::OptionCollection(std::string("Default"));
    abbreviations_ = new db::AbbreviationCollection(0);
    loadMessages_ = messages.shown().size();
  }
  static void TearDownTestSuite() {
    delete abbreviations_;
    delete options_;
    delete dictionary_;
    delete temp_;
  }

  // The entry the matcher finds for text standing in a paragraph before a
  // page number.
  static const db::EntryName* match(const std::string& text, int* typeId = nullptr) {
    const tools::ProbeMatch found = tools::probeDictionaryName(tools::probeTokens(text + " 123"), *dictionary_);
    if (typeId) *typeId = found.typeId;
    return found.entry;
  }

  static dbtest::TempDatabase* temp_;
  static db::EntryTypeCollection* dictionary_;
  static db::OptionCollection* options_;
  static db::AbbreviationCollection* abbreviations_;
  static std::size_t loadMessages_;
};

dbtest::TempDatabase* ShippedDatabase::temp_ = nullptr;
db::EntryTypeCollection* ShippedDatabase::dictionary_ = nullptr;
db::OptionCollection* ShippedDatabase::options_ = nullptr;
db::AbbreviationCollection* ShippedDatabase::abbreviations_ = nullptr;
std::size_t ShippedDatabase::loadMessages_ = 0;

TEST_F(ShippedDatabase, LoadsWithoutAMessage) {
  EXPECT_EQ(loadMessages_, 0u);
  EXPECT_EQ(options_->optionSetId, 1);
  EXPECT_EQ(temp_->count("select selected_option_set from Settings where id=1;"), 0);
  EXPECT_EQ(temp_->ints("select id from DictionaryEntryTypes order by id;"),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  for (const auto& type : dictionary_->types()) {
    EXPECT_FALSE(type.name.empty());
    EXPECT_FALSE(type.entryNames.empty()) << type.id;
  }
}

TEST_F(ShippedDatabase, DefaultOptionSetIsTheBluebookSet) {
  struct IntRow {
    const db::OptionTable* table;
    const char* key;
    int value;
  };
  const IntRow ints[] = {
      {&options_->content, kComboCitationForm, 0},        {&options_->content, kCheckExpandAbbr, 0},
      {&options_->content, kCheckFixCaseUnderlining, 1},  {&options_->content, kComboFixCaseUnderlining, 5},
      {&options_->format, kSpinFontSize, 12},             {&options_->format, kCheckUseDotLeadering, 1},
      {&options_->format, kCheckUsePassim, 1},            {&options_->format, kSpinPgRefMax, 5},
      {&options_->format, kSpinPgRefPerLine, 5},          {&options_->format, kCheckLinkPagenums, 0},
      {&options_->sort, kComboAuthSortCases, 0},          {&options_->sort, kComboAuthSortStatutes, 1},
      {&options_->sort, kCheckSplitCases, 0},             {&options_->sort, kCheckSplitStatutes, 0},
      {&options_->sort, kCheckMixedOrderOfAppearance, 0}, {&options_->sort, kCheckIgnoreLeadingPhrases, 0},
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
    ASSERT_EQ(options_->format.floatValues.count(row.key), 1u) << "stored as a float";
    EXPECT_EQ(options_->format.floatValues.at(row.key), row.value);
  }
  EXPECT_EQ(options_->format.textValues.at(kComboFontType), "Times New Roman");
  EXPECT_EQ(options_->sort.textValues.at(kListCatOrderRight), "Cases;Statutes;");
  EXPECT_EQ(options_->sort.textValues.at(kListCatOrderLeft), "");
  std::vector<std::string> categories;
  for (const auto& [id, category] : options_->categories) categories.push_back(category.name);
  EXPECT_EQ(categories, (std::vector<std::string>{"Cases", "Cases (Federal)", "Cases (State)", "Statutes",
                                                  "Statutes (Federal)", "Statutes (State)"}));
}

TEST_F(ShippedDatabase, EveryOptionColumnHasANonNullDefault) {
  for (const char* table : {"OptionSetContent", "OptionSetFormat", "OptionSetSort"}) {
    SCOPED_TRACE(table);
    EXPECT_EQ(temp_->count(std::string("select count(*) from pragma_table_info('") + table +
                           "') where name<>'optionset_id' and (\"notnull\"=0 or dflt_value is null);"),
              0);
  }
}

TEST_F(ShippedDatabase, TheMatcherFindsWhatBriefsCite) {
  struct Row {
    const char* text;
    int type;            // -1: nothing may be found
    const char* entry;
    int jurisdiction;
  };
  const Row rows[] = {
      {"F.2d", 1, "F.2d", 0},
      {"F. 2d", 1, "F.2d", 0},                    // ordinary spacing variant
      {"U.S.", 1, "U.S.", 0},
      {"S. Ct.", 1, "S. Ct.", 0},
      {"L. Ed. 2d", 1, "L. Ed. 2d", 0},
      {"Cal. Rptr. 3d", 1, "Cal. Rptr. 3d", 1},
      {"N.E.2d", 1, "N.E.2d", 1},
      {"F. Supp. 2d", 1, "F. Supp. 2d", 0},
      {"WL", 3, "WL", 0},
      {"U.S. Dist. LEXIS", 3, "U.S. Dist. LEXIS", 0},
      {"U.S. App. LEXIS", 3, "U.S. App. LEXIS", 0},
      {"Cal. App. LEXIS", 3, "Cal. App. LEXIS", 1},
      {"U.S.C.", 2, "U.S.C.", 0},
      {"U.S.C.A.", 2, "U.S.C.A.", 0},
      {"C.F.R.", 2, "C.F.R.", 0},
      {"Fla. Stat.", 2, "Fla. Stat.", 1},
      {"Cal. Civ. Proc. Code", 2, "Cal. Civ. Proc. Code", 1},
      {"Code Civ. Proc.", 2, "Cal. Civ. Proc. Code", 1},
      {"Tex. Penal Code", 2, "Tex. Penal Code Ann.", 1},
      {"Md. Code Ann., Crim. Law", 2, "Md. Code Ann., Crim. Law", 1},
      {"N.Y. Gen. Bus. Law", 2, "N.Y. Gen. Bus. Law", 1},
      {"U.S. Const.", 7, "U.S. Const.", 0},
      {"Fed. R. Civ. P.", 7, "Fed. R. Civ. P.", 0},
      {"Fed. R. Evid.", 7, "Fed. R. Evid.", 0},
      {"Sup. Ct. R.", 7, "Sup. Ct. R.", 0},
      {"Cal. Const.", 7, "Cal. Const.", 1},
      {"Pub. L. No.", 8, "Pub. L. No.", 0},
      {"Pub. L.", 8, "Pub. L. No.", 0},
      {"Exec. Order No.", 8, "Exec. Order No.", 0},
      {"H.R. Rep. No.", 8, "H.R. Rep. No.", 0},
      {"S. Rep. No.", 8, "S. Rep. No.", 0},
      {"No.", 8, "No.", 0},
      {"Fed.", -1, "", 0},                        // begins many names, is none
      {"App.", -1, "", 0},
      {"Johnson", -1, "", 0},                     // a surname is no reporter variation
      {"Florida", -1, "", 0},                     // nor a state's name
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    int type = -1;
    const db::EntryName* found = match(row.text, &type);
    if (row.type == -1) {
      EXPECT_EQ(found, nullptr);
      continue;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(found->name, row.entry);
    EXPECT_EQ(found->jurisdiction, row.jurisdiction);
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
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(found->jurisdiction, 1);
  }
  const db::EntryType& rules = *dictionary_->type(7);
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
  for (const char* phrase : phrases) {
    SCOPED_TRACE(phrase);
    const tools::ProbeMatch found =
        tools::probeHistoryPhrase(tools::probeTokens(std::string(phrase) + " 123"), *dictionary_);
    ASSERT_NE(found.entry, nullptr);
    EXPECT_EQ(found.entry->name, phrase);
  }
  const tools::ProbeMatch comma =
      tools::probeHistoryPhrase(tools::probeTokens("aff'd in part, rev'd in part, 5"), *dictionary_);
  ASSERT_NE(comma.entry, nullptr);
  EXPECT_EQ(comma.entry->name, "aff'd in part and rev'd in part");
  EXPECT_EQ(dictionary_->findWordInString("cert. denied~"), -1) << "history phrases are no authorities";
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
    const db::Abbreviation* found = abbreviations_->find(row.abbreviation);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->longForms.size(), 1u);
    EXPECT_EQ(found->longForms[0].value, row.longForm);
    EXPECT_EQ(found->created_by, 0);
  }
}

}  // namespace
