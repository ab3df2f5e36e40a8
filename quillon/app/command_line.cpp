// Command-line parsing of the quillon program.
#include "quillon/app/command_line.h"

#include <algorithm>
#include <charconv>

#include "platform/platform.h"

namespace quillon::app {
namespace {

std::optional<int> answerOf(const std::string& word) {
  if (word == "ok") return platform::kIdOk;
  if (word == "cancel") return platform::kIdCancel;
  if (word == "yes") return platform::kIdYes;
  if (word == "no") return platform::kIdNo;
  return std::nullopt;
}

// Adds the comma-separated answers of one word; false when one is not an
// answer (nothing is added then).
bool addAnswers(const std::string& word, std::vector<int>& answers) {
  std::vector<int> found;
  std::size_t start = 0;
  while (start <= word.size()) {
    const std::size_t comma = std::min(word.find(',', start), word.size());
    const std::optional<int> answer = answerOf(word.substr(start, comma - start));
    if (!answer) return false;
    found.push_back(*answer);
    start = comma + 1;
  }
  answers.insert(answers.end(), found.begin(), found.end());
  return true;
}

std::optional<int> positiveNumber(const std::string& word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || value < 1) return std::nullopt;
  return value;
}

// Walks the arguments; each step consumes one option and its value.
class Parser {
 public:
  explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  ParsedCommandLine run() {
    for (i_ = 0; i_ < arguments_.size() && parsed_.error.empty(); ++i_) step(arguments_[i_]);
    return parsed_;
  }

 private:
  void step(const std::string& argument);

  // The value after option `name`, or nullopt with the error set to
  // "NAME needs WHAT".
  std::optional<std::string> value(const std::string& name, const std::string& what) {
    if (i_ + 1 >= arguments_.size() || arguments_[i_ + 1].empty()) {
      parsed_.error = name + " needs " + what;
      return std::nullopt;
    }
    return arguments_[++i_];
  }

  void once(std::optional<std::string>& slot, const std::string& name, const std::string& what) {
    if (slot) {
      parsed_.error = name + " may be given only once";
      return;
    }
    slot = value(name, what);
  }

  void place(Placement placement) {
    if (placed_) {
      parsed_.error = "only one of --at-start, --at-end, --before and --after-paragraph may be given";
      return;
    }
    placed_ = true;
    parsed_.options.placement = std::move(placement);
  }

  const std::vector<std::string>& arguments_;
  std::size_t i_ = 0;
  ParsedCommandLine parsed_;
  bool placed_ = false;
};

void Parser::step(const std::string& argument) {
  Options& o = parsed_.options;
  if (argument == "--list-commands") {
    o.listCommands = true;
  } else if (argument == "--log-commands") {
    o.logCommands = true;
  } else if (argument == "--bookmarks") {
    o.bookmarks = true;
  } else if (argument == "--help" || argument == "-h") {
    o.help = true;
  } else if (argument == "--invoke") {
    if (auto name = value(argument, "a command name")) o.invoke = std::move(name);
  } else if (argument == "--answer") {
    if (i_ + 1 >= arguments_.size() || !addAnswers(arguments_[i_ + 1], o.answers)) {
      parsed_.error = "--answer needs ok, cancel, yes or no";
      return;
    }
    ++i_;
    while (i_ + 1 < arguments_.size() && addAnswers(arguments_[i_ + 1], o.answers)) ++i_;
  } else if (argument == "--press") {
    if (auto text = value(argument, "a button text")) o.actions.push_back({DialogActionKind::Press, std::move(*text)});
  } else if (argument == "--select") {
    if (auto text = value(argument, "a list item")) o.actions.push_back({DialogActionKind::Select, std::move(*text)});
  } else if (argument == "--type") {
    if (auto text = value(argument, "a text")) o.actions.push_back({DialogActionKind::Type, std::move(*text)});
  } else if (argument == "--tab") {
    if (auto text = value(argument, "a page name")) o.actions.push_back({DialogActionKind::Tab, std::move(*text)});
  } else if (argument == "--check") {
    if (auto text = value(argument, "a check box text")) {
      o.actions.push_back({DialogActionKind::Check, std::move(*text)});
    }
  } else if (argument == "--spin") {
    const std::optional<std::string> text = value(argument, "LABEL=VALUE");
    if (!text) return;
    if (!spinSetting(*text)) {
      parsed_.error = "--spin needs LABEL=VALUE with a number as VALUE, not " + *text;
      return;
    }
    o.actions.push_back({DialogActionKind::Spin, *text});
  } else if (argument == "--file") {
    if (auto path = value(argument, "a file path")) o.files.push_back(std::move(*path));
  } else if (argument == "--name") {
    once(o.name, argument, "a file path");
  } else if (argument == "--at-start") {
    place({PlacementKind::AtStart, {}, 0});
  } else if (argument == "--at-end") {
    place({PlacementKind::AtEnd, {}, 0});
  } else if (argument == "--before") {
    if (auto text = value(argument, "a text to find")) place({PlacementKind::BeforeText, std::move(*text), 0});
  } else if (argument == "--after-paragraph") {
    const std::optional<std::string> word = value(argument, "a paragraph number from 1");
    if (!word) return;
    const std::optional<int> n = positiveNumber(*word);
    if (!n) {
      parsed_.error = "--after-paragraph needs a paragraph number from 1, not " + *word;
      return;
    }
    place({PlacementKind::AfterParagraph, {}, *n});
  } else if (argument == "--type-text") {
    if (auto text = value(argument, "a text")) o.edits.push_back({EditKind::TypeText, std::move(*text)});
  } else if (argument == "--page-break") {
    o.edits.push_back({EditKind::PageBreak, {}});
  } else if (argument == "--save") {
    once(o.save, argument, "a file path");
  } else if (argument == "--export-text") {
    once(o.exportText, argument, "a file path or -");
  } else if (argument == "--export-markdown") {
    once(o.exportMarkdown, argument, "a file path or -");
  } else if (argument == "--export-pdf") {
    once(o.exportPdf, argument, "a file path or -");
  } else if (argument == "--export-docx") {
    once(o.exportDocx, argument, "a file path or -");
  } else if (argument.empty() || argument[0] == '-') {
    parsed_.error = "unknown argument: " + argument;
  } else if (o.file) {
    parsed_.error = "only one FILE may be given: " + argument;
  } else {
    o.file = argument;
  }
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  return Parser(arguments).run();
}

bool isBatchRun(const Options& options) {
  Options fileOnly;
  fileOnly.file = options.file;
  return !(options == fileOnly);
}

std::string usageText() {
  return "usage: quillon [options] [FILE]\n"
         "  FILE                  a native (.qdoc), Markdown (.md) or Word (.docx)\n"
         "                        document to open (a .docx through pandoc); without\n"
         "                        it the document is new and empty\n"
         "With a display (DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM set) and FILE\n"
         "alone, quillon opens FILE in its desktop window; any option below makes it\n"
         "a batch run, which shows the command's dialogs and exits.\n"
         "  --at-start            put the insertion point at the start (the default)\n"
         "  --at-end              put the insertion point at the end\n"
         "  --before TEXT         put the insertion point before the first TEXT\n"
         "  --after-paragraph N   put the insertion point after paragraph N (from 1)\n"
         "  --type-text TEXT      type TEXT at the insertion point (after placing it)\n"
         "  --page-break          insert a hard page break at the insertion point\n"
         "                        (both are made before --invoke, in the order given)\n"
         "  --list-commands       print the commands that the plug-ins registered\n"
         "  --invoke NAME         run the registered command NAME\n"
         "  --log-commands        print every command block the host window carries out\n"
         "Dialogs the command opens take the next of these actions, in the order given:\n"
         "  --press TEXT          click the enabled button TEXT (its text without \"&\",\n"
         "                        or its accessible name, e.g. \"Add entry name\" for a \"+\")\n"
         "  --select TEXT         pick TEXT in the dialog's drop-down list or list box\n"
         "  --type TEXT           fill the dialog's focused (or only) field with TEXT\n"
         "  --tab TEXT            show the page TEXT of a dialog with tabs\n"
         "  --check TEXT          click the check box TEXT (checked becomes unchecked)\n"
         "  --spin LABEL=VALUE    set the numeric field labelled LABEL to VALUE, as its\n"
         "                        arrows would (the label's \":\" may be left out)\n"
         "                        A dialog that opens when no action is left is closed\n"
         "                        (cancelled) and reported.\n"
         "Message boxes, file dialogs and the name prompt:\n"
         "  --answer ...          answer the next message boxes in this order with ok,\n"
         "                        cancel, yes or no (default: the first button); each box\n"
         "                        is printed on stderr as \"message: CAPTION: TEXT -> ANSWER\"\n"
         "  --name PATH           the name given when the command saves an unnamed\n"
         "                        document (default: the --save PATH)\n"
         "  --file PATH           answer the next file-open dialog with PATH (once the\n"
         "                        --file paths are used up, dialogs are cancelled); each\n"
         "                        is printed on stderr as \"file: TITLE -> PATH\"\n"
         "Afterwards:\n"
         "  --save PATH           save as a native file\n"
         "  --export-text PATH    write the document as paged plain text (- for stdout)\n"
         "  --export-markdown PATH  write the document as Markdown (- for stdout)\n"
         "  --export-pdf PATH     write the document as a PDF of letter pages (- for stdout)\n"
         "  --export-docx PATH    write the document as .docx through pandoc (- for stdout);\n"
         "                        dot leaders become right-aligned tabs with dots\n"
         "  --bookmarks           print each bookmark with its pages\n"
         "After a command that makes a new document (Create Table to File), --save and\n"
         "the exports act on the new document. A file the command asks the desktop to\n"
         "open is printed as \"open: PATH\" instead.\n"
         "Exit codes: 0 done, 1 usage, 2 no plug-in list, 3 a plug-in failed, 4 command\n"
         "not registered, 5 no interface library, 6 FILE cannot be opened, 7 text or\n"
         "paragraph not found, 8 a dialog action found no such control (the run stops\n"
         "there) or no dialog, or a dialog was left without an action, 9 an output\n"
         "cannot be written, 10 pandoc is missing or could not convert a .docx.\n"
         "--save and the exports replace only a regular file, through any link to it,\n"
         "and keep the old file until the new one is complete; a read-only file, a\n"
         "device or a pipe is refused (exit code 9).\n"
         "The plug-ins are listed in the registry named by QUILLON_REGISTRY, under\n"
         "HKEY_LOCAL_MACHINE\\Software\\Velmor\\Quillon\\17\\Third Party, values DLL1..DLL16.\n"
         "Without DISPLAY or WAYLAND_DISPLAY the dialogs run on Qt's offscreen platform\n"
         "(QT_QPA_PLATFORM, when set, wins).\n";
}

}  // namespace quillon::app
