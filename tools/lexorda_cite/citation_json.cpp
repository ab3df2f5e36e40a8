// Renders a citation table as JSON. In: citations with texts in the host's
// character set. Out: compact UTF-8 JSON in table order.
#include "tools/lexorda_cite/citation_json.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "table/host_charset.h"

namespace lexorda_cite {
namespace {

using table::appendUtf8;

constexpr char32_t kReplacement = 0xFFFD;

std::string tokenText(const recognize::Token& token) {
  if (token.isBlank() || token.isHardSpace()) return " ";
  if (token.isSpecial()) {
    std::string out;
    if (token.text.size() != 2) {
      appendUtf8(out, kReplacement);
      return out;
    }
    const auto set = static_cast<std::uint8_t>(token.text[0]);
    const auto number = static_cast<std::uint8_t>(token.text[1]);
    appendUtf8(out, table::hostCharacterToUnicode(set, number).value_or(kReplacement));
    return out;
  }
  return hostBytesToUtf8(token.text);
}

template <typename T>
T at(const std::vector<T>& list, std::size_t i, T missing) {
  return i < list.size() ? list[i] : missing;
}

std::string intArray(const std::vector<int>& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += ",";
    out += std::to_string(values[i]);
  }
  return out + "]";
}

}  // namespace

std::string hostBytesToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    appendUtf8(out, table::cp1252ToUnicode(static_cast<std::uint8_t>(c)).value_or(kReplacement));
  }
  return out;
}

std::string tokensText(const recognize::TokenList& tokens) {
  std::string out;
  for (const recognize::Token& token : tokens) out += tokenText(token);
  return out;
}

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

std::string citationsJson(const recognize::CitationTable& table, std::optional<std::size_t> damagedAt) {
  std::string out = "{\"citations\":[";
  bool firstCitation = true;
  for (const auto& owned : table.citations) {
    if (!owned) continue;
    const recognize::Citation& citation = *owned;
    if (!firstCitation) out += ",";
    firstCitation = false;
    out += "{\"kind\":" + std::to_string(citation.kind);
    out += ",\"jurisdiction\":" + std::to_string(citation.jurisdiction);
    if (citation.kind == recognize::kDictionaryAuthority && citation.group >= 0 &&
        citation.group < db::kAuthorityGroupCount)
      out += ",\"authorityGroup\":" + jsonString(db::kAuthorityGroupNames[citation.group]);
    out += ",\"entryName\":" + jsonString(hostBytesToUtf8(citation.entryName));
    out += ",\"key\":" + jsonString(hostBytesToUtf8(citation.key));
    out += ",\"shortName\":" + jsonString(hostBytesToUtf8(citation.shortName));
    out += ",\"text\":" + jsonString(tokensText(citation.tokens));
    out += ",\"pages\":" + intArray(citation.pages);
    out += ",\"occurrences\":[";
    for (std::size_t i = 0; i < citation.occurrencePages.size(); ++i) {
      if (i > 0) out += ",";
      out += "{\"page\":" + std::to_string(citation.occurrencePages[i]);
      out += ",\"physicalPage\":" + std::to_string(at(citation.physicalPages, i, 0));
      out += ",\"id\":" + std::to_string(at(citation.ids, i, 0));
      out += ",\"note\":" + std::to_string(at(citation.noteNumbers, i, 0));
      const std::string group = i < citation.occurrenceGroups.size() ? tokensText(citation.occurrenceGroups[i]) : "";
      out += ",\"group\":" + jsonString(group) + "}";
    }
    out += "]}";
  }
  out += "]";
  if (damagedAt) out += ",\"damaged\":true,\"damagedAt\":" + std::to_string(*damagedAt);
  return out + "}";
}

}  // namespace lexorda_cite
