// Reads `[ROOT\path]` sections and `"name"="value"` lines of a registry file.
#include "quillon/tools/registry_listing.h"

#include <strings.h>

#include <fstream>

namespace quillon::tools {
namespace {

// Reads a quoted text starting at text[at] == '"'; moves at past the closing
// quote. nullopt when the quotes do not close.
std::optional<std::string> readQuoted(const std::string& text, std::size_t& at) {
  if (at >= text.size() || text[at] != '"') return std::nullopt;
  std::string out;
  for (++at; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') {
      ++at;
      return out;
    }
    if (c == '\\' && at + 1 < text.size()) ++at;
    out += text[at];
  }
  return std::nullopt;
}

std::optional<RegistryValue> parseValueLine(const std::string& line) {
  std::size_t at = 0;
  auto name = readQuoted(line, at);
  if (!name || at >= line.size() || line[at] != '=') return std::nullopt;
  ++at;
  auto value = readQuoted(line, at);
  if (!value) return std::nullopt;
  return RegistryValue{std::move(*name), std::move(*value)};
}

bool sameKey(const std::string& section, const std::string& wanted) {
  return strcasecmp(section.c_str(), wanted.c_str()) == 0;
}

}  // namespace

std::optional<std::vector<RegistryValue>> listRegistryValues(const std::string& file,
                                                             const RegistryPath& key) {
  std::ifstream in(file);
  const std::string wanted = fullKeyName(key);
  std::optional<std::vector<RegistryValue>> values;
  bool inKey = false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[' && line.back() == ']') {
      std::string section = line.substr(1, line.size() - 2);
      while (!section.empty() && section.back() == '\\') section.pop_back();
      inKey = sameKey(section, wanted);
      if (inKey && !values) values.emplace();
      continue;
    }
    if (!inKey) continue;
    if (auto value = parseValueLine(line)) values->push_back(std::move(*value));
  }
  return values;
}

}  // namespace quillon::tools
