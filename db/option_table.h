// One option set's row of one option table, held generically. In: the row of
// OptionSetContent, OptionSetFormat or OptionSetSort for a set id. Out: named
// integer, float and text values, and the UPDATE that writes them back.
//
// Errors: by operation, below.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace db {

struct Category {
  std::int32_t id = 0;
  std::string name;
  bool operator==(const Category&) const = default;
};

struct OptionTable {
  // Subscripting a missing key inserts 0, 0.0 or "", which is how a key the
  // table lacks reads; such a key is then written back on save.
  std::map<std::string, std::int32_t> intValues;
  std::map<std::string, float> floatValues;
  std::map<std::string, std::string> textValues;
  std::int32_t optionSetId = -1;
  std::string tableName;

  // Const reads by key: a key the table lacks reads as 0, 0.0 or "" and is
  // not inserted.
  std::int32_t intOption(const std::string& key) const;
  float floatOption(const std::string& key) const;
  std::string textOption(const std::string& key) const;

  // Loads the set's row of tableName, creating it from the column defaults
  // when missing; each column goes to the map of its stored value's class.
  // Errors: throws std::runtime_error "Cannot fill table without specifying
  // valid Id" for a negative id and "Unknown column datatype discovered:
  // <column>" for a NULL or blob value (later columns unread), both unshown.
  // A CppSQLite3Exception is shown first (its text alone, caption "Database
  // Error") and then thrown on.
  void FillWithTable(std::int32_t setId, const std::string& table);
  // "update <table> set k=v,...,f=1.5,...,t=\"text\" where optionset_id=<id>;"
  // with integers, floats (six significant digits) and texts each in key
  // order. Texts are not escaped. Never throws.
  std::string BuildSaveQuery() const;
  // Runs BuildSaveQuery; the number of rows changed (1).
  // Errors: never throws a database failure: it is shown with reportException
  // ("Could not save the options.", caption "Database error") and 0 returned.
  int SaveToDatabase() const;

  bool operator==(const OptionTable&) const = default;
};

}  // namespace db
