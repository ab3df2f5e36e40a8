// Groups a run's citations into the table's categories. In: the citation
// table and the option set's sort and content options. Out: the blocks to
// write, in the order the set lists its categories, each sorted by the order
// chosen for its kind, then the miscellaneous citations unsorted.
//
// Constitutions, rules, regulations and guidelines stay with the statutes
// unless the list names their category, so the sets written before those
// categories existed give the tables they always gave.
#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "db/option_keys.h"
#include "db/string_list.h"
#include "table/categories.h"

namespace table {
namespace {

using recognize::Citation;
namespace keys = db::option_keys;

using Order = bool (*)(const Citation&, const Citation&);
using CitationList = std::vector<Citation*>;

constexpr int kStateJurisdiction = 1;

enum ListId {
  kCases,
  kStateCases,
  kStatutes,
  kStateStatutes,
  kConstitutions,
  kRules,
  kRegulations,
  kGuidelines,
  kOtherAuthorities,
  kListCount
};

struct CategoryName {
  const char* name;  // as stored in the order list
  ListId list;
  const char* heading;
};

constexpr std::array<CategoryName, 11> kCategoryNames{{
    {"Cases", kCases, "CASES"},
    {"Cases (Federal)", kCases, "FEDERAL CASES"},
    {"Cases (State)", kStateCases, "STATE CASES"},
    {"Statutes", kStatutes, "STATUTES"},
    {"Statutes (Federal)", kStatutes, "FEDERAL STATUTES"},
    {"Statutes (State)", kStateStatutes, "STATE STATUTES"},
    {"Constitutional Provisions", kConstitutions, "CONSTITUTIONAL PROVISIONS"},
    {"Rules", kRules, "RULES"},
    {"Regulations", kRegulations, "REGULATIONS"},
    {"Sentencing Guidelines", kGuidelines, "SENTENCING GUIDELINES"},
    {"Other Authorities", kOtherAuthorities, "OTHER AUTHORITIES"},
}};

// The sort values are positions in alphabetical combo boxes; any other value
// (null here) keeps the table's order.
Order caseOrder(const db::OptionTable& sort) {
  switch (sort.intOption(keys::kComboAuthSortCases)) {
    case 0:
      return sort.intOption(keys::kCheckIgnoreLeadingPhrases) != 0 ? compareByNameIgnoringLeadingPhrases
                                                                    : compareByName;
    case 1: return compareByReporter;
    case 2: return compareByAppearance;
    default: return nullptr;
  }
}

Order statuteOrder(const db::OptionTable& sort) {
  switch (sort.intOption(keys::kComboAuthSortStatutes)) {
    case 0: return compareByReporter;
    case 1: return compareNumerically;
    case 2: return compareByAppearance;
    default: return nullptr;
  }
}

CitationList sorted(CitationList list, Order order) {
  // The name and numeric orders are not strict weak orderings on odd input (a
  // hard space equals a blank, yet the two order differently against a word;
  // value against byte order can form a cycle). std::sort's result, and its
  // staying inside the range, are then undefined; std::stable_sort only merges
  // within bounds.
  if (order != nullptr)
    std::stable_sort(list.begin(), list.end(), [order](const Citation* a, const Citation* b) { return order(*a, *b); });
  return list;
}

const CategoryName* findCategory(const std::string& name) {
  const auto found = std::find_if(kCategoryNames.begin(), kCategoryNames.end(),
                                  [&name](const CategoryName& category) { return name == category.name; });
  return found == kCategoryNames.end() ? nullptr : &*found;
}

// The list a kind-2 citation of `group` goes to when the order list names
// the categories in `named`: its group's own list, a guideline the rules'
// list when there is no list of guidelines, else the statutes (split or not).
ListId authorityList(int group, const std::array<bool, kListCount>& named, bool stateStatute) {
  switch (group) {
    case db::kGroupConstitution:
      if (named[kConstitutions]) return kConstitutions;
      break;
    case db::kGroupGuideline:
      if (named[kGuidelines]) return kGuidelines;
      if (named[kRules]) return kRules;
      break;
    case db::kGroupRule:
      if (named[kRules]) return kRules;
      break;
    case db::kGroupRegulation:
      if (named[kRegulations]) return kRegulations;
      break;
    default: break;
  }
  return stateStatute ? kStateStatutes : kStatutes;
}

// Drops the first word of text, and the blanks after it, when it passes test.
void dropLeadingWord(std::string& text, bool (*test)(const std::string&)) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos || !test(text.substr(0, blank))) return;
  text.erase(0, std::min(text.find_first_not_of(' ', blank), text.size()));
}

// The text an other authority sorts by: its tokens' text without a leading
// volume number ("2 Wayne R. LaFave, ...") and a leading "The", lower-cased.
// Blanks and special characters count as one blank each.
std::string otherAuthoritySortText(const Citation& citation) {
  std::string text;
  for (const recognize::Token& token : citation.tokens) text += token.isWord() ? token.text : std::string(" ");
  dropLeadingWord(text, [](const std::string& word) {
    return std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
  });
  dropLeadingWord(text, [](const std::string& word) { return word == "The" || word == "the"; });
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

bool compareOtherAuthorities(const Citation& a, const Citation& b) {
  const std::string left = otherAuthoritySortText(a), right = otherAuthoritySortText(b);
  if (left != right) return left < right;
  return compareByAppearance(a, b);
}

bool listsOtherAuthorities(const db::OptionCollection& options) {
  const db::StringList order(options.sort.textOption(keys::kListCatOrderRight));
  return std::any_of(order.begin(), order.end(), [](const db::DString& name) {
    const CategoryName* category = findCategory(name.value);
    return category != nullptr && category->list == kOtherAuthorities;
  });
}

std::vector<CategoryBlock> layOutCategories(const recognize::CitationTable& table,
                                            const db::OptionCollection& options) {
  const db::OptionTable& sort = options.sort;
  const db::OptionTable& content = options.content;
  const bool expand = content.intOption(keys::kCheckExpandAbbr) != 0;
  const int caseUnderline =
      content.intOption(keys::kCheckFixCaseUnderlining) != 0 ? content.intOption(keys::kComboFixCaseUnderlining) : -1;

  std::vector<CategoryBlock> blocks;
  const auto add = [&blocks](std::string heading, CitationList list, int underlineMode, bool expandFlag) {
    if (!list.empty()) blocks.push_back({std::move(heading), std::move(list), underlineMode, expandFlag});
  };

  const db::StringList order(sort.textOption(keys::kListCatOrderRight));
  std::array<bool, kListCount> named{};
  for (const db::DString& name : order)
    if (const CategoryName* category = findCategory(name.value)) named[category->list] = true;
  // Other authorities appear only in a table whose set asks for them: the
  // sets that do not name them give the tables they gave before these were
  // recognised.
  const auto written = [&named](const Citation& citation) {
    return citation.kind != recognize::kOtherAuthority || named[kOtherAuthorities];
  };

  CitationList misc;
  if (sort.intOption(keys::kCheckMixedOrderOfAppearance) != 0) {
    for (const auto& citation : table.citations)
      if (citation && written(*citation)) misc.push_back(citation.get());
    add("", sorted(std::move(misc), compareByAppearance), caseUnderline, expand);
    return blocks;
  }

  const bool splitCases = sort.intOption(keys::kCheckSplitCases) != 0;
  const bool splitStatutes = sort.intOption(keys::kCheckSplitStatutes) != 0;
  std::array<CitationList, kListCount> lists;
  for (const auto& owned : table.citations) {
    Citation* citation = owned.get();
    if (citation == nullptr) continue;
    const bool state = citation->jurisdiction == kStateJurisdiction;
    if (citation->kind == recognize::kCase)
      lists[splitCases && state ? kStateCases : kCases].push_back(citation);
    else if (citation->kind == recognize::kDictionaryAuthority)
      lists[authorityList(citation->group, named, splitStatutes && state)].push_back(citation);
    else if (citation->kind == recognize::kOtherAuthority)
      lists[kOtherAuthorities].push_back(citation);  // written only when the list names them
    else
      misc.push_back(citation);
  }

  const Order cases = caseOrder(sort), statutes = statuteOrder(sort);
  for (const db::DString& name : order) {
    const CategoryName* category = findCategory(name.value);
    if (category == nullptr) continue;  // a name we do not know writes nothing
    if (category->list == kCases || category->list == kStateCases)
      add(category->heading, sorted(lists[category->list], cases), caseUnderline, expand);
    else if (category->list == kOtherAuthorities)
      add(category->heading, sorted(lists[category->list], compareOtherAuthorities), 0, false);
    else
      add(category->heading, sorted(lists[category->list], statutes), 0, false);
  }
  add("MISCELLANEOUS", std::move(misc), 0, expand);
  return blocks;
}

}  // namespace table
