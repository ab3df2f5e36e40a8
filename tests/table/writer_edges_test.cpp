// What the table writer does that the example brief's goldens cannot show,
// written to a new document of the stand-in host's engine: a case name's own
// underlining reproduced word by word (the brief underlines none; the six
// fixed modes are its goldens), signal words left out, abbreviations
// written in full (cases only, one long form only), the host lengths of font
// size and margins, the host switches saved and restored, and the progress
// bar's steps.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/host_commands.h"
#include "quillon/doc/document.h"
#include "recognize/citation_table.h"
#include "table/table_writer.h"
#include "tests/table/engine_host.h"

namespace {

using quillon::doc::CodeKind;
using quillon::doc::ItemKind;

// "#" before a word: the name ends there (nameStop); "_" before a word: it is
// underlined in the document.
recognize::CitationTable citations(const std::vector<std::pair<int, std::string>>& kindAndText,
                                   std::vector<int> pages = {3}) {
  recognize::CitationTable table;
  for (const auto& [kind, text] : kindAndText) {
    auto citation = std::make_unique<recognize::Citation>();
    citation->kind = kind;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
      if (!citation->tokens.empty()) citation->tokens.push_back({.text = " ", .kind = recognize::kBlank});
      recognize::Token token{.text = word};
      if (token.text[0] == '#') token.text.erase(0, 1), token.nameStop = 1;
      if (token.text[0] == '_') token.text.erase(0, 1), token.setAttribute(recognize::kUnderline, true);
      citation->tokens.push_back(token);
    }
    citation->key = "k" + std::to_string(table.citations.size());
    citation->pages = pages;
    citation->physicalPages = {pages.front()};
    citation->ids = {static_cast<int>(table.citations.size())};
    table.citations.push_back(std::move(citation));
  }
  return table;
}

struct CountingBar : table::ProgressBar {
  int position() const override { return 0; }
  void step() override { ++steps; }
  void setPosition(int) override {}
  int steps = 0;
};

class Writer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(table_test::bindHostStrings()); }

  void write(recognize::CitationTable table, const std::string& sql = "") {
    if (!sql.empty()) database_.exec(sql);
    table::writeTable(table, true, "Default", bar_);
  }

  // The characters of the document's main text ('|' for anything else) and,
  // beside them, 'U' underlined, 'I' italic, 'B' both, '.' neither.
  std::pair<std::string, std::string> textAndMask() {
    quillon::doc::Document& d = host_.document();
    std::string text, mask;
    for (std::size_t i = 0; i < d.items().size(); ++i) {
      const quillon::doc::Item& item = d.items()[i];
      if (item.isCode()) continue;
      const bool u = d.attributeAt(14, i + 1), it = d.attributeAt(8, i + 1);
      text += item.kind == ItemKind::Character ? static_cast<char>(item.value) : '|';
      mask += u && it ? 'B' : u ? 'U' : it ? 'I' : '.';
    }
    return {text, mask};
  }

  table_test::TempDatabase database_{LEXORDA_SHIPPED_DB};
  table_test::EngineHost host_;
  CountingBar bar_;
};

struct EntryRow {
  const char* name;
  const char* sql;      // how the Default set differs
  int kind;
  const char* cited;    // the citation's tokens (see citations())
  const char* written;  // the entry's text as typed
  const char* mask;     // its underlining and italics
};

#define MODE(n) "update OptionSetContent set check_fix_case_underlining=1, combo_fix_case_underlining=" #n
#define EXPAND "update OptionSetContent set check_fix_case_underlining=0, check_expand_abbr=1"
TEST_F(Writer, EntryTextAndItsUnderlining) {
  const std::vector<EntryRow> rows = {
      {"not fixed: the document's own underlining", "update OptionSetContent set check_fix_case_underlining=0", 1,
       "_Smith _v. Jones, #_1 U.S. 2", "Smith v. Jones, 1 U.S. 2", "UUUUU.UU........U......."},
      {"a leading signal word is left out", MODE(1), 1, "See, Smith v. Jones, #1 U.S. 2",
       "Smith v. Jones, 1 U.S. 2", "UUUUUUUUUUUUUUU........."},
      {"an abbreviation with one long form is written out", EXPAND, 1, "Smith v. Ass'n, #1 U.S. 2",
       "Smith v. Association, 1 U.S. 2", ".............................."},
      {"one with two long forms stays", EXPAND, 1, "Smith v. Admin., #1 U.S. 2", "Smith v. Admin., 1 U.S. 2",
       "........................."},
      {"only case names expand", EXPAND, 2, "Ass'n Code 5", "Ass'n Code 5", "............"},
  };
  for (const EntryRow& row : rows) {
    SCOPED_TRACE(row.name);
    host_.engine().openDocument({}, "");
    write(citations({{row.kind, row.cited}}), row.sql);
    const auto [text, mask] = textAndMask();
    const std::size_t at = text.find(std::string("|") + row.written + "|");
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(mask.substr(at + 1, std::string(row.written).size()), row.mask);
  }
}
#undef MODE
#undef EXPAND

TEST_F(Writer, FontSizeAndMarginsInHostUnits) {
  struct Row { const char* name; const char* sql; int size, margin; };
  const std::vector<Row> rows = {
      {"12 points, 1.25 inches", "update OptionSetFormat set spin_font_size=12, spin_margin_left=1.25", 200, 1500},
      // 0.7 inch times 1200 in single precision is 840, not 839.
      {"10 points, 0.7 inch", "update OptionSetFormat set spin_font_size=10, spin_margin_left=0.7", 166, 840},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    write(citations({{1, "Smith v. Jones, #1 U.S. 2"}}), row.sql);
    quillon::doc::Document& d = host_.document();
    std::size_t title = 0;
    while (title < d.items().size() && d.items()[title].kind != ItemKind::Character) ++title;
    EXPECT_EQ(d.valueAt(CodeKind::Size, title + 1), row.size);
    EXPECT_EQ(d.valueAt(CodeKind::MarginLeft, title + 1), row.margin);
  }
}

TEST_F(Writer, SwitchesComeBackAsTheyWere) {
  host::HostCommands& c = host::hostCommands();
  c.SetSwitchA(1), c.SetSwitchB(0), c.SetSwitchC(1);
  host_.recordRequests(true);
  host_.clear();
  write(citations({{1, "Smith v. Jones, #1 U.S. 2"}}));
  std::vector<std::pair<int, int>> sets;
  for (const auto& r : host_.requests())
    if (r.command == 891 || r.command == 892 || r.command == 998) sets.emplace_back(r.command, r.integerAt(0));
  // All off while the table is written; only A and C on again.
  EXPECT_EQ(sets, (std::vector<std::pair<int, int>>{{891, 0}, {892, 0}, {998, 0}, {891, 1}, {998, 1}}));
  EXPECT_TRUE(host_.engine().switchA() && !host_.engine().switchB() && host_.engine().switchC());
}

TEST_F(Writer, ProgressStepsEveryTenthOfTheEntries) {
  struct Row { int citations; int steps; };
  // A step before every threshold-th entry after the first batch.
  for (const Row row : {Row{1, 0}, Row{10, 9}, Row{25, 8}}) {
    SCOPED_TRACE(row.citations);
    std::vector<std::pair<int, std::string>> many;
    for (int i = 0; i < row.citations; ++i) many.emplace_back(1, "Smith" + std::to_string(i) + " v. Jones, #1 U.S. 2");
    bar_.steps = 0;
    write(citations(many));
    EXPECT_EQ(bar_.steps, row.steps);
  }
}

// A citation without a case name has no blank of its own before its volume;
// clearing one must not move the insertion point in front of the entry's
// opening codes, or the heading's keep-together range swallows the category.
TEST_F(Writer, NamelessFirstEntryAloneIsKeptWithTheHeading) {
  write(citations({{1, "#1 U.S. 2"}, {1, "Tom v. Jones, #3 U.S. 4"}}));
  const auto& items = host_.document().items();
  std::size_t keepEnd = 0, tom = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].isCode() && items[i].code == CodeKind::KeepTogetherEnd) keepEnd = i;
    if (tom == 0 && i + 2 < items.size() && items[i].value == 'T' && items[i + 1].value == 'o' &&
        items[i + 2].value == 'm') tom = i;
  }
  const std::string text = textAndMask().first;
  EXPECT_NE(text.find("|1 U.S. 2|3|"), std::string::npos) << text;
  EXPECT_GT(tom, 0u);
  EXPECT_LT(keepEnd, tom) << "the range ends after the first entry";
  std::size_t last = items.size();
  while (last > 0 && items[last - 1].isCode()) --last;
  for (std::size_t i = last; i < items.size(); ++i)
    EXPECT_NE(items[i].code, CodeKind::AttributeOn) << "an entry's opening code drifted to the end";
}

}  // namespace
