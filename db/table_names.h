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

// authority_group of entry names of types 2 and 7: which part of the table
// their citations go to when the option set's category list asks for it. The
// column's default, statute, is also what a database older than the column
// gives every name.
enum AuthorityGroup : int {
  kGroupStatute = 0,
  kGroupConstitution = 1,
  kGroupRule = 2,        // court rules, rules of evidence and procedure
  kGroupRegulation = 3,  // C.F.R., Fed. Reg., state administrative codes
  kGroupGuideline = 4,   // sentencing guidelines
};
inline constexpr int kAuthorityGroupCount = 5;
inline constexpr const char* kAuthorityGroupColumn = "authority_group";
// The names of the groups by value, as the data files and lexorda-cite write them.
inline constexpr const char* kAuthorityGroupNames[kAuthorityGroupCount] = {"statute", "constitution", "rule",
                                                                           "regulation", "guideline"};

}  // namespace db
