// One named option set: its three option tables and the categories. In: the
// set's optionset row (created when a name is not there yet), its rows of
// OptionSetContent, OptionSetFormat and OptionSetSort, and
// OptionSetCategories. Out: the values the generation and editor code read by
// key (option_keys.h).
//
// Errors: by operation, below.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "db/option_table.h"

namespace db {

// The id of the option set named exactly name, or nullopt when there is none.
// Unlike loading by name it creates nothing.
// Errors: throws CppSQLite3Exception for a database failure; a name holding a
// double quote breaks the statement and throws as well (SQLITE_ERROR), like
// every lookup of a set by name. Shows nothing.
// Example: findOptionSetId("Default") == 1 in the shipped database.
std::optional<std::int32_t> findOptionSetId(const std::string& name);

class OptionCollection {
 public:
  std::int32_t optionSetId = -1;
  std::string name;
  std::map<std::int32_t, Category> categories;  // by category id
  OptionTable content;  // OptionSetContent
  OptionTable format;   // OptionSetFormat
  OptionTable sort;     // OptionSetSort

  OptionCollection() = default;
  // Both call Fill, with its errors.
  explicit OptionCollection(std::int32_t setId);
  explicit OptionCollection(std::string setName);

  // Finds the set (by name when no id is set), then loads the three tables
  // and the categories.
  // Errors: throws std::runtime_error "Tried to fill option collection
  // without supplying identifying information." with neither id nor name;
  // otherwise the errors of the three steps below, so a name that could not
  // be looked up ends in FillTables' "Cannot fill table without specifying
  // valid Id".
  void Fill();
  // Finds the set's optionset row, inserting it when missing, and sets
  // optionSetId and name from it.
  // Errors: never throws a database failure: it is shown with reportException
  // ("Error getting values for option set", caption "Database Error") and
  // optionSetId and name stay as they were.
  void FillPropertiesByName(const std::string& setName);
  // FillWithTable for content, format and sort; errors as FillWithTable's.
  void FillTables();
  // Loads categories from OptionSetCategories.
  // Errors: throws CppSQLite3Exception; shows nothing.
  void FillCategoryInformation();

  bool operator==(const OptionCollection&) const = default;
};

}  // namespace db
