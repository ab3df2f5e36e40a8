// Compares every option key of a set with its type and editor range.
#include "tools/dictionary_check/option_checks.h"

#include <cmath>

#include "db/option_keys.h"

namespace tools {
namespace {

using namespace db::option_keys;

struct IntRange {
  const char* key;
  int low;
  int high;
};

struct FloatRange {
  const char* key;
  float low;
  float high;
  float step;
};

void checkInts(const db::OptionTable& table, const std::vector<IntRange>& ranges,
               std::vector<std::string>& problems) {
  for (const IntRange& range : ranges) {
    const auto it = table.intValues.find(range.key);
    if (it == table.intValues.end()) {
      problems.push_back(table.tableName + "." + range.key + ": missing or not an integer");
    } else if (it->second < range.low || it->second > range.high) {
      problems.push_back(table.tableName + "." + range.key + ": " + std::to_string(it->second) +
                         " outside " + std::to_string(range.low) + " to " + std::to_string(range.high));
    }
  }
}

void checkFloats(const db::OptionTable& table, const std::vector<FloatRange>& ranges,
                 std::vector<std::string>& problems) {
  for (const FloatRange& range : ranges) {
    const auto it = table.floatValues.find(range.key);
    if (it == table.floatValues.end()) {
      problems.push_back(table.tableName + "." + range.key + ": missing or not a float");
      continue;
    }
    const float value = it->second;
    const float steps = (value - range.low) / range.step;
    const bool onStep = std::fabs(steps - std::round(steps)) < 1e-3f;
    if (value < range.low - 1e-4f || value > range.high + 1e-4f || !onStep) {
      problems.push_back(table.tableName + "." + range.key + ": " + std::to_string(value) +
                         " outside its range or steps");
    }
  }
}

}  // namespace

std::vector<std::string> checkOptionRanges(const db::OptionCollection& options) {
  std::vector<std::string> problems;
  checkInts(options.content,
            {{kCheckExpandAbbr, 0, 1}, {kCheckFixCaseUnderlining, 0, 1}, {kComboCitationForm, 0, 1},
             {kComboFixCaseUnderlining, 0, 5}},
            problems);
  checkInts(options.format,
            {{kSpinFontSize, 8, 25}, {kSpinPgRefPerLine, 1, 99}, {kSpinPgRefMax, 1, 99},
             {kCheckUseDotLeadering, 0, 1}, {kCheckLinkPagenums, 0, 1}, {kCheckUsePassim, 0, 1}},
            problems);
  checkFloats(options.format,
              {{kSpinMarginLeft, 0.0f, 2.0f, 0.1f}, {kSpinMarginRight, 0.0f, 2.0f, 0.1f},
               {kSpinMarginTop, 0.0f, 2.0f, 0.1f}, {kSpinMarginBottom, 0.0f, 2.0f, 0.1f},
               {kSpinCitindentFirst, 0.0f, 2.2f, 0.1f}, {kSpinCitindentSubsequent, 0.0f, 2.2f, 0.1f},
               {kSpinLineSpacing, 0.5f, 2.5f, 0.5f}},
              problems);
  if (options.format.textValues.count(kComboFontType) == 0 ||
      options.format.textValues.at(kComboFontType).empty()) {
    problems.push_back(options.format.tableName + "." + kComboFontType + ": missing or empty");
  }
  checkInts(options.sort,
            {{kCheckSplitCases, 0, 1}, {kCheckSplitStatutes, 0, 1}, {kCheckMixedOrderOfAppearance, 0, 1},
             {kCheckIgnoreLeadingPhrases, 0, 1}, {kComboAuthSortCases, 0, 2}, {kComboAuthSortStatutes, 0, 2}},
            problems);
  for (const char* key : {kListCatOrderLeft, kListCatOrderRight}) {
    if (options.sort.textValues.count(key) == 0) {
      problems.push_back(options.sort.tableName + "." + key + ": missing or not a text");
    }
  }
  return problems;
}

}  // namespace tools
