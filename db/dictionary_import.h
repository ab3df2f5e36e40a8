// Restores the user's own dictionary entries from the database of an earlier
// installation. In: the path of that database file. Out: rows added to the
// current database (databasePath()): the user-added entry names and
// representations that it lacks.
//
// Texts travel as bound parameters, so names and representations that hold
// '"' or "'" are looked up and copied exactly. The rows are written at once,
// outside any editor's OK or Apply.
//
// Errors: a row whose insert changes nothing is shown ("Error adding
// dictionary name: NAME" or "Error adding dictionary string: VALUE", caption
// "Database Error", owner messageOwner()) and skipped. Every other database
// failure throws CppSQLite3Exception; both connections are closed and rows
// added before it stay.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace db {

class CppSQLite3DB;

// Every id of DictionaryEntryTypes, in table order, read on connection.
// Errors: throws CppSQLite3Exception.
std::vector<std::int32_t> loadEntryTypeIds(CppSQLite3DB& connection);

// 1. Each entry name of the old database with created_by 1 whose name no
//    current entry has (in any entry type) is inserted with its type,
//    jurisdiction and dictionary id and created_by 1, and with its group
//    (statute when the old database has no groups).
// 2. Each representation of the old database with created_by 1 and name type
//    1 or 2 whose value no current string has is attached to the first
//    current entry named as its old owner (whatever that entry's type) with
//    its name type and created_by 1; one whose owner is missing in either
//    database is skipped silently.
// Example: importUserDictionary("/old/install/tabauth3.db");
void importUserDictionary(const std::string& oldPath);

}  // namespace db
