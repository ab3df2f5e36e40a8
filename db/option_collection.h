// One named option set: its three option tables and the categories. In: the
// set's optionset row (created when a name is not there yet), its rows of
// OptionSetContent, OptionSetFormat and OptionSetSort, and
// OptionSetCategories. Out: the values the generation and editor code read by
// key (option_keys.h).
//
// Errors: Fill throws std::runtime_error when the set is not identified or a
// table cannot be loaded, and CppSQLite3Exception from loading categories; a
// failed lookup by name is shown ("Error getting values for option set") and
// leaves the id unset, so the table loads then throw.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "db/option_table.h"

namespace db {

class OptionCollection {
 public:
  std::int32_t optionSetId = -1;
  std::string name;
  std::map<std::int32_t, Category> categories;  // by category id
  OptionTable content;  // OptionSetContent
  OptionTable format;   // OptionSetFormat
  OptionTable sort;     // OptionSetSort

  OptionCollection() = default;
  // Both call Fill.
  explicit OptionCollection(std::int32_t setId);
  explicit OptionCollection(std::string setName);

  // Finds the set (by name when no id is set), then loads the three tables
  // and the categories.
  void Fill();
  // Finds the set's optionset row, inserting it when missing, and sets
  // optionSetId and name from it.
  void FillPropertiesByName(const std::string& setName);
  void FillTables();
  void FillCategoryInformation();

  bool operator==(const OptionCollection&) const = default;
};

}  // namespace db
