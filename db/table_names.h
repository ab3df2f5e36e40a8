// The names of the database's tables as the statements write them.
#pragma once

namespace db {

inline constexpr const char* kDictionaryEntryTypes = "DictionaryEntryTypes";
inline constexpr const char* kDictionaryEntryNames = "DictionaryEntryNames";
inline constexpr const char* kDictionaryStrings = "DictionaryStrings";
inline constexpr const char* kDictionaryAbbreviations = "DictionaryAbbreviations";
inline constexpr const char* kOptionSet = "OptionSet";
inline constexpr const char* kOptionSetContent = "OptionSetContent";
inline constexpr const char* kOptionSetFormat = "OptionSetFormat";
inline constexpr const char* kOptionSetSort = "OptionSetSort";
inline constexpr const char* kOptionSetCategories = "OptionSetCategories";

// name_type of DictionaryStrings rows.
inline constexpr int kNameTypeLongForm = 0;
inline constexpr int kNameTypeValid = 1;
inline constexpr int kNameTypeInvalid = 2;

// created_by of dictionary rows.
inline constexpr int kCreatedByProduct = 0;
inline constexpr int kCreatedByUser = 1;

// jurisdiction of entry names.
inline constexpr int kJurisdictionFederal = 0;
inline constexpr int kJurisdictionState = 1;

}  // namespace db
