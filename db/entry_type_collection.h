// The whole dictionary as the recogniser asks it. In: the database's entry
// types 1, 3, 2, 7, 8 (authority names, searched in that order), 6
// (history phrases) and 9 (journals, asked only by the article reader). Out: which type a word begins, and the entry that a
// whole representation names.
//
// Errors: by operation, below; the lookups never throw.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "db/entry_type.h"

namespace db {

// Entry type ids with a fixed meaning.
inline constexpr std::int32_t kEntryTypeReporters = 1;
inline constexpr std::int32_t kEntryTypeCodes = 2;
inline constexpr std::int32_t kEntryTypeCaseSources = 3;
inline constexpr std::int32_t kEntryTypeHistoryPhrases = 6;
inline constexpr std::int32_t kEntryTypeNumberedRuns = 7;
inline constexpr std::int32_t kEntryTypeNumberedAuthorities = 8;
inline constexpr std::int32_t kEntryTypeJournals = 9;

// Member order; the first five are searched in this order.
inline constexpr std::array<std::int32_t, 7> kCollectionTypeIds = {1, 3, 2, 7, 8, 6, 9};

class EntryTypeCollection {
 public:
  // Seven empty entry types.
  EntryTypeCollection() = default;

  // Sets the ids 1, 3, 2, 7, 8, 6, 9 and loads each type's properties and entry
  // names in that order. A database made before the journals existed has no
  // type 9: it loads as an empty type, so that no article is recognised.
  // Errors: throws what EntryType::FillProperties throws (a missing entry
  // type, a locked or damaged file); a failing load of entry names is shown
  // by FillEntryNames, leaves a partial type and the loading goes on.
  void LoadEntryTypes();
  // The same for callers that show nothing themselves (tools): entry names
  // are loaded with loadEntryNames.
  // Errors: throws CppSQLite3Exception or std::runtime_error at the first
  // failure; shows nothing.
  void loadEntryTypesOrThrow();

  // The id of the first type among 1, 3, 2, 7, 8 that some item begins with
  // word (lower case), else -1. History phrases are never searched here.
  // Example: findWordInString("f.2d~") == 1 when "F.2d" is a reporter.
  std::int32_t findWordInString(std::string_view word);
  // The entry of type typeId (1, 3, 2, 7 or 8) with word as a whole
  // representation; null for other type ids or when there is none.
  const EntryName* getEntryName(std::string_view word, std::int32_t typeId) const;
  // The same two questions for the history phrases (type 6).
  bool findWordInHistoryPhrasesString(std::string_view word);
  const EntryName* getHistoryPhraseEntryName(std::string_view word) const;

  // The entry that a reporter written in some other spacing or without its
  // periods names: the written form and every representation of types 1, 3,
  // 2, 7 and 8 compared lower-cased with blanks and periods left out, so that
  // "N. Y. S. 2d", "NYS2d" and "N.Y.S. 2d" all name N.Y.S.2d. Null when no
  // representation compares equal, or when representations of two entries do
  // (unknown beats wrong); typeId receives the entry's type. Built on first
  // use from the entries loaded then; a load clears it.
  // Example: findWrittenForm("F Supp 2d", t) -> "F. Supp. 2d", t == 1.
  const EntryName* findWrittenForm(std::string_view written, std::int32_t& typeId);

  // The member with this id (one of kCollectionTypeIds), or null.
  EntryType* type(std::int32_t typeId);
  const EntryType* type(std::int32_t typeId) const;
  std::array<EntryType, 7>& types() { return types_; }
  const std::array<EntryType, 7>& types() const { return types_; }

 private:
  void load(void (EntryType::*loadNames)());

  std::array<EntryType, 7> types_;
  // Squeezed representation -> (type id, entry name); an empty name marks a
  // form that two entries share.
  std::unordered_map<std::string, std::pair<std::int32_t, std::string>> writtenForms_;
};

}  // namespace db
