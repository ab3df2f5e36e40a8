// The marking pass against the stand-in host's engine: the example brief's
// occurrences marked on the pages the reader counted, and small briefs edited
// after saving, run as Create Table at Cursor under a command fuse so that a
// search that never ends fails instead of hanging.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "db/entry_type_collection.h"
#include "host/host_commands.h"
#include "quillon/doc/visible_text.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "recognize/recognizer.h"
#include "table/document_marks.h"
#include "table/document_recognition.h"
#include "table/generation.h"
#include "tests/table/engine_host.h"

namespace {

using platform_test::readFile;
using quillon::doc::Document;
constexpr long kFuse = 20000;  // commands; a small brief's whole run takes far fewer

struct Row {
  const char* name;
  std::string saved;  // the brief as saved, then edited in the open document: `from` becomes `to`
  const char* from;
  const char* to;
  std::vector<std::string> unmarked;  // as first word, page and (in a note's text) "^" note number
  std::string wholeWords;             // values of SetSearchOption563 in order ("" unchecked)
  bool nameOnEarlierPage = false;     // the mark stands on the name's page, before the piece
};

// Each occurrence the reader finds is marked at its first search piece (in a
// note's text: at that note's reference), on the page the reader counted,
// under the key that the table's page list uses, or is listed.
TEST(Marks, EveryOccurrenceFoundOnItsPage) {
  ASSERT_TRUE(table_test::bindHostStrings());
  platform_test::TemporaryFolder folder;
  table_test::TempDatabase database(LEXORDA_SHIPPED_DB);
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);
  table_test::EngineHost host;
  const std::string hyphen =
      "See *Hewlett-Packard Co. v. Bausch*, 99 F.3d 10 (9th Cir. 1999). Later, *Hewlett-Packard*, 99 F.3d at 12.\n";
  std::string overPageEnd;  // as many words as put the next citation's volume on page 2
  for (int i = 0; i < 576; ++i) overPageEnd += "word ";
  const std::vector<Row> rows = {
      {"the example brief: \"541 U.S. 937 (2004)\", read as an authority of its own too, is marked first, and the "
       "Fraser citation around it ends after where the search then starts", readFile(LEXORDA_EXAMPLE_BRIEF), "", "",
       {"342 p12"}, ""},
      {"the page-2 Id. edited away matches on page 1 only: rejected", "*Smith v. Jones*, 123 U.S. 456 (1990). *Id.* "
       "at 457.\n\n\\newpage\n\n*Id.* at 460.\n", "Id. at 460", "At 460", {"Id. p2"}, "010100"},
      {"Id. edited away: not the id. of avid., whole words off again", "*Smith v. Jones*, 123 U.S. 456 (1990). *Id.*"
       " at 460. The court was avid.\n", "Id. at", "At", {"Id. p1"}, "0100"},
      {"a note number in superscript inside a citation", "*Smith v. Jones*, 123 U.S.^1^ 456 (1990).\n", "", "", {},
       "0"},
      {"a citation and its Id. in one note, both also before its reference: each marked where it is read, the "
       "note's at the reference on page 2", "*Smith v. Jones*, 123 U.S. 456 (1990). *Id.* at 457.\n\n\\newpage\n\n"
       "Text.[^1]\n\n[^1]: *See* *Smith v. Jones*, 123 U.S. 456, 458 (1990). *Id.* at 459.\n", "", "", {}, ""},
      {"a footnote reference between a citation's words", "*Smith v. Jones*, 123 U.S.[^1] 456 (1990).\n\n"
       "[^1]: A note.\n", "", "", {}, ""},
      {"a hyphenated party name", hyphen, "", "", {}, "00"},
      {"the first piece stays, the rest is gone: the search ends", hyphen, "Hewlett-Packard Co. v. Bausch, 99 F.3d 10 "
       "(9th Cir. 1999). Later, Hewlett-Packard", "Hewlett-Pack", {"99 p1", "Hewlett-Packard p1"}, "00"},
      {"a case name on page 1 whose volume the page end put on page 2: marked on page 1",
       overPageEnd + "*Smithson Jonesworth v. Robertson Davidson*, 123 U.S. 456 (1990).\n", "", "", {}, "00", true},
      {"an authority edited away keeps the file's page 2 (below)", "*Brown v. Board*, 347 U.S. 483 (1954).\n\n"
       "\\newpage\n\n*Smith v. Jones*, 123 U.S. 456 (1990).\n", "Jones, 123", "Jones", {"123 p2"}, "000"},
  };
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Document imported(quillon::format::importMarkdown(row.saved).content);
    quillon::format::saveNativeFile(imported, folder.file("brief.qdoc"));
    host.open(folder.file("brief.qdoc"));
    const std::string bytes = readFile(folder.file("brief.qdoc"));
    Document& d = host.document();
    if (const auto match = quillon::doc::findForward(d.items(), row.from, {}, 0)) {
      d.select(match->start, match->end), d.deleteSelection(), d.typeText(row.to);
      d.setModified(false);  // as if the host had not noticed: the file keeps the old text
    }
    recognize::CitationTable read;
    recognize::setAbbreviationContext(nullptr, false);  // as the Default set: citation form 0, no expansion
    table::NullProgressBar progress;
    table::readDocumentFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), read, dictionary, 0,
                            progress);
    d.goToEnd(), host.clear(), host.recordRequests(true), host.setCommandFuse(kFuse);
    table::generateTable(false, progress, "Default", {std::chrono::milliseconds(0)});
    EXPECT_LT(static_cast<long>(host.commands().size()), kFuse);
    // Occurrence marks: "page: the rest of the line after it", or at a note's
    // reference "page ^n: the note's text" with the note number the reader
    // gives that note's text (the k-th reference's note reads 2k - 1).
    std::map<std::string, std::string> marks;
    for (const auto& mark : d.bookmarks().all()) {
      if (mark.name.rfind("XTOA~CIT~", 0) != 0 || mark.name.find("~TOA") != std::string::npos) continue;
      const std::size_t at = mark.start.position;
      std::string text = quillon::doc::visibleText(d.items(), at, -1), page = std::to_string(d.placeOf(at).logicalPage);
      if (at < d.items().size() && d.items()[at].kind == quillon::doc::ItemKind::NoteReference) {
        const auto isReference = [](const auto& item) { return item.kind == quillon::doc::ItemKind::NoteReference; };
        const auto before = std::count_if(d.items().begin(), d.items().begin() + static_cast<long>(at), isReference);
        page += " ^" + std::to_string(2 * before + 1);
        text = quillon::doc::visibleText(d.notes()[d.items()[at].value], 0, -1);
      }
      marks[mark.name] = page + ": " + text.substr(0, text.find_first_of("\n\f"));
    }
    std::vector<std::string> unmarked;
    for (std::size_t k = 0; k < read.citations.size(); ++k) {
      const recognize::Citation& c = *read.citations[k];
      for (std::size_t i = 0; i < c.occurrenceGroups.size(); ++i) {
        const bool inNote = c.noteNumbers[i] % 2 != 0;
        const std::string key = c.key + std::to_string(k),
                          page = std::to_string(c.occurrencePages[i]) +
                                 (inNote ? " ^" + std::to_string(c.noteNumbers[i]) : "");
        const auto mark = marks.find(table::occurrenceMarkName(key, static_cast<int>(i)));
        if (mark == marks.end()) {
          unmarked.push_back(c.occurrenceGroups[i][0].text + " p" + page);
          continue;
        }
        const std::string piece = table::buildSearchPieces(c.occurrenceGroups[i]).pieces[0];
        EXPECT_EQ(mark->second.rfind(page + ": ", 0), 0U) << mark->first << " at " << mark->second;
        // On the main text the mark stands right before the piece; a note's
        // text must hold it.
        const std::size_t found = mark->second.find(piece), text = mark->second.find(": ") + 2;
        const bool after =
            found != std::string::npos && (inNote || (row.nameOnEarlierPage ? found > text : found == text));
        EXPECT_TRUE(after)
            << mark->first << " at " << mark->second;
        EXPECT_NE(d.bookmarks().find("XTOA~CIT~" + key + "~TOABEGIN"), nullptr) << key;
      }
    }
    EXPECT_EQ(unmarked, row.unmarked);
    std::string wholeWords;
    for (const auto& r : host.requests()) {
      if (r.command == host::command::kSetSearchOption563) wholeWords += std::to_string(r.integerAt(0));
    }
    EXPECT_TRUE(row.wholeWords.empty() || wholeWords == row.wholeWords) << wholeWords;
  }
  const std::string text = host.exportText();  // the last row's table, at the end
  EXPECT_EQ(text.substr(text.find('\n', text.rfind("456 (1990)")) - 2, 2), " 2") << text;
}

}  // namespace
