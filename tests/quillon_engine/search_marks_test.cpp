// The document scan's searches, sent as the plug-in sends them. In: a body
// with the occurrence and decoys around it. Out: where the occurrence mark is
// dropped and how long the selection was that it was dropped from.
#include <string>
#include <vector>

#include "tests/quillon_engine/engine_fixture.h"

namespace engine_test {
namespace {

class SearchMarks : public EngineTest {
 protected:
  // The single-piece search of one occurrence: "id" and "ibid" whole words.
  void markSinglePiece(const std::string& piece, int page) {
    c().CreateBookmark(t("XTOA~PreviousCitation"), 0);
    if (piece == "id" || piece == "Id.") c().SetSearchOption563(1);
    c().SetSearchText(t(piece));
    c().SearchBackward(1);
    if (!selected().empty() && page > c().GetPageNumber()) {
      c().GoToBookmark(t("XTOA~PreviousCitation"));
    } else if (!selected().empty()) {
      c().MoveCharLeft();
      c().CreateBookmark(t("XTOA~CIT~k0~0"), 0);
    }
    c().SetSearchOption563(0);
  }

  // The multi-piece search; returns the selection length of every attempt
  // whose pieces were all found.
  std::vector<std::size_t> markPieces(const std::vector<std::string>& pieces, std::size_t expectedLength) {
    std::vector<std::size_t> lengths;
    c().CreateBookmark(t("XTOA~BeforeSearch"), 0);
    for (int attempt = 0; attempt < 20; ++attempt) {
      c().SetSearchText(t(pieces.front()));
      c().SearchBackward(1);
      if (selected().empty()) {  // no first piece left: give up where the search began
        c().GoToBookmark(t("XTOA~BeforeSearch"));
        return lengths;
      }
      c().MoveCharLeft();
      c().SearchBegin570();
      bool all = true;
      for (std::size_t i = 0; all && i < pieces.size(); ++i) {
        const std::size_t before = selected().size();
        c().SetSearchText(t(pieces[i]));
        c().SearchForward(0);
        all = selected().size() > before;
      }
      c().SearchEnd573();
      if (!all) continue;
      lengths.push_back(selected().size());
      c().MoveCharLeft();
      c().SetSelectMode(0);
      if (lengths.back() == expectedLength) {
        c().CreateBookmark(t("XTOA~CIT~acme0~0"), 0);
        return lengths;
      }
    }
    return lengths;  // attempts used up: the caller's check fails
  }
};

TEST_F(SearchMarks, SinglePieceIdSearchesWholeWords) {
  struct Row {
    const char* body;
    const char* piece;
    const char* markedBefore;  // the text the mark must stand in front of; "" = no mark
  };
  for (const Row& row : std::vector<Row>{{"Id. at 3. The claim was Said. ", "Id.", "Id. at"},
                                         {"See id. Ibid was valid and candid ", "id", "id. Ibid"},
                                         {"The idea was valid. ", "id", ""},
                                         {"Smith v. Jones; Smithson ", "Smith", "Smithson"}}) {
    SCOPED_TRACE(row.body);
    c().NewDocument();
    c().TypeText(t(row.body));
    markSinglePiece(row.piece, 1);
    const std::string text = doc().text();
    EXPECT_EQ(markAt("XTOA~CIT~k0~0"), *row.markedBefore ? static_cast<long>(text.find(row.markedBefore)) : -1);
    EXPECT_EQ(text, row.body);
  }
  // A match on an earlier page than the occurrence's is not it.
  c().NewDocument();
  c().TypeText(t("Id. at 3."));
  doc().hardPageBreak();
  markSinglePiece("Id.", 2);
  EXPECT_EQ(markAt("XTOA~CIT~k0~0"), -1);
  EXPECT_EQ(doc().insertionPoint(), doc().items().size());
}

// An occurrence of 100 characters: a hyphenated party name, a superscript
// footnote mark after the name, and a decoy first piece after it.
TEST_F(SearchMarks, MultiPieceSelectsExactlyTheExpectedLength) {
  const std::string name = "Acme-Widget Manufacturing Company of North America v. United States Commerce Dept.";
  const std::string rest = ", 1234 F.3d 4567";
  c().TypeText(t("As held in " + name));
  c().AttributeOn(5);
  c().TypeText(t("12"));
  c().AttributeOff(5);
  c().TypeText(t(rest + " and later Acme sold widgets."));
  ASSERT_EQ((name + "12" + rest).size(), 100u);
  // The pieces the scan searches for: split at the hyphen, cut at 70
  // characters, split at the superscript (which counts its 2 characters).
  const std::string second = name.substr(5);
  const std::vector<std::string> pieces = {"Acme", second.substr(0, 70), second.substr(70), rest};

  EXPECT_EQ(markPieces(pieces, 100), std::vector<std::size_t>{100});
  EXPECT_EQ(markAt("XTOA~CIT~acme0~0"), 11);
  // A length that cannot match gives up once the first piece is no longer found.
  c().DeleteBookmark(t("XTOA~CIT~acme0~0"));
  c().GoToDocumentEnd();
  EXPECT_EQ(markPieces(pieces, 101), std::vector<std::size_t>{100}) << "the decoy never completes";
  EXPECT_EQ(doc().insertionPoint(), doc().items().size());
}

}  // namespace
}  // namespace engine_test
