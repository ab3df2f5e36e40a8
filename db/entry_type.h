// One kind of dictionary entry (reporters, codes, history phrases, ...) with
// all its entry names. In: the rows of one DictionaryEntryTypes id. Out: the
// entries, the lower-cased serialised text the recogniser probes, and whole
// representations looked up by text.
//
// Errors: by operation, below. Loads throw; the two the user's operations
// call (FillEntryNames, SaveNamesToDatabase) show their failure in a message
// box (caption "Database error") instead and do not throw it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "db/entry_name.h"
#include "db/name_index.h"

namespace db {

class EntryType {
 public:
  std::int32_t id = -1;
  std::string name;  // display name
  // Entries by exact name (byte order).
  std::map<std::string, EntryName> entryNames;
  // Lower-cased text of every valid and invalid representation -> the name
  // (key of entryNames) of the entry that owns it; a later entry wins.
  std::map<std::string, std::string> lookup;
  // The last result of ToString; never invalidated by itself. Rebuild it with
  // ToString(false) after changing the entries: the prefix index follows it.
  std::string serialCache;

  EntryType() = default;
  // Both call FillProperties (not FillEntryNames), with its errors.
  explicit EntryType(std::int32_t typeId);
  explicit EntryType(std::string typeName);

  // Fills id and name from DictionaryEntryTypes, by id when set, else by name.
  // Errors: throws CppSQLite3Exception, or std::runtime_error with "Tried to
  // fill properties of an entry type but no Id or Name was present" or
  // "Could not find EntryType with id" (also for a name that is not there).
  void FillProperties();
  // Replaces entryNames and lookup by the stored entries of this type and
  // their representations; what was loaded before an error stays.
  // Errors: throws CppSQLite3Exception (or std::runtime_error from
  // EntryName::FillStrings).
  void loadEntryNames();
  // loadEntryNames() for the user's operations.
  // Errors: never throws: a failure is shown as the exception's text alone
  // (caption "Database error").
  void FillEntryNames();
  // Replaces the stored entries of this type by entryNames in one
  // transaction. Returns true when committed.
  // Errors: never throws for a failed save: the exception's text is shown
  // alone (caption "Database error"), the save rolled back and false
  // returned. A representation whose insert fails is shown as
  // EntryName::InsertToDatabase says and the save goes on.
  bool SaveNamesToDatabase() const;

  // Serialised text: every entry's ToString(k), k from 0 in name order, then
  // "~". With useCache a non-empty serialCache is returned as it is;
  // otherwise the text is rebuilt and cached.
  const std::string& ToString(bool useCache);

  // True when some entry name or representation begins with word, which must
  // be lower case already. A word ending in "~" asks for a whole item.
  // Example: with "F.2d" stored, "f." and "f.2d~" are true, "F." is false.
  // Answered from a prefix index of the cached text, built on first use and
  // again after every rebuild of the text; with plainDictionarySearch() on,
  // by scanning the text. Both give the same answer for every word.
  bool ContainsEntryWithName(std::string_view word);
  // The scan alone, whatever the process-wide switch says.
  bool containsBySearch(std::string_view word);
  // The entry one of whose representations equals word lower-cased, or null.
  // Despite the name it tests equality, not containment.
  const EntryName* GetNameThatContains(std::string_view word) const;

  // Adds (or replaces) an entry and indexes its representations; for
  // builders of types outside the database (editor, tests).
  void AddEntryName(const EntryName& entry);

 private:
  void indexRepresentations(const EntryName& entry);

  NameIndex nameIndex_;
  std::uint64_t serialGeneration_ = 0;   // grows with every rebuild of serialCache
  std::uint64_t indexedGeneration_ = 0;  // the generation nameIndex_ was built from
};

}  // namespace db
