// The example brief's Table of Authorities, built by the whole run against
// the stand-in host's engine, compared line by line with golden files: at
// the cursor (on the brief's empty table page) and to a new
// document, as exported text; the option variants as exported Markdown, so
// that underlining and italics show.
//
// To regenerate the goldens after a deliberate change, run the test with
// LEXORDA_REGENERATE_GOLDENS=1 and read every changed line before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "quillon/app/placement.h"
#include "quillon/doc/document.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "table/generation.h"
#include "table/table_marks.h"
#include "tests/table/engine_host.h"
#include "tests/table/golden_lines.h"

namespace {

using platform_test::readFile;
using table_test::EngineHost;

void compareWithGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(LEXORDA_TABLE_GOLDEN_DIR) + "/" + name;
  if (std::getenv("LEXORDA_REGENERATE_GOLDENS") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  golden::expectSameLines(path, readFile(path), actual);
}

constexpr int kTablePageParagraph = 25;

class ExampleBrief : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(table_test::bindHostStrings()); }

  // Opens the example as a saved native file, the insertion point on its
  // empty table page (after paragraph 25, the page break that ends the
  // Questions Presented, as the README's command places it), changes the Default set with `sql` and
  // runs Create Table at Cursor or to File. Returns the run's document.
  quillon::doc::Document& run(bool toFile, const std::string& sql) {
    if (!sql.empty()) database_.exec(sql);
    quillon::doc::Document imported(
        quillon::format::importMarkdown(readFile(LEXORDA_EXAMPLE_BRIEF)).content);
    const std::string path = folder_.file("appellate-brief.qdoc");
    quillon::format::saveNativeFile(imported, path);
    host_.open(path);
    const auto at = quillon::app::afterParagraph(host_.document().items(), kTablePageParagraph);
    EXPECT_TRUE(at.has_value());
    host_.document().moveTo(at.value_or(0));
    table::NullProgressBar progress;
    table::generateTable(toFile, progress, "Default", {std::chrono::milliseconds(0)});
    EXPECT_EQ(progress.position(), 100);
    EXPECT_TRUE(messages_.shown().empty()) << messages_.shown().front().text;
    return host_.document();
  }

  platform_test::TemporaryFolder folder_;
  table_test::TempDatabase database_{LEXORDA_SHIPPED_DB};
  platform::ScriptedMessageBoxHandler messages_;
  platform::ScopedMessageBoxHandler scope_{&messages_};
  EngineHost host_;
};

TEST_F(ExampleBrief, AtTheCursor) {
  run(false, "");
  compareWithGolden("at_cursor.txt", golden::tableRegion(host_.exportText()));
}

TEST_F(ExampleBrief, ToFile) {
  run(true, "");
  compareWithGolden("to_file.txt", host_.exportText());
}

// Built again at the cursor, elsewhere: the save question, the first table
// skipped in the file (read, its entries would list their own pages) and
// deleted, the new one where it stood, the same to the byte. A mark that
// spans nothing, as the opener makes of one whose end was lost, deletes
// nothing: the new table goes to the cursor.
TEST_F(ExampleBrief, AtTheCursorAgainReplacesTheTable) {
  quillon::doc::Document& d = run(false, "");
  const std::string text = host_.exportText(), file = quillon::format::writeNative(d);
  table::NullProgressBar progress;
  d.goToStart();
  table::generateTable(false, progress, "Default", {std::chrono::milliseconds(0)});
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].text,
            "You must save the document before generating a table. Would you like to save now?");
  EXPECT_EQ(host_.exportText(), text);
  EXPECT_TRUE(quillon::format::writeNative(d) == file) << "the native file differs";
  d.moveTo(d.bookmarks().find(table::kTableMark)->start.position);
  d.createBookmark(table::kTableMark, false);
  d.goToEnd();
  table::generateTable(false, progress, "Default", {std::chrono::milliseconds(0)});
  const std::string after = host_.exportText();
  EXPECT_EQ(after.substr(0, text.size()), text);
  EXPECT_NE(after.find("TABLE OF AUTHORITIES", text.size()), std::string::npos);
}

struct Variant {
  const char* name;  // the golden's name
  const char* sql;   // how the Default set differs
  bool asText = false;  // exported as text (layout) rather than Markdown (attributes)
};
void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

class ExampleVariants : public ExampleBrief, public testing::WithParamInterface<Variant> {};

TEST_P(ExampleVariants, ToFile) {
  run(true, GetParam().sql);
  if (GetParam().asText) compareWithGolden(std::string(GetParam().name) + ".txt", host_.exportText());
  else compareWithGolden(std::string(GetParam().name) + ".md", host_.exportMarkdown());
}

#define CASE_MODE(n) "update OptionSetContent set check_fix_case_underlining=1, combo_fix_case_underlining=" #n
const Variant kVariants[] = {
    // Federal and state cases under headings of their own, in the set's order.
    {"split_cases", "update OptionSetSort set check_split_cases=1, "
                    "list_cat_order_right='Cases (Federal);Cases (State);Statutes;'"},
    // Case names as underlined in the document (the brief italicises them, so
    // nothing is underlined).
    {"underline_as_in_document", "update OptionSetContent set check_fix_case_underlining=0"},
    {"underline_mode_0_none", CASE_MODE(0)},
    {"underline_mode_1_entire_name", CASE_MODE(1)},
    {"underline_mode_2_except_v", CASE_MODE(2)},
    {"underline_mode_3_only_v", CASE_MODE(3)},
    {"underline_mode_4_except_blanks_around_v", CASE_MODE(4)},
    {"underline_mode_5_italic", CASE_MODE(5)},
    // More than two pages: "passim".
    {"passim_above_2", "update OptionSetFormat set check_use_passim=1, spin_pg_ref_max=2"},
    // Long lists break after every second page, continuing on an indented line.
    {"two_references_per_line", "update OptionSetFormat set check_use_passim=0, spin_pg_ref_per_line=2", true},
};
#undef CASE_MODE

INSTANTIATE_TEST_SUITE_P(Golden, ExampleVariants, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

}  // namespace
