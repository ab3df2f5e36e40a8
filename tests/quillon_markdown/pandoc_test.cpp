// A brief that goes through a word processor's formats and back with the
// pandoc converter, then into a document: the text, the italic case name,
// the note and the section sign survive.
#include <gtest/gtest.h>

#include <cstdlib>

#include "quillon/format/markdown.h"
#include "tests/platform/fixtures.h"
#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

constexpr const char* kBrief =
    "# Argument\n\n"
    "The court in *Smith v. Jones*, 123 F.3d 456 (9th Cir. 1999), held that \xE2\x80\x9Creasonable\xE2\x80\x9D "
    "doubt under \xC2\xA7 1983 is not enough \xE2\x80\x94 the statute asks more.[^1]\n\n"
    "Second paragraph.\n\n"
    "[^1]: *Brown v. Board of Education*, 347 U.S. 483 (1954).\n";

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

class PandocRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(PandocRoundTrip, BriefSurvives) {
  if (!run("command -v pandoc >/dev/null")) GTEST_SKIP() << "pandoc not installed";
  const platform_test::TemporaryFolder folder;
  const std::string md = folder.file("brief.md"), converted = folder.file("brief." + GetParam()),
                    back = folder.file("back.md");
  platform_test::writeFile(md, kBrief);
  ASSERT_TRUE(run("pandoc '" + md + "' -o '" + converted + "'"));
  ASSERT_TRUE(run("pandoc '" + converted + "' -t markdown -o '" + back + "'"));
  const std::string markdown = platform_test::readFile(back);
  SCOPED_TRACE(markdown);

  const MarkdownImport imported = importMarkdown(markdown);
  EXPECT_TRUE(imported.warnings.empty()) << imported.warnings.front();
  const std::string items = dump(imported.content);
  EXPECT_NE(items.find("[b+]Argument[b-]\n"), std::string::npos) << items;
  EXPECT_NE(items.find("The court in [i+]Smith v. Jones[i-], 123 F.3d 456 (9th Cir. 1999), held that "),
            std::string::npos)
      << items;
  // pandoc writes typographic quotes as straight ones and the dash as "---".
  const bool quotes = items.find("\"reasonable\"") != std::string::npos ||
                      items.find("{4,32}reasonable{4,31}") != std::string::npos;
  EXPECT_TRUE(quotes) << items;
  EXPECT_NE(items.find("doubt under {4,6} 1983 is not enough {4,34} the statute asks more."), std::string::npos)
      << items;
  EXPECT_NE(items.find("[n:[i+]Brown v. Board of Education[i-], 347 U.S. 483 (1954).]\n"), std::string::npos)
      << items;
  EXPECT_NE(items.find("\nSecond paragraph.\n"), std::string::npos) << items;
  ASSERT_EQ(imported.content.notes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Formats, PandocRoundTrip, ::testing::Values("docx", "odt"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace quillon::format::test
