// All abbreviations of one dictionary. In: DictionaryAbbreviations rows of a
// dictionary id (always 0). Out: the abbreviations by name, and the whole set
// written back.
//
// Errors: Fill throws std::runtime_error only when no dictionary id is set;
// every other failure of Fill and SaveToDatabase is shown in a message box
// (caption "Database Error") and reported by the return value.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "db/abbreviation.h"

namespace db {

class AbbreviationCollection {
 public:
  std::int32_t dictionaryId = -1;
  std::map<std::string, Abbreviation> abbreviations;  // by exact name

  AbbreviationCollection() = default;
  // Stores the id and calls Fill.
  explicit AbbreviationCollection(std::int32_t dictionary);
  AbbreviationCollection(const AbbreviationCollection&) = default;
  AbbreviationCollection& operator=(const AbbreviationCollection&) = default;
  virtual ~AbbreviationCollection() = default;

  // Loads every abbreviation of dictionaryId with its long forms. Returns 0,
  // the SQLite code after a database error, or -1 after another error; what
  // was loaded before the error stays.
  int Fill();
  // Replaces every stored abbreviation and long form by this collection in
  // one transaction; false (after a message and a rollback) on failure.
  bool SaveToDatabase() const;

  // The abbreviation named exactly name, or null.
  const Abbreviation* find(const std::string& name) const;
};

}  // namespace db
