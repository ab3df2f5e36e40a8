// Copies user-added entry names and representations from an older database
// file into the current one, row by row with bound texts.
#include "db/dictionary_import.h"

#include <optional>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/internal/sql_format.h"
#include "db/sqlite_db.h"
#include "db/table_names.h"

namespace db {

using internal::sqlFormat;

namespace {

// The id of the first entry named exactly name, if there is one.
std::optional<int> entryIdByName(CppSQLite3DB& connection, const std::string& name) {
  CppSQLite3Query q = connection.query(sqlFormat("select * from %s where name=?", kDictionaryEntryNames), {name});
  if (q.eof()) return std::nullopt;
  return q.getInt("id", 0);
}

bool stringExists(CppSQLite3DB& connection, const std::string& value) {
  return !connection.query(sqlFormat("select * from %s where value=?", kDictionaryStrings), {value}).eof();
}

// The name of the entry that owns the first string with this value.
std::optional<std::string> ownerName(CppSQLite3DB& connection, const std::string& value) {
  CppSQLite3Query q = connection.query(
      sqlFormat("select * from %s where id =(select name_id from %s where value=?)", kDictionaryEntryNames,
                kDictionaryStrings),
      {value});
  if (q.eof()) return std::nullopt;
  return q.getString("name", "");
}

void rowNotAdded(const char* what, const std::string& text) {
  (void)platform::messageBox(messageOwner(), std::string("Error adding dictionary ") + what + ": " + text,
                             "Database Error", platform::kMbOk);
}

void importEntryNames(CppSQLite3DB& old, CppSQLite3DB& current) {
  for (CppSQLite3Query q = old.query(sqlFormat("select * from %s where created_by=%d", kDictionaryEntryNames,
                                               kCreatedByUser));
       !q.eof(); q.nextRow()) {
    const std::string name = q.getString("name", "");
    if (entryIdByName(current, name)) continue;
    // An installation older than the groups gives its names the column's
    // default, statute; a newer one keeps the group its user chose.
    const int group =
        q.hasField(kAuthorityGroupColumn) ? q.getInt(kAuthorityGroupColumn, kGroupStatute) : kGroupStatute;
    const std::string insert = sqlFormat(
        "INSERT INTO %s (entry_type_id, name, jurisdiction, dictionary_id, created_by, %s) values (%d, ?, %d, %d, %d, "
        "%d);",
        kDictionaryEntryNames, kAuthorityGroupColumn, q.getInt("entry_type_id", 0), q.getInt("jurisdiction", 0),
        q.getInt("dictionary_id", 0), kCreatedByUser, group);
    if (current.execute(insert, {name}) == 0) rowNotAdded("name", name);
  }
}

void importRepresentations(CppSQLite3DB& old, CppSQLite3DB& current) {
  for (CppSQLite3Query q = old.query(sqlFormat("select * from %s where created_by=%d", kDictionaryStrings,
                                               kCreatedByUser));
       !q.eof(); q.nextRow()) {
    const int nameType = q.getInt("name_type", 0);
    if (nameType == kNameTypeLongForm) continue;  // abbreviations are not restored
    const std::string value = q.getString("value", "");
    if (stringExists(current, value)) continue;
    const std::optional<std::string> owner = ownerName(old, value);
    const std::optional<int> entryId = owner ? entryIdByName(current, *owner) : std::nullopt;
    if (!entryId) continue;
    const std::string insert =
        sqlFormat("INSERT INTO %s (name_id, name_type, value, created_by) values (%d, %d, ?, %d);",
                  kDictionaryStrings, *entryId, nameType, kCreatedByUser);
    if (current.execute(insert, {value}) == 0) rowNotAdded("string", value);
  }
}

}  // namespace

std::vector<std::int32_t> loadEntryTypeIds(CppSQLite3DB& connection) {
  std::vector<std::int32_t> ids;
  for (CppSQLite3Query q = connection.query("select id from dictionaryentrytypes;"); !q.eof(); q.nextRow()) {
    ids.push_back(q.getInt("id", 0));
  }
  return ids;
}

void importUserDictionary(const std::string& oldPath) {
  CppSQLite3DB old;
  old.setBusyTimeout(operationBusyTimeoutMs());
  old.open(oldPath);
  CppSQLite3DB current;
  openOperationConnection(current);
  importEntryNames(old, current);
  importRepresentations(old, current);
}

}  // namespace db
