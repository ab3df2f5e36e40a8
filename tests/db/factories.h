// Builders and fixtures for the db tests: a private copy of the shipped
// database that the db operations open, a recorder of message boxes, a
// second connection that holds the file locked, and entries and dictionaries
// built in memory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/connection.h"
#include "db/entry_type_collection.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace dbtest {

// Copies the staged tabauth3.db into a fresh temporary folder and points the
// db operations at the copy; undoes both when it goes.
class TempDatabase {
 public:
  TempDatabase() {
    std::filesystem::copy_file(LEXORDA_SHIPPED_DB, path_);
    db::setDatabasePath(path_);
  }
  ~TempDatabase() {
    db::setDatabasePath(previousPath_);
    db::setOperationBusyTimeoutMs(previousTimeout_);
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::string& path() const { return path_; }

  // Runs SQL on a connection of its own, to set a test up or to look behind
  // the model's back: exec() a statement, ints() the first column of every
  // row, count() the first row's (-1 for none).
  void exec(const std::string& sql) const { ints(sql); }
  std::vector<int> ints(const std::string& sql) const {
    db::CppSQLite3DB connection;
    connection.open(path_);
    std::vector<int> values;
    for (auto q = connection.query(sql); !q.eof(); q.nextRow()) values.push_back(q.getInt(0, -1));
    return values;
  }
  int count(const std::string& sql) const { return ints(sql).empty() ? -1 : ints(sql)[0]; }

 private:
  platform_test::TemporaryFolder folder_;
  std::string path_ = folder_.file("tabauth3.db");
  std::string previousPath_ = db::databasePath();
  int previousTimeout_ = db::operationBusyTimeoutMs();
};

// Records every message box shown while it lives; lines() gives each as
// "caption: text".
struct MessageRecorder : platform::ScriptedMessageBoxHandler {
  bool empty() const { return shown().empty(); }
  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    for (const auto& message : shown()) result.push_back(message.caption + ": " + message.text);
    return result;
  }
  platform::ScopedMessageBoxHandler scope{this};
};

// The set-up of every test that runs db operations: the private database
// copy and a recorder of the boxes they show.
struct DatabaseTest : testing::Test {
  TempDatabase temp;
  MessageRecorder messages;
};

// Holds a write transaction on the file from a second connection, as another
// program would, until it goes; operations meet SQLITE_BUSY after a short
// wait instead of the minute a real connection waits.
class WriteLock {
 public:
  explicit WriteLock(const std::string& path) {
    connection_.open(path);
    connection_.execute("begin immediate transaction;");
    db::setOperationBusyTimeoutMs(50);
  }
  // Closing the connection rolls the transaction back.

 private:
  db::CppSQLite3DB connection_;
};

// The text of what fn throws: a std::runtime_error's what(), a
// CppSQLite3Exception's message().
template <typename Fn>
std::string thrownText(Fn fn) {
  try {
    fn();
  } catch (const std::runtime_error& error) {
    return error.what();
  } catch (const db::CppSQLite3Exception& error) {
    return error.message();
  }
  return "<nothing thrown>";
}

// The texts of a list, e.g. {"U.S.C.", "U. S. C."}.
inline std::vector<std::string> values(const db::StringList& list) {
  std::vector<std::string> result;
  for (const auto& item : list) result.push_back(item.value);
  return result;
}

struct EntryFields {
  std::string name{};
  std::vector<std::string> valid{};
  std::vector<std::string> invalid{};
  int typeId = 1;
  int createdBy = 0;
};

inline db::EntryName entry(const EntryFields& fields) {
  db::EntryName result;
  result.name = fields.name;
  result.entry_type_id = fields.typeId;
  result.created_by = fields.createdBy;
  for (auto [list, texts] : {std::pair{&result.validNames, &fields.valid}, {&result.invalidNames, &fields.invalid}}) {
    for (const auto& text : *texts) {
      db::DString value(text);
      value.created_by = fields.createdBy;
      list->Add(value);
    }
  }
  return result;
}

// A collection with the six type ids set and the given entries filed under
// each entry's typeId.
inline db::EntryTypeCollection dictionary(const std::vector<EntryFields>& entries) {
  db::EntryTypeCollection collection;
  for (std::size_t i = 0; i < collection.types().size(); ++i) {
    collection.types()[i].id = db::kCollectionTypeIds[i];
  }
  for (const EntryFields& fields : entries) collection.type(fields.typeId)->AddEntryName(entry(fields));
  return collection;
}

}  // namespace dbtest
