// Dictionary authorities read from documents in both citation forms: codes
// with their title and section (bracketed subdivisions, continuation words),
// constitutions and rules with numbers, numerals and subdivision words, and
// numbered authorities such as public laws; where each stops, and the texts
// that cite nothing at all. Bare section signs: a further occurrence of a
// statute already cited, or a new citation borrowing its code name. A plain
// "42 U.S.C. § 1983" in body and note is pinned by tests/tools/cite_brief.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "recognize/recognizer.h"
#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

// key: normalised: title, name and section or numbers
// text: as the table writer types it
// entryName: the dictionary entry it was found by
struct AuthorityRow { const char* name; const char* markdown; const char* key; const char* text;
                      const char* entryName = "U.S.C."; int jurisdiction = 0; int form = kBluebook; };

TEST(DictionaryAuthorities, OneAuthorityPerRow) {
  const std::vector<AuthorityRow> rows = {
      {"two sections after a double sign", "Jurisdiction lies under 28 U.S.C. §§ 1331, 1367.", "28u.s.c.1331,1367",
       "28 U.S.C. §§ 1331, 1367"},
      {"hyphenated section with nested subdivisions", "See 42 U.S.C. § 2000e-2(a)(1).", "42u.s.c.2000e-2(a)(1)",
       "42 U.S.C. § 2000e-2(a)(1)"},
      {"et seq. continues the section", "The Act applies, 29 U.S.C. § 2601 et seq., here.", "29u.s.c.2601etseq",
       "29 U.S.C. § 2601 et seq"},
      {"name before the title number", "Civil Rights Act, 42 U.S.C. § 1981.", "42u.s.c.1981",
       "Civil Rights Act, 42 U.S.C. § 1981"},
      {"defined term before the title is not a name",
       "The Family and Medical Leave Act (\"FMLA\"), 29 U.S.C. § 2601.", "29u.s.c.2601", "29 U.S.C. § 2601"},
      {"defined term after the section is not a subdivision", "42 U.S.C. § 12101 (the \"ADA\") bars it.",
       "42u.s.c.12101", "42 U.S.C. § 12101"},
      {"state code named by subject", "Cal. Gov't Code § 12940(a) forbids it.", "cal.gov'tcode12940(a)",
       "Cal. Gov't Code § 12940(a)", "Cal. Gov't Code", 1},
      {"long parenthetical ends the section", "42 U.S.C. § 1983 (providing a remedy for deprivations of rights).",
       "42u.s.c.1983", "42 U.S.C. § 1983"},
      {"section word instead of the sign", "Cal. Civ. Code section 1714 applies.", "cal.civ.codesection1714",
       "Cal. Civ. Code section 1714", "Cal. Civ. Code", 1},
      {"California form: short code name, comma and subd.", "(Gov. Code, § 12940, subd. (a).)",
       "gov.code,12940,subd.(a)", "Gov. Code, § 12940, subd. (a)", "Cal. Gov't Code", 1, kCalifornia},
      {"California form reads a Bluebook citation too", "See 42 U.S.C. § 1983(a) and more.", "42u.s.c.1983(a)",
       "42 U.S.C. § 1983(a)", "U.S.C.", 0, kCalifornia},
      {"California form: code name written out", "Code Civ. Proc. section 425.16 governs.",
       "codeciv.proc.section425.16", "Code Civ. Proc. section 425.16", "Cal. Civ. Proc. Code", 1, kCalifornia},
      {"article, section and clause", "See U.S. Const. art. III, § 2, cl. 1.", "u.s.const.art.iii,2,cl.1",
       "U.S. Const. art. III, § 2, cl. 1", "U.S. Const."},
      {"amendment numeral", "The U.S. Const. amend. XIV, § 1 guarantees it.", "u.s.const.amend.xiv,1",
       "U.S. Const. amend. XIV, § 1", "U.S. Const."},
      {"rule with subdivisions written against it", "A Fed. R. Civ. P. 12(b)(6) motion tests the complaint.",
       "fed.r.civ.p.12(b)(6)", "Fed. R. Civ. P. 12(b)(6)", "Fed. R. Civ. P."},
      {"capital subdivision", "Under Fed. R. App. P. 4(a)(1)(A), the notice is due.", "fed.r.app.p.4(a)(1)(a)",
       "Fed. R. App. P. 4(a)(1)(A)", "Fed. R. App. P."},
      {"capital word after a rule number starts a sentence", "See Fed. R. Civ. P. 56. A party may move.",
       "fed.r.civ.p.56", "Fed. R. Civ. P. 56", "Fed. R. Civ. P."},
      {"state constitution", "Cal. Const., art. I, § 7 applies.", "cal.const.,art.i,7", "Cal. Const., art. I, § 7",
       "Cal. Const.", 1},
      {"semicolon ends the run", "See U.S. Const. art. I; id. art. II.", "u.s.const.art.i", "U.S. Const. art. I",
       "U.S. Const."},
      {"the name alone is still a citation", "Nothing in the U.S. Const. says so.", "u.s.const", "U.S. Const",
       "U.S. Const."},
      {"subdivision words before the name", "Article III, U.S. Const. limits it.", "articleiii,u.s.const",
       "Article III, U.S. Const", "U.S. Const."},
      {"public law with section and Statutes at Large", "Pub. L. No. 111-148, § 1501, 124 Stat. 119 (2010).",
       "pub.l.no.111-148,1501,124stat.119", "Pub. L. No. 111-148, § 1501, 124 Stat. 119", "Pub. L. No."},
      {"executive order with register citation", "Exec. Order No. 13,769, 82 Fed. Reg. 8977 (Jan. 27, 2017).",
       "exec.orderno.13,769,82fed.reg.8977", "Exec. Order No. 13,769, 82 Fed. Reg. 8977", "Exec. Order No."},
      {"Id. after the number is not part of it", "Pub. L. No. 104-191. Id. at 3 says so.", "pub.l.no.104-191",
       "Pub. L. No. 104-191", "Pub. L. No."},
  };
  for (const AuthorityRow& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 1u) << allKeys(table);
    const Citation& citation = *table.citations.front();
    EXPECT_EQ(citation.kind, kDictionaryAuthority);
    EXPECT_EQ(citation.key, row.key);
    EXPECT_EQ(citationText(citation), row.text);
    EXPECT_EQ(citation.entryName, row.entryName);
    EXPECT_EQ(citation.jurisdiction, row.jurisdiction);
    EXPECT_EQ(citation.occurrenceGroups.size(), citation.occurrencePages.size());
  }
}

TEST(DictionaryAuthorities, SeveralInOneText) {
  // keys: in table order
  const struct { const char* name; const char* markdown; std::vector<std::string> keys; } rows[] = {
      {"a number before the next code is its title", "See 42 U.S.C. § 1983, 28 U.S.C. § 1331.",
       {"42u.s.c.1983", "28u.s.c.1331"}},
      {"a rule does not take the next code's title", "Fed. R. Civ. P. 56 and 42 U.S.C. § 1983 both apply.",
       {"fed.r.civ.p.56", "42u.s.c.1983"}},
      {"rules separated by a comma", "See Fed. R. Civ. P. 8(a), Fed. R. Civ. P. 12(b)(6).",
       {"fed.r.civ.p.8(a)", "fed.r.civ.p.12(b)(6)"}},
      {"the last word of a rule's name is not read backwards", "Under Fed. R. Civ. P. and Fed. R. Evid. 702 alike.",
       {"fed.r.civ.p", "fed.r.evid.702"}},
      {"an earlier rule number is not read backwards", "See Fed. R. Evid. 702, Fed. R. Evid. 403; U.S. Const. amend. I.",
       {"fed.r.evid.702", "fed.r.evid.403", "u.s.const.amend.i"}},
      {"a section sign's number inside a cited section is another section", "See 42 U.S.C. § 1983; § 1; § 983.",
       {"42u.s.c.1983", "42u.s.c.1", "42u.s.c.983"}},
      {"a further numbered name is a citation of its own", "Pub. L. No. 111-148, H.R. Rep. No. 111-443, at 5 (2010).",
       {"pub.l.no.111-148", "h.r.rep.no.111-443"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    std::vector<std::string> keys;
    for (const auto& citation : table.citations) keys.push_back(citation->key);
    EXPECT_EQ(keys, row.keys);
  }
}

// Texts that hold a dictionary name or a section sign but cite nothing.
TEST(DictionaryAuthorities, NothingIsCited) {
  // citations: those of other kinds that stand there
  const struct { const char* name; const char* markdown; std::size_t citations; } rows[] = {
      {"code named in prose", "Congress codified it in the U.S.C. long ago.", 0},
      {"code and sign without a number", "Compare the U.S.C. § with the rest.", 0},
      {"numbered-authority name without a number", "The H.R. Rep. discussed it at length.", 0},
      {"numbered name, then a word", "Congress passed a Pub. L. No. that year.", 0},
      {"a bare No. starts nothing", "Only No. 5 was filed.", 0},
      {"section sign at the start of the document", "Under § 17 nothing is cited.", 0},
      {"section sign after a case", "Smith v. Jones, 123 F.3d 456 (9th Cir. 1997). See also § 17.", 1},
      {"section sign without a number after a statute", "42 U.S.C. § 1983. The § sign alone.", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown);
    EXPECT_EQ(table.citations.size(), row.citations) << allKeys(table);
    for (const auto& citation : table.citations) EXPECT_EQ(citation->occurrencePages.size(), 1u);
  }
}

TEST(SectionSigns, AfterAStatuteMakesANewCitationWithItsCodeName) {
  const struct { const char* name; const char* markdown; int form; const char* firstKey; const char* key;
                 const char* text; const char* entryName; } rows[] = {
      {"federal code", "28 U.S.C. § 1331; see also § 1367(a).", kBluebook, "28u.s.c.1331", "28u.s.c.1367(a)",
       "28 U.S.C. § 1367(a)", "U.S.C."},
      {"state code", "Cal. Civ. Code § 1714; § 1714.10 too.", kBluebook, "cal.civ.code1714", "cal.civ.code1714.10",
       "Cal. Civ. Code § 1714.10", "Cal. Civ. Code"},
      {"California short name found again through the dictionary", "(Gov. Code, § 12940; see § 12945)", kCalifornia,
       "gov.code,12940", "gov.code,12945", "Gov. Code, § 12945", "Cal. Gov't Code"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, row.form);
    ASSERT_EQ(table.citations.size(), 2u) << allKeys(table);
    EXPECT_EQ(table.citations[0]->key, row.firstKey);
    const Citation& made = *table.citations[1];
    EXPECT_EQ(made.kind, kDictionaryAuthority);
    EXPECT_EQ(made.key, row.key);
    EXPECT_EQ(citationText(made), row.text);
    EXPECT_EQ(made.entryName, row.entryName);
    EXPECT_EQ(made.jurisdiction, 0);  // no dictionary entry behind a bare sign
    EXPECT_EQ(table.previous, &made);
  }
}

TEST(SectionSigns, NumberAlreadyInAKeyAddsAnOccurrence) {
  const CitationTable table = recognizeMarkdown(
      "The statute, 42 U.S.C. § 1983, is old.\n\nSmith v. Jones, 123 F.3d 456 (9th Cir. 1997). Under § 1983 "
      "relief is limited.");
  const Citation* statute = table.findByKey("42u.s.c.1983");
  ASSERT_NE(statute, nullptr) << allKeys(table);
  ASSERT_EQ(statute->occurrenceGroups.size(), 2u);
  EXPECT_EQ(occurrenceText(*statute, 1), "§ 1983");
  EXPECT_EQ(statute->occurrencePages.size(), 2u);
  EXPECT_EQ(table.previous, statute);
  EXPECT_EQ(table.citations.size(), 2u) << allKeys(table);
}

TEST(SectionSigns, ParagraphEndsInsideTheSection) {
  // Hand-made paragraphs without the closing blank a document always has.
  const struct { const char* name; std::vector<std::string> tokens; std::vector<std::string> keys; } rows[] = {
      {"sign is the last token", {"42", " ", "U.S.C.", " ", "§"}, {}},
      {"two signs at the end", {"42", " ", "U.S.C.", " ", "§", "§"}, {}},
      {"a lone sign", {"§"}, {}},
      {"giving up leaves the tokens unmarked", {"Smith", " ", "§", " ", "ordinary", " "}, {}},
      {"group still open at the end", {"42", " ", "U.S.C.", " ", "§", " ", "1983", "(a"}, {"42u.s.c.1983"}},
      {"bare sign whose tail runs to the end",
       {"42", " ", "U.S.C.", " ", "§", " ", "5", ";", " ", "§", " ", "6", "(b)", "(1"}, {"42u.s.c.5", "42u.s.c.6(b)"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TokenList tokens = tokensOf(row.tokens);
    CitationTable table;
    recognizeParagraph(tokens, table, shippedDictionary(), kBluebook);
    std::vector<std::string> keys;
    for (const auto& citation : table.citations) keys.push_back(citation->key);
    EXPECT_EQ(keys, row.keys);
    if (!row.keys.empty()) continue;
    for (const Token& token : tokens) EXPECT_EQ(token.used + token.grouped, 0);
  }
}

TEST(SectionSigns, EveryShortParagraphIsReadWithinItsTokens) {
  // All paragraphs of up to four pieces drawn from the words the code readers
  // react to: each must end, and no citation may hold more than was there.
  const TokenList pieces = tokensOf({"42", "U.S.C.", "§", " ", "(a", "1983)", ";", "Pub.", "L.", "Fed.", "(b)", "III,"});
  const std::size_t n = pieces.size();
  for (std::size_t code = 0; code < n * n * n * n; ++code) {
    TokenList tokens;
    for (std::size_t rest = code; tokens.size() < 4; rest /= n) tokens.push_back(pieces[rest % n]);
    CitationTable table;
    recognizeParagraph(tokens, table, shippedDictionary(), static_cast<int>(code % 2));
    for (const auto& citation : table.citations) ASSERT_LE(citation->tokens.size(), tokens.size()) << code;
  }
}

}  // namespace
}  // namespace recognize::testing
