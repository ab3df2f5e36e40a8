// Markdown through the native format: an imported document saved, opened
// and saved again gives the same bytes and the same items.
#include <gtest/gtest.h>

#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "tests/quillon_markdown/factories.h"

namespace quillon::format::test {
namespace {

TEST(MarkdownNative, SaveOpenSaveGivesTheSameBytes) {
  const std::vector<std::pair<const char*, std::string>> sources = {
      {"brief",
       "# Argument\n\nThe court in *Smith v. Jones*, 123 F.3d 456, held that \xE2\x80\x9Creasonable\xE2\x80\x9D "
       "doubt under \xC2\xA7\\ 1983 isn\xE2\x80\x99t enough \xE2\x80\x94 see 10--12.[^1]\n\n"
       "[^1]: *Brown v. Board of Education*, 347 U.S. 483.\n\n    Second paragraph.\n"},
      {"attributes and characters",
       "**b** [u]{.underline} 2^nd^ H~2~O caf\xC3\xA9 90\xC2\xB0 \xE2\x82\xAC a\tb \xC5\x81\xC3\xB3\x64\xC5\xBA\n"},
      {"page breaks and notes", "A[^a]\n\n\\newpage\n\nB[^b] C[^a]\n\n\\newpage\n\n[^a]: one\n\n[^b]: two\n"},
  };
  for (const auto& [name, source] : sources) {
    SCOPED_TRACE(name);
    const MarkdownImport imported = importMarkdown(source);
    ASSERT_TRUE(imported.warnings.empty()) << imported.warnings.front();
    doc::Document first(imported.content);
    const std::string bytes = writeNative(first);
    const doc::DocumentContent opened = readNative(bytes);
    EXPECT_EQ(dump(opened), dump(imported.content));
    doc::Document second(opened);
    EXPECT_EQ(writeNative(second), bytes);
  }
}

}  // namespace
}  // namespace quillon::format::test
