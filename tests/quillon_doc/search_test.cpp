// Search over the main text and into notes: where it starts, which match it
// selects, and what it can and cannot match.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quillon_support/documents.h"

namespace quillon::doc::test {
namespace {

struct SearchRow {
  const char* name;
  const char* script;  // see build()
  std::function<void(Document&)> place;  // insertion point or selection before the search
  const char* text;
  SearchOptions options;
  bool forward;
  const char* expected;  // showCursor afterwards
};

TEST(Search, SelectsTheRightMatch) {
  const auto at = [](std::size_t p) { return [p](Document& d) { d.moveTo(p); }; };
  const auto sel = [](std::size_t a, std::size_t b) { return [a, b](Document& d) { d.select(a, b); }; };
  const char* plain = "Id. at 3; see id. ibid idea";
  const std::vector<SearchRow> rows = {
      {"backward match must end at or before the point", plain, at(24), "id", {}, false,
       "Id. at 3; see id. ib[id] idea"},
      {"backward whole words skips ibid and idea", plain, at(27), "id", {false, true}, false,
       "Id. at 3; see [id]. ibid idea"},
      {"backward with case finds only the capital", plain, at(27), "Id", {true, true}, false,
       "[Id]. at 3; see id. ibid idea"},
      {"backward from a selection starts at its start", plain, sel(14, 16), "id", {false, true}, false,
       "[Id]. at 3; see id. ibid idea"},
      {"forward from the point", plain, at(1), "id", {}, true, "Id. at 3; see [id]. ibid idea"},
      {"forward match may start at the point", plain, at(14), "id", {}, true, "Id. at 3; see [id]. ibid idea"},
      {"forward from a selection starts at its end", plain, sel(14, 16), "id", {}, true,
       "Id. at 3; see id. ib[id] idea"},
      {"no match leaves the selection", plain, sel(4, 6), "zz", {}, true, "Id. [at] 3; see id. ibid idea"},
      {"codes inside a match are invisible", "ab<+5>cd", at(0), "bc", {}, true, "a[b<+5>c]d"},
      {"a special character matches only itself", "a{4,3}b a\x95" "b", at(0), "a\x95" "b", {}, true,
       "a{4,3}b [a\x95" "b]"},
      {"never across a paragraph end", "ab\ncd ab cd", at(0), "b\nc", {}, true, "|ab\ncd ab cd"},
      {"a hard space is not a blank", "a~b a b", at(0), "a b", {}, true, "a~b [a b]"},
      // A footnote reference between a volume's words, as in "U.S.[^1] 456".
      {"a note reference inside a match is passed over", "ab^n^ cd", at(0), "b cd", {}, true, "a[b^0 cd]"},
      {"a match inside a note selects its reference", "see^hidden words^ text", at(0), "words", {}, true,
       "see[^0] text"},
      {"whole words end at the note's edges, not at the main text's", "avid^id idea^ x", at(6), "id", {false, true},
       false, "avid[^0] x"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = build(row.script);
    row.place(doc);
    doc.setSearchText(row.text);
    doc.setMatchCase(row.options.matchCase);
    doc.setWholeWords(row.options.wholeWords);
    (void)(row.forward ? doc.searchForward() : doc.searchBackward());
    EXPECT_EQ(showCursor(doc), row.expected);
  }
}

// A place inside a note outlives the selection of its reference only as the
// marking pass uses it: collapsed to the match's start, searched on from.
TEST(Search, GoesOnInsideANoteFirst) {
  struct Step {
    const char* text;
    bool forward;
    const char* selected;  // afterwards; "" when the search failed and nothing is selected
  };
  struct NoteRow {
    const char* name;
    const char* script;
    bool extending;  // beginExtendingSearch right after the first step's moveCharLeft
    std::vector<Step> steps;
  };
  const std::vector<NoteRow> rows = {
      {"backward: the note's earlier match before the main text's", "id. x^ID. y Id.^ z", false,
       {{"id.", false, "Id."}, {"id.", false, "ID."}, {"id.", false, "id."}}},
      {"extending from a note grows inside it and never out into the main text", "a^Smith v. Jones^ Jones later",
       true,
       {{"Smith", false, "Smith"}, {"Smith", true, "Smith"}, {"Jones", true, "Smith v. Jones"},
        {"later", true, "Smith v. Jones"}}},
      {"extending from the main text steps over a note", "ab^cd^ cd", true,
       {{"ab", false, "ab"}, {"ab", true, "ab"}, {"cd", true, "ab cd"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Document doc = build(row.script);
    doc.goToEnd();
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
      const Step& step = row.steps[i];
      if (i > 0 && !doc.selectMode() && !row.extending) doc.moveCharLeft();
      doc.setSearchText(step.text);
      (void)(step.forward ? doc.searchForward() : doc.searchBackward());
      EXPECT_EQ(doc.selectedText(), step.selected) << "step " << i;
      if (i == 0 && row.extending) doc.moveCharLeft(), doc.beginExtendingSearch();
    }
  }
}

}  // namespace
}  // namespace quillon::doc::test
