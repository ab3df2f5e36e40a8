// Grouping and sorting of a run's citations before the table is written. In:
// the run's citation table and the option set. Out: the categories to write,
// in writing order, each with its heading, its sorted citations and how its
// case names are to be treated.
//
// Errors: none; an option the set lacks reads as 0 or the empty text.
#pragma once

#include <string>
#include <vector>

#include "db/option_collection.h"
#include "recognize/citation.h"
#include "recognize/citation_table.h"

namespace table {

// One block of the table: an optional heading and its entries.
struct CategoryBlock {
  std::string heading;                            // "CASES", ...; empty for the mixed list
  std::vector<recognize::Citation*> citations;    // in writing order; the table owns them
  int underlineMode = -1;                         // applied to cases only (-1: as in the document)
  bool expandAbbreviations = false;               // applied to cases only
};

// The orders. Each returns true when a is written before b. The name
// and numeric orders are not strict weak orderings on every input (a hard
// space equals a blank, "-" parts can cycle), so lists are sorted stably.
bool compareByAppearance(const recognize::Citation& a, const recognize::Citation& b);
bool compareByReporter(const recognize::Citation& a, const recognize::Citation& b);
bool compareByName(const recognize::Citation& a, const recognize::Citation& b);
bool compareByNameIgnoringLeadingPhrases(const recognize::Citation& a, const recognize::Citation& b);
bool compareNumerically(const recognize::Citation& a, const recognize::Citation& b);
// Other authorities (kind 3): by their text, letter case ignored, without a
// leading volume number and a leading "The"; equal texts by appearance.
// Example: "2 Wayne R. LaFave, ..." sorts under W, "The Federalist No. 10"
// under F.
bool compareOtherAuthorities(const recognize::Citation& a, const recognize::Citation& b);

// Distributes the table's citations over the categories, puts the categories
// in the order of the set's category list, sorts each one, and appends the
// miscellaneous list. Empty categories are left out (their heading too); a
// category named twice appears twice; a category the list does not name is
// not written.
//
// A kind-2 citation goes by its group: to "Constitutional Provisions",
// "Rules", "Regulations" or "Sentencing Guidelines" when the list names that
// category (guidelines to "Rules" when only that is named), else to the
// statutes. Those categories sort as statutes do. Other authorities (kind 3)
// go to "Other Authorities" and are written only when the list names it, in
// the mixed order of appearance too. A list naming none of these categories
// gives the table it gave before they existed.
// Whether the set's category order names "Other Authorities": only then are
// articles, books and the like read and written.
bool listsOtherAuthorities(const db::OptionCollection& options);

std::vector<CategoryBlock> layOutCategories(const recognize::CitationTable& table,
                                            const db::OptionCollection& options);

}  // namespace table
