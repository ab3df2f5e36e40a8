// Loads, saves, serialises and searches one EntryType.
#include "db/entry_type.h"

#include <string.h>

#include <stdexcept>
#include <utility>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/internal/replace_rows.h"
#include "db/internal/sql_format.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/table_names.h"
#include "db/text.h"

namespace db {

using internal::sqlFormat;

EntryType::EntryType(std::int32_t typeId) : id(typeId) { FillProperties(); }

EntryType::EntryType(std::string typeName) : name(std::move(typeName)) { FillProperties(); }

void EntryType::FillProperties() {
  if (id == -1 && name.empty()) {
    throw std::runtime_error(
        "Tried to fill properties of an entry type but no Id or Name was present");
  }
  CppSQLite3DB connection;
  openOperationConnection(connection);
  connection.execute("begin transaction;");
  std::string sql = std::string("select id,name from ") + kDictionaryEntryTypes;
  if (id == -1) {
    sql += " where name='" + name + "';";
  } else {
    sql += " where id='" + std::to_string(id) + "';";
  }
  CppSQLite3Query q = connection.query(sql);
  if (q.eof()) throw std::runtime_error("Could not find EntryType with id");
  for (; !q.eof(); q.nextRow()) {
    id = q.getInt("id", 0);
    name = q.getString("name", "");
  }
  q.finalize();
  connection.execute("commit transaction;");
  connection.close();
}

void EntryType::indexRepresentations(const EntryName& entry) {
  for (const DString& valid : entry.validNames) lookup[lowerCase(valid.value)] = entry.name;
  for (const DString& invalid : entry.invalidNames) lookup[lowerCase(invalid.value)] = entry.name;
}

void EntryType::AddEntryName(const EntryName& entry) {
  entryNames[entry.name] = entry;
  indexRepresentations(entry);
}

void EntryType::loadEntryNames() {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  connection.execute("begin transaction;");
  CppSQLite3Query q = connection.query(std::string("select * from ") + kDictionaryEntryNames +
                                       " where entry_type_id=" + std::to_string(id) + ";");
  entryNames.clear();
  lookup.clear();
  const bool hasGroup = q.hasField(kAuthorityGroupColumn);
  for (; !q.eof(); q.nextRow()) {
    EntryName entry;
    entry.id = q.getInt("id", 0);
    entry.name = q.getString("name", "");
    entry.jurisdiction = q.getInt("jurisdiction", 0);
    entry.created_by = q.getInt("created_by", 0);
    if (hasGroup) entry.group = q.getInt(kAuthorityGroupColumn, kGroupStatute);
    entry.entry_type_id = id;
    entry.FillStrings(connection);
    AddEntryName(entry);
  }
  q.finalize();
  connection.execute("commit transaction;");
  connection.close();
}

void EntryType::FillEntryNames() {
  try {
    loadEntryNames();
  } catch (const CppSQLite3Exception& error) {
    showExceptionText(error, "Database error");
  } catch (const std::exception& error) {
    showExceptionText(error, "Database error");
  }
}

bool EntryType::SaveNamesToDatabase() const {
  return internal::replaceRows(
      {sqlFormat("delete from %s where name_id in (select id from %s where entry_type_id=%d);",
                 kDictionaryStrings, kDictionaryEntryNames, id),
       sqlFormat("delete from %s where entry_type_id=%d;", kDictionaryEntryNames, id)},
      [this](CppSQLite3DB& connection) {
        // A database from before the groups has no column to keep them in;
        // everything else is saved as usual.
        const bool withGroup = connection.query(sqlFormat("select * from %s limit 0;", kDictionaryEntryNames))
                                   .hasField(kAuthorityGroupColumn);
        for (const auto& [entryName, entry] : entryNames) {
          if (entry.InsertToDatabase(connection, withGroup) != 0) {
            throw std::runtime_error("There was a problem saving strings to the database.");
          }
        }
      },
      {.message = "", .caption = "Database error"});
}

const std::string& EntryType::ToString(bool useCache) {
  if (useCache && !serialCache.empty()) return serialCache;
  std::string text;
  int k = 0;
  for (const auto& [entryName, entry] : entryNames) text += entry.ToString(k++);
  text += '~';
  serialCache = std::move(text);
  ++serialGeneration_;
  return serialCache;
}

namespace {

// The serialised text is full of "|", which makes a plain find() compare at
// almost every position; the C library's memmem costs a fraction of that on
// the word-by-word probing of a whole document.
bool containsText(const std::string& text, std::string_view probe) {
  return ::memmem(text.data(), text.size(), probe.data(), probe.size()) != nullptr;
}

}  // namespace

bool EntryType::ContainsEntryWithName(std::string_view word) {
  if (plainDictionarySearch()) return containsBySearch(word);
  const std::string& text = ToString(true);
  // The size check also catches a cache assigned directly instead of rebuilt.
  if (indexedGeneration_ != serialGeneration_ || nameIndex_.text().size() != text.size()) {
    nameIndex_ = NameIndex(text);
    indexedGeneration_ = serialGeneration_;
  }
  return nameIndex_.containsAfterBars(word);
}

bool EntryType::containsBySearch(std::string_view word) {
  const std::string& text = ToString(true);
  // Names and valid forms stand after "|||", invalid forms after "||". Every
  // "|||" + word also contains "||" + word, so the two-bar search alone gives
  // the answer of asking for names and valid forms first.
  std::string probe = "||";
  probe += word;
  return containsText(text, probe);
}

const EntryName* EntryType::GetNameThatContains(std::string_view word) const {
  const auto owner = lookup.find(lowerCase(word));
  if (owner == lookup.end()) return nullptr;
  const auto entry = entryNames.find(owner->second);
  return entry == entryNames.end() ? nullptr : &entry->second;
}

}  // namespace db
