// Markdown import of malformed and hostile input: unclosed marks stay text,
// nothing crashes, codes always balance, and the work stays linear.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "quillon/format/markdown.h"
#include "tests/quillon_markdown/factories.h"

namespace quillon::format::test {
namespace {

// Every attribute switched on is switched off later in the same paragraph,
// every paragraph ends, and every note reference names a note.
void expectWellFormed(const doc::DocumentContent& content) {
  std::vector<int> depth(256, 0);
  for (const doc::Item& item : content.items) {
    if (item.isCode() && item.code == doc::CodeKind::AttributeOn) {
      ASSERT_GE(item.value, 0);
      ++depth[static_cast<std::size_t>(item.value)];
    } else if (item.isCode() && item.code == doc::CodeKind::AttributeOff) {
      ASSERT_GT(depth[static_cast<std::size_t>(item.value)], 0) << "off without on";
      --depth[static_cast<std::size_t>(item.value)];
    } else if (item.endsParagraph()) {
      for (int d : depth) ASSERT_EQ(d, 0) << "span runs over a paragraph end";
    } else if (item.kind == doc::ItemKind::NoteReference) {
      ASSERT_LT(static_cast<std::size_t>(item.value), content.notes.size());
    }
  }
  if (!content.items.empty()) {
    EXPECT_TRUE(content.items.back().endsParagraph());
  }
  for (const doc::ItemText& note : content.notes) {
    for (const doc::Item& item : note) {
      EXPECT_NE(item.kind, doc::ItemKind::NoteReference);
      EXPECT_NE(item.kind, doc::ItemKind::HardPageBreak);
    }
  }
}

TEST(MarkdownMalformed, UnclosedMarkupStaysText) {
  struct Row {
    const char* name;
    std::string markdown;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"empty input", "", ""},
      {"only blank lines", "\n\n   \n\t\n", ""},
      {"unclosed star", "*unclosed", "*unclosed\n"},
      {"unclosed double star", "**unclosed", "**unclosed\n"},
      {"star between blanks", "a * b ** c", "a * b ** c\n"},
      {"unclosed at paragraph end", "*a\n\nb*", "*a\nb*\n"},
      {"note bracket without end", "see [^open", "see [^open\n"},
      {"note mark with blank", "[^a b]", "[^a b]\n"},
      {"lone underline tag", "<u>lone", "<u>lone\n"},
      {"lone closing tag", "lone</u>", "lone</u>\n"},
      {"unclosed bracket", "[open", "[open\n"},
      {"lone closing bracket", "close]", "close]\n"},
      {"bracket with unclosed attributes", "[a]{.underline", "[a]{.underline\n"},
      {"lone caret and tilde", "^ ~ ^^ ~~~", "^ ~ ^^ ~~~\n"},
      {"lone backslash", "\\", "\\\n"},
      {"four stars", "a **** b", "a **** b\n"},
      {"four stars alone are a rule", "****", ""},
      {"unclosed fence runs to the end", "```\n*a*", "*a*\n"},
      {"heading without text", "#\n\nA", "A\n"},
      {"definition only", "[^1]: note", ""},
      {"control bytes dropped", std::string("a\x01\x7F" "b\0c", 6), "abc\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const MarkdownImport result = importMarkdown(row.markdown);
    EXPECT_EQ(dump(result.content), row.expected);
    expectWellFormed(result.content);
  }
}

TEST(MarkdownMalformed, RandomInputNeverBreaksTheDocument) {
  // Markup characters weighted heavily so that the random text exercises
  // every opener, closer and block mark.
  const std::string alphabet = "**__^^~~[[]]{}()\\\\<>u/#>-:. \n\n\tab1!\x80\xC3\xE2\xFF";
  std::mt19937 random(20261206);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<std::size_t> length(0, 200);
  for (int round = 0; round < 3000; ++round) {
    std::string markdown;
    const std::size_t n = length(random);
    for (std::size_t i = 0; i < n; ++i) markdown += alphabet[pick(random)];
    if (round % 3 == 0) markdown += "\n\n[^1]: x *y*\n\n[^a]: z";
    if (round % 5 == 0) markdown.insert(0, "A[^1] B[^a] ");
    SCOPED_TRACE(markdown);
    const MarkdownImport result = importMarkdown(markdown);
    expectWellFormed(result.content);
    if (HasFatalFailure()) return;
  }
}

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
