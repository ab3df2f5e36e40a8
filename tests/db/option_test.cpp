// Option sets on a copy of the shipped database: generic loading by storage
// class, creation of missing rows, the UPDATE that saves a table, and its
// failures.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "db/option_collection.h"
#include "db/option_keys.h"
#include "db/sqlite_exception.h"
#include "factories.h"

namespace {

using namespace db::option_keys;
using Texts = std::vector<std::string>;

TEST(OptionSets, NewSetIsCreatedFromTheColumnDefaults) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const db::OptionCollection fresh(std::string("Brief Style"));
  EXPECT_TRUE(messages.shown().empty());
  const db::OptionCollection shipped(std::string("Default"));
  // One row per table, reading exactly what "Default" reads apart from its id.
  using db::OptionCollection;
  for (auto table : {&OptionCollection::content, &OptionCollection::format, &OptionCollection::sort}) {
    db::OptionTable created = fresh.*table;
    SCOPED_TRACE(created.tableName);
    EXPECT_EQ(temp.count("select count(*) from " + created.tableName +
                         " where optionset_id=" + std::to_string(fresh.optionSetId) + ";"),
              1);
    created.intValues["optionset_id"] = 1;
    created.optionSetId = 1;
    EXPECT_EQ(created, shipped.*table);
  }
}

TEST(OptionSets, SaveWritesFloatsShortAndKeepsThemFloats) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::OptionCollection options(std::string("Default"));
  options.format.floatValues[kSpinLineSpacing] = 1.5f;
  options.format.floatValues[kSpinMarginLeft] = 2.0f;
  options.format.textValues[kComboFontType] = "Courier New";
  const std::string sql = options.format.BuildSaveQuery();
  for (const char* assignment : {"spin_line_spacing=1.5,", "spin_margin_left=2,", "=\"Courier New\""}) {
    EXPECT_NE(sql.find(assignment), std::string::npos) << assignment << " in " << sql;
  }
  EXPECT_EQ(options.format.SaveToDatabase(), 1);
  EXPECT_TRUE(messages.shown().empty());

  const db::OptionCollection reloaded(std::string("Default"));
  EXPECT_EQ(reloaded.format.floatValues.at(kSpinLineSpacing), 1.5f);
  EXPECT_EQ(reloaded.format.floatValues.at(kSpinMarginLeft), 2.0f) << "2 read back as a float";
  EXPECT_EQ(reloaded.format.textValues.at(kComboFontType), "Courier New");
}

TEST(OptionSets, AMissingKeyReadsZeroAndBreaksTheNextSave) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::OptionCollection options(std::string("Default"));
  EXPECT_EQ(options.sort.intValues["check_no_such_option"], 0);
  EXPECT_EQ(options.sort.SaveToDatabase(), 0);
  EXPECT_EQ(messages.lines(), Texts{"Database error: Could not save the options.\n"
                                    "SQLITE_ERROR[1]: no such column: check_no_such_option"});
}

TEST(OptionSets, LoadFailuresAreThrownAndShown) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  temp.exec("alter table OptionSetSort add column list_extra TEXT;");
  EXPECT_EQ(dbtest::runtimeError([] { db::OptionCollection options(std::string("Default")); }),
            "Unknown column datatype discovered: list_extra");
  EXPECT_TRUE(messages.shown().empty()) << "the caller shows a NULL column";
  EXPECT_EQ(dbtest::runtimeError([] { db::OptionTable().FillWithTable(-1, "OptionSetFormat"); }),
            "Cannot fill table without specifying valid Id");
  EXPECT_EQ(dbtest::runtimeError([] { db::OptionCollection().Fill(); }),
            "Tried to fill option collection without supplying identifying information.");

  temp.exec("drop table OptionSetContent;");
  EXPECT_THROW(db::OptionTable().FillWithTable(1, "OptionSetContent"), db::CppSQLite3Exception);
  EXPECT_EQ(messages.lines(), Texts{"Database Error: SQLITE_ERROR[1]: "});
}

TEST(OptionSets, ANameWithADoubleQuoteCannotBeFoundOrCreated) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const int sets = temp.count("select count(*) from OptionSet;");
  db::OptionCollection options;
  options.name = "My \"Best\" Set";
  EXPECT_THROW(options.Fill(), std::runtime_error) << "the tables cannot load without an id";
  EXPECT_EQ(messages.lines().at(0).rfind("Database Error: Error getting values for option set\nSQLITE_ERROR", 0), 0u);
  EXPECT_EQ(temp.count("select count(*) from OptionSet;"), sets);
}

}  // namespace
