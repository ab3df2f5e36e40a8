// The shipped tabauth3.db as the plug-in meets it: it loads without a
// message, its "Default" option set holds the house style, and its
// dictionary answers the recogniser for the authorities a brief cites.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/abbreviation_collection.h"
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
  static inline std::unique_ptr<Shipped> shipped_;
};

TEST_F(ShippedDatabase, LoadsWithoutAMessageAndPassesTheCheck) {
  EXPECT_TRUE(shipped_->messages.shown().empty());
  EXPECT_EQ(shipped_->options.optionSetId, 1);
  EXPECT_EQ(shipped_->temp.count("select selected_option_set from Settings where id=1;"), 0);
  for (const auto& type : shipped_->dictionary.types()) EXPECT_FALSE(type.entryNames.empty()) << type.id;
  // Every entry finds itself, and no representation is shared or unsafe.
  EXPECT_EQ(tools::checkDictionary(shipped_->dictionary), std::vector<std::string>{});
  EXPECT_EQ(tools::checkAbbreviations(shipped_->abbreviations), std::vector<std::string>{});
}

TEST_F(ShippedDatabase, DefaultOptionSetValues) {
  const db::OptionCollection& options = shipped_->options;
  const struct { const db::OptionTable* table; const char* key; int value; } ints[] = {
      {&options.content, kComboCitationForm, 0},       {&options.content, kCheckFixCaseUnderlining, 1},
      {&options.content, kComboFixCaseUnderlining, 5}, {&options.format, kSpinFontSize, 12},
      {&options.format, kCheckUsePassim, 1},           {&options.format, kSpinPgRefMax, 5},
      {&options.sort, kComboAuthSortStatutes, 1},
  };
  for (const auto& row : ints) {
    EXPECT_EQ(row.table->intValues.count(row.key) ? row.table->intValues.at(row.key) : -1, row.value) << row.key;
  }
  for (const auto& [key, value] : std::vector<std::pair<const char*, float>>{
           {kSpinMarginLeft, 1.0f}, {kSpinCitindentSubsequent, 0.5f}, {kSpinLineSpacing, 1.0f}}) {
    EXPECT_EQ(options.format.floatValues.count(key) ? options.format.floatValues.at(key) : -1.0f, value)
        << key << " stored as a float";
  }
  EXPECT_EQ(options.format.textValues.at(kComboFontType), "Times New Roman");
  EXPECT_EQ(options.sort.textValues.at(kListCatOrderRight), "Cases;Statutes;");
}

TEST_F(ShippedDatabase, TheMatcherFindsWhatBriefsCite) {
  // type -1: nothing may be found.
  const struct { const char* text; int type; const char* entry; int jurisdiction; } rows[] = {
      {"F. 2d", 1, "F.2d", 0},  // ordinary spacing variant
      {"Cal. Rptr. 3d", 1, "Cal. Rptr. 3d", 1},
      {"Cal. App. LEXIS", 3, "Cal. App. LEXIS", 1},
      {"U.S.C.", 2, "U.S.C.", 0},
      {"Code Civ. Proc.", 2, "Cal. Civ. Proc. Code", 1},
      {"U.S. Const.", 7, "U.S. Const.", 0},
      {"Pub. L.", 8, "Pub. L. No.", 0},
      {"Fed.", -1, "", 0},      // begins many names, is none
      {"Johnson", -1, "", 0},   // a surname is no reporter variation
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const auto found =
        tools::probeDictionaryName(tools::probeTokens(std::string(row.text) + " 123"), shipped_->dictionary);
    EXPECT_EQ(found.typeId, row.type);
    EXPECT_EQ(found.entry ? found.entry->name : "", row.entry);
    EXPECT_EQ(found.entry ? found.entry->jurisdiction : 0, row.jurisdiction);
  }
  const auto phrase = tools::probeHistoryPhrase(tools::probeTokens("aff'd in part, rev'd in part, 5"),
                                                shipped_->dictionary).entry;
  EXPECT_EQ(phrase ? phrase->name : "", "aff'd in part and rev'd in part");
  EXPECT_EQ(shipped_->dictionary.findWordInString("cert. denied~"), -1) << "history phrases are no authorities";
}

}  // namespace
