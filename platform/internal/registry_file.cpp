// Turns exported-registry-file text into a RegistryDocument and back.
#include "platform/internal/registry_file.h"

#include "platform/internal/ascii.h"

namespace platform::internal {
namespace {

constexpr std::string_view kLocalMachineName = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kCurrentUserName = "HKEY_CURRENT_USER";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view rootName(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? kLocalMachineName : kCurrentUserName;
}

std::optional<RegistryRoot> rootFromName(std::string_view name) {
  if (equalsIgnoringCase(name, kLocalMachineName)) return RegistryRoot::LocalMachine;
  if (equalsIgnoringCase(name, kCurrentUserName)) return RegistryRoot::CurrentUser;
  return std::nullopt;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view line) {
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return line;
}

// Reads a quoted string starting at line[*pos] == '"'; leaves *pos after the
// closing quote. Only \\ and \" are escapes: anything else was not written by
// us or by the registry editor, so it is not guessed at.
std::optional<std::string> readQuoted(std::string_view line, std::size_t* pos) {
  if (*pos >= line.size() || line[*pos] != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = *pos + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      *pos = i + 1;
      return out;
    }
    if (c == '\\') {
      if (i + 1 >= line.size()) return std::nullopt;
      const char next = line[++i];
      if (next != '\\' && next != '"') return std::nullopt;
      out.push_back(next);
      continue;
    }
    out.push_back(c);
  }
  return std::nullopt;  // unterminated
}

void appendQuoted(std::string* out, std::string_view text) {
  out->push_back('"');
  for (const char c : text) {
    if (c == '\\' || c == '"') out->push_back('\\');
    out->push_back(c);
  }
  out->push_back('"');
}

// Parses "[ROOT]" or "[ROOT\sub\key]". The key ends at the line's last ']'.
std::optional<RegistrySection> parseSectionHeader(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  const std::string_view inner = line.substr(1, line.size() - 2);
  const std::size_t cut = inner.find('\\');
  const std::optional<RegistryRoot> root = rootFromName(inner.substr(0, cut));
  if (!root) return std::nullopt;
  RegistrySection section;
  section.root = *root;
  if (cut != std::string_view::npos) {
    const std::string_view rest = inner.substr(cut + 1);
    // "[ROOT\]" is not something the editor writes.
    if (rest.empty() || rest.front() == '\\' || rest.back() == '\\') return std::nullopt;
    std::optional<std::string> path = normalizeKeyPath(rest);
    if (!path) return std::nullopt;
    section.path = std::move(*path);
  }
  return section;
}

std::optional<RegistryEntry> parseValueLine(std::string_view line) {
  RegistryEntry entry;
  std::size_t pos = 0;
  if (line.front() == '@') {
    pos = 1;
  } else {
    std::optional<std::string> name = readQuoted(line, &pos);
    if (!name) return std::nullopt;
    entry.name = std::move(*name);
  }
  if (pos >= line.size() || line[pos] != '=') return std::nullopt;
  ++pos;
  std::optional<std::string> text = readQuoted(line, &pos);
  if (!text || pos != line.size()) return std::nullopt;
  entry.text = std::move(*text);
  return entry;
}

bool sameKey(const RegistrySection& section, RegistryRoot root, std::string_view path) {
  return !section.unreadable && section.root == root && equalsIgnoringCase(section.path, path);
}

}  // namespace

std::optional<RegistryDocument> parseRegistryText(std::string_view text) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  RegistryDocument document;
  bool seenHeader = false;
  RegistrySection* current = nullptr;
  // Keeps a line as it stands, where it stands, without loading it.
  auto keep = [&](std::string_view line) {
    RegistryEntry kept{RegistryEntry::Kind::Comment, {}, std::string(line)};
    if (current != nullptr) {
      current->entries.push_back(std::move(kept));
    } else {
      document.preamble.push_back(std::move(kept.text));
    }
  };
  std::size_t start = 0;
  for (int number = 1; start <= text.size(); ++number) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (!seenHeader) {
      if (line != kRegistryHeader) return std::nullopt;
      seenHeader = true;
      continue;
    }
    if (line.front() == ';') {
      keep(line);
      continue;
    }
    if (line.front() == '[') {
      std::optional<RegistrySection> header = parseSectionHeader(line);
      if (!header) {
        document.problems.push_back({number, "not a key under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER; "
                                             "its values are skipped too"});
        document.sections.push_back(RegistrySection{});
        current = &document.sections.back();
        current->unreadable = true;
        keep(line);
        continue;
      }
      current = findSection(document, header->root, header->path);
      if (current == nullptr) {
        document.sections.push_back(std::move(*header));
        current = &document.sections.back();
      }
      continue;
    }
    if (current != nullptr && current->unreadable) {
      keep(line);  // a value of a key we cannot name
      continue;
    }
    std::optional<RegistryEntry> value;
    if (line.front() == '"' || line.front() == '@') value = parseValueLine(line);
    if (!value || current == nullptr) {
      document.problems.push_back({number, !value ? "not a key, a \"name\"=\"text\" value or a comment"
                                                  : "a value before the first key"});
      keep(line);
      continue;
    }
    if (RegistryEntry* existing = findValue(*current, value->name)) {
      existing->text = std::move(value->text);
    } else {
      current->entries.push_back(std::move(*value));
    }
  }
  return document;
}

std::string formatRegistryText(const RegistryDocument& document) {
  std::string out(kRegistryHeader);
  out += "\n\n";
  for (const std::string& comment : document.preamble) {
    out += comment;
    out += '\n';
  }
  if (!document.preamble.empty()) out += '\n';
  for (const RegistrySection& section : document.sections) {
    if (!section.unreadable) {
      out += '[';
      out += rootName(section.root);
      if (!section.path.empty()) {
        out += '\\';
        out += section.path;
      }
      out += "]\n";
    }
    for (const RegistryEntry& entry : section.entries) {
      if (entry.kind == RegistryEntry::Kind::Comment) {
        out += entry.text;
      } else {
        if (entry.name.empty()) {
          out += '@';
        } else {
          appendQuoted(&out, entry.name);
        }
        out += '=';
        appendQuoted(&out, entry.text);
      }
      out += '\n';
    }
    out += '\n';
  }
  return out;
}

bool fitsOnOneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\n\r\0", 3)) == std::string_view::npos;
}

std::optional<std::string> normalizeKeyPath(std::string_view path) {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (!fitsOnOneLine(path)) return std::nullopt;
  if (path.empty()) return std::string();
  // Every sub-key needs a name: no "\\" inside, and no lone "\" left over.
  if (path.front() == '\\' || path.back() == '\\') return std::nullopt;
  if (path.find("\\\\") != std::string_view::npos) return std::nullopt;
  return std::string(path);
}

bool keyExists(const RegistryDocument& document, RegistryRoot root, std::string_view path) {
  if (path.empty()) return true;
  for (const RegistrySection& section : document.sections) {
    if (section.root != root || section.unreadable) continue;
    if (equalsIgnoringCase(section.path, path)) return true;
    if (section.path.size() > path.size() && section.path[path.size()] == '\\' &&
        startsWithIgnoringCase(section.path, path)) {
      return true;
    }
  }
  return false;
}

RegistrySection* findSection(RegistryDocument& document, RegistryRoot root, std::string_view path) {
  for (RegistrySection& section : document.sections) {
    if (sameKey(section, root, path)) return &section;
  }
  return nullptr;
}

const RegistrySection* findSection(const RegistryDocument& document, RegistryRoot root,
                                   std::string_view path) {
  for (const RegistrySection& section : document.sections) {
    if (sameKey(section, root, path)) return &section;
  }
  return nullptr;
}

RegistrySection& ensureSection(RegistryDocument& document, RegistryRoot root, std::string_view path) {
  if (RegistrySection* section = findSection(document, root, path)) return *section;
  document.sections.push_back(RegistrySection{root, std::string(path), {}});
  return document.sections.back();
}

RegistryEntry* findValue(RegistrySection& section, std::string_view name) {
  for (RegistryEntry& entry : section.entries) {
    if (entry.kind == RegistryEntry::Kind::Value && equalsIgnoringCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

const RegistryEntry* findValue(const RegistrySection& section, std::string_view name) {
  for (const RegistryEntry& entry : section.entries) {
    if (entry.kind == RegistryEntry::Kind::Value && equalsIgnoringCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

}  // namespace platform::internal
