// The quillon program's command line. In: argc/argv. Out: the options of one
// run, or the reason they cannot be used.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quillon/app/dialog_script.h"
#include "quillon/app/placement.h"

namespace quillon::app {

// The output path that stands for standard output.
inline constexpr const char* kStandardOutput = "-";

// An edit made at the insertion point after placing it: typed text (UTF-8)
// or a hard page break.
enum class EditKind { TypeText, PageBreak };
struct DocumentEdit {
  EditKind kind = EditKind::TypeText;
  std::string text;  // TypeText only

  bool operator==(const DocumentEdit&) const = default;
};

struct Options {
  std::optional<std::string> file;    // FILE: a native, Markdown or .docx file to open
  Placement placement;                // --at-start (default), --at-end, --before TEXT, --after-paragraph N
  std::vector<DocumentEdit> edits;    // --type-text TEXT, --page-break: in the order given
  bool listCommands = false;          // --list-commands
  std::optional<std::string> invoke;  // --invoke NAME
  std::vector<DialogAction> actions;  // --press, --select, --type, --tab, --check, --spin: one queue, in order
  std::vector<int> answers;           // --answer ok|cancel|yes|no ..., as platform::kId*
  std::vector<std::string> files;     // --file PATH ...: the next file-open dialogs' answers
  std::optional<std::string> name;    // --name PATH: the answer to the name prompt
  std::optional<std::string> save;    // --save PATH
  std::optional<std::string> exportText;      // --export-text PATH|-
  std::optional<std::string> exportMarkdown;  // --export-markdown PATH|-
  std::optional<std::string> exportPdf;       // --export-pdf PATH|-
  std::optional<std::string> exportDocx;      // --export-docx PATH|-
  bool bookmarks = false;             // --bookmarks
  bool logCommands = false;           // --log-commands
  bool help = false;                  // --help

  bool operator==(const Options&) const = default;
};

struct ParsedCommandLine {
  Options options;
  std::string error;  // empty when the command line was understood
};

// Parses the arguments after the program name. --answer takes one or more
// answers, as following words or separated by commas: "--answer ok no" and
// "--answer ok,no" both script OK, then No. An option's value is the next
// argument whatever it looks like ("--before --x" looks for "--x"), and
// must not be empty. --press, --select, --type, --tab, --check and --spin are
// kept in one queue in the order given, --file paths in another, and so are
// --type-text and --page-break. Errors: a missing or bad value (a --spin
// VALUE that is not a number), an unknown option, a second FILE, a second
// placement, and --name, --save or an export given twice.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// True when the options ask for anything beyond opening FILE: such a run is
// a batch run, never the desktop window (nor is a run without FILE).
bool isBatchRun(const Options& options);

// The text printed for --help and after a command-line error.
std::string usageText();

}  // namespace quillon::app
