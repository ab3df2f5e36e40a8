// Types the Table of Authorities into a document through host commands. In:
// the run's citation table, where to write, the option set's name and the
// progress bar. Out: the title, the category headings and one entry per
// authority typed at the insertion point (or into a new document), formatted
// as the option set asks, with the marks that a later page refresh reads.
//
// Errors: none thrown. When the option set or the abbreviations cannot be
// loaded, the loaders show the failure (db/ error channels) and nothing is
// written; the host switches are restored either way. A failed host command
// types nothing.
#pragma once

#include <string>

#include "recognize/citation_table.h"
#include "table/progress_bar.h"

namespace table {

// Writes the whole table. toFile: into a new document; otherwise at the
// insertion point, after two line breaks. The table keeps owning its
// citations; each category writes its entries once per time the option set
// lists it, and citations of unlisted categories are not written. At the
// cursor, everything typed lies under the range mark "XTOA~TableOfAuthorities"
// (table_marks.h) and the insertion point ends after the table.
void writeTable(recognize::CitationTable& table, bool toFile, const std::string& optionSetName,
                ProgressBar& progress);

}  // namespace table
