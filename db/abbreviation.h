// One abbreviation of case names with its long forms. In: a row of
// DictionaryAbbreviations and its name-type-0 DictionaryStrings rows. Out: the
// record, and rows inserted back.
//
// Errors: FillStrings throws CppSQLite3Exception, or std::runtime_error
// "Tried to retrieve abbreviation strings without specifying a name or Id."
// when the abbreviation has neither. InsertToDatabase shows each failed insert
// itself (reportException, caption "Database Error") and goes on.
#pragma once

#include <cstdint>
#include <string>

#include "db/string_list.h"

namespace db {

class CppSQLite3DB;

struct Abbreviation {
  std::int32_t id = -1;  // row id; -1 while not stored
  std::string name;      // as written, e.g. "Ass'n"
  std::int32_t dictionary_id = 0;
  std::int32_t created_by = 0;  // 0 shipped, 1 added by the user
  StringList longForms;         // in row order; used only when there is exactly one

  // Appends the stored long forms: by id when set, else by name.
  void FillStrings(CppSQLite3DB& connection);

  // Inserts the abbreviation row and then each long form, inside the
  // caller's transaction. Returns 1 when an insert changed no row, else 0; an
  // insert that throws is reported ("Could not store abbreviation string")
  // and skipped.
  int InsertToDatabase(CppSQLite3DB& connection) const;

  bool operator==(const Abbreviation&) const = default;
};

}  // namespace db
