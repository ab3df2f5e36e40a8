// The five orders in which a category's citations are written. In: two
// citations. Out: whether the first is written before the second. The name
// and numeric orders walk both token lists as one stream of text, so that a
// word typed as two tokens on one side still meets the whole word on the other.
#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/text.h"
#include "table/categories.h"

namespace table {
namespace {

using recognize::Citation;
using recognize::Token;
using recognize::TokenList;

// How the walk compares two tokens that are neither special.
enum class PlainRule { kText, kNumber };

// -1, 0 or 1 as the integer value of a's leading digits is below, equal to or
// above b's. Compared as digit strings, so no number is too long to read.
int compareLeadingIntegers(std::string_view a, std::string_view b) {
  const auto significantDigits = [](std::string_view text) {
    text = text.substr(0, std::min(text.find_first_not_of("0123456789"), text.size()));
    const std::size_t first = text.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
  };
  const std::string_view digitsA = significantDigits(a), digitsB = significantDigits(b);
  if (digitsA.size() != digitsB.size()) return digitsA.size() < digitsB.size() ? -1 : 1;
  const int order = digitsA.compare(digitsB);
  return (order > 0) - (order < 0);
}

// Decides by integer value when both texts are numbers whose values differ.
std::optional<bool> byNumber(std::string_view a, std::string_view b) {
  if (!db::isDecimalNumber(a) || !db::isDecimalNumber(b)) return std::nullopt;
  const int order = compareLeadingIntegers(a, b);
  if (order == 0) return std::nullopt;
  return order < 0;
}

// Two plain tokens in the numeric order; nullopt when they are the same text.
// "12-3" against "12-10" is read part by part around the first "-".
std::optional<bool> comparePlainNumerically(std::string_view rawA, std::string_view rawB) {
  const std::string a = db::stripTrailing(rawA, false), b = db::stripTrailing(rawB, false);
  const std::size_t dashA = a.find('-'), dashB = b.find('-');
  if (dashA != std::string::npos && dashB != std::string::npos) {
    const std::string_view viewA = a, viewB = b;
    if (auto decided = byNumber(viewA.substr(0, dashA), viewB.substr(0, dashB))) return decided;
    if (a.back() != '-' && b.back() != '-')
      if (auto decided = byNumber(viewA.substr(dashA + 1), viewB.substr(dashB + 1))) return decided;
  }
  if (auto decided = byNumber(a, b)) return decided;
  if (a != b) return a < b;
  return std::nullopt;
}

// Walks a's tokens from startA against b's from startB. true: a first; false:
// b first; nullopt: no position decided and the token counts will.
std::optional<bool> walk(const TokenList& a, std::size_t startA, const TokenList& b, std::size_t startB,
                         PlainRule rule) {
  const auto countA = static_cast<std::ptrdiff_t>(a.size() - startA);
  const auto countB = static_cast<std::ptrdiff_t>(b.size() - startB);
  std::ptrdiff_t limit = std::min(countA, countB);
  // A side whose word was longer stays on its token (offset one lower) and
  // carries the rest of the word to the next position.
  std::ptrdiff_t offA = 0, offB = 0;
  std::string_view restA, restB;
  bool carryA = false, carryB = false;
  for (std::ptrdiff_t k = 0; k < limit; ++k) {
    const Token& tokenA = a[startA + static_cast<std::size_t>(k + offA)];
    const Token& tokenB = b[startB + static_cast<std::size_t>(k + offB)];
    const std::string_view textA = carryA ? restA : std::string_view(tokenA.text);
    const std::string_view textB = carryB ? restB : std::string_view(tokenB.text);
    carryA = carryB = false;
    if (tokenA.isSpecial() && tokenB.isSpecial()) {
      if (textA != textB) return textA < textB;
      continue;
    }
    if ((tokenA.isHardSpace() && tokenB.isBlank()) || (tokenA.isBlank() && tokenB.isHardSpace())) continue;
    if (tokenA.isSpecial()) return true;
    if (tokenB.isSpecial()) return false;
    if (rule == PlainRule::kNumber) {
      if (auto decided = comparePlainNumerically(textA, textB)) return decided;
      continue;
    }
    if (textA.size() == textB.size()) {
      if (textA != textB) return textA < textB;
      continue;
    }
    const bool aShorter = textA.size() < textB.size();
    const std::string_view shorter = aShorter ? textA : textB;
    if (!(aShorter ? textB : textA).starts_with(shorter)) return textA < textB;
    if (aShorter) {
      restB = textB.substr(shorter.size());
      carryB = true;
      --offB;
    } else {
      restA = textA.substr(shorter.size());
      carryA = true;
      --offA;
    }
    limit = std::min(countA - offA, countB - offB);
  }
  return std::nullopt;
}

bool fewerTokens(const Citation& a, const Citation& b) { return a.tokens.size() < b.tokens.size(); }

// The index of the first token after a leading party phrase and the blanks
// behind it, 0 when the tokens begin with none. The blanks behind the phrase
// are skipped too: otherwise "In re Smith" would meet every other name with a
// blank and sort before all of them instead of among the S names.
std::size_t afterLeadingPhrase(const TokenList& tokens) {
  static constexpr std::array<std::array<std::string_view, 3>, 5> kPhrases{{
      {"in", "re"}, {"ex", "parte"}, {"state", "v."}, {"people", "v."}, {"united", "states", "v."}}};
  const auto skipSpaces = [&tokens](std::size_t i) {
    while (i < tokens.size() && (tokens[i].isBlank() || tokens[i].isHardSpace())) ++i;
    return i;
  };
  for (const auto& phrase : kPhrases) {
    std::size_t i = 0;
    bool matches = true;
    for (std::size_t w = 0; matches && w < phrase.size() && !phrase[w].empty(); ++w) {
      if (w > 0) i = skipSpaces(i);
      matches = i < tokens.size() && tokens[i].isWord() && db::lowerCase(tokens[i].text) == phrase[w];
      ++i;
    }
    if (matches) return skipSpaces(i);
  }
  return 0;
}

int firstOr(const std::vector<int>& values, int missing) { return values.empty() ? missing : values.front(); }

}  // namespace

bool compareByAppearance(const Citation& a, const Citation& b) {
  // A citation without occurrences cannot come from the recogniser; it goes last.
  constexpr int kMissing = std::numeric_limits<int>::max();
  const int pageA = firstOr(a.physicalPages, kMissing), pageB = firstOr(b.physicalPages, kMissing);
  if (pageA == pageB) return firstOr(a.ids, kMissing) < firstOr(b.ids, kMissing);
  return pageA < pageB;
}

bool compareByReporter(const Citation& a, const Citation& b) {
  if (a.entryName == b.entryName) return compareNumerically(a, b);
  return a.entryName < b.entryName;
}

bool compareByName(const Citation& a, const Citation& b) {
  return walk(a.tokens, 0, b.tokens, 0, PlainRule::kText).value_or(fewerTokens(a, b));
}

bool compareByNameIgnoringLeadingPhrases(const Citation& a, const Citation& b) {
  // The final count rule keeps the full counts, so "Smith" stays before "In re Smith".
  return walk(a.tokens, afterLeadingPhrase(a.tokens), b.tokens, afterLeadingPhrase(b.tokens), PlainRule::kText)
      .value_or(fewerTokens(a, b));
}

bool compareNumerically(const Citation& a, const Citation& b) {
  return walk(a.tokens, 0, b.tokens, 0, PlainRule::kNumber).value_or(fewerTokens(a, b));
}

}  // namespace table
