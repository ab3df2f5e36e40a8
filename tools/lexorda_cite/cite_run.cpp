// Carries out one lexorda-cite run. In: the parsed command line. Out: the
// document's citations as JSON, or a message and a non-zero status.
#include "tools/lexorda_cite/cite_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "db/abbreviation_collection.h"
#include "db/connection.h"
#include "db/entry_type_collection.h"
#include "db/name_index.h"
#include "db/option_collection.h"
#include "db/option_keys.h"
#include "db/sqlite_exception.h"
#include "platform/platform.h"
#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "table/document_recognition.h"
#include "table/progress_bar.h"
#include "tools/lexorda_cite/citation_json.h"

namespace lexorda_cite {
namespace {

constexpr const char* kProgram = "lexorda-cite: ";
// As the host says it when it opens such a file.
constexpr const char* kNotADocument = "not a Quillon document or a Markdown file";
constexpr int kDictionaryId = 0;
// Long enough to ride out another program's short write, short enough that a
// held lock is reported promptly.
constexpr int kBusyTimeoutMs = 2000;

// Text that Markdown can be: valid UTF-8 without control bytes other than
// tab, line feed, form feed and carriage return.
bool looksLikeText(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (b < 0x80) {
      if (b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r') return false;
      if (b == 0x7F) return false;
      ++i;
      continue;
    }
    std::size_t follow = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      follow = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      follow = 2;
    } else if (b >= 0xF0 && b <= 0xF4) {
      follow = 3;
    } else {
      return false;
    }
    if (bytes.size() - i <= follow) return false;
    for (std::size_t k = 1; k <= follow; ++k) {
      if ((static_cast<std::uint8_t>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += follow + 1;
  }
  return true;
}

struct FileBytes {
  std::string bytes;
  std::string error;  // why the file could not be read; empty when it was
};

// Reads any file but a folder: a pipe such as <(...) is as good as a file.
FileBytes readWholeFile(const std::string& path) {
  FileBytes file;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    file.error = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    file.error = std::strerror(EISDIR);
  }
  char chunk[65536];
  while (file.error.empty()) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got == 0) break;
    if (got < 0 && errno != EINTR) file.error = std::strerror(errno);
    if (got > 0) file.bytes.append(chunk, static_cast<std::size_t>(got));
  }
  if (fd >= 0) ::close(fd);
  return file;
}

// A set that is not there is the user's choice of name, not a fault of the
// database, so it has its own message and status.
struct NoOptionSet : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What a run needs from the database.
struct Loaded {
  db::EntryTypeCollection dictionary;
  db::AbbreviationCollection abbreviations;
  int citationForm = recognize::kBluebook;
  bool expandAbbreviations = false;
};

// Loads the dictionary, option set and abbreviations with the db operations
// that throw rather than show, so that every failure becomes one message here;
// a failure throws std::runtime_error with the reason.
std::unique_ptr<Loaded> loadDatabase(const CiteOptions& options, const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw std::runtime_error("database not found: " + path);

  db::setDatabasePath(path);
  db::setOperationBusyTimeoutMs(kBusyTimeoutMs);
  auto loaded = std::make_unique<Loaded>();
  auto fail = [&](const std::string& what) {
    throw std::runtime_error("cannot read the database " + path + ": " + what);
  };
  try {
    loaded->dictionary.loadEntryTypesOrThrow();
    const std::optional<std::int32_t> setId = db::findOptionSetId(options.optionSet);
    if (!setId) throw NoOptionSet("no option set named \"" + options.optionSet + "\" in " + path);
    const db::OptionCollection optionCollection(*setId);
    loaded->citationForm = optionCollection.content.intOption(db::option_keys::kComboCitationForm);
    loaded->expandAbbreviations = optionCollection.content.intOption(db::option_keys::kCheckExpandAbbr) != 0;
    loaded->abbreviations.dictionaryId = kDictionaryId;
    loaded->abbreviations.load();
  } catch (const db::CppSQLite3Exception& e) {
    fail(e.message());
  } catch (const NoOptionSet&) {
    throw;
  } catch (const std::runtime_error& e) {
    fail(e.what());
  }
  return loaded;
}

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  auto value = [&](std::size_t& i, const std::string& flag) -> std::optional<std::string> {
    if (i + 1 >= arguments.size()) {
      parsed.error = flag + " needs a value";
      return std::nullopt;
    }
    return arguments[++i];
  };
  for (std::size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--form") {
      const auto form = value(i, argument);
      if (!form) break;
      if (*form == "bluebook") {
        parsed.options.citationForm = recognize::kBluebook;
      } else if (*form == "california") {
        parsed.options.citationForm = recognize::kCalifornia;
      } else {
        parsed.error = "unknown citation form \"" + *form + "\" (bluebook or california)";
      }
    } else if (argument == "--db") {
      if (const auto path = value(i, argument)) parsed.options.databasePath = *path;
    } else if (argument == "--option-set") {
      if (const auto name = value(i, argument)) parsed.options.optionSet = *name;
    } else if (argument == "--plain-search") {
      parsed.options.plainSearch = true;
    } else if (argument == "--help" || argument == "-h") {
      parsed.help = true;
      return parsed;
    } else if (argument.starts_with("--")) {
      parsed.error = "unknown option " + argument;
    } else if (!parsed.options.file.empty()) {
      parsed.error = "only one FILE can be read";
    } else {
      parsed.options.file = argument;
    }
  }
  if (parsed.error.empty() && parsed.options.file.empty()) parsed.error = "no FILE given";
  return parsed;
}

std::string defaultDatabasePath() {
  const std::filesystem::path program = platform::moduleFileName(nullptr);
  if (!program.empty()) {
    const std::filesystem::path folder = program.parent_path();
    // Staged beside the host (stage/Quillon), or run from the build tree
    // (tools/lexorda_cite next to stage/).
    for (const auto& candidate : {folder / ".." / "Lexorda" / "tabauth3.db",
                                  folder / ".." / ".." / "stage" / "Lexorda" / "tabauth3.db"}) {
      std::error_code error;
      if (std::filesystem::is_regular_file(candidate, error)) return candidate.lexically_normal().string();
    }
  }
  return LEXORDA_STAGED_DB;
}

int runCite(const CiteOptions& options, std::ostream& out, std::ostream& err) {
  const FileBytes file = readWholeFile(options.file);
  if (!file.error.empty()) {
    err << kProgram << "cannot read " << options.file << ": " << file.error << "\n";
    return kExitBadInput;
  }
  const std::string& bytes = file.bytes;
  std::string native;
  if (bytes.empty()) {
    err << kProgram << options.file << ": " << kNotADocument << "\n";
    return kExitBadInput;
  }
  if (quillon::format::isNative(bytes)) {
    native = bytes;
  } else if (looksLikeText(bytes)) {
    quillon::format::MarkdownImport imported = quillon::format::importMarkdown(bytes);
    for (const std::string& warning : imported.warnings) err << kProgram << "warning: " << warning << "\n";
    quillon::doc::Document document(std::move(imported.content));
    try {
      native = quillon::format::writeNative(document);
    } catch (const quillon::format::FormatError& e) {
      err << kProgram << options.file << ": " << e.what() << "\n";
      return kExitBadInput;
    }
  } else {
    err << kProgram << options.file << ": " << kNotADocument << "\n";
    return kExitBadInput;
  }

  const std::string databasePath = options.databasePath.empty() ? defaultDatabasePath() : options.databasePath;
  std::unique_ptr<Loaded> loaded;
  try {
    loaded = loadDatabase(options, databasePath);
  } catch (const NoOptionSet& e) {
    err << kProgram << e.what() << "\n";
    return kExitNoOptionSet;
  } catch (const std::runtime_error& e) {
    err << kProgram << e.what() << "\n";
    return kExitDatabase;
  }

  db::setPlainDictionarySearch(options.plainSearch);
  recognize::setAbbreviationContext(&loaded->abbreviations, loaded->expandAbbreviations);
  recognize::CitationTable table;
  table::NullProgressBar progress;
  const table::ReadResult reading =
      table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(native.data()), native.size(), table,
                              loaded->dictionary,
                              // The dump lists every authority it can read, other authorities too.
                              options.citationForm.value_or(loaded->citationForm) | recognize::kWithOtherAuthorities,
                              progress);
  recognize::setAbbreviationContext(nullptr, false);
  // A full disk or a closed pipe must not pass for a document without
  // citations.
  errno = 0;
  out << citationsJson(table, reading.damagedAt) << "\n" << std::flush;
  if (!out) {
    err << kProgram << "cannot write standard output: " << (errno != 0 ? std::strerror(errno) : "write failed")
        << "\n";
    return kExitOutputLost;
  }
  if (!reading.damagedAt) return kExitOk;
  err << kProgram << "document is damaged at byte " << *reading.damagedAt
      << "; the citations read before it are listed\n";
  return kExitDamaged;
}

}  // namespace lexorda_cite
