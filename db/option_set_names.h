// The list of option sets that the main dialog offers. In: names the user
// types and the position of the chosen one. Out: rows of the OptionSet table
// and the Settings row that remembers the choice.
//
// Each call opens its own connection on databasePath() and closes it before
// it returns. Names travel as bound parameters, so a name with '"' or "'" is
// stored exactly as typed.
//
// Errors: every database failure throws CppSQLite3Exception; an empty OptionSet
// table makes loadOptionSetNames throw std::runtime_error with the text
// kNoOptionSetsMessage. Callers decide what to show.
#pragma once

#include <string>
#include <vector>

namespace db {

inline constexpr const char* kNoOptionSetsMessage = "Could not find any option sets to load.";

// Every option set's name in table order (NULL reads as the empty text).
// Example: loadOptionSetNames() == {"Default"} on the shipped database.
std::vector<std::string> loadOptionSetNames();

// The stored position of the chosen set in the dialog's sorted list (0 when
// the column is NULL or the Settings row 1 is missing). It is a position,
// not an id, and may lie beyond the list.
int storedOptionSetSelection();

// Stores the position (-1 for none) in Settings row 1.
void storeOptionSetSelection(int position);

// Inserts a set with this name and returns the number of rows inserted.
int insertOptionSetName(const std::string& name);

// Deletes every set with exactly this name and returns the number deleted.
int deleteOptionSetName(const std::string& name);

}  // namespace db
