// Parses and checks the dictionary's tab-separated source files.
#include "source_tables.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "db/table_names.h"

namespace generator {
namespace {

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

// The data rows of a file: comment lines and the header line skipped.
bool readRows(const std::string& path, std::vector<std::vector<std::string>>& rows,
              std::vector<std::string>& errors) {
  std::ifstream in(path);
  if (!in) {
    errors.push_back(path + ": cannot be read");
    return false;
  }
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      header = false;
      continue;
    }
    rows.push_back(splitTabs(line));
  }
  return true;
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

void checkText(const std::string& text, const std::string& where, std::vector<std::string>& errors) {
  if (text.empty()) {
    errors.push_back(where + ": empty text");
    return;
  }
  if (text.find_first_of("\"|~") != std::string::npos) {
    errors.push_back(where + ": \"" + text + "\" contains a double quote, bar or tilde");
  }
  if (text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string::npos) {
    errors.push_back(where + ": \"" + text + "\" has stray blanks");
  }
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7E) {
      errors.push_back(where + ": \"" + text + "\" is not plain printable ASCII");
      break;
    }
  }
}

// The group named by text, or -2 for a text that names none.
int groupValue(const std::string& text) {
  for (int group = 0; group < db::kAuthorityGroupCount; ++group) {
    if (text == db::kAuthorityGroupNames[group]) return group;
  }
  return -2;
}

}  // namespace

std::vector<std::string> splitList(const std::string& text) {
  std::vector<std::string> items;
  if (text.empty()) return items;
  std::size_t start = 0;
  const std::string separator = " | ";
  while (true) {
    const std::size_t found = text.find(separator, start);
    items.push_back(text.substr(start, found == std::string::npos ? std::string::npos : found - start));
    if (found == std::string::npos) break;
    start = found + separator.size();
  }
  return items;
}

Sources readSources(const std::string& dictionaryDir, std::vector<std::string>& errors) {
  Sources sources;
  std::vector<std::vector<std::string>> typeRows;
  readRows(dictionaryDir + "/entry_types.tsv", typeRows, errors);
  for (const auto& row : typeRows) {
    if (row.size() < 2) {
      errors.push_back("entry_types.tsv: a row needs an id and a name");
      continue;
    }
    SourceType type;
    type.id = std::atoi(row[0].c_str());
    type.name = row[1];
    if (row.size() > 2) {
      std::istringstream files(row[2]);
      for (std::string file; files >> file;) type.files.push_back(file);
    }
    for (const std::string& file : type.files) {
      std::vector<std::vector<std::string>> rows;
      if (!readRows(dictionaryDir + "/" + file, rows, errors)) continue;
      for (const auto& fields : rows) {
        // The fifth field, the group, belongs to codes and numbered runs.
        if (fields.size() != 4 && fields.size() != 5) {
          errors.push_back(file + ": a row needs 4 or 5 fields: " + fields[0]);
          continue;
        }
        SourceEntry entry;
        entry.name = fields[0];
        entry.jurisdiction = fields[1] == "0" ? 0 : fields[1] == "1" ? 1 : -1;
        entry.valid = splitList(fields[2]);
        entry.invalid = splitList(fields[3]);
        if (fields.size() == 5) entry.group = groupValue(fields[4]);
        entry.file = file;
        type.entries.push_back(std::move(entry));
      }
    }
    sources.types.push_back(std::move(type));
  }
  std::vector<std::vector<std::string>> abbreviationRows;
  readRows(dictionaryDir + "/abbreviations.tsv", abbreviationRows, errors);
  for (const auto& fields : abbreviationRows) {
    SourceAbbreviation abbreviation;
    abbreviation.name = fields[0];
    if (fields.size() > 1) abbreviation.longForms = splitList(fields[1]);
    sources.abbreviations.push_back(std::move(abbreviation));
  }
  return sources;
}

void checkSources(const Sources& sources, std::vector<std::string>& errors) {
  std::set<int> typeIds;
  for (const SourceType& type : sources.types) {
    if (!typeIds.insert(type.id).second) {
      errors.push_back("entry type " + std::to_string(type.id) + " is listed twice");
    }
    checkText(type.name, "entry type " + std::to_string(type.id), errors);
    if (type.name.find('\'') != std::string::npos) {
      errors.push_back("entry type names are quoted with ': " + type.name);
    }
    std::map<std::string, std::string> owners;  // lower-cased form -> entry name
    std::set<std::string> names;
    for (const SourceEntry& entry : type.entries) {
      const std::string where = entry.file + ": " + entry.name;
      if (!names.insert(entry.name).second) errors.push_back(where + ": name appears twice");
      if (entry.jurisdiction < 0) errors.push_back(where + ": jurisdiction must be 0 or 1");
      const bool grouped = type.id == 2 || type.id == 7;
      if (grouped && entry.group < 0) errors.push_back(where + ": needs a group (statute, constitution, rule, ...)");
      if (!grouped && entry.group != -1) errors.push_back(where + ": only codes and numbered runs have a group");
      std::set<std::string> own;
      std::vector<std::string> forms{entry.name};
      forms.insert(forms.end(), entry.valid.begin(), entry.valid.end());
      forms.insert(forms.end(), entry.invalid.begin(), entry.invalid.end());
      for (const std::string& form : forms) {
        checkText(form, where, errors);
        const std::string key = lower(form);
        if (!own.insert(key).second) {
          errors.push_back(where + ": form \"" + form + "\" repeated");
          continue;
        }
        const auto [it, added] = owners.emplace(key, entry.name);
        if (!added) {
          errors.push_back(where + ": \"" + form + "\" is also a form of " + it->second);
        }
      }
    }
  }
  std::set<std::string> abbreviationNames;
  for (const SourceAbbreviation& abbreviation : sources.abbreviations) {
    checkText(abbreviation.name, "abbreviations.tsv", errors);
    if (!abbreviationNames.insert(abbreviation.name).second) {
      errors.push_back("abbreviations.tsv: " + abbreviation.name + " appears twice");
    }
    for (const std::string& longForm : abbreviation.longForms) {
      checkText(longForm, "abbreviations.tsv: " + abbreviation.name, errors);
    }
  }
}

}  // namespace generator
