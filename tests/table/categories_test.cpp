// The sort orders on pairs of citations typed as short texts, and the
// blocks that layOutCategories makes of one small run under each option that
// changes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/option_keys.h"
#include "recognize/citation_table.h"
#include "table/categories.h"

namespace table {
namespace {

using recognize::Citation;
using recognize::Token;
using recognize::TokenList;
namespace keys = db::option_keys;

// Tokens from a short text: " " a blank, "~" a hard space, "$" the section
// sign, "|" a break between two word tokens; anything else word characters.
TokenList tokensOf(std::string_view text) {
  TokenList tokens;
  std::string word;
  const auto flush = [&] {
    if (!word.empty()) tokens.push_back({.text = word});
    word.clear();
  };
  for (const char c : text) {
    if (c == ' ' || c == '~' || c == '$' || c == '|') flush();
    if (c == ' ') tokens.push_back({.text = " ", .kind = recognize::kBlank});
    if (c == '~') tokens.push_back({.text = recognize::kHardSpaceText, .kind = recognize::kSpecial});
    if (c == '$') tokens.push_back({.text = recognize::kSectionSignText, .kind = recognize::kSpecial});
    if (c != ' ' && c != '~' && c != '$' && c != '|') word += c;
  }
  flush();
  return tokens;
}

// A citation with only what the orders and the layout read; key keeps the text.
struct Given {
  const char* text = "";
  int kind = recognize::kCase;
  int jurisdiction = 0;
  const char* entry = "";
  std::vector<int> pages = {1};  // physical page of each occurrence
  int id = 0;
  int group = db::kGroupStatute;
};

Citation citationOf(const Given& given) {
  Citation citation;
  citation.kind = given.kind;
  citation.jurisdiction = given.jurisdiction;
  citation.tokens = tokensOf(given.text);
  citation.physicalPages = given.pages;
  citation.ids = {given.id};
  citation.entryName = given.entry;
  citation.key = given.text;
  citation.group = given.group;
  return citation;
}

using Order = bool (*)(const Citation&, const Citation&);
enum Expect { kBefore, kEqual };
struct Pair { const char* name; Given a; Given b; Expect expect = kBefore; };

void expectPairs(Order compare, const std::vector<Pair>& rows) {
  for (const Pair& row : rows) {
    SCOPED_TRACE(row.name);
    const Citation a = citationOf(row.a), b = citationOf(row.b);
    EXPECT_EQ(compare(a, b), row.expect == kBefore) << row.a.text << " against " << row.b.text;
    EXPECT_FALSE(compare(b, a)) << "the reverse pair must not also come first";
    EXPECT_FALSE(compare(a, a)) << "a citation never comes before itself";
  }
}

TEST(CitationOrder, ByName) {
  expectPairs(compareByName, {
      {"capitals sort before lower case", {.text = "SMITH v. Jones"}, {.text = "Smith v. Jones"}},
      {"a token-wise prefix sorts first", {.text = "Smith v. Jones"}, {.text = "Smith v. Jones Co."}},
      {"a shorter word that is no prefix: byte order, not length", {.text = "Smithers"}, {.text = "Smyth"}},
      {"a word split over two tokens meets the whole word; the next words decide",
       {.text = "Smith v. Adams"}, {.text = "Smi|th v. Baker"}},
      {"the same with the split on the first side", {.text = "Smi|th v. Adams"}, {.text = "Smith v. Baker"}},
      {"the same stream: fewer tokens first", {.text = "Smith v. Jones"}, {.text = "Smi|th v. Jones"}},
      {"remainders carried on both sides stay inside both lists", {.text = "Smith"}, {.text = "Smi|thers"}},
      {"a hard space counts as a blank", {.text = "Smith~v. Jones"}, {.text = "Smith v. Jones"}, kEqual},
      {"a special character sorts before a word", {.text = "Smith $ 5"}, {.text = "Smith v. Jones"}},
      {"two specials in byte order: section sign before hard space", {.text = "A$"}, {.text = "A~"}},
      {"no tokens sort first", {.text = ""}, {.text = "Smith"}},
      {"In re Smith files under I: after Hill", {.text = "Hill"}, {.text = "In re Smith"}},
      {"In re Smith files under I: before Jones", {.text = "In re Smith"}, {.text = "Jones"}},
      {"United States v. Jones files under U", {.text = "Taylor"}, {.text = "United States v. Jones"}},
  });
}

TEST(CitationOrder, ByNameIgnoringLeadingPhrases) {
  expectPairs(compareByNameIgnoringLeadingPhrases, {
      {"In re Smith files among the S names: after Sanders", {.text = "Sanders"}, {.text = "In re Smith"}},
      {"In re Smith files among the S names: before Smyth", {.text = "In re Smith"}, {.text = "Smyth"}},
      {"United States v. Jones files under J: after Jackson", {.text = "Jackson"}, {.text = "United States v. Jones"}},
      {"United States v. Jones files under J: before Kent", {.text = "United States v. Jones"}, {.text = "Kent"}},
      {"phrases match lower-cased and across a hard space", {.text = "Fox"}, {.text = "EX~PARTE Young"}},
      {"State v. and People v. are skipped as well", {.text = "State v. Adams"}, {.text = "People v. Baker"}},
      {"a word that only begins like a phrase is no phrase", {.text = "Hill"}, {.text = "In rem Smith"}},
      {"equal streams: the full token counts decide", {.text = "Smith"}, {.text = "In re Smith"}},
      {"a bare phrase leaves nothing to compare: counts decide", {.text = "Adams"}, {.text = "In re"}},
  });
}

TEST(CitationOrder, Numerically) {
  expectPairs(compareNumerically, {
      {"section 9 before section 10", {.text = "$ 9"}, {.text = "$ 10"}},
      {"12-3 before 12-10", {.text = "12-3"}, {.text = "12-10"}},
      {"the part before the dash decides first", {.text = "5-"}, {.text = "10-3"}},
      {"a part before the dash that is no number: the parts after it decide", {.text = "A-5"}, {.text = "A-10"}},
      {"a dash on one side only: byte order of the whole texts", {.text = "10"}, {.text = "2-1"}},
      {"trailing , ; : are dropped before the numeric test", {.text = "9,"}, {.text = "10"}},
      {"so 10; equals 10", {.text = "10;"}, {.text = "10"}, kEqual},
      {"a text that is no number: byte order", {.text = "10a"}, {.text = "9a"}},
      {"decimals compare by their whole part", {.text = "9.5"}, {.text = "10.1"}},
      {"equal whole parts: byte order", {.text = "1.25"}, {.text = "1.5"}},
      {"leading zeros do not count", {.text = "8"}, {.text = "09"}},
      {"numbers longer than any integer type", {.text = "99999999999999999999"}, {.text = "100000000000000000000"}},
      {"no remainder is carried: a split word compares piece by piece", {.text = "Smi|th"}, {.text = "Smith"}},
      {"a hard space still counts as a blank", {.text = "$~9"}, {.text = "$ 9"}, kEqual},
  });
}

TEST(CitationOrder, ByReporterAndByAppearance) {
  expectPairs(compareByReporter, {
      {"different reporters: byte order of the names, not the texts",
       {.text = "Zed", .entry = "F.2d"}, {.text = "Abe", .entry = "U.S."}},
      {"the same reporter: numeric order of the texts",
       {.text = "USC $ 9", .entry = "U.S.C."}, {.text = "USC $ 10", .entry = "U.S.C."}},
      {"the same reporter and text", {.text = "A 1", .entry = "U.S."}, {.text = "A 1", .entry = "U.S."}, kEqual},
  });
  expectPairs(compareByAppearance, {
      {"first found in a footnote on page 2 (read after the body, so a higher id): before page 3",
       {.pages = {2}, .id = 40}, {.pages = {3}, .id = 1}},
      {"equal first page: the first id decides", {.pages = {2}, .id = 4}, {.pages = {2}, .id = 7}},
      {"only the first occurrence counts", {.pages = {2}}, {.pages = {4, 1}}},
      {"same page and id", {.pages = {2}, .id = 3}, {.pages = {2}, .id = 3}, kEqual},
  });
}

// One run: four cases, three statutes and one citation of neither kind. Each
// order gives the cases and the statutes a different sequence.
const std::vector<Given> kRun = {
    {.text = "Lamb", .entry = "U.S.", .pages = {1}, .id = 0},
    {.text = "Alpha", .jurisdiction = 1, .entry = "Cal.", .pages = {3}, .id = 1},
    {.text = "In re Moss", .entry = "F.2d", .pages = {2}, .id = 2},
    {.text = "USC $ 10", .kind = recognize::kDictionaryAuthority, .entry = "U.S.C.", .pages = {2}, .id = 3},
    {.text = "USC $ 9", .kind = recognize::kDictionaryAuthority, .entry = "U.S.C.", .pages = {4}, .id = 4},
    {.text = "Cal $ 5", .kind = recognize::kDictionaryAuthority, .jurisdiction = 1, .entry = "West Cal. Code",
     .pages = {1}, .id = 5},
    {.text = "Rest", .kind = recognize::kNoKind, .pages = {5}, .id = 6},
    {.text = "Beta", .entry = "U.S.", .pages = {1}, .id = 7},  // first found in a footnote on page 1
};

// A case, one dictionary authority of each group and three other authorities.
constexpr int kCode = recognize::kDictionaryAuthority, kOther = recognize::kOtherAuthority;
const std::vector<Given> kGroupRun = {
    {.text = "Lamb"}, {.text = "The Fed", .kind = kOther}, {.text = "USC", .kind = kCode},
    {.text = "Const", .kind = kCode, .group = db::kGroupConstitution}, {.text = "2 Lee", .kind = kOther},
    {.text = "Rule", .kind = kCode, .group = db::kGroupRule}, {.text = "eck", .kind = kOther},
    {.text = "CFR", .kind = kCode, .group = db::kGroupRegulation},
    {.text = "USSG", .kind = kCode, .group = db::kGroupGuideline}};

struct Options {
  const char* order = "Cases;Statutes;";
  int splitCases = 0, splitStatutes = 0, mixed = 0, ignore = 0, caseSort = 0, statuteSort = 0;
  int fix = 0, fixMode = 5, expand = 0;
};

db::OptionCollection optionsOf(const Options& o) {
  db::OptionCollection options;
  options.sort.textValues[keys::kListCatOrderRight] = o.order;
  options.sort.intValues = {{keys::kCheckSplitCases, o.splitCases},     {keys::kCheckSplitStatutes, o.splitStatutes},
                            {keys::kCheckMixedOrderOfAppearance, o.mixed}, {keys::kCheckIgnoreLeadingPhrases, o.ignore},
                            {keys::kComboAuthSortCases, o.caseSort},   {keys::kComboAuthSortStatutes, o.statuteSort}};
  options.content.intValues = {{keys::kCheckFixCaseUnderlining, o.fix},
                               {keys::kComboFixCaseUnderlining, o.fixMode},
                               {keys::kCheckExpandAbbr, o.expand}};
  return options;
}

// "HEADING underline/expand: texts | ...", "-" for no heading.
std::string describe(const std::vector<CategoryBlock>& blocks) {
  std::string out;
  for (const CategoryBlock& block : blocks) {
    out += (out.empty() ? "" : " | ") + (block.heading.empty() ? "-" : block.heading) + " " +
           std::to_string(block.underlineMode) + "/" + (block.expandAbbreviations ? "1" : "0") + ":";
    for (std::size_t i = 0; i < block.citations.size(); ++i) out += (i ? ", " : " ") + block.citations[i]->key;
  }
  return out;
}

TEST(LayOutCategories, BlocksForEachOption) {
  const struct { const char* name; Options options; const char* expect; const std::vector<Given>* run = &kRun;
                 std::vector<int> only = {}; } rows[] = {
      {"defaults: cases by name, statutes by reporter, misc last; fixing off is -1 whatever the combo holds", {},
       "CASES -1/0: Alpha, Beta, In re Moss, Lamb "
       "| STATUTES 0/0: USC $ 9, USC $ 10, Cal $ 5 | MISCELLANEOUS 0/0: Rest"},
      {"ignoring leading phrases files In re Moss under M", {.order = "Cases;", .ignore = 1},
       "CASES -1/0: Alpha, Beta, Lamb, In re Moss | MISCELLANEOUS 0/0: Rest"},
      {"split cases with only Cases listed drops the state cases", {.order = "Cases;", .splitCases = 1},
       "CASES -1/0: Beta, In re Moss, Lamb | MISCELLANEOUS 0/0: Rest"},
      {"split names write their lists under their own headings, in listed order",
       {.order = "Cases (State);Cases (Federal);Statutes (Federal);Statutes (State);", .splitCases = 1,
        .splitStatutes = 1},
       "STATE CASES -1/0: Alpha | FEDERAL CASES -1/0: Beta, In re Moss, Lamb | FEDERAL STATUTES 0/0: USC $ 9, "
       "USC $ 10 | STATE STATUTES 0/0: Cal $ 5 | MISCELLANEOUS 0/0: Rest"},
      {"statutes by appearance whatever the case sort (cases by reporter)", {.caseSort = 1, .statuteSort = 2},
       "CASES -1/0: Alpha, In re Moss, Beta, Lamb "
       "| STATUTES 0/0: Cal $ 5, USC $ 10, USC $ 9 | MISCELLANEOUS 0/0: Rest"},
      {"cases by appearance (footnote's page 1 before page 2), statutes numerically", {.caseSort = 2, .statuteSort = 1},
       "CASES -1/0: Lamb, Beta, In re Moss, Alpha "
       "| STATUTES 0/0: Cal $ 5, USC $ 9, USC $ 10 | MISCELLANEOUS 0/0: Rest"},
      {"a sort value beyond the combo box keeps table order", {.caseSort = 3, .statuteSort = 7},
       "CASES -1/0: Lamb, Alpha, In re Moss, Beta "
       "| STATUTES 0/0: USC $ 10, USC $ 9, Cal $ 5 | MISCELLANEOUS 0/0: Rest"},
      {"mixed order: one list by physical page then id, no heading, treated as cases",
       {.order = "Statutes;", .mixed = 1, .fix = 1, .fixMode = 3, .expand = 1},
       "- 3/1: Lamb, Cal $ 5, Beta, In re Moss, USC $ 10, Alpha, USC $ 9, Rest"},
      {"a name twice writes twice, an unknown name nothing, an empty misc list nothing",
       {.order = "Statutes;Treaties;Statutes;"}, "STATUTES 0/0: USC $ 9, USC $ 10 | STATUTES 0/0: USC $ 9, USC $ 10",
       &kRun, {3, 4}},
      {"an empty category has no block (state cases without the split)", {.order = "Cases (State);Cases;"},
       "CASES -1/0: Alpha, Beta, In re Moss, Lamb | MISCELLANEOUS 0/0: Rest"},
      {"fixing on: cases take the combo's mode; statutes 0, never expanded; misc 0, expanded",
       {.fix = 1, .fixMode = 5, .expand = 1},
       "CASES 5/1: Alpha, Beta, In re Moss, Lamb | STATUTES 0/0: USC $ 9, USC $ 10, Cal $ 5 | MISCELLANEOUS 0/1: Rest"},
      {"an empty order list writes only the miscellaneous list", {.order = ""}, "MISCELLANEOUS 0/0: Rest"},
      {"only Rules listed: guidelines join them, other groups stay statutes, others out", {.order = "Rules;Statutes;"},
       "RULES 0/0: Rule, USSG | STATUTES 0/0: CFR, Const, USC", &kGroupRun},
      {"each listed category takes its group; others by text without volume and The, case ignored",
       {.order = "Cases;Constitutional Provisions;Statutes;Rules;Regulations;Sentencing Guidelines;Other Authorities;"},
       "CASES -1/0: Lamb | CONSTITUTIONAL PROVISIONS 0/0: Const | STATUTES 0/0: USC | RULES 0/0: Rule | "
       "REGULATIONS 0/0: CFR | SENTENCING GUIDELINES 0/0: USSG | OTHER AUTHORITIES 0/0: eck, The Fed, 2 Lee", &kGroupRun},
      {"mixed order: other authorities only when listed", {.order = "Cases;", .mixed = 1},
       "- -1/0: Lamb, USC, Const, Rule, CFR, USSG", &kGroupRun},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    recognize::CitationTable table;
    for (std::size_t i = 0; i < row.run->size(); ++i)
      if (row.only.empty() || std::count(row.only.begin(), row.only.end(), static_cast<int>(i)))
        table.citations.push_back(std::make_unique<Citation>(citationOf((*row.run)[i])));
    const std::vector<CategoryBlock> blocks = layOutCategories(table, optionsOf(row.options));
    EXPECT_EQ(describe(blocks), row.expect);
    for (const CategoryBlock& block : blocks)
      for (const Citation* citation : block.citations) EXPECT_TRUE(table.contains(citation)) << "not a copy";
  }
}

}  // namespace
}  // namespace table
