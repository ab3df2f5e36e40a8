// Tells a document's own table of contents or authorities from its text by
// the headings around it. In: one paragraph's tokens at a time. Out: read or
// skip.
#include "table/own_tables.h"

#include <cctype>
#include <cstddef>
#include <string>
#include <vector>

namespace table {
namespace {

// Words of one paragraph, upper-cased, without the punctuation around them.
struct ParagraphWords {
  std::vector<std::string> words;
  bool digits = false, leader = false, allCapitals = true, allBold = true, endsSentence = false;
};

ParagraphWords wordsOf(const recognize::TokenList& paragraph) {
  ParagraphWords result;
  for (const recognize::Token& token : paragraph) {
    if (!token.isWord()) continue;
    std::string word;
    for (char c : token.text) {
      const auto u = static_cast<unsigned char>(c);
      if (std::isdigit(u)) result.digits = true;
      if (std::islower(u)) result.allCapitals = false;
      if (std::isalpha(u) || c == '\'') word += static_cast<char>(std::toupper(u));
    }
    if (token.text.find("...") != std::string::npos) result.leader = true;
    if (!token.attribute(recognize::kBold)) result.allBold = false;
    const char last = token.text.back();  // a word token is never empty
    result.endsSentence = last == '.' || last == ',' || last == ';' || last == ':';
    if (!word.empty()) result.words.push_back(word);
  }
  return result;
}

bool isOwnTableHeading(const std::vector<std::string>& words) {
  return words.size() == 3 && words[0] == "TABLE" && words[1] == "OF" &&
         (words[2] == "CONTENTS" || words[2] == "AUTHORITIES");
}

// The headings a table of authorities divides itself by.
bool isCategoryHeading(const std::vector<std::string>& words) {
  static const char* const kCategoryWords[] = {
      "CASES",      "STATUTES",   "STATUTE",   "RULES",      "RULE",          "REGULATIONS", "CONSTITUTIONAL",
      "PROVISIONS", "OTHER",      "AUTHORITIES", "FEDERAL",  "STATE",         "TREATISES",   "SECONDARY",
      "SOURCES",    "MISCELLANEOUS", "LEGISLATIVE", "MATERIALS", "HISTORY",     "COURT",       "CODES",
      "ADMINISTRATIVE", "PAGE",   "PAGES",     "S",          "AND",           "OF",          "DECISIONS",
      "CONSTITUTIONS", "LAWS",    "ORDERS",    "ARTICLES",   "BOOKS",         "PERIODICALS", "US", "CITED"};
  for (const std::string& word : words) {
    bool known = false;
    for (const char* category : kCategoryWords) known = known || word == category;
    if (!known) return false;
  }
  return true;
}

constexpr std::size_t kLongestHeading = 12;
constexpr std::size_t kShortestProse = 40;

}  // namespace

bool OwnTableFilter::read(const recognize::TokenList& paragraph) {
  // Outside a table only a heading of three words can matter; most
  // paragraphs are longer and are not looked at further.
  if (!inside_) {
    std::size_t words = 0;
    for (const recognize::Token& token : paragraph) words += token.isWord() ? 1 : 0;
    if (words != 3) return true;
  }
  const ParagraphWords p = wordsOf(paragraph);
  if (p.words.empty()) return !inside_;
  if (isOwnTableHeading(p.words)) {
    inside_ = true;
    return false;
  }
  if (!inside_) return true;
  const bool heading = p.words.size() <= kLongestHeading && !p.digits && !p.endsSentence &&
                       (p.allCapitals || p.allBold) && !isCategoryHeading(p.words);
  if (heading || (p.words.size() >= kShortestProse && !p.leader)) inside_ = false;
  return !inside_;
}

}  // namespace table
