// Implements the shared byte-string functions on std::string_view.
#include "db/text.h"

#include <cctype>

namespace db {

void splitString(std::string_view text, std::string_view separator, bool keepEmpty,
                 std::vector<std::string>& pieces) {
  if (separator.empty()) {
    if (!text.empty() || keepEmpty) pieces.emplace_back(text);
    return;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t found = text.find(separator, start);
    const std::size_t end = found == std::string_view::npos ? text.size() : found;
    if (end > start || keepEmpty) pieces.emplace_back(text.substr(start, end - start));
    if (found == std::string_view::npos) break;
    start = found + separator.size();
  }
}

std::string lowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::string stripTrailing(std::string_view text, bool withPeriod) {
  std::size_t end = text.size();
  while (end > 0) {
    const char c = text[end - 1];
    if (c == ',' || c == ';' || c == ':' || (withPeriod && c == '.')) {
      --end;
    } else {
      break;
    }
  }
  return std::string(text.substr(0, end));
}

std::string stripTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end));
}

std::string stripBrackets(std::string_view text) {
  if (!text.empty() && text.front() == '(') text.remove_prefix(1);
  if (!text.empty() && text.back() == ')') text.remove_suffix(1);
  return std::string(text);
}

bool isPunctuationOnly(std::string_view text) {
  for (char c : text) {
    if (c != '.' && c != ',' && c != ';') return false;
  }
  return true;
}

bool isDecimalNumber(std::string_view text) {
  if (text.empty()) return false;
  int periods = 0;
  bool digit = false;
  for (char c : text) {
    if (c == '.') {
      if (++periods > 1) return false;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace db
