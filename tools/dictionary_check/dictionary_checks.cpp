// Counts a dictionary and checks it against the rules the recogniser relies on.
#include "tools/dictionary_check/dictionary_checks.h"

#include <map>

#include "db/text.h"
#include "tools/dictionary_check/matcher_probe.h"

namespace tools {
namespace {

// The walk starts a citation only at a token that, after "(", digits and "-",
// begins with a capital letter.
bool passesCapitalTest(const std::string& text) {
  for (char c : text) {
    if (c == '(' || c == '-' || (c >= '0' && c <= '9')) continue;
    return c >= 'A' && c <= 'Z';
  }
  return false;
}

std::string describe(std::int32_t typeId, const std::string& name) {
  return "type " + std::to_string(typeId) + " \"" + name + "\"";
}

void checkCharacters(std::int32_t typeId, const db::EntryName& entry, std::vector<std::string>& problems) {
  std::vector<std::string> texts{entry.name};
  for (const auto& text : entry.validNames) texts.push_back(text.value);
  for (const auto& text : entry.invalidNames) texts.push_back(text.value);
  for (const std::string& text : texts) {
    if (text.find('"') != std::string::npos) {
      problems.push_back(describe(typeId, entry.name) + ": \"" + text + "\" contains a double quote");
    }
    if (text.find_first_of("|~") != std::string::npos) {
      problems.push_back(describe(typeId, entry.name) + ": \"" + text + "\" contains a bar or tilde");
    }
  }
}

// Probes the name followed by a page-like number, as it stands in a citation.
void checkReachable(std::int32_t typeId, const db::EntryName& entry, db::EntryTypeCollection& dictionary,
                    std::vector<std::string>& problems) {
  const std::vector<ProbeToken> tokens = probeTokens(entry.name + " 123");
  const int nameTokens = static_cast<int>(probeTokens(entry.name).size());
  const bool history = typeId == db::kEntryTypeHistoryPhrases;
  const ProbeMatch match =
      history ? probeHistoryPhrase(tokens, dictionary) : probeDictionaryName(tokens, dictionary);
  if (match.entry == nullptr) {
    problems.push_back(describe(typeId, entry.name) + ": not found by the matcher from its own name");
  } else if (match.typeId != typeId || match.entry->name != entry.name || match.covered != nameTokens) {
    problems.push_back(describe(typeId, entry.name) + ": the matcher finds " +
                       describe(match.typeId, match.entry->name) + " instead");
  }
  if (!history && !passesCapitalTest(entry.name)) {
    problems.push_back(describe(typeId, entry.name) + ": does not start with a capital letter");
  }
}

}  // namespace

std::vector<TypeCounts> countEntries(const db::EntryTypeCollection& dictionary) {
  std::vector<TypeCounts> counts;
  for (const db::EntryType& type : dictionary.types()) {
    TypeCounts row;
    row.typeId = type.id;
    row.name = type.name;
    row.entries = type.entryNames.size();
    for (const auto& [name, entry] : type.entryNames) {
      row.validRepresentations += entry.validNames.size();
      row.invalidRepresentations += entry.invalidNames.size();
    }
    counts.push_back(row);
  }
  return counts;
}

AbbreviationCounts countAbbreviations(const db::AbbreviationCollection& abbreviations) {
  AbbreviationCounts counts;
  for (const auto& [name, abbreviation] : abbreviations.abbreviations) {
    ++counts.abbreviations;
    const std::size_t forms = abbreviation.longForms.size();
    if (forms == 0) {
      ++counts.withoutLongForm;
    } else if (forms == 1) {
      ++counts.withOneLongForm;
    } else {
      ++counts.withSeveralLongForms;
    }
  }
  return counts;
}

std::vector<std::string> checkDictionary(db::EntryTypeCollection& dictionary) {
  std::vector<std::string> problems;
  for (db::EntryType& type : dictionary.types()) {
    std::map<std::string, std::string> owners;  // lower-cased representation -> entry
    for (const auto& [name, entry] : type.entryNames) {
      checkCharacters(type.id, entry, problems);
      std::vector<std::string> forms;
      for (const auto& text : entry.validNames) forms.push_back(text.value);
      for (const auto& text : entry.invalidNames) forms.push_back(text.value);
      for (const std::string& form : forms) {
        const auto [it, added] = owners.emplace(db::lowerCase(form), entry.name);
        if (!added && it->second != entry.name) {
          problems.push_back(describe(type.id, entry.name) + ": representation \"" + form +
                             "\" is also one of \"" + it->second + "\"");
        }
      }
    }
    // Journals are looked up only by the article reader, after a volume,
    // never by the walk's matcher that checkReachable asks.
    if (type.id == db::kEntryTypeJournals) continue;
    for (const auto& [name, entry] : type.entryNames) checkReachable(type.id, entry, dictionary, problems);
  }
  return problems;
}

std::vector<std::string> checkAbbreviations(const db::AbbreviationCollection& abbreviations) {
  std::vector<std::string> problems;
  for (const auto& [name, abbreviation] : abbreviations.abbreviations) {
    std::vector<std::string> texts{name};
    for (const auto& form : abbreviation.longForms) texts.push_back(form.value);
    for (const std::string& text : texts) {
      if (text.find('"') != std::string::npos) {
        problems.push_back("abbreviation \"" + name + "\": \"" + text + "\" contains a double quote");
      }
    }
  }
  return problems;
}

}  // namespace tools
