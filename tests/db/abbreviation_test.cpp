// Abbreviations and their long forms on a copy of the shipped database: a
// save that replaces them all, a save that loses only what holds a double
// quote, and the two ways a failed load reaches its caller.
#include <gtest/gtest.h>

#include <string>

#include "db/abbreviation_collection.h"
#include "factories.h"

namespace {

using Abbreviations = dbtest::DatabaseTest;
using Texts = std::vector<std::string>;

// An abbreviation as the user adds it: its row and long forms created by 1.
db::Abbreviation abbreviation(const std::string& name, const Texts& longForms) {
  db::Abbreviation result;
  result.name = name;
  result.created_by = 1;
  for (const auto& text : longForms) result.longForms.Add(db::DString(text));
  for (auto& form : result.longForms) form.created_by = 1;
  return result;
}

Texts longForms(const db::AbbreviationCollection& collection, const std::string& name) {
  const db::Abbreviation* found = collection.find(name);
  return found == nullptr ? Texts{"<missing>"} : dbtest::values(found->longForms);
}

// A save replaces every row: what holds a double quote is lost with a
// message, the rest commits, and long forms come back attached to the new rows.
TEST_F(Abbreviations, ADoubleQuoteLosesItsRowsAndTheRestCommits) {
  const std::string representations = "select count(*) from DictionaryStrings where name_type>0;";
  const int representationsBefore = temp.count(representations);
  db::AbbreviationCollection collection(0);
  for (const auto& item : {abbreviation("Ctr.", {}), abbreviation("Xy.", {"Ex", "Why"}),
                           abbreviation("Q\"x", {"Quux", "Quix"})}) {
    collection.abbreviations[item.name] = item;
  }
  collection.abbreviations["Bd."].longForms.Add(db::DString("Bo\"ard"));
  const std::size_t kept = collection.abbreviations.size() - 1;
  ASSERT_TRUE(collection.SaveToDatabase());
  // The abbreviation's row, each of its two long forms, and Bd.'s bad form.
  const std::string head = "Database Error: Could not store abbreviation string\nSQLITE_ERROR[1]: ";
  Texts heads;
  for (const std::string& line : messages.lines()) heads.push_back(line.substr(0, head.size()));
  EXPECT_EQ(heads, Texts(4, head));
  const db::AbbreviationCollection reloaded(0);
  EXPECT_EQ(reloaded.abbreviations.size(), kept) << "Q\"x is not stored";
  EXPECT_EQ(longForms(reloaded, "Bd."), Texts{"Board"});
  EXPECT_EQ(longForms(reloaded, "Ctr."), Texts{}) << "stored with its row only";
  const db::Abbreviation& xy = *reloaded.find("Xy.");
  EXPECT_EQ(dbtest::values(xy.longForms), (Texts{"Ex", "Why"}));
  EXPECT_EQ(xy.longForms[1].created_by, 1);
  EXPECT_EQ(xy.longForms[1].name_id, xy.id) << "re-attached to the new row";
  EXPECT_EQ(temp.count(representations), representationsBefore) << "entry representations are no long forms";
}

TEST_F(Abbreviations, FillShowsAndReturnsWhatLoadThrows) {
  const std::string noId = "Tried to fill Abbreviation Collection without specifying a valid dictionary Id.";
  EXPECT_EQ(dbtest::thrownText([] { db::AbbreviationCollection().Fill(); }), noId) << "a program fault: not shown";
  EXPECT_EQ(dbtest::thrownText([] { db::AbbreviationCollection().load(); }), noId);
  EXPECT_TRUE(messages.empty());
  temp.exec("drop table DictionaryAbbreviations;");
  db::AbbreviationCollection broken;
  broken.dictionaryId = 0;
  EXPECT_EQ(dbtest::thrownText([&] { broken.load(); }), "SQLITE_ERROR[1]: no such table: DictionaryAbbreviations");
  EXPECT_TRUE(messages.empty()) << "load shows nothing";
  EXPECT_EQ(broken.Fill(), 1) << "the SQLite code of the failure";
  EXPECT_EQ(messages.lines(), Texts{"Database Error: Could not retrieve abbreviations.\nSQLITE_ERROR[1]: no such table: DictionaryAbbreviations"});
}

}  // namespace
