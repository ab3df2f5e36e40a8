// Option sets on a copy of the shipped database: lookup by name, generic
// loading by storage class, creation of missing rows, the UPDATE that saves a
// table, and their failures.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "db/option_collection.h"
#include "db/option_keys.h"
#include "factories.h"

namespace {

using OptionSets = dbtest::DatabaseTest;
using namespace db::option_keys;
using Texts = std::vector<std::string>;

TEST_F(OptionSets, FindByNameCreatesNothingAndANewSetTakesTheColumnDefaults) {
  const std::string sets = "select count(*) from OptionSet;";
  const int setsBefore = temp.count(sets);
  EXPECT_EQ(db::findOptionSetId("Default"), 1);
  EXPECT_EQ(db::findOptionSetId("default"), std::nullopt) << "names compare exactly";
  EXPECT_EQ(db::findOptionSetId("Brief Style"), std::nullopt);
  EXPECT_EQ(db::findOptionSetId("My \"Best\" Set"), std::nullopt) << "a double quote is part of the name";
  EXPECT_EQ(temp.count(sets), setsBefore);

  const db::OptionCollection fresh(std::string("Brief Style"));
  EXPECT_EQ(db::findOptionSetId("Brief Style"), fresh.optionSetId) << "loading by name created it";
  const db::OptionCollection shipped(std::string("Default"));
  // One row per table, reading exactly what "Default" reads apart from its id.
  for (auto table : {&db::OptionCollection::content, &db::OptionCollection::format, &db::OptionCollection::sort}) {
    db::OptionTable created = fresh.*table;
    SCOPED_TRACE(created.tableName);
    EXPECT_EQ(temp.count("select count(*) from " + created.tableName +
                         " where optionset_id=" + std::to_string(fresh.optionSetId) + ";"), 1);
    created.intValues["optionset_id"] = 1;
    created.optionSetId = 1;
    EXPECT_EQ(created, shipped.*table);
  }
  temp.exec("drop table OptionSet;");
  EXPECT_EQ(dbtest::thrownText([] { (void)db::findOptionSetId("Default"); }), "SQLITE_ERROR[1]: no such table: OptionSet");
  EXPECT_TRUE(messages.empty()) << "the lookup shows nothing";
}

TEST_F(OptionSets, SaveWritesFloatsShortAndKeepsThemFloats) {
  db::OptionCollection options(std::string("Default"));
  options.format.floatValues[kSpinLineSpacing] = 1.5f;
  options.format.floatValues[kSpinMarginLeft] = 2.0f;
  options.format.textValues[kComboFontType] = "Courier New";
  const std::string sql = options.format.BuildSaveQuery();
  for (const char* assignment : {"spin_line_spacing=1.5,", "spin_margin_left=2,", "=\"Courier New\""}) {
    EXPECT_NE(sql.find(assignment), std::string::npos) << assignment << " in " << sql;
  }
  EXPECT_EQ(options.format.SaveToDatabase(), 1);
  EXPECT_TRUE(messages.empty());
  const db::OptionCollection reloaded(std::string("Default"));
  EXPECT_EQ(reloaded.format.floatValues.at(kSpinLineSpacing), 1.5f);
  EXPECT_EQ(reloaded.format.floatValues.at(kSpinMarginLeft), 2.0f) << "2 read back as a float";
  EXPECT_EQ(reloaded.format.textValues.at(kComboFontType), "Courier New");

  EXPECT_EQ(options.sort.intValues["check_no_such_option"], 0) << "a missing key reads 0";
  EXPECT_EQ(options.sort.SaveToDatabase(), 0) << "and breaks the next save";
  EXPECT_EQ(messages.lines(), Texts{"Database error: Could not save the options.\n"
                                    "SQLITE_ERROR[1]: no such column: check_no_such_option"});
}

TEST_F(OptionSets, LoadFailuresAreThrownAndShown) {
  temp.exec("alter table OptionSetSort add column list_extra TEXT;");
  EXPECT_EQ(dbtest::thrownText([] { db::OptionCollection options(std::string("Default")); }),
            "Unknown column datatype discovered: list_extra");
  EXPECT_TRUE(messages.empty()) << "the caller shows a NULL column";
  EXPECT_EQ(dbtest::thrownText([] { db::OptionTable().FillWithTable(-1, "OptionSetFormat"); }),
            "Cannot fill table without specifying valid Id");
  EXPECT_EQ(dbtest::thrownText([] { db::OptionCollection().Fill(); }),
            "Tried to fill option collection without supplying identifying information.");
  temp.exec("drop table OptionSetContent;");
  EXPECT_EQ(dbtest::thrownText([] { db::OptionTable().FillWithTable(1, "OptionSetContent"); }),
            "SQLITE_ERROR[1]: no such table: OptionSetContent");
  EXPECT_EQ(messages.lines(), Texts{"Database Error: SQLITE_ERROR[1]: no such table: OptionSetContent"}) << "shown, then thrown on";
}

TEST_F(OptionSets, ANameWithADoubleQuoteIsCreatedFoundAndSavedAsTyped) {
  db::OptionCollection options(std::string("My \"Best\" Set"));
  options.format.floatValues["spin_line_spacing"] = 2.0f;
  options.format.SaveToDatabase();
  EXPECT_EQ(db::findOptionSetId("My \"Best\" Set"), options.optionSetId);
  EXPECT_EQ(db::OptionCollection(std::string("My \"Best\" Set")).format.floatOption("spin_line_spacing"), 2.0f);
  EXPECT_EQ(messages.lines(), std::vector<std::string>{});
}

}  // namespace
