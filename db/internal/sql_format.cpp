// Formats SQL texts with vsnprintf, sized in two passes so that no value is
// ever cut.
#include "db/internal/sql_format.h"

#include <cstdarg>
#include <cstdio>

namespace db::internal {

std::string sqlFormat(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, pattern, args);
  va_end(args);
  std::string text;
  if (needed > 0) {
    text.resize(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(text.data(), text.size(), pattern, copy);
    text.resize(static_cast<std::size_t>(needed));
  }
  va_end(copy);
  return text;
}

}  // namespace db::internal
