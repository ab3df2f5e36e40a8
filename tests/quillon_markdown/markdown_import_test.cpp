// Markdown import: each construct of the subset, markup left unclosed,
// footnotes, host characters and the warnings a user sees. Every result must
// be well formed (spans closed within their paragraph, notes that exist), and
// hostile input must take linear work. Random input is run in
// markdown_export_test, which also checks that it reads back the same.
#include <gtest/gtest.h>

#include <chrono>

#include "quillon/format/markdown.h"
#include "tests/quillon_support/formats.h"

namespace quillon::format::test {
namespace {

struct ImportRow {
  const char* name;
  std::string markdown;
  std::string expected;  // dump() of the imported content
  std::vector<std::string> warnings = {};
};

void checkRows(const std::vector<ImportRow>& rows) {
  for (const ImportRow& row : rows) {
    SCOPED_TRACE(row.name);
    const MarkdownImport result = importMarkdown(row.markdown);
    EXPECT_EQ(dump(result.content), row.expected);
    EXPECT_EQ(result.warnings, row.warnings);
    expectWellFormed(result.content);
  }
}

TEST(MarkdownImport, Paragraphs) {
  checkRows({
      {"one paragraph ends with a return", "Hello world.", "Hello world.\n"},
      {"several blank lines count once", "One.\n\n\n\nTwo.", "One.\nTwo.\n"},
      {"soft break is one blank", "One\ntwo", "One two\n"},
      {"backslash hard break", "One\\\ntwo", "One two\n"},
      {"two-blank hard break", "One  \ntwo", "One two\n"},
      {"CRLF line ends", "One\r\ntwo\r\n\r\nThree\r\n", "One two\nThree\n"},
      {"old Mac CR-only line ends", "One\rtwo\r\rThree\r", "One two\nThree\n"},
      {"leading and trailing blanks dropped", "   padded   ", "padded\n"},
      {"tab inside text", "a\tb", "a<tab>b\n"},
      {"tab-indented paragraph is no code block", "A\n\n\tB", "A\nB\n"},
  });
}

TEST(MarkdownImport, Attributes) {
  checkRows({
      {"star italic", "*Smith* v. Jones", "[i+]Smith[i-] v. Jones\n"},
      {"underscore italic", "_Smith_ v. Jones", "[i+]Smith[i-] v. Jones\n"},
      {"intraword underscores are text", "snake_case_name", "snake_case_name\n"},
      {"intraword stars emphasise", "un*frigging*believable", "un[i+]frigging[i-]believable\n"},
      {"star bold", "**Held.**", "[b+]Held.[b-]\n"},
      {"bold ends first", "***a** b*", "[i+][b+]a[b-] b[i-]\n"},
      {"italic ends first", "***a* b**", "[b+][i+]a[i-] b[b-]\n"},
      {"run lengths pair up", "**a*b*c**", "[b+]a[i+]b[i-]c[b-]\n"},
      {"adjacent spans merge", "**a**__b__", "[b+]ab[b-]\n"},
      {"double star inside italic is text", "*a**b*", "[i+]a**b[i-]\n"},
      {"nested same attribute flattens", "*a _b_ c*", "[i+]a b c[i-]\n"},
      {"underline span", "A [word]{.underline} here", "A [u+]word[u-] here\n"},
      {"underline among classes", "[w]{#id .x .underline}", "[u+]w[u-]\n"},
      {"underline tag", "A <u>word</u> here", "A [u+]word[u-] here\n"},
      {"superscript", "2^nd^ Cir.", "2[p+]nd[p-] Cir.\n"},
      {"subscript", "H~2~O", "H[s+]2[s-]O\n"},
      {"strikeout keeps its text", "~~gone~~ kept", "gone kept\n"},
      {"other span keeps its text", "[marked]{.mark} text", "marked text\n"},
      {"link keeps its text", "[site](http://x.y/a_b*c) here", "site here\n"},
      {"plain brackets stay", "[sic] and \\[sic\\]", "[sic] and [sic]\n"},
      {"empty span vanishes", "a[]{.underline}b", "ab\n"},
      {"blank inside a mark does not close", "*a *b*", "*a [i+]b[i-]\n"},
  });
}

TEST(MarkdownImport, Blocks) {
  checkRows({
      {"heading is a bold paragraph", "# Argument\n\nText", "[b+]Argument[b-]\nText\n"},
      {"heading marks and id dropped", "## Facts ## {#facts}", "[b+]Facts[b-]\n"},
      {"setext heading", "Title\n=====\n\nText", "[b+]Title[b-]\nText\n"},
      {"hash without blank is text", "#hashtag", "#hashtag\n"},
      {"block quote loses its marks", "> Quoted\n> text.\n\nAfter", "Quoted text.\nAfter\n"},
      {"bullets kept as text", "-   one\n-   two\n    more", "- one\n- two more\n"},
      {"numbers kept as text", "1.  First\n2)  Second", "1. First\n2) Second\n"},
      {"star bullet is no emphasis", "*   item *x*", "* item [i+]x[i-]\n"},
      {"number inside a paragraph", "See\n1. below", "See 1. below\n"},
      {"escaped list number", "1\\. Not a list", "1. Not a list\n"},
      {"comment and div fences dropped", "::: note\nA\n:::\n\n<!-- -->\n\nB", "A\nB\n"},
      {"code block as typed", "```\n*x* [y]\n```", "*x* [y]\n"},
      {"raw block other than a break dropped", "```{=html}\n<br/>\n```\nA", "A\n"},
  });
}

TEST(MarkdownImport, EscapesAndBreaks) {
  checkRows({
      {"pandoc escapes", "\\$10 \\* \\' \\\" \\# \\[ \\] \\\\ \\_ \\^ \\~ \\<", "$10 * ' \" # [ ] \\ _ ^ ~ <\n"},
      {"backslash before a letter stays", "C:\\dir", "C:\\dir\n"},
      {"backslash at the end stays", "end\\", "end\\\n"},
      {"escaped space is a hard space", "\xC2\xA7\\ 1983", "{4,6}~1983\n"},
      {"en and em dashes", "10--12 and---so", "10{4,33}12 and{4,34}so\n"},
      {"newpage replaces the return", "One\n\n\\newpage\n\nTwo", "One\fTwo\n"},
      {"newpage inside a paragraph", "One\n\\newpage\nTwo", "One\fTwo\n"},
      {"newpage in a raw block", "One\n\n```{=tex}\n\\newpage\n```\nTwo", "One\fTwo\n"},
      {"newpage as raw inline", "One\n\n`\\newpage`{=latex}\n\nTwo", "One\fTwo\n"},
      {"two breaks in a row", "A\n\n\\newpage\n\n\\newpage\n\nB", "A\f\fB\n"},
      {"newpage last", "A\n\n\\newpage\n", "A\f"},
      {"newpage text inside a line", "see \\newpage here", "see \\newpage here\n"},
  });
}

TEST(MarkdownImport, Footnotes) {
  checkRows({
      {"definition after use", "Text.[^1]\n\n[^1]: Note text.", "Text.[n:Note text.]\n"},
      {"definition before use", "[^a]: First.\n\nText[^a] more.", "Text[n:First.] more.\n"},
      {"note paragraphs joined by returns", "A.[^1]\n\n[^1]: First.\n\n    Second.\n\n\tThird.",
       "A.[n:First.\nSecond.\nThird.]\n"},
      {"continuation lines", "A.[^1]\n\n[^1]: First line\n    continues\nlazily.", "A.[n:First line continues lazily.]\n"},
      {"definition ends at unindented text", "A.[^1]\n\n[^1]: Note.\n\nMore text.", "A.[n:Note.]\nMore text.\n"},
      {"references in document order", "A[^b] B[^a]\n\n[^a]: Alpha\n\n[^b]: Beta", "A[n:Beta] B[n:Alpha]\n"},
      {"emphasis does not leak into the note", "*a[^1] b*\n\n[^1]: *x* y", "[i+]a[n:[i+]x[i-] y] b[i-]\n"},
      {"reference used twice gets two notes", "A[^1] B[^1]\n\n[^1]: Same", "A[n:Same] B[n:Same]\n"},
      {"empty note", "A[^1]\n\n[^1]:", "A[n:]\n"},
  });
}

TEST(MarkdownImport, UnclosedMarkupStaysText) {
  checkRows({
      {"empty input", "", ""},
      {"only blank lines", "\n\n   \n\t\n", ""},
      {"unclosed star", "*unclosed", "*unclosed\n"},
      {"star between blanks", "a * b ** c", "a * b ** c\n"},
      {"unclosed at paragraph end", "*a\n\nb*", "*a\nb*\n"},
      {"note bracket without end", "see [^open", "see [^open\n"},
      {"note mark with blank", "[^a b]", "[^a b]\n"},
      {"lone underline tag", "<u>lone", "<u>lone\n"},
      {"bracket with unclosed attributes", "[a]{.underline", "[a]{.underline\n"},
      {"lone caret and tilde", "^ ~ ^^ ~~~", "^ ~ ^^ ~~~\n"},
      {"four stars", "a **** b", "a **** b\n"},
      {"four stars alone are a rule", "****", ""},
      {"unclosed fence runs to the end", "```\n*a*", "*a*\n"},
      {"heading without text", "#\n\nA", "A\n"},
      {"control bytes dropped", std::string("a\x01\x7F" "b\0c", 6), "abc\n"},
  });
}

TEST(MarkdownImport, CharactersOfTheHost) {
  checkRows({
      {"typographic quotes", "\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\x98\xE2\x80\x99", "{4,32}{4,31}{4,29}{4,28}\n"},
      {"modifier apostrophe", "isn\xCA\xBCt", "isn{4,28}t\n"},
      {"no-break space", "a\xC2\xA0" "b", "a~b\n"},
      {"set-1 letter", "Caf\xC3\xA9", "Caf{1,41}\n"},
      {"set-1 letter outside Windows-1252", "\xC5\x81\xC3\xB3\x64\xC5\xBA", "{1,152}{1,59}d{1,205}\n"},
      {"Windows-1252 only", "90\xC2\xB0 \xE2\x82\xAC" "5", "90<x176> <x128>5\n"},
      {"straight quotes stay ASCII", "\"Smith's\"", "\"Smith's\"\n"},
      {"byte-order mark ignored", "\xEF\xBB\xBFText", "Text\n"},
  });
}

TEST(MarkdownImport, Warnings) {
  checkRows({
      {"no host character", "Snow \xE2\x98\x83", "Snow ?\n", {"line 1: U+2603 has no host character; typed as ?"}},
      {"line counted across breaks", "A\n\nB\nC \xF0\x9F\x98\x80", "A\nB C ?\n",
       {"line 4: U+1F600 has no host character; typed as ?"}},
      {"line counted across CR-only breaks", "A\r\rB\rC \xE2\x98\x83", "A\nB C ?\n",
       {"line 4: U+2603 has no host character; typed as ?"}},
      {"line inside a note", "A[^1]\n\n[^1]: x\n    \xE2\x98\x83", "A[n:x ?]\n",
       {"line 4: U+2603 has no host character; typed as ?"}},
      {"invalid byte", "a\xFF" "b", "a?b\n", {"line 1: invalid UTF-8; typed as ?"}},
      {"truncated sequence", "a\xE2\x80", "a?\n", {"line 1: invalid UTF-8; typed as ?"}},
      {"overlong form", "a\xC0\xAF", "a??\n", {"line 1: invalid UTF-8; typed as ?", "line 1: invalid UTF-8; typed as ?"}},
      {"encoded surrogate", "\xED\xA0\x80", "?\n", {"line 1: invalid UTF-8; typed as ?"}},
      {"undefined reference", "See[^x].", "See[^x].\n", {"line 1: footnote [^x] has no text; kept as typed"}},
      {"unused definition", "Text\n\n[^u]: unused", "Text\n", {"line 3: footnote [^u] is never referenced; dropped"}},
      {"second definition ignored", "A[^1]\n\n[^1]: one\n\n[^1]: two", "A[n:one]\n",
       {"line 5: footnote [^1] is defined again; this text is ignored"}},
      {"reference inside a note", "A[^1]\n\n[^1]: see [^2]\n\n[^2]: x", "A[n:see [^2]]\n",
       {"line 3: a note cannot hold the note reference [^2]; kept as typed",
        "line 5: footnote [^2] is never referenced; dropped"}},
  });
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
