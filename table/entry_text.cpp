// Decides what of a citation an entry writes and in which words: leading
// signal words, abbreviations written out, the marks' names and the host
// lengths of the format options. In: tokens, words and option values. Out:
// the first token to write, the text to type, names and lengths.
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "db/option_keys.h"
#include "db/text.h"
#include "table/internal/table_layout.h"

namespace table::internal {
namespace {

constexpr std::array<std::string_view, 13> kSignalWords = {
    "e.g", "accord", "see", "also", "cf", "compare", "contra", "but", "generally", "however",
    "similarly", "finally", "further"};

}  // namespace

int inchesToHostUnits(float inches) {
  const float units = inches * 1200.0f;
  return static_cast<int>(units);
}

int pointsToHostUnits(int points) {
  const float inches = static_cast<float>(points) / 72.0f;
  return static_cast<int>(inches * 1200.0f);
}

TableFormat readTableFormat(const db::OptionCollection& options) {
  namespace key = db::option_keys;
  const db::OptionTable& f = options.format;
  TableFormat format;
  format.fontFace = f.textOption(key::kComboFontType);
  format.fontSize = pointsToHostUnits(f.intOption(key::kSpinFontSize));
  format.lineSpacing = f.floatOption(key::kSpinLineSpacing);
  format.marginLeft = inchesToHostUnits(f.floatOption(key::kSpinMarginLeft));
  format.marginRight = inchesToHostUnits(f.floatOption(key::kSpinMarginRight));
  format.marginTop = inchesToHostUnits(f.floatOption(key::kSpinMarginTop));
  format.marginBottom = inchesToHostUnits(f.floatOption(key::kSpinMarginBottom));
  format.firstLineIndent = inchesToHostUnits(f.floatOption(key::kSpinCitindentFirst));
  format.followingIndent = inchesToHostUnits(f.floatOption(key::kSpinCitindentSubsequent));
  format.referencesPerLine = f.intOption(key::kSpinPgRefPerLine);
  format.dotLeader = f.intOption(key::kCheckUseDotLeadering) != 0;
  format.passim = f.intOption(key::kCheckUsePassim) != 0;
  format.passimMaximum = f.intOption(key::kSpinPgRefMax);
  return format;
}

int progressThreshold(std::size_t citations) { return static_cast<int>((citations + 9) / 10); }

bool isEntrySignalWord(std::string_view word, bool inBeginsInRe) {
  const std::string bare = db::lowerCase(db::stripBrackets(db::stripTrailing(word, true)));
  if (bare.empty()) return true;
  if (bare == "in") return !inBeginsInRe;
  return std::find(kSignalWords.begin(), kSignalWords.end(), bare) != kSignalWords.end();
}

std::size_t firstWrittenToken(const recognize::TokenList& tokens) {
  // "In re" names are written whole; the test looks only at the citation's
  // start, as the recogniser's own signal stripping does.
  bool inBeginsInRe = false;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i].isBlank()) continue;
    inBeginsInRe = db::lowerCase(tokens[i].text) == "re";
    break;
  }
  std::size_t i = 0;
  for (; i < tokens.size(); ++i) {
    const recognize::Token& token = tokens[i];
    if (token.isBlank()) continue;
    if (token.isSpecial() || !isEntrySignalWord(token.text, inBeginsInRe)) break;
  }
  return i;
}

std::string expandedWord(const std::string& word, const db::AbbreviationCollection& abbreviations) {
  const std::string bare = db::stripTrailing(word, false);
  const db::Abbreviation* abbreviation = abbreviations.find(bare);
  if (abbreviation == nullptr || abbreviation->longForms.size() != 1) return word;
  return abbreviation->longForms[0].value + word.substr(bare.size());
}

std::string nameEndMark(int entryNumber) { return "XTOA~EndOfCitationNameInTable" + std::to_string(entryNumber); }
std::string pageEndMark(int entryNumber) { return "XTOA~EndOfCitationPageInTable" + std::to_string(entryNumber); }
std::string pageListBeginMark(const std::string& key) { return "XTOA~CIT~" + key + "~TOABEGIN"; }
std::string pageListEndMark(const std::string& key) { return "XTOA~CIT~" + key + "~TOAEND"; }

}  // namespace table::internal
