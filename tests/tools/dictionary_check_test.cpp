// The dictionary check finds the faults it is there for: entries the matcher
// cannot reach, representations shared within a type, characters that break
// statements, and option values outside the editor's ranges.
#include <gtest/gtest.h>

#include <string>

#include "db/option_collection.h"
#include "db/option_keys.h"
#include "tests/db/factories.h"
#include "tools/dictionary_check/dictionary_checks.h"
#include "tools/dictionary_check/matcher_probe.h"
#include "tools/dictionary_check/option_checks.h"

namespace {

// One line that contains needle, or fails.
void expectProblem(const std::vector<std::string>& problems, const std::string& needle) {
  for (const auto& problem : problems) {
    if (problem.find(needle) != std::string::npos) return;
  }
  ADD_FAILURE() << "no problem mentions: " << needle;
}

TEST(MatcherProbe, LongestWholeMatch) {
  db::EntryTypeCollection dictionary = dbtest::dictionary({
      {.name = "F.2d", .valid = {"F.2d", "F. 2d"}},
      {.name = "Cal.", .valid = {"Cal."}},
      {.name = "Cal. Civ. Code", .valid = {"Cal. Civ. Code"}, .typeId = 2},
  });
  const struct { const char* name; const char* text; int covered; const char* entry; } rows[] = {
      {"longest match wins", "F. 2d 123", 3, "F.2d"},
      {"a one-word name hidden by a longer beginning", "Cal. Civ. 5", 0, ""},
      {"shorter name when the longer does not go on; trailing comma stripped", "Cal., 5", 1, "Cal."},
      {"a one-word name as the last token is not matched", "Cal.", 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const tools::ProbeMatch match = tools::probeDictionaryName(tools::probeTokens(row.text), dictionary);
    EXPECT_EQ(match.covered, row.covered);
    EXPECT_EQ(match.entry ? match.entry->name : "", row.entry);
  }
}

TEST(DictionaryCheck, FindsEachKindOfFault) {
  db::EntryTypeCollection dictionary = dbtest::dictionary({
      {.name = "U.S.", .valid = {"U.S."}},
      {.name = "U.S.", .valid = {"U.S."}, .typeId = 2},               // hidden by type 1
      {.name = "Mont.", .valid = {"Mont."}, .invalid = {"Mon."}},
      {.name = "Monag.", .valid = {"Monag."}, .invalid = {"Mon."}},   // shared form
      {.name = "Bare", .typeId = 3},                                  // no representation
      {.name = "Say \"So\"", .valid = {"Say"}, .typeId = 7},          // double quote
      {.name = "Bar", .valid = {"Bar", "B|r"}, .typeId = 8},          // bar
      {.name = "cal. code", .valid = {"cal. code"}, .typeId = 2},     // lower-case start
      {.name = "cert. denied", .typeId = 6},                          // phrase not found
  });
  const std::vector<std::string> problems = tools::checkDictionary(dictionary);
  expectProblem(problems, "type 2 \"U.S.\": the matcher finds type 1 \"U.S.\" instead");
  expectProblem(problems, "representation \"Mon.\" is also one of");
  expectProblem(problems, "type 3 \"Bare\": not found by the matcher");
  expectProblem(problems, "contains a double quote");
  expectProblem(problems, "contains a bar or tilde");
  expectProblem(problems, "type 2 \"cal. code\": does not start with a capital letter");
  expectProblem(problems, "type 6 \"cert. denied\": not found");
}

TEST(DictionaryCheck, AbbreviationsWithQuotes) {
  db::AbbreviationCollection abbreviations;
  abbreviations.abbreviations["Co."].longForms.Add(db::DString("Company"));
  abbreviations.abbreviations["X."].longForms.Add(db::DString("X \"Y\""));
  const auto problems = tools::checkAbbreviations(abbreviations);
  EXPECT_EQ(problems.size(), 1u);
  expectProblem(problems, "\"X.\"");
}

TEST(OptionCheck, FindsValuesOutsideTheEditorsRanges) {
  dbtest::TempDatabase temp;
  db::OptionCollection options(std::string("Default"));
  using namespace db::option_keys;
  options.format.intValues[kSpinFontSize] = 26;
  options.format.floatValues[kSpinLineSpacing] = 1.2f;  // not a step of 0.5
  options.format.floatValues.erase(kSpinMarginTop);
  options.sort.intValues[kComboAuthSortCases] = 3;
  const auto problems = tools::checkOptionRanges(options);
  EXPECT_EQ(problems.size(), 4u);
  expectProblem(problems, "OptionSetFormat.spin_font_size: 26 outside 8 to 25");
  expectProblem(problems, "OptionSetFormat.spin_line_spacing");
  expectProblem(problems, "OptionSetFormat.spin_margin_top: missing");
  expectProblem(problems, "OptionSetSort.combo_auth_sort_cases");
}

}  // namespace
