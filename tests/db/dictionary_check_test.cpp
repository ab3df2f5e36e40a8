// The dictionary check finds the faults it is there for: entries the matcher
// cannot reach, representations shared within a type, characters that break
// statements, and option values outside the editor's ranges.
#include <gtest/gtest.h>

#include <string>

#include "db/option_collection.h"
#include "db/option_keys.h"
#include "factories.h"
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

TEST(MatcherProbe, TokensAndLongestWholeMatch) {
  const auto tokens = tools::probeTokens("F. 2d 123");
  ASSERT_EQ(tokens.size(), 5u);
  EXPECT_EQ(tokens[1].kind, tools::ProbeTokenKind::Blank);
  EXPECT_EQ(tokens[2].text, "2d");

  db::EntryTypeCollection dictionary = dbtest::dictionary({
      {.name = "F.", .valid = {"F."}},
      {.name = "F.2d", .valid = {"F.2d", "F. 2d"}},
      {.name = "Cal.", .valid = {"Cal."}},
      {.name = "Cal. Civ. Code", .valid = {"Cal. Civ. Code"}, .typeId = 2},
  });
  struct Row {
    const char* name;
    const char* text;
    int covered;
    const char* entry;
  };
  const Row rows[] = {
      {"longest match wins", "F. 2d 123", 3, "F.2d"},
      {"shorter name when the longer does not go on", "F. 123", 1, "F."},
      {"a name across types", "Cal. Civ. Code § 1", 5, "Cal. Civ. Code"},
      {"a one-word name hidden by a longer beginning", "Cal. Civ. 5", 0, ""},
      {"trailing comma is stripped", "Cal., 5", 1, "Cal."},
      {"a one-word name as the last token is not matched", "Cal.", 0, ""},
      {"a longer name running to the end is", "F. 2d", 3, "F.2d"},
  };
  for (const Row& row : rows) {
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
  // A sound dictionary, the shipped one, passes in its own test.
  const auto counts = tools::countEntries(dictionary);
  ASSERT_EQ(counts.size(), 6u);
  EXPECT_EQ((std::vector<std::size_t>{std::size_t(counts[0].typeId), counts[0].entries,
                                      counts[0].validRepresentations, counts[0].invalidRepresentations}),
            (std::vector<std::size_t>{1, 3, 3, 2}));
}

TEST(DictionaryCheck, AbbreviationsWithQuotesAndCounts) {
  db::AbbreviationCollection abbreviations;
  abbreviations.abbreviations["Co."].longForms.Add(db::DString("Company"));
  abbreviations.abbreviations["St."].longForms.Add(db::DString("Street"));
  abbreviations.abbreviations["St."].longForms.Add(db::DString("Saint"));
  abbreviations.abbreviations["X."];
  EXPECT_TRUE(tools::checkAbbreviations(abbreviations).empty());
  const auto counts = tools::countAbbreviations(abbreviations);
  EXPECT_EQ((std::vector<std::size_t>{counts.abbreviations, counts.withOneLongForm, counts.withSeveralLongForms,
                                      counts.withoutLongForm}),
            (std::vector<std::size_t>{3, 1, 1, 1}));
  abbreviations.abbreviations["X."].longForms.Add(db::DString("X \"Y\""));
  expectProblem(tools::checkAbbreviations(abbreviations), "\"X.\"");
}

TEST(OptionCheck, ShippedDefaultsAreInRangeAndFaultsAreFound) {
  dbtest::TempDatabase temp;
  db::OptionCollection options(std::string("Default"));
  EXPECT_EQ(tools::checkOptionRanges(options), std::vector<std::string>{});
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
