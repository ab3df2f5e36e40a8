// Abbreviations and their long forms on a copy of the shipped database.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "db/abbreviation_collection.h"
#include "factories.h"

namespace {

db::Abbreviation abbreviation(const std::string& name, std::vector<std::string> longForms,
                              int createdBy = 1) {
  db::Abbreviation result;
  result.name = name;
  result.created_by = createdBy;
  for (auto& text : longForms) {
    db::DString form(text);
    form.created_by = createdBy;
    result.longForms.Add(form);
  }
  return result;
}

std::vector<std::string> longForms(const db::AbbreviationCollection& collection, const std::string& name) {
  std::vector<std::string> result;
  const db::Abbreviation* found = collection.find(name);
  if (found == nullptr) return {"<missing>"};
  for (const auto& form : found->longForms) result.push_back(form.value);
  return result;
}

TEST(Abbreviations, SaveAndReloadZeroOneAndTwoLongForms) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const int representations = temp.count("select count(*) from DictionaryStrings where name_type>0;");
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
  EXPECT_EQ(longForms(reloaded, "Ctr."), std::vector<std::string>{}) << "stored with its row only";
  EXPECT_EQ(longForms(reloaded, "Corp."), std::vector<std::string>{"Corporation"});
  EXPECT_EQ(longForms(reloaded, "St."), (std::vector<std::string>{"Street", "Saint"}));
  const db::Abbreviation& corp = *reloaded.find("Corp.");
  EXPECT_EQ(corp.created_by, 1);
  EXPECT_EQ(corp.longForms[0].created_by, 1);
  EXPECT_EQ(corp.longForms[0].name_id, corp.id);
  EXPECT_EQ(corp.longForms[0].name_type, 0);
  EXPECT_EQ(temp.count("select count(*) from DictionaryStrings where name_type>0;"), representations)
      << "entry name representations are not long forms";
}

TEST(Abbreviations, SavingAnEmptyCollectionDeletesEverything) {
  dbtest::TempDatabase temp;
  db::AbbreviationCollection empty;
  empty.dictionaryId = 0;
  ASSERT_TRUE(empty.SaveToDatabase());
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
  ASSERT_EQ(messages.shown().size(), 4u);
  for (const auto& message : messages.shown()) {
    EXPECT_EQ(message.caption, "Database Error");
    EXPECT_EQ(message.text.rfind("Could not store abbreviation string\nSQLITE_ERROR[1]: ", 0), 0u)
        << message.text;
  }
  const db::AbbreviationCollection reloaded(0);
  EXPECT_EQ(reloaded.abbreviations.size(), shipped);
  EXPECT_EQ(reloaded.find("Q\"x"), nullptr);
  EXPECT_EQ(longForms(reloaded, "Bd."), std::vector<std::string>{"Board"});
}

TEST(Abbreviations, FailedSaveRollsBack) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const std::vector<int> before = temp.ints("select id from DictionaryAbbreviations order by id;");
  db::AbbreviationCollection collection;
  collection.dictionaryId = 0;
  {
    dbtest::WriteLock lock(temp.path());
    EXPECT_FALSE(collection.SaveToDatabase());
  }
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Could not save abbreviations.\nSQLITE_BUSY[5]: database is locked");
  EXPECT_EQ(messages.shown()[0].caption, "Database Error");
  EXPECT_EQ(temp.ints("select id from DictionaryAbbreviations order by id;"), before);
}

TEST(Abbreviations, SaveStopsWhenARowIsNotWritten) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  temp.exec("create trigger Skip before insert on DictionaryAbbreviations "
            "when new.name='Inc.' begin select raise(ignore); end;");
  const int before = temp.count("select count(*) from DictionaryAbbreviations;");
  db::AbbreviationCollection collection(0);
  EXPECT_FALSE(collection.SaveToDatabase());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text,
            "Could not save abbreviations.\nThere was a problem saving the Abbreviations");
  EXPECT_EQ(temp.count("select count(*) from DictionaryAbbreviations;"), before);
}

TEST(Abbreviations, FillNeedsADictionaryAndReportsFailures) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::AbbreviationCollection unset;
  try {
    unset.Fill();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(),
                 "Tried to fill Abbreviation Collection without specifying a valid dictionary Id.");
  }
  EXPECT_TRUE(messages.shown().empty()) << "the missing id is not shown, only thrown";

  temp.exec("drop table DictionaryAbbreviations;");
  db::AbbreviationCollection broken;
  broken.dictionaryId = 0;
  EXPECT_EQ(broken.Fill(), 1) << "the SQLite code of the failure";
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Could not retrieve abbreviations.\nSQLITE_ERROR[1]: ");
  EXPECT_EQ(messages.shown()[0].caption, "Database Error");
}

TEST(Abbreviations, LongFormsByIdOrName) {
  dbtest::TempDatabase temp;
  db::CppSQLite3DB connection;
  connection.open(temp.path());
  db::Abbreviation byName;
  byName.name = "Ass'n";
  byName.FillStrings(connection);
  ASSERT_EQ(byName.longForms.size(), 1u);
  EXPECT_EQ(byName.longForms[0].value, "Association");
  db::Abbreviation byId;
  byId.id = byName.longForms[0].name_id;
  byId.FillStrings(connection);
  EXPECT_EQ(byId.longForms, byName.longForms);
  db::Abbreviation neither;
  EXPECT_THROW(neither.FillStrings(connection), std::runtime_error);
}

}  // namespace
