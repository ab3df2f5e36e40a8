// One authority name of the dictionary (a reporter, code, rule or history
// phrase) with the forms in which a document may write it. In: rows of
// DictionaryEntryNames and DictionaryStrings. Out: the record, its serialised
// text, and rows inserted back.
//
// Errors: the loads (constructors from an id or name, FillStrings) throw
// CppSQLite3Exception, or std::runtime_error "Tried to fill strings of
// EntryName without specifying name or Id." when the entry has neither.
// InsertToDatabase shows each failed insert itself and goes on; ToString never
// throws.
#pragma once

#include <cstdint>
#include <string>

#include "db/string_list.h"
#include "db/table_names.h"

namespace db {

class CppSQLite3DB;

struct EntryName {
  std::int32_t id = -1;             // row id; -1 while not stored
  std::int32_t entry_type_id = -1;  // the owning entry type
  std::int32_t jurisdiction = 0;    // 0 federal, 1 state
  std::int32_t dictionary_id = 0;
  std::int32_t created_by = 0;      // 0 shipped, 1 added by the user
  std::int32_t group = kGroupStatute;  // AuthorityGroup; types 2 and 7 only
  std::string name;
  StringList validNames;    // name_type 1
  StringList invalidNames;  // name_type 2

  EntryName() = default;
  // Both fill the representations on a connection of their own.
  explicit EntryName(std::int32_t rowId);
  explicit EntryName(std::string entryName);

  // Appends the stored representations: by id when set, else by name.
  // Type-2 rows go to invalidNames, every other row to validNames.
  void FillStrings(CppSQLite3DB& connection);
  // The same on a connection opened on databasePath() and closed again.
  void FillStrings();

  // Inserts the entry row and then each representation, inside the caller's
  // transaction. Returns 1 when an insert changed no row, else 0; an insert
  // that throws is reported ("Could not store valid entry name string" /
  // "Could not store invalid entry name string") and skipped. withGroup false
  // leaves the group out, for a database from before the authority_group
  // column.
  int InsertToDatabase(CppSQLite3DB& connection, bool withGroup = true) const;

  // The lower-cased serialised text of this entry numbered k:
  // "~k||||name~0|||valid...~0||invalid..."; k == -1 writes "~||||name".
  std::string ToString(int k) const;

  bool operator==(const EntryName&) const = default;
};

}  // namespace db
