// Turns text into comparisons that ignore ASCII letter case, as the Windows
// services do for atom names, registry key paths and registry value names.
// Bytes outside A-Z/a-z (including UTF-8) compare exactly.
#pragma once

#include <string_view>

namespace platform::internal {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when a and b differ at most in ASCII letter case.
constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// True when text begins with prefix, ignoring ASCII letter case.
constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace platform::internal
