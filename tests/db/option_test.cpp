// Option sets on a copy of the shipped database: generic loading by storage
// class, creation of missing rows, the UPDATE that saves a table, and its
// failures.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "db/option_collection.h"
#include "db/sqlite_exception.h"
#include "db/option_keys.h"
#include "factories.h"

namespace {

using namespace db::option_keys;

TEST(OptionSets, NewSetIsCreatedFromTheColumnDefaults) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const db::OptionCollection fresh(std::string("Brief Style"));
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_GT(fresh.optionSetId, 1);
  EXPECT_EQ(fresh.name, "Brief Style");
  EXPECT_EQ(temp.count("select readonly from OptionSet where name=\"Brief Style\";"), 0);
  for (const char* table : {"OptionSetContent", "OptionSetFormat", "OptionSetSort"}) {
    SCOPED_TRACE(table);
    EXPECT_EQ(temp.count(std::string("select count(*) from ") + table +
                         " where optionset_id=" + std::to_string(fresh.optionSetId) + ";"),
              1);
  }
  const db::OptionCollection shipped(std::string("Default"));
  // The new set reads exactly what "Default" reads, apart from its id.
  auto withoutId = [](db::OptionTable table) {
    table.intValues.erase("optionset_id");
    table.optionSetId = 0;
    return table;
  };
  EXPECT_EQ(withoutId(fresh.content), withoutId(shipped.content));
  EXPECT_EQ(withoutId(fresh.format), withoutId(shipped.format));
  EXPECT_EQ(withoutId(fresh.sort), withoutId(shipped.sort));
  EXPECT_EQ(fresh.categories, shipped.categories);
}

TEST(OptionSets, ValuesLandInTheMapOfTheirStorageClass) {
  dbtest::TempDatabase temp;
  const db::OptionCollection options(1);
  EXPECT_EQ(options.format.intValues.count(kSpinFontSize), 1u);
  EXPECT_EQ(options.format.floatValues.count(kSpinMarginLeft), 1u);
  EXPECT_EQ(options.format.textValues.count(kComboFontType), 1u);
  EXPECT_EQ(options.format.intValues.count(kSpinMarginLeft), 0u);
  EXPECT_EQ(options.format.intValues.at("optionset_id"), 1);
  EXPECT_EQ(options.format.tableName, "OptionSetFormat");
  EXPECT_EQ(options.format.optionSetId, 1);
}

TEST(OptionSets, SaveWritesFloatsShortAndKeepsThemFloats) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::OptionCollection options(std::string("Default"));
  options.format.floatValues[kSpinLineSpacing] = 1.5f;
  options.format.floatValues[kSpinMarginLeft] = 2.0f;
  options.format.floatValues[kSpinCitindentSubsequent] = 0.7f;
  options.format.textValues[kComboFontType] = "Courier New";
  const std::string sql = options.format.BuildSaveQuery();
  EXPECT_NE(sql.find("spin_line_spacing=1.5,"), std::string::npos) << sql;
  EXPECT_NE(sql.find("spin_margin_left=2,"), std::string::npos) << sql;
  EXPECT_NE(sql.find("spin_citindent_subsequent=0.7,"), std::string::npos) << sql;
  EXPECT_EQ(options.format.SaveToDatabase(), 1);
  EXPECT_TRUE(messages.shown().empty());

  const db::OptionCollection reloaded(std::string("Default"));
  EXPECT_EQ(reloaded.format.floatValues.at(kSpinLineSpacing), 1.5f);
  EXPECT_EQ(reloaded.format.floatValues.at(kSpinMarginLeft), 2.0f) << "2 read back as a float";
  EXPECT_EQ(reloaded.format.intValues.count(kSpinMarginLeft), 0u);
  EXPECT_EQ(reloaded.format.textValues.at(kComboFontType), "Courier New");
}

TEST(OptionSets, BuildSaveQueryOrdersIntegersFloatsTexts) {
  db::OptionTable table;
  table.tableName = "OptionSetSort";
  table.optionSetId = 7;
  table.intValues = {{"optionset_id", 7}};
  EXPECT_EQ(table.BuildSaveQuery(), "update OptionSetSort set optionset_id=7 where optionset_id=7;");

  table.intValues["b_int"] = -3;
  table.intValues["a_int"] = 1;
  table.floatValues["z_float"] = 0.5f;
  table.textValues["list"] = "Cases;Statutes;";
  EXPECT_EQ(table.BuildSaveQuery(),
            "update OptionSetSort set a_int=1,b_int=-3,optionset_id=7,z_float=0.5,"
            "list=\"Cases;Statutes;\" where optionset_id=7;");
}

TEST(OptionSets, AMissingKeyReadsZeroAndBreaksTheNextSave) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::OptionCollection options(std::string("Default"));
  EXPECT_EQ(options.sort.intValues["check_no_such_option"], 0);
  EXPECT_EQ(options.sort.textValues["no_such_text"], "");
  EXPECT_EQ(options.sort.SaveToDatabase(), 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text,
            "Could not save the options.\nSQLITE_ERROR[1]: no such column: check_no_such_option");
  EXPECT_EQ(messages.shown()[0].caption, "Database error");
}

TEST(OptionSets, ANullColumnStopsTheLoadWithItsName) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  temp.exec("alter table OptionSetSort add column list_extra TEXT;");
  try {
    db::OptionCollection options(std::string("Default"));
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Unknown column datatype discovered: list_extra");
  }
  EXPECT_TRUE(messages.shown().empty()) << "the caller shows it";
}

TEST(OptionSets, DatabaseFailuresAreShownAndThrownOn) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  temp.exec("drop table OptionSetContent;");
  db::OptionTable table;
  EXPECT_THROW(table.FillWithTable(1, "OptionSetContent"), db::CppSQLite3Exception);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "SQLITE_ERROR[1]: ");
  EXPECT_EQ(messages.shown()[0].caption, "Database Error");
  try {
    table.FillWithTable(-1, "OptionSetFormat");
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Cannot fill table without specifying valid Id");
  }
}

TEST(OptionSets, ANameWithADoubleQuoteCannotBeFoundOrCreated) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const int sets = temp.count("select count(*) from OptionSet;");
  db::OptionCollection options;
  options.name = "My \"Best\" Set";
  EXPECT_THROW(options.Fill(), std::runtime_error) << "the tables cannot load without an id";
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text.rfind("Error getting values for option set\nSQLITE_ERROR[1]: ", 0), 0u)
      << messages.shown()[0].text;
  EXPECT_EQ(messages.shown()[0].caption, "Database Error");
  EXPECT_EQ(options.optionSetId, -1);
  EXPECT_EQ(temp.count("select count(*) from OptionSet;"), sets);

  db::OptionCollection anonymous;
  try {
    anonymous.Fill();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Tried to fill option collection without supplying identifying information.");
  }
}

}  // namespace
