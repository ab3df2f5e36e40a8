// Loads, inserts and serialises one EntryName with its representations.
#include "db/entry_name.h"

#include <stdexcept>
#include <utility>

#include "db/connection.h"
#include "db/error_report.h"
#include "db/internal/sql_format.h"
#include "db/internal/string_rows.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "db/table_names.h"
#include "db/text.h"

namespace db {

using internal::sqlFormat;

EntryName::EntryName(std::int32_t rowId) : id(rowId) { FillStrings(); }

EntryName::EntryName(std::string entryName) : name(std::move(entryName)) { FillStrings(); }

void EntryName::FillStrings() {
  CppSQLite3DB connection;
  openOperationConnection(connection);
  FillStrings(connection);
  connection.close();
}

void EntryName::FillStrings(CppSQLite3DB& connection) {
  std::string sql;
  if (id != -1) {
    sql = sqlFormat("select * from %s where name_id=%d and (name_type=%d or name_type=%d);",
                    kDictionaryStrings, id, kNameTypeInvalid, kNameTypeValid);
  } else if (!name.empty()) {
    sql = sqlFormat(
        "select * from %s where name_id=(select id from %s where name=\"%s\") and "
        "(name_type=%d or name_type=%d);",
        kDictionaryStrings, kDictionaryEntryNames, name.c_str(), kNameTypeInvalid, kNameTypeValid);
  } else {
    throw std::runtime_error("Tried to fill strings of EntryName without specifying name or Id.");
  }
  for (CppSQLite3Query q = connection.query(sql); !q.eof(); q.nextRow()) {
    DString text = internal::stringRow(q);
    if (text.name_type == kNameTypeInvalid) {
      invalidNames.Add(std::move(text));
    } else {
      validNames.Add(std::move(text));
    }
  }
}

int EntryName::InsertToDatabase(CppSQLite3DB& connection, bool withGroup) const {
  try {
    std::string sql = sqlFormat(
        "insert into %s (entry_type_id, name, dictionary_id, created_by, jurisdiction) values "
        "(%d, \"%s\", %d, %d, %d);",
        kDictionaryEntryNames, entry_type_id, name.c_str(), dictionary_id, created_by,
        jurisdiction);
    if (withGroup) {
      sql = sqlFormat(
          "insert into %s (entry_type_id, name, dictionary_id, created_by, jurisdiction, %s) values "
          "(%d, \"%s\", %d, %d, %d, %d);",
          kDictionaryEntryNames, kAuthorityGroupColumn, entry_type_id, name.c_str(), dictionary_id, created_by,
          jurisdiction, group);
    }
    if (connection.execute(sql) == 0) return 1;
  } catch (const CppSQLite3Exception& error) {
    reportException(error, "Could not store valid entry name string", "Database Error");
  }
  const auto insertStrings = [&](const StringList& list, int nameType, const char* message) {
    for (const DString& text : list) {
      try {
        const std::string sql = sqlFormat(
            "insert into %s (name_id, name_type, value, created_by) values ((select id from %s "
            "where name=\"%s\" and entry_type_id=%d), %d, \"%s\", %d);",
            kDictionaryStrings, kDictionaryEntryNames, name.c_str(), entry_type_id, nameType,
            text.data(), text.created_by);
        if (connection.execute(sql) == 0) return false;
      } catch (const CppSQLite3Exception& error) {
        reportException(error, message, "Database Error");
      }
    }
    return true;
  };
  if (!insertStrings(validNames, kNameTypeValid, "Could not store valid entry name string")) {
    return 1;
  }
  if (!insertStrings(invalidNames, kNameTypeInvalid, "Could not store invalid entry name string")) {
    return 1;
  }
  return 0;
}

std::string EntryName::ToString(int k) const {
  std::string text = "~";
  if (k != -1) text += std::to_string(k);
  text += "||||";
  text += name;
  int j = 0;
  for (const DString& valid : validNames) {
    text += '~';
    text += std::to_string(j++);
    text += "|||";
    text += valid.value;
  }
  int i = 0;
  for (const DString& invalid : invalidNames) {
    text += '~';
    text += std::to_string(i++);
    text += "||";
    text += invalid.value;
  }
  return lowerCase(text);
}

}  // namespace db
