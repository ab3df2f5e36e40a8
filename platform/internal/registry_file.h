// Turns the text of an exported registry file into sections of named text
// values and back, and answers key-path questions over them. Pure functions:
// no file access, no process-wide state.
//
// Layout accepted:
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Velmor]
//   "name"="value with \\ and \" escaped"
//   @="the key's default value"
//   ; a comment, kept where it stands
// A line that is none of these (another value type, another root, a key
// deletion, stray text) is reported with its number and skipped, and so are
// the values of a key whose name cannot be read; they are kept verbatim where
// they stand, so that a later write does not drop what we could not
// understand. Only a file that lacks the header line is unreadable as a whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform::internal {

inline constexpr std::string_view kRegistryHeader = "Windows Registry Editor Version 5.00";

struct RegistryEntry {
  enum class Kind { Value, Comment };
  Kind kind = Kind::Value;
  std::string name;  // Value: the value name ("" is the default value). Comment: unused.
  std::string text;  // Value: the data. Comment: the whole line, ';' included.
};

struct RegistrySection {
  RegistryRoot root = RegistryRoot::LocalMachine;
  std::string path;  // sub-keys joined by '\', no leading or trailing '\'; "" is the root
  std::vector<RegistryEntry> entries;
  // A key whose name cannot be read: its header and values are kept as
  // Comment entries, written back as they stand and never found by a path.
  bool unreadable = false;
};

struct RegistryProblem {
  int line = 0;  // from 1
  std::string reason;
};

struct RegistryDocument {
  std::vector<std::string> preamble;  // comment and unreadable lines before the first section
  std::vector<RegistrySection> sections;
  std::vector<RegistryProblem> problems;  // lines skipped, in file order; not written back
};

// Parses file text. Sections that name the same key are merged into the first
// (a later value of the same name replaces the earlier one, as on import).
// An empty or blank text is an empty registry. nullopt when the first
// non-blank line is not the header; any other malformed line is a problem.
std::optional<RegistryDocument> parseRegistryText(std::string_view text);

// Formats a document so that parseRegistryText gives it back unchanged.
std::string formatRegistryText(const RegistryDocument& document);

// Returns path without one leading and one trailing '\', or nullopt when it
// has an empty sub-key name ("a\\b") or a character a file line cannot hold.
std::optional<std::string> normalizeKeyPath(std::string_view path);

// True when a name or data can be written on one line of the file.
bool fitsOnOneLine(std::string_view text);

// True when the key has its own section or is a parent of one; a root always
// exists.
bool keyExists(const RegistryDocument& document, RegistryRoot root, std::string_view path);

// Returns the key's own section, or null.
RegistrySection* findSection(RegistryDocument& document, RegistryRoot root, std::string_view path);
const RegistrySection* findSection(const RegistryDocument& document, RegistryRoot root,
                                   std::string_view path);

// Returns the key's own section, appending an empty one when it has none.
RegistrySection& ensureSection(RegistryDocument& document, RegistryRoot root, std::string_view path);

// Returns the value entry of that name (ignoring letter case), or null.
RegistryEntry* findValue(RegistrySection& section, std::string_view name);
const RegistryEntry* findValue(const RegistrySection& section, std::string_view name);

}  // namespace platform::internal
