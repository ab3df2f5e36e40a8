// All abbreviations of one dictionary. In: DictionaryAbbreviations rows of a
// dictionary id (always 0). Out: the abbreviations by name, and the whole set
// written back.
//
// Errors: by operation, below. The user's loads and saves (Fill,
// SaveToDatabase) show a database failure themselves and report it in their
// result; load() throws instead, for callers that show nothing.
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
  // Stores the id and calls Fill (its errors as Fill's).
  explicit AbbreviationCollection(std::int32_t dictionary);
  AbbreviationCollection(const AbbreviationCollection&) = default;
  AbbreviationCollection& operator=(const AbbreviationCollection&) = default;
  virtual ~AbbreviationCollection() = default;

  // Loads every abbreviation of dictionaryId with its long forms; a later row
  // of the same name replaces an earlier one. What was loaded before an error
  // stays.
  // Errors: throws CppSQLite3Exception, or std::runtime_error when
  // dictionaryId is -1 ("Tried to fill Abbreviation Collection without
  // specifying a valid dictionary Id.").
  void load();
  // load() for the user's operations. Returns 0, the SQLite code after a
  // database error, or -1 after another error.
  // Errors: a missing dictionary id throws as load() does (a program fault,
  // shown by nobody here); every other failure is shown with reportException
  // ("Could not retrieve abbreviations.", caption "Database Error") and
  // returned as above.
  int Fill();
  // Replaces every stored abbreviation and long form of dictionary 0 (the
  // only one) by this collection in one transaction. Returns true when
  // committed.
  // Errors: never throws for a failed save: it is shown with reportException
  // ("Could not save abbreviations.", caption "Database Error"), rolled back,
  // and false returned. Each abbreviation row or long form whose insert fails
  // is shown as InsertToDatabase says and the save goes on.
  bool SaveToDatabase() const;

  // The abbreviation named exactly name, or null. Never throws.
  const Abbreviation* find(const std::string& name) const;

 private:
  void requireDictionaryId() const;
};

}  // namespace db
