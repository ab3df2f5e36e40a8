// Reads the committed text sources of the shipped dictionary. In: the
// tab-separated files under data/dictionary/ ("#" comment lines, one header
// line). Out: entry types with their entries and the abbreviations, plus
// every rule the files break, so that a bad source fails the build.
#pragma once

#include <string>
#include <vector>

namespace generator {

struct SourceEntry {
  std::string name;
  int jurisdiction = 0;
  int group = -1;                    // db::AuthorityGroup; -1 when the row names none
  std::vector<std::string> valid;    // further valid representations; the name comes first
  std::vector<std::string> invalid;
  std::string file;                  // for messages
};

struct SourceType {
  int id = 0;
  std::string name;
  std::vector<std::string> files;
  std::vector<SourceEntry> entries;
};

struct SourceAbbreviation {
  std::string name;
  std::vector<std::string> longForms;
};

struct Sources {
  std::vector<SourceType> types;
  std::vector<SourceAbbreviation> abbreviations;
};

// Reads entry_types.tsv, every file it names and abbreviations.tsv from
// dictionaryDir. Problems (unreadable files, malformed rows) are appended to
// errors.
Sources readSources(const std::string& dictionaryDir, std::vector<std::string>& errors);

// Appends every broken rule: a text with a double quote, bar or tilde, or
// with leading, trailing or doubled blanks; a jurisdiction other than 0 or 1;
// an entry of type 2 or 7 without a known group, or of another type with one;
// two entries of one type with the same name, or sharing a representation
// (ignoring letter case, as the lookup does); a form repeated within an
// entry; two abbreviations with the same name.
void checkSources(const Sources& sources, std::vector<std::string>& errors);

// Splits a " | "-joined list; an empty text is an empty list.
std::vector<std::string> splitList(const std::string& text);

}  // namespace generator
