// Turns the tokens of one paragraph into citations filed in the run's table.
// In: the paragraph's tokens, the table, the dictionary and the citation form.
// Out: new citations or further occurrences in the table; flags set on the
// tokens. Never throws and reports nothing: text that cannot be read as a
// citation is simply not recorded.
#pragma once

#include "db/abbreviation_collection.h"
#include "db/entry_type_collection.h"
#include "recognize/citation_table.h"
#include "recognize/token.h"

namespace recognize {

enum CitationForm : int { kBluebook = 0, kCalifornia = 1 };
// Added to a citation form: also read other authorities (articles, books,
// legislative materials, model codes, news) as kOtherAuthority citations.
// Without it the walk reads as it did before they were known, so a table
// whose option set lists no "Other Authorities" stays exactly as it was.
inline constexpr int kWithOtherAuthorities = 0x100;

// Walks the tokens left to right and files every citation found in `table`,
// reading cases, codes and section signs in the given form (kBluebook or
// kCalifornia, either plus kWithOtherAuthorities; any other value reads as
// kBluebook). `table.previous` carries
// over from one call to the next: the caller clears it where a text stream
// starts. An empty list returns at once; running out of memory ends the walk
// silently. Example: recognizeParagraph(tokens, table, dictionary, kBluebook);
void recognizeParagraph(TokenList& tokens, CitationTable& table, db::EntryTypeCollection& dictionary,
                        int citationForm);

// Sets the abbreviations that case short names are expanded with, and whether
// to expand, for the generation run that follows (process-wide, as the host
// runs one generation at a time). Null or `expand` false: no expansion. The
// collection must outlive the run.
void setAbbreviationContext(const db::AbbreviationCollection* abbreviations, bool expand);

}  // namespace recognize
