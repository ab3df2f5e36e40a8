// Loading and saving entry types and entry names on a copy of the shipped
// database: properties, representations, replacement with new ids, rollback
// of a failed save, and representations that break their statement.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "db/entry_type_collection.h"
#include "factories.h"

namespace {

using dbtest::entry;
using dbtest::values;
using Texts = std::vector<std::string>;

db::EntryType loaded(int typeId) {
  db::EntryType type(typeId);
  type.FillEntryNames();
  return type;
}

TEST(EntryTypeStorage, PropertiesAndStringsAreFilledByIdOrName) {
  dbtest::TempDatabase temp;
  EXPECT_EQ(db::EntryType(8).name, "Numbered Authorities");
  EXPECT_TRUE(db::EntryType(8).entryNames.empty()) << "the constructor does not load entries";
  EXPECT_EQ(db::EntryType(std::string("History Phrases")).id, 6);
  db::EntryType missing;
  missing.id = 42;
  EXPECT_EQ(dbtest::runtimeError([&] { missing.FillProperties(); }), "Could not find EntryType with id");
  EXPECT_EQ(dbtest::runtimeError([] { db::EntryType().FillProperties(); }),
            "Tried to fill properties of an entry type but no Id or Name was present");

  const db::EntryName byId(temp.count("select id from DictionaryEntryNames where name=\"Pub. L. No.\";"));
  EXPECT_EQ(values(byId.validNames), (Texts{"Pub. L. No.", "Pub. L."}));
  const db::EntryName byName(std::string("Pub. L. No."));
  EXPECT_EQ(byName.validNames, byId.validNames);
  EXPECT_EQ(byName.invalidNames, byId.invalidNames);
  EXPECT_THROW(db::EntryName().FillStrings(), std::runtime_error);
}

TEST(EntryTypeStorage, FillEntryNamesReadsRepresentationsInRowOrder) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const db::EntryType codes = loaded(2);
  EXPECT_TRUE(messages.shown().empty());
  const auto usc = codes.entryNames.find("U.S.C.");
  ASSERT_NE(usc, codes.entryNames.end());
  EXPECT_EQ(usc->second.entry_type_id, 2);
  EXPECT_EQ(values(usc->second.validNames), (Texts{"U.S.C.", "U. S. C."}));
  EXPECT_EQ(values(usc->second.invalidNames), (Texts{"USC", "U.S.C.U.", "U.S. Code"}));
  for (const db::DString& text : usc->second.invalidNames) {
    EXPECT_EQ(text.name_id, usc->second.id);
    EXPECT_EQ(text.name_type, 2);
    EXPECT_EQ(text.created_by, 0);
  }
  const db::EntryName* found = codes.GetNameThatContains("usc");
  EXPECT_EQ(found ? found->name : "<none>", "U.S.C.") << "loading indexes the representations";
}

TEST(EntryTypeStorage, SaveReplacesEveryRowWithNewIds) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryType numbered = loaded(8);
  std::set<int> oldIds;
  for (const auto& [name, entry] : numbered.entryNames) oldIds.insert(entry.id);
  const std::string others = "select count(*) from DictionaryEntryNames where entry_type_id<>8;";
  const int otherTypes = temp.count(others);

  numbered.entryNames.erase("Rev. Proc.");
  numbered.AddEntryName(entry({.name = "Gen. Couns. Mem.", .valid = {"Gen. Couns. Mem.", "G.C.M."},
                               .invalid = {"GCM"}, .typeId = 8, .createdBy = 1}));
  ASSERT_TRUE(numbered.SaveNamesToDatabase());
  EXPECT_TRUE(messages.shown().empty());

  const db::EntryType reloaded = loaded(8);
  ASSERT_EQ(reloaded.entryNames.size(), numbered.entryNames.size());
  for (const auto& [name, entry] : numbered.entryNames) {
    SCOPED_TRACE(name);
    ASSERT_EQ(reloaded.entryNames.count(name), 1u);
    const db::EntryName& stored = reloaded.entryNames.at(name);
    EXPECT_EQ(oldIds.count(stored.id), 0u) << "every saved row has a new id";
    EXPECT_EQ(values(stored.validNames), values(entry.validNames));
    EXPECT_EQ(values(stored.invalidNames), values(entry.invalidNames));
    for (const auto& text : stored.validNames) EXPECT_EQ(text.name_id, stored.id) << "re-attached";
  }
  const auto& added = reloaded.entryNames.at("Gen. Couns. Mem.");
  EXPECT_EQ(added.created_by, 1);
  EXPECT_EQ(added.validNames[1].created_by, 1);
  EXPECT_EQ(temp.count(others), otherTypes) << "other types are untouched";
  EXPECT_EQ(temp.count("select count(*) from DictionaryStrings where name_type>0 and name_id not in "
                       "(select id from DictionaryEntryNames);"),
            0)
      << "no representation is left without its entry";
}

TEST(EntryTypeStorage, FailedSaveRollsBackAndKeepsStoredRows) {
  struct Row {
    const char* name;
    const char* setup;  // SQL run first, if any
    bool locked;        // a second connection holds the file
    std::string message;
  } rows[] = {
      {"locked by a second connection", nullptr, true, "Database error: SQLITE_BUSY[5]: database is locked"},
      // An insert that quietly writes nothing is how a save learns of a problem.
      {"a row is not written",
       "create trigger DropRules before insert on DictionaryEntryNames when new.name='Rev. Rul.' "
       "begin select raise(ignore); end;",
       false, "Database error: There was a problem saving strings to the database."},
  };
  const std::string ids = "select id from DictionaryEntryNames where entry_type_id=8 order by id;";
  const std::string strings = "select count(*) from DictionaryStrings;";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    dbtest::TempDatabase temp;
    dbtest::MessageRecorder messages;
    if (row.setup != nullptr) temp.exec(row.setup);
    const db::EntryType numbered = loaded(8);
    const std::vector<int> idsBefore = temp.ints(ids);
    const int stringsBefore = temp.count(strings);
    {
      auto lock = row.locked ? std::make_unique<dbtest::WriteLock>(temp.path()) : nullptr;
      EXPECT_FALSE(numbered.SaveNamesToDatabase());
    }
    EXPECT_EQ(messages.lines(), Texts{row.message});
    EXPECT_EQ(temp.ints(ids), idsBefore);
    EXPECT_EQ(temp.count(strings), stringsBefore);
  }
}

TEST(EntryTypeStorage, ADoubleQuoteLosesOnlyItsOwnRow) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryType numbered = loaded(8);
  db::EntryName& pubL = numbered.entryNames.at("Pub. L. No.");
  pubL.validNames.Add(db::DString("Pub. \"L\""));
  pubL.invalidNames.Add(db::DString("P\"L"));
  numbered.AddEntryName(entry({.name = "Quoted \"Name\"", .valid = {"Quoted", "Q."}, .typeId = 8}));
  ASSERT_TRUE(numbered.SaveNamesToDatabase()) << "the rest of the save commits";

  // In save order: one valid and one invalid form of "Pub. L. No.", then the
  // quoted entry's own row and both of its representations.
  Texts heads;
  for (const std::string& line : messages.lines()) {
    EXPECT_NE(line.find("\nSQLITE_ERROR[1]: "), std::string::npos) << line;
    heads.push_back(line.substr(0, line.find('\n')));
  }
  const std::string valid = "Database Error: Could not store valid entry name string";
  const std::string invalid = "Database Error: Could not store invalid entry name string";
  EXPECT_EQ(heads, (Texts{valid, invalid, valid, valid, valid}));

  const db::EntryType reloaded = loaded(8);
  EXPECT_EQ(reloaded.entryNames.count("Quoted \"Name\""), 0u);
  EXPECT_EQ(reloaded.entryNames.size(), numbered.entryNames.size() - 1);
  EXPECT_EQ(values(reloaded.entryNames.at("Pub. L. No.").validNames), (Texts{"Pub. L. No.", "Pub. L."}));
}

TEST(EntryTypeStorage, LoadFailureIsShownAndKeepsWhatWasLoaded) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  temp.exec("drop table DictionaryStrings;");
  db::EntryType codes(2);
  codes.AddEntryName(entry({.name = "Kept", .valid = {"Kept"}}));
  codes.FillEntryNames();
  // The representations' statement fails to prepare: code and name, no text.
  EXPECT_EQ(messages.lines(), Texts{"Database error: SQLITE_ERROR[1]: "});
  EXPECT_TRUE(codes.entryNames.empty()) << "the load emptied the type before the failing entry";

  temp.exec("drop table DictionaryEntryNames;");
  db::EntryType history(6);
  history.AddEntryName(entry({.name = "aff'd", .valid = {"aff'd"}}));
  history.FillEntryNames();
  EXPECT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(history.entryNames.size(), 1u) << "a load that fails at once keeps the old entries";
}

TEST(EntryTypeCollectionStorage, LoadsTheSixTypesInOrder) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  EXPECT_TRUE(messages.shown().empty());
  std::vector<int> ids;
  for (const auto& type : dictionary.types()) {
    ids.push_back(type.id);
    EXPECT_FALSE(type.entryNames.empty()) << type.name;
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 3, 2, 7, 8, 6}));

  temp.exec("delete from DictionaryEntryTypes where id=7;");
  db::EntryTypeCollection broken;
  EXPECT_THROW(broken.LoadEntryTypes(), std::runtime_error) << "a missing type reaches the caller";
}

}  // namespace
