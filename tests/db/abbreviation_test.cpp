// Abbreviations and their long forms on a copy of the shipped database.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "db/abbreviation_collection.h"
#include "factories.h"

namespace {

using Texts = std::vector<std::string>;

db::Abbreviation abbreviation(const std::string& name, const Texts& longForms) {
  db::Abbreviation result;
  result.name = name;
  result.created_by = 1;
  for (const auto& text : longForms) {
    db::DString form(text);
    form.created_by = 1;
    result.longForms.Add(form);
  }
  return result;
}

Texts longForms(const db::AbbreviationCollection& collection, const std::string& name) {
  const db::Abbreviation* found = collection.find(name);
  return found == nullptr ? Texts{"<missing>"} : dbtest::values(found->longForms);
}

TEST(Abbreviations, SaveAndReloadZeroOneAndTwoLongForms) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const std::string representations = "select count(*) from DictionaryStrings where name_type>0;";
  const int representationsBefore = temp.count(representations);
  db::AbbreviationCollection collection;
  collection.dictionaryId = 0;
  for (const auto& item : {abbreviation("Ctr.", {}), abbreviation("Corp.", {"Corporation"}),
                           abbreviation("St.", {"Street", "Saint"})}) {
    collection.abbreviations[item.name] = item;
  }
  ASSERT_TRUE(collection.SaveToDatabase());
  EXPECT_TRUE(messages.shown().empty());

  const db::AbbreviationCollection reloaded(0);
  EXPECT_EQ(reloaded.abbreviations.size(), 3u) << "the save replaced every shipped abbreviation";
  EXPECT_EQ(longForms(reloaded, "Ctr."), Texts{}) << "stored with its row only";
  EXPECT_EQ(longForms(reloaded, "Corp."), Texts{"Corporation"});
  EXPECT_EQ(longForms(reloaded, "St."), (Texts{"Street", "Saint"}));
  const db::Abbreviation& corp = *reloaded.find("Corp.");
  EXPECT_EQ(corp.created_by, 1);
  EXPECT_EQ(corp.longForms[0].created_by, 1);
  EXPECT_EQ(corp.longForms[0].name_id, corp.id);
  EXPECT_EQ(corp.longForms[0].name_type, 0);
  EXPECT_EQ(temp.count(representations), representationsBefore) << "entry representations are no long forms";

  collection.abbreviations.clear();
  ASSERT_TRUE(collection.SaveToDatabase()) << "an empty collection saves too";
  EXPECT_EQ(temp.count("select count(*) from DictionaryAbbreviations;"), 0);
  EXPECT_EQ(temp.count("select count(*) from DictionaryStrings where name_type=0;"), 0);
}

TEST(Abbreviations, ADoubleQuoteLosesItsRowsAndTheRestCommits) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::AbbreviationCollection collection(0);
  const std::size_t shipped = collection.abbreviations.size();
  collection.abbreviations["Q\"x"] = abbreviation("Q\"x", {"Quux", "Quix"});
  collection.abbreviations["Bd."].longForms.Add(db::DString("Bo\"ard"));
  ASSERT_TRUE(collection.SaveToDatabase());

  // The abbreviation's row, each of its two long forms, and Bd.'s bad form.
  ASSERT_EQ(messages.lines().size(), 4u);
  for (const std::string& line : messages.lines()) {
    EXPECT_EQ(line.rfind("Database Error: Could not store abbreviation string\nSQLITE_ERROR[1]: ", 0), 0u)
        << line;
  }
  const db::AbbreviationCollection reloaded(0);
  EXPECT_EQ(reloaded.abbreviations.size(), shipped);
  EXPECT_EQ(reloaded.find("Q\"x"), nullptr);
  EXPECT_EQ(longForms(reloaded, "Bd."), Texts{"Board"});
}

TEST(Abbreviations, FailedSaveRollsBack) {
  struct Row {
    const char* name;
    const char* setup;  // SQL run first, if any
    bool locked;        // a second connection holds the file
    std::string message;
  } rows[] = {
      {"locked by a second connection", nullptr, true,
       "Database Error: Could not save abbreviations.\nSQLITE_BUSY[5]: database is locked"},
      {"a row is not written",
       "create trigger Skip before insert on DictionaryAbbreviations when new.name='Inc.' "
       "begin select raise(ignore); end;",
       false, "Database Error: Could not save abbreviations.\nThere was a problem saving the Abbreviations"},
  };
  const std::string ids = "select id from DictionaryAbbreviations order by id;";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    dbtest::TempDatabase temp;
    dbtest::MessageRecorder messages;
    if (row.setup != nullptr) temp.exec(row.setup);
    const std::vector<int> before = temp.ints(ids);
    db::AbbreviationCollection collection(0);
    {
      auto lock = row.locked ? std::make_unique<dbtest::WriteLock>(temp.path()) : nullptr;
      EXPECT_FALSE(collection.SaveToDatabase());
    }
    EXPECT_EQ(messages.lines(), Texts{row.message});
    EXPECT_EQ(temp.ints(ids), before);
  }
}

TEST(Abbreviations, FillNeedsADictionaryAndReportsFailures) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  EXPECT_EQ(dbtest::runtimeError([] { db::AbbreviationCollection().Fill(); }),
            "Tried to fill Abbreviation Collection without specifying a valid dictionary Id.");
  EXPECT_TRUE(messages.shown().empty()) << "the missing id is not shown, only thrown";

  temp.exec("drop table DictionaryAbbreviations;");
  db::AbbreviationCollection broken;
  broken.dictionaryId = 0;
  EXPECT_EQ(broken.Fill(), 1) << "the SQLite code of the failure";
  EXPECT_EQ(messages.lines(), Texts{"Database Error: Could not retrieve abbreviations.\nSQLITE_ERROR[1]: "});
}

TEST(Abbreviations, LongFormsByIdOrName) {
  dbtest::TempDatabase temp;
  db::CppSQLite3DB connection;
  connection.open(temp.path());
  db::Abbreviation byName;
  byName.name = "Ass'n";
  byName.FillStrings(connection);
  EXPECT_EQ(dbtest::values(byName.longForms), Texts{"Association"});
  db::Abbreviation byId;
  byId.id = byName.longForms.empty() ? -1 : byName.longForms[0].name_id;
  byId.FillStrings(connection);
  EXPECT_EQ(byId.longForms, byName.longForms);
  EXPECT_THROW(db::Abbreviation().FillStrings(connection), std::runtime_error);
}

}  // namespace
