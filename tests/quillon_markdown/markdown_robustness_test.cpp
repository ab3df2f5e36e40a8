// Markdown import of malformed and hostile input: unclosed marks stay text,
// codes always balance, and the work stays linear. Random input is run in
// markdown_export_test, which also checks that it reads back the same.
#include <gtest/gtest.h>

#include <chrono>

#include "quillon/format/markdown.h"
#include "tests/quillon_markdown/factories.h"

namespace quillon::format::test {
namespace {

TEST(MarkdownMalformed, HostileInputStaysLinear) {
  // Quadratic matching would take minutes on these; linear work takes well
  // under a second even under the sanitizers.
  const std::vector<std::pair<const char*, std::string>> patterns = {
      {"unclosed stars", "*a "}, {"unclosed brackets", "[a "}, {"unclosed spans", "[a]{"},
      {"unclosed links", "[a]("}, {"unclosed tags", "<u>a "}, {"unclosed carets", "^a "},
      {"mixed closers", "*a _b "}, {"note marks", "[^a "}, {"star runs", "**a*"},
  };
  for (const auto& [name, unit] : patterns) {
    SCOPED_TRACE(name);
    std::string markdown;
    while (markdown.size() < 200000) markdown += unit;
    const auto start = std::chrono::steady_clock::now();
    const MarkdownImport result = importMarkdown(markdown);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_FALSE(result.content.items.empty());
  }
}

}  // namespace
}  // namespace quillon::format::test
