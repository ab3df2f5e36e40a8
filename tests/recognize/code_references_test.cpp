// Statutes and rules as briefs write them: parentheticals that explain a
// citation against editions that are part of it, codes cited without the
// section sign and their sections referred to later in words or by a bare
// sign, section signs after names the dictionary does not know, the text
// around a citation that is not part of it, a brief's own table of
// authorities, and state court rules by their short names.
#include <gtest/gtest.h>

#include <string>

#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

TEST(CodeReferences, WhatIsFoundAndWhatIsNot) {
  const struct { const char* name; const char* markdown; const char* found; } rows[] = {
      {"an explanatory parenthetical is not part of the section",
       "See 42 U.S.C. § 1983 (emphasis added); 42 U.S.C. § 1983 (citation omitted).", "42 U.S.C. § 1983 x2"},
      {"a count label is not part of the section", "It violated 29 U.S.C. § 2615(a)(1) (Count Two). 29 U.S.C. "
       "§ 2615(a)(1) governs.", "29 U.S.C. § 2615(a)(1) x2"},
      {"each edition is its own entry", "42 U.S.C. § 1983 (2012); 42 U.S.C. § 1983 (Supp. 2020); 42 U.S.C. § 1983.",
       "42 U.S.C. § 1983 (2012) x1 | 42 U.S.C. § 1983 (Supp. 2020) x1 | 42 U.S.C. § 1983 x1"},
      {"a sentence period makes no second entry", "Under 42 U.S.C. § 1983. So 42 U.S.C. § 1983 applies.",
       "42 U.S.C. § 1983 x2"},
      {"a code without the sign, then its section in words and by sign",
       "Under 18 U.S.C. 924(c). Section 924(c)(3)(A) defines it, and § 924(c) adds; 18 U.S.C. § 924(c) too.",
       "18 U.S.C. 924(c) x4"},
      {"the code last cited with that section number", "18 U.S.C. § 16 and 8 U.S.C. § 16 differ. Section 16 says.",
       "18 U.S.C. § 16 x1 | 8 U.S.C. § 16 x2"},
      {"a sibling subdivision or an uncited section is left alone",
       "18 U.S.C. 924(c). Section 924(e) differs, as Section 2 of the Act does.", "18 U.S.C. 924(c) x1"},
      {"a sign after an unknown name is not the code's", "8 U.S.C. 1101(a)(43)(F); Restatement (Second) of Torts "
       "§ 402A.", "8 U.S.C. 1101(a)(43)(F) x1"},
      {"guidelines and model code are names of their own",
       "8 U.S.C. 1101(a)(43)(F); United States Sentencing Guidelines § 4B1.2(a)(1); Model Penal Code § 2.02(2).",
       "8 U.S.C. 1101(a)(43)(F) x1 | United States Sentencing Guidelines § 4B1.2(a)(1) x1 | Model Penal Code "
       "§ 2.02(2) x1"},
      {"a prose word before a sign still means the code", "42 U.S.C. § 1983. The § 1983 claim fails.",
       "42 U.S.C. § 1983 x2"},
      {"a record cite after a rule", "Fed. R. App. P. 4(a)(1)(A). 4-ER-702.", "Fed. R. App. P. 4(a)(1)(A) x1"},
      {"a word before a constitution", "Under the search clause, Cal. Const. art. I, § 7(a) applies.",
       "Cal. Const. art. I, § 7(a) x1"},
      {"a sentence word before a title", "(Count One). And 42 U.S.C. § 1983 applies.", "42 U.S.C. § 1983 x1"},
      {"dot leaders and a page", "18 U.S.C. 16 ........ 1a", "18 U.S.C. 16 x1"},
      {"the brief's own table of authorities", "TABLE OF AUTHORITIES\n\nCases\n\nSmith v. Jones, 123 U.S. 456 "
       "(1990) ..... 3\n\nARGUMENT\n\nSmith v. Jones, 123 U.S. 456 (1990).", "Smith v. Jones, 123 U.S. 456 (1990) x1"},
      {"prose ends a table whose end has no heading", "Table of Contents\n\nIntroduction ..... 1\n\nThe "
       "district court dismissed the claim under 42 U.S.C. § 1983 on the pleadings, and it did so without leave to "
       "amend, although the complaint alleged every fact that the statute requires and the defendants never said "
       "otherwise in the briefs they filed below.", "42 U.S.C. § 1983 x1"},
      {"state court rules by short names", "RAP 2.5(a), ER 404(b), CrR 3.5 and Tex. R. App. P. 38.1(i) apply; "
       "Cal. Rules of Court, rule 8.204(a).", "RAP 2.5(a) x1 | ER 404(b) x1 | CrR 3.5 x1 | Tex. R. App. P. 38.1(i) "
       "x1 | Cal. Rules of Court, rule 8.204(a) x1"},
      {"record cites and a bare abbreviation are no rules", "The ER doctor read 4-ER-702, 2 ER 45, (ER 7) and ER "
       "9-12.", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(summary(recognizeMarkdown(row.markdown)), row.found);
  }
}

}  // namespace
}  // namespace recognize::testing
