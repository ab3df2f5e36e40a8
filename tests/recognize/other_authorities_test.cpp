// Other authorities (kind 3) read from documents: each family found with its
// whole text up to its closing parenthetical (or URL), later references that
// count for it, and the texts that look like one but are not, each with why.
#include <gtest/gtest.h>

#include <string>

#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

TEST(OtherAuthorities, FoundAndNotFound) {
  // found: summary() of the table ("" for nothing); every citation in it is
  // kind 3 unless `kinds` says otherwise (the kinds in table order).
  const struct { const char* name; const char* markdown; const char* found; const char* kinds = "3"; } rows[] = {
      {"article with italic title and pinpoint; supra by author",
       "Oliver W. Holmes, *The Path of the Law*, 10 Harv. L. Rev. 457, 461 (1897). Holmes, supra, at 462.",
       "Oliver W. Holmes, The Path of the Law, 10 Harv. L. Rev. 457, 461 (1897) x2"},
      {"article in plain title case", "See Jane Roe, The Limits of Law, 55 Yale L.J. 615 (1942).",
       "Jane Roe, The Limits of Law, 55 Yale L.J. 615 (1942) x1"},
      {"an italic title may open with a signal's word", "Jane Roe, *In Defense of Rules*, 55 Yale L.J. 615 (1942).",
       "Jane Roe, In Defense of Rules, 55 Yale L.J. 615 (1942) x1"},
      {"treatise: volume, section, edition; author short form and Id.",
       "2 Wayne R. LaFave, *Substantive Criminal Law* § 15.4 (3d ed. 2018). LaFave § 15.5. Id. § 15.6.",
       "2 Wayne R. LaFave, Substantive Criminal Law § 15.4 (3d ed. 2018) x3"},
      {"authors with et al.; a given name before a sign is no short form",
       "13 Charles A. Wright et al., Federal Practice and Procedure § 3522 (3d ed. 2008). Charles § 3523.",
       "13 Charles A. Wright et al., Federal Practice and Procedure § 3522 (3d ed. 2008) x1"},
      {"restatement, dictionary and model code in one string",
       "Restatement (Second) of Torts § 402A (1965); Black's Law Dictionary 1234 (11th ed. 2019); Model Penal Code "
       "§ 2.02 (Am. L. Inst. 1985).",
       "Restatement (Second) of Torts § 402A (1965) x1 | Black's Law Dictionary 1234 (11th ed. 2019) x1 | Model Penal "
       "Code § 2.02 (Am. L. Inst. 1985) x1", "333"},
      {"report: another pinpoint is the same report", "H.R. Rep. No. 99-849, at 3 (1986). H.R. Rep. No. 99-849, at 5.",
       "H.R. Rep. No. 99-849, at 3 (1986) x2"},
      {"report, record and bill", "S. Rep. No. 98-225 (1983); 132 Cong. Rec. 5678, 5680 (1986); S. 1630, 97th Cong. "
       "(1981).", "S. Rep. No. 98-225 (1983) x1 | 132 Cong. Rec. 5678, 5680 (1986) x1 | S. 1630, 97th Cong. (1981) x1",
       "333"},
      {"a report's part is its own, its pinpoint and year are read", "H.R. Rep. No. 103-8, pt. 1, at 22 (1993). "
       "H.R. Rep. No. 103-8, pt. 2, at 5.", "H.R. Rep. No. 103-8, pt. 1, at 22 (1993) x1 | H.R. Rep. No. 103-8, pt. 2, "
       "at 5 x1", "33"},
      {"a bill's section before its year", "H.R. 3, 116th Cong. § 2 (2019).", "H.R. 3, 116th Cong. § 2 (2019) x1"},
      {"hearing takes the bill it is on", "Crime Control: Hearing on H.R. 4639 Before the Subcomm. on Crime of the H. "
       "Comm. on the Judiciary, 99th Cong. 12 (1986).", "Crime Control: Hearing on H.R. 4639 Before the Subcomm. on "
       "Crime of the H. Comm. on the Judiciary, 99th Cong. 12 (1986) x1"},
      {"news article with its URL", "Jane Doe, Judges at Work, N.Y. Times, Oct. 14, 2023, https://example.com/a.",
       "Jane Doe, Judges at Work, N.Y. Times, Oct. 14, 2023, https://example.com/a x1"},
      {"web page dated in a parenthetical", "Why Rules Matter, Lawfare (Oct. 14, 2023), https://example.com/b.",
       "Why Rules Matter, Lawfare (Oct. 14, 2023), https://example.com/b x1"},
      {"a case stays a case beside a treatise", "Smith v. Jones, 123 U.S. 456 (1990); W. LaFave, Criminal Law (2d ed.).",
       "Smith v. Jones, 123 U.S. 456 (1990) x1", "1"},
      {"mentioned without a date or edition", "The court cited Wayne R. LaFave, Substantive Criminal Law, twice.", ""},
      {"a title alone is no authority", "It follows Substantive Criminal Law § 15.4 (3d ed. 2018).", ""},
      {"a case with an unknown reporter is no book", "Smith v. Jones, 123 Foo 456 (9th Cir. 1990).", ""},
      {"a sentence before a date is no title", "As Smith said, the rule applies (2018).", ""},
      {"a sentence's subject is no author", "Our Court, Held Otherwise (1954).", ""},
      {"a one-word plain title is a name, not a book", "Smith, Jackson (1954), held so.", ""},
      {"an article needs its year", "Jane Roe, The Limits of Law, 55 Yale L.J. 615.", ""},
      {"a bill needs its Congress", "S. 1630 was never passed.", ""},
      {"a date after words that name no paper", "In Smith, the Court, Oct. 14, 2023, held so.", ""},
      {"a hearing needs its year; the bill alone is still cited",
       "Hearing on H.R. 4639 Before the H. Comm. on the Judiciary, 99th Cong. 12.", "H.R. 4639 x1"},
      {"a model code named in prose", "The Model Penal Code takes another view.", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CitationTable table = recognizeMarkdown(row.markdown, kBluebook | kWithOtherAuthorities);
    EXPECT_EQ(summary(table), row.found) << allKeys(table);
    std::string kinds;
    for (const auto& citation : table.citations) kinds += std::to_string(citation->kind);
    EXPECT_EQ(kinds, *row.found == '\0' ? "" : row.kinds);
  }
}

// Not asked for, they are read as before they were known, so a table that
// lists no other authorities keeps its entries: a report is a numbered
// authority with its pinpoint, an article and a treatise are nothing.
TEST(OtherAuthorities, NotAskedForReadAsBefore) {
  const CitationTable table = recognizeMarkdown(
      "H.R. Rep. No. 99-849, at 3 (1986). Jane Roe, The Limits of Law, 55 Yale L.J. 615 (1942). 2 Wayne R. LaFave, "
      "Substantive Criminal Law § 15.4 (3d ed. 2018).", kCalifornia);
  ASSERT_EQ(table.citations.size(), 1u) << allKeys(table);
  EXPECT_EQ(table.citations[0]->kind, kDictionaryAuthority);
  EXPECT_EQ(table.citations[0]->key, "h.r.rep.no.99-849,at3");
}

}  // namespace
}  // namespace recognize::testing
