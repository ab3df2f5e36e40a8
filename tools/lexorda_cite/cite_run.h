// One run of lexorda-cite. In: the command line. Out: the citations of the
// document as JSON on `out`, or a message on `err`, and the exit status.
//
//   lexorda-cite [--form bluebook|california] [--db PATH] [--option-set NAME] FILE
//
// FILE is a native document (recognised by its signature) or Markdown (UTF-8
// text), which is imported and saved in the native format first so that the
// reader meets the same bytes as in a real run; anything else, and an empty
// file, is "not a Quillon document or a Markdown file". A native file that the
// reader finds damaged (cut short, or a code it cannot read) still has the
// citations read before the damage printed, with "damaged":true and the byte
// in the JSON, but exits with kExitDamaged and "document is damaged at byte
// N; the citations read before it are listed", so that a damaged document is
// never taken for a shorter whole one. The option set (default
// "Default") gives the citation form, unless --form is given, and whether
// case names are expanded with the dictionary's abbreviations. The hidden
// flag --plain-search makes the dictionary scan its serialised text instead
// of its index, to compare the two.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lexorda_cite {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;  // usage, unreadable or unknown FILE
inline constexpr int kExitDatabase = 2;  // missing, locked or damaged database
inline constexpr int kExitDamaged = 3;      // a damaged document: its JSON lists what was read before the damage
inline constexpr int kExitNoOptionSet = 4;  // --option-set names no set in the database
inline constexpr int kExitOutputLost = 5;   // standard output could not take the JSON

struct CiteOptions {
  std::optional<int> citationForm{};  // set by --form
  std::string databasePath{};         // empty: the staged database
  std::string optionSet = "Default";
  std::string file{};
  bool plainSearch = false;
};

struct ParsedArguments {
  CiteOptions options;
  std::string error;  // non-empty when the command line is unusable
  bool help = false;  // --help: print kHelp and run nothing
};

// Parses the arguments after the program name.
// Example: parseArguments({"--form", "california", "brief.md"}).options.citationForm == 1.
ParsedArguments parseArguments(const std::vector<std::string>& arguments);

// The database used when --db is not given: the staged tabauth3.db found
// beside the program's folder, else the one the build staged.
std::string defaultDatabasePath();

// Runs the tool and returns the exit status.
int runCite(const CiteOptions& options, std::ostream& out, std::ostream& err);

inline constexpr const char* kUsage =
    "usage: lexorda-cite [--form bluebook|california] [--db PATH] [--option-set NAME] FILE";

// What --help prints: the usage, each option and each exit status, so that a
// script can tell a damaged document from lost output without the source.
inline constexpr const char* kHelp =
    "usage: lexorda-cite [--form bluebook|california] [--db PATH] [--option-set NAME] FILE\n"
    "Prints, as JSON, the citations a Table of Authorities run finds in FILE\n"
    "(a saved Quillon document or a Markdown file).\n"
    "  --form F          citation form: bluebook or california (default: the option set's)\n"
    "  --db PATH         the database to use (default: the staged tabauth3.db)\n"
    "  --option-set NAME the option set whose citation form applies (default: Default)\n"
    "  --plain-search    look names up without the index (slower; same result)\n"
    "Exit status: 0 read whole; 1 bad command line or unreadable FILE; 2 database\n"
    "error; 3 FILE is damaged (the citations before the damage are printed);\n"
    "4 no such option set; 5 the output could not be written.";

}  // namespace lexorda_cite
