// Loading and saving entry types and entry names on a copy of the shipped
// database: properties, representations, replacement with new ids, and
// representations that break their statement. (A save on a locked file is
// rolled back and reported in the dictionary editor's tests.)
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "db/entry_type_collection.h"
#include "factories.h"

namespace {

using EntryTypeStorage = dbtest::DatabaseTest;
using dbtest::entry;
using dbtest::values;
using Texts = std::vector<std::string>;

db::EntryType loaded(int typeId) {
  db::EntryType type(typeId);
  type.FillEntryNames();
  return type;
}

TEST_F(EntryTypeStorage, PropertiesAndRepresentationsAreLoaded) {
  EXPECT_EQ(db::EntryType(std::string("History Phrases")).id, 6);
  db::EntryType missing;
  missing.id = 42;
  EXPECT_EQ(dbtest::thrownText([&] { missing.FillProperties(); }), "Could not find EntryType with id");
  EXPECT_EQ(dbtest::thrownText([] { db::EntryType().FillProperties(); }),
            "Tried to fill properties of an entry type but no Id or Name was present");
  EXPECT_EQ(values(db::EntryName(std::string("Pub. L. No.")).validNames), (Texts{"Pub. L. No.", "Pub. L."}));
  const db::EntryType codes = loaded(2);
  EXPECT_TRUE(messages.empty());
  const db::EntryName& usc = codes.entryNames.at("U.S.C.");
  EXPECT_EQ(values(usc.validNames), (Texts{"U.S.C.", "U. S. C."})) << "in row order";
  EXPECT_EQ(values(usc.invalidNames), (Texts{"USC", "U.S.C.U.", "U.S. Code"}));
  EXPECT_EQ(codes.GetNameThatContains("usc"), &usc) << "loading indexes the representations";
}

// A save replaces every row of the type with new ids; a double quote loses
// only the row that holds it, with a message, and the rest commits.
TEST_F(EntryTypeStorage, SaveReplacesEveryRowAndADoubleQuoteLosesOnlyItsOwn) {
  db::EntryType numbered = loaded(8);
  std::set<int> oldIds;
  for (const auto& [name, entry] : numbered.entryNames) oldIds.insert(entry.id);
  const std::string others = "select count(*) from DictionaryEntryNames where entry_type_id<>8;";
  const int otherTypes = temp.count(others);
  numbered.entryNames.erase("Rev. Proc.");
  numbered.AddEntryName(entry({.name = "Gen. Couns. Mem.", .valid = {"Gen. Couns. Mem.", "G.C.M."},
                               .invalid = {"GCM"}, .typeId = 8, .createdBy = 1}));
  const auto expected = numbered.entryNames;
  db::EntryName& pubL = numbered.entryNames.at("Pub. L. No.");
  pubL.validNames.Add(db::DString("Pub. \"L\""));
  pubL.invalidNames.Add(db::DString("P\"L"));
  numbered.AddEntryName(entry({.name = "Quoted \"Name\"", .valid = {"Quoted", "Q."}, .typeId = 8}));
  ASSERT_TRUE(numbered.SaveNamesToDatabase()) << "the rest of the save commits";

  // In save order: one valid and one invalid form of "Pub. L. No.", then the
  // quoted entry's own row and both of its representations.
  Texts heads;
  for (const std::string& line : messages.lines()) heads.push_back(line.substr(0, line.find("\nSQLITE_ERROR[1]: ")));
  const std::string valid = "Database Error: Could not store valid entry name string";
  const std::string invalid = "Database Error: Could not store invalid entry name string";
  EXPECT_EQ(heads, (Texts{valid, invalid, valid, valid, valid}));

  const db::EntryType reloaded = loaded(8);
  ASSERT_EQ(reloaded.entryNames.size(), expected.size()) << "the quoted entry is lost";
  for (const auto& [name, entry] : expected) {
    SCOPED_TRACE(name);
    const db::EntryName& stored = reloaded.entryNames.at(name);
    EXPECT_EQ(oldIds.count(stored.id), 0u) << "every saved row has a new id";
    EXPECT_EQ(values(stored.validNames), values(entry.validNames));
    EXPECT_EQ(values(stored.invalidNames), values(entry.invalidNames));
    for (const auto& text : stored.validNames) EXPECT_EQ(text.name_id, stored.id) << "re-attached";
  }
  EXPECT_EQ(reloaded.entryNames.at("Gen. Couns. Mem.").validNames[1].created_by, 1);
  EXPECT_EQ(temp.count(others), otherTypes) << "other types are untouched";
  EXPECT_EQ(temp.count("select count(*) from DictionaryStrings where name_type>0 and name_id not in "
                       "(select id from DictionaryEntryNames);"), 0) << "no representation is left without its entry";
}

// A group survives a save; a database from before the groups opens, reads
// and saves every name and representation as it was.
TEST_F(EntryTypeStorage, GroupsAreSavedAndADatabaseWithoutThemLosesNothing) {
  db::EntryType runs = loaded(7);
  runs.entryNames.at("Fed. R. Evid.").group = db::kGroupGuideline;
  ASSERT_TRUE(runs.SaveNamesToDatabase());
  EXPECT_EQ(loaded(7).entryNames.at("Fed. R. Evid.").group, db::kGroupGuideline);
  temp.exec("alter table DictionaryEntryNames drop column authority_group;");
  ASSERT_TRUE(loaded(7).SaveNamesToDatabase());
  EXPECT_EQ(loaded(7).ToString(false), runs.ToString(false)) << "every name and representation";
}

TEST_F(EntryTypeStorage, LoadFailuresAreShownOrThrown) {
  temp.exec("drop table DictionaryStrings;");
  db::EntryType codes(2);
  // The representations' statement fails to prepare: SQLite says why.
  EXPECT_EQ(dbtest::thrownText([&] { codes.loadEntryNames(); }), "SQLITE_ERROR[1]: no such table: DictionaryStrings");
  EXPECT_EQ(dbtest::thrownText([] { db::EntryTypeCollection().loadEntryTypesOrThrow(); }),
            "SQLITE_ERROR[1]: no such table: DictionaryStrings");
  EXPECT_TRUE(messages.empty()) << "the throwing loads show nothing";
  codes.FillEntryNames();
  EXPECT_EQ(messages.lines(), Texts{"Database error: SQLITE_ERROR[1]: no such table: DictionaryStrings"});
  db::EntryTypeCollection partial;
  partial.LoadEntryTypes();
  EXPECT_EQ(messages.lines().size(), 8u) << "each type's failure is shown and the loading goes on";

  temp.exec("delete from DictionaryEntryTypes where id=7;");
  EXPECT_EQ(dbtest::thrownText([] { db::EntryTypeCollection().LoadEntryTypes(); }), "Could not find EntryType with id")
      << "a missing type reaches the caller";
}

TEST_F(EntryTypeStorage, ADatabaseFromBeforeTheJournalsLoadsWithoutThem) {
  temp.exec("delete from DictionaryEntryTypes where id=9;");
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(dictionary.type(db::kEntryTypeJournals)->entryNames.empty());
  EXPECT_FALSE(dictionary.type(db::kEntryTypeReporters)->entryNames.empty());
}

}  // namespace
