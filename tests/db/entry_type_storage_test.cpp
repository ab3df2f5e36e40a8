// Loading and saving entry types and entry names on a copy of the shipped
// database: properties, representations, replacement with new ids, rollback
// of a failed save, and representations that break their statement.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

#include "db/entry_type_collection.h"
#include "db/sqlite_exception.h"
#include "factories.h"

namespace {

using dbtest::entry;

std::vector<std::string> values(const db::StringList& list) {
  std::vector<std::string> result;
  for (const auto& item : list) result.push_back(item.value);
  return result;
}

db::EntryType loaded(int typeId) {
  db::EntryType type(typeId);
  type.FillEntryNames();
  return type;
}

TEST(EntryTypeStorage, FillPropertiesByIdOrName) {
  dbtest::TempDatabase temp;
  const db::EntryType byId(8);
  EXPECT_EQ(byId.name, "Numbered Authorities");
  EXPECT_TRUE(byId.entryNames.empty()) << "the constructor does not load entries";
  const db::EntryType byName(std::string("History Phrases"));
  EXPECT_EQ(byName.id, 6);

  db::EntryType missing;
  missing.id = 42;
  try {
    missing.FillProperties();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Could not find EntryType with id");
  }
  db::EntryType unnamed;
  try {
    unnamed.FillProperties();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Tried to fill properties of an entry type but no Id or Name was present");
  }
}

TEST(EntryTypeStorage, FillEntryNamesReadsRepresentationsInRowOrder) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  const db::EntryType codes = loaded(2);
  EXPECT_TRUE(messages.shown().empty());
  const auto usc = codes.entryNames.find("U.S.C.");
  ASSERT_NE(usc, codes.entryNames.end());
  EXPECT_EQ(usc->second.entry_type_id, 2);
  EXPECT_EQ(usc->second.jurisdiction, 0);
  EXPECT_EQ(values(usc->second.validNames), (std::vector<std::string>{"U.S.C.", "U. S. C."}));
  EXPECT_EQ(values(usc->second.invalidNames), (std::vector<std::string>{"USC", "U.S.C.U.", "U.S. Code"}));
  for (const db::DString& text : usc->second.invalidNames) {
    EXPECT_EQ(text.name_id, usc->second.id);
    EXPECT_EQ(text.name_type, 2);
    EXPECT_EQ(text.created_by, 0);
    EXPECT_GT(text.id, 0);
  }
  ASSERT_NE(codes.GetNameThatContains("usc"), nullptr);
  EXPECT_EQ(codes.GetNameThatContains("usc")->name, "U.S.C.");
}

TEST(EntryTypeStorage, EntryNameFillsItsStringsByIdOrName) {
  dbtest::TempDatabase temp;
  const int id = temp.count("select id from DictionaryEntryNames where name=\"Pub. L. No.\";");
  const db::EntryName byId(id);
  EXPECT_EQ(values(byId.validNames), (std::vector<std::string>{"Pub. L. No.", "Pub. L."}));
  const db::EntryName byName(std::string("Pub. L. No."));
  EXPECT_EQ(byName.validNames, byId.validNames);
  EXPECT_EQ(byName.invalidNames, byId.invalidNames);

  db::EntryName nothing;
  EXPECT_THROW(nothing.FillStrings(), std::runtime_error);
}

TEST(EntryTypeStorage, SaveReplacesEveryRowWithNewIds) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryType numbered = loaded(8);
  std::set<int> oldIds;
  for (const auto& [name, entry] : numbered.entryNames) oldIds.insert(entry.id);
  const int otherTypes = temp.count("select count(*) from DictionaryEntryNames where entry_type_id<>8;");

  numbered.entryNames.erase("Rev. Proc.");
  numbered.AddEntryName(entry({.name = "Gen. Couns. Mem.", .valid = {"Gen. Couns. Mem.", "G.C.M."},
                               .invalid = {"GCM"}, .typeId = 8, .createdBy = 1}));
  ASSERT_TRUE(numbered.SaveNamesToDatabase());
  EXPECT_TRUE(messages.shown().empty());

  const db::EntryType reloaded = loaded(8);
  std::vector<std::string> before;
  std::vector<std::string> after;
  for (const auto& [name, entry] : numbered.entryNames) before.push_back(name);
  for (const auto& [name, entry] : reloaded.entryNames) after.push_back(name);
  EXPECT_EQ(after, before);
  for (const auto& [name, entry] : reloaded.entryNames) {
    SCOPED_TRACE(name);
    EXPECT_EQ(oldIds.count(entry.id), 0u) << "every saved row has a new id";
    EXPECT_EQ(values(entry.validNames), values(numbered.entryNames.at(name).validNames));
    EXPECT_EQ(values(entry.invalidNames), values(numbered.entryNames.at(name).invalidNames));
    for (const auto& text : entry.validNames) EXPECT_EQ(text.name_id, entry.id) << "re-attached by sub-select";
  }
  const auto& added = reloaded.entryNames.at("Gen. Couns. Mem.");
  EXPECT_EQ(added.created_by, 1);
  EXPECT_EQ(added.validNames[1].created_by, 1);
  EXPECT_EQ(temp.count("select count(*) from DictionaryEntryNames where entry_type_id<>8;"), otherTypes)
      << "other types are untouched";
  EXPECT_EQ(temp.count("select count(*) from DictionaryStrings where name_type>0 and name_id not in "
                       "(select id from DictionaryEntryNames);"),
            0)
      << "no representation is left without its entry";
}

TEST(EntryTypeStorage, FailedSaveRollsBackAndKeepsStoredRows) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  db::EntryType numbered = loaded(8);
  const std::vector<int> idsBefore =
      temp.ints("select id from DictionaryEntryNames where entry_type_id=8 order by id;");
  const int stringsBefore = temp.count("select count(*) from DictionaryStrings;");
  numbered.entryNames.clear();
  {
    dbtest::WriteLock lock(temp.path());
    EXPECT_FALSE(numbered.SaveNamesToDatabase());
  }
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "SQLITE_BUSY[5]: database is locked");
  EXPECT_EQ(messages.shown()[0].caption, "Database error");
  EXPECT_EQ(temp.ints("select id from DictionaryEntryNames where entry_type_id=8 order by id;"), idsBefore);
  EXPECT_EQ(temp.count("select count(*) from DictionaryStrings;"), stringsBefore);
}

TEST(EntryTypeStorage, SaveStopsAndRollsBackWhenARowIsNotWritten) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  // An insert that quietly writes nothing is how a save learns of a problem.
  temp.exec("create trigger DropRules before insert on DictionaryEntryNames "
            "when new.name='Rev. Rul.' begin select raise(ignore); end;");
  db::EntryType numbered = loaded(8);
  const int before = temp.count("select count(*) from DictionaryEntryNames where entry_type_id=8;");
  EXPECT_FALSE(numbered.SaveNamesToDatabase());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "There was a problem saving strings to the database.");
  EXPECT_EQ(temp.count("select count(*) from DictionaryEntryNames where entry_type_id=8;"), before);
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

  std::vector<std::string> texts;
  std::vector<std::string> captions;
  for (const auto& message : messages.shown()) {
    texts.push_back(message.text.substr(0, message.text.find('\n')));
    captions.push_back(message.caption);
  }
  // In save order: one valid and one invalid form of "Pub. L. No.", then the
  // quoted entry's own row and both of its representations.
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Could not store valid entry name string", "Could not store invalid entry name string",
                       "Could not store valid entry name string", "Could not store valid entry name string",
                       "Could not store valid entry name string"}));
  for (const auto& caption : captions) EXPECT_EQ(caption, "Database Error");
  for (const auto& message : messages.shown()) {
    EXPECT_NE(message.text.find("\nSQLITE_ERROR[1]: "), std::string::npos) << message.text;
  }

  const db::EntryType reloaded = loaded(8);
  EXPECT_EQ(reloaded.entryNames.count("Quoted \"Name\""), 0u);
  EXPECT_EQ(reloaded.entryNames.size(), numbered.entryNames.size() - 1);
  EXPECT_EQ(values(reloaded.entryNames.at("Pub. L. No.").validNames),
            (std::vector<std::string>{"Pub. L. No.", "Pub. L."}));
}

TEST(EntryTypeStorage, LoadFailureIsShownAndKeepsWhatWasLoaded) {
  dbtest::TempDatabase temp;
  dbtest::MessageRecorder messages;
  temp.exec("drop table DictionaryStrings;");
  db::EntryType codes(2);
  codes.AddEntryName(entry({.name = "Kept", .valid = {"Kept"}}));
  codes.FillEntryNames();
  ASSERT_EQ(messages.shown().size(), 1u);
  // The representations' statement fails to prepare: code and name, no text.
  EXPECT_EQ(messages.shown()[0].text, "SQLITE_ERROR[1]: ");
  EXPECT_EQ(messages.shown()[0].caption, "Database error");
  EXPECT_TRUE(codes.entryNames.empty()) << "the load emptied the type before the failing entry";

  temp.exec("drop table DictionaryEntryNames;");
  db::EntryType history(6);
  history.AddEntryName(entry({.name = "aff'd", .valid = {"aff'd"}}));
  history.FillEntryNames();
  ASSERT_EQ(messages.shown().size(), 2u);
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
