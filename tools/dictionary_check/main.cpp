// dictionary_check DATABASE: loads a dictionary database as the plug-in does
// at the start of a table run (entry types, the "Default" option set,
// abbreviations), prints its statistics and the time the load took, and
// checks it. Exit status 0 when the load showed no message and every check
// passed, 1 otherwise, 2 for a wrong command line.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "db/abbreviation_collection.h"
#include "db/connection.h"
#include "db/entry_type_collection.h"
#include "db/option_collection.h"
#include "db/sqlite_db.h"
#include "db/sqlite_exception.h"
#include "platform/platform.h"
#include "tools/dictionary_check/dictionary_checks.h"
#include "tools/dictionary_check/option_checks.h"

namespace {

// Looks the set up without the loader, which would create a missing set.
bool optionSetExists(const std::string& name) {
  db::CppSQLite3DB connection;
  db::openOperationConnection(connection);
  return !connection.query("select id from OptionSet where name=\"" + name + "\";").eof();
}

void printProblems(const char* title, const std::vector<std::string>& problems) {
  if (problems.empty()) return;
  std::printf("%s: %zu problem(s)\n", title, problems.size());
  std::size_t shown = 0;
  for (const std::string& problem : problems) {
    if (++shown > 100) {
      std::printf("  ...\n");
      break;
    }
    std::printf("  %s\n", problem.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "usage: dictionary_check DATABASE\n"
                 "Prints the dictionary's entries and representations per type and checks it.\n");
    return 2;
  }
  if (!platform::fileExists(argv[1])) {
    std::fprintf(stderr, "dictionary_check: %s does not exist\n", argv[1]);
    return 1;
  }
  db::setDatabasePath(argv[1]);
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);

  std::vector<std::string> problems;
  db::EntryTypeCollection dictionary;
  db::OptionCollection options;
  db::AbbreviationCollection abbreviations;
  double loadMs = 0.0;
  try {
    if (!optionSetExists("Default")) problems.push_back("the option set \"Default\" is missing");
    const auto start = std::chrono::steady_clock::now();
    dictionary.LoadEntryTypes();
    options = db::OptionCollection(std::string("Default"));
    abbreviations = db::AbbreviationCollection(0);
    loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  } catch (const db::CppSQLite3Exception& error) {
    problems.push_back(std::string("load failed: ") + error.message());
  } catch (const std::exception& error) {
    problems.push_back(std::string("load failed: ") + error.what());
  }
  for (const auto& request : messages.shown()) {
    problems.push_back("load showed a message (" + request.caption + "): " + request.text);
  }

  std::printf("%-4s %-46s %8s %8s %8s\n", "type", "name", "entries", "valid", "invalid");
  for (const tools::TypeCounts& row : tools::countEntries(dictionary)) {
    std::printf("%-4d %-46s %8zu %8zu %8zu\n", row.typeId, row.name.c_str(), row.entries,
                row.validRepresentations, row.invalidRepresentations);
  }
  const tools::AbbreviationCounts counts = tools::countAbbreviations(abbreviations);
  std::printf("abbreviations: %zu (%zu with one long form, %zu with several, %zu with none)\n",
              counts.abbreviations, counts.withOneLongForm, counts.withSeveralLongForms,
              counts.withoutLongForm);
  std::printf("option set \"%s\": id %d, %zu categories\n", options.name.c_str(), options.optionSetId,
              options.categories.size());
  std::printf("load time (entry types, \"Default\", abbreviations): %.1f ms\n", loadMs);

  printProblems("load", problems);
  const std::vector<std::string> dictionaryProblems = tools::checkDictionary(dictionary);
  printProblems("dictionary", dictionaryProblems);
  const std::vector<std::string> abbreviationProblems = tools::checkAbbreviations(abbreviations);
  printProblems("abbreviations", abbreviationProblems);
  const std::vector<std::string> optionProblems = tools::checkOptionRanges(options);
  printProblems("option set \"Default\"", optionProblems);

  const bool ok = problems.empty() && dictionaryProblems.empty() && abbreviationProblems.empty() &&
                  optionProblems.empty();
  std::printf("%s\n", ok ? "dictionary check passed" : "dictionary check FAILED");
  return ok ? 0 : 1;
}
