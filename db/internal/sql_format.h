// printf-style formatting of SQL texts for the db module. In: a pattern and
// its values. Out: the text. Values are put in as they stand, unescaped, as
// the stored statements require.
#pragma once

#include <string>

namespace db::internal {

// Example: sqlFormat("select * from %s where name_id=%d;", "DictionaryStrings", 4)
std::string sqlFormat(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace db::internal
