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
  // The single-piece search of one occurrence; returns whether it was marked.
  bool markSinglePiece(const std::string& piece, int page, const std::string& mark) {
    std::string word = piece;
    while (!word.empty() && std::string(",;:.").find(word.back()) != std::string::npos) word.pop_back();
    for (char& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    c().CreateBookmark(t("XTOA~PreviousCitation"), 0);
    c().CreateBookmark(t("XTOA~BeforeSearch"), 0);
    if (word == "id" || word == "ibid") c().SetSearchOption563(1);
    c().SetSearchText(t(piece));
    c().SearchBackward(1);
    bool marked = false;
    if (!selected().empty()) {
      if (page > c().GetPageNumber()) {
        c().GoToBookmark(t("XTOA~PreviousCitation"));
      } else {
        c().MoveCharLeft();
        c().CreateBookmark(t(mark), 0);
        marked = true;
      }
    }
    c().SetSearchOption563(0);
    return marked;
  }

  // The multi-piece search; returns the selection lengths of every attempt
  // whose pieces were all found.
  std::vector<std::size_t> markPieces(const std::vector<std::string>& pieces, std::size_t expectedLength,
                                      const std::string& mark) {
    std::vector<std::size_t> lengths;
    c().CreateBookmark(t("XTOA~PreviousCitation"), 0);
    c().CreateBookmark(t("XTOA~BeforeSearch"), 0);
    for (int attempt = 0; attempt < 20; ++attempt) {
      c().SetSearchText(t(pieces.front()));
      c().SearchBackward(1);
      const bool found = !selected().empty();
      if (found) {
        c().MoveCharLeft();
        c().CreateBookmark(t("XTOA~BeginCitation"), 0);
      }
      c().SearchBegin570();
      bool all = found;
      for (std::size_t i = 0; all && i < pieces.size(); ++i) {
        const std::size_t before = selected().size();
        c().SetSearchText(t(pieces[i]));
        c().SearchForward(0);
        all = selected().size() > before;
      }
      c().SearchEnd573();
      if (!found) {
        c().GoToBookmark(t("XTOA~BeforeSearch"));
        return lengths;
      }
      if (!all) continue;
      const std::size_t length = selected().size();
      lengths.push_back(length);
      const bool done = length == expectedLength;
      c().MoveCharLeft();
      if (done) c().CreateBookmark(t(mark), 0);
      c().SetSelectMode(0);
      c().DeleteBookmark(t("XTOA~BeginCitation"));
      if (done) return lengths;
    }
    ADD_FAILURE() << "the attempts did not end";
    return lengths;
  }
};

struct IdRow {
  const char* name;
  std::string body;
  std::string piece;
  std::string markedBefore;  // the text the mark must stand in front of; "" = no mark
  int nth;
};

TEST_F(SearchMarks, SinglePieceIdSearchesWholeWords) {
  const std::vector<IdRow> rows = {
      {"standalone Id. before a word ending in id.", "Id. at 3. The claim was Said. ", "Id.", "Id. at", 0},
      {"lower case id in a word is passed over", "See id. Ibid was valid and candid ", "id", "id. Ibid", 0},
      {"only inside words: no mark", "The idea was valid. ", "id", "", 0},
      {"ordinary text is found inside words", "Smith v. Jones; Smithson ", "Smith", "Smithson", 0},
  };
  for (const IdRow& row : rows) {
    SCOPED_TRACE(row.name);
    c().NewDocument();
    c().SetSearchOption561(0);
    c().SetSearchOption563(0);
    c().TypeText(t(row.body));
    c().GoToDocumentEnd();
    const std::string text = doc().text();
    const bool marked = markSinglePiece(row.piece, 1, "XTOA~CIT~k0~0");
    EXPECT_EQ(marked, !row.markedBefore.empty());
    if (marked) {
      EXPECT_EQ(markAt("XTOA~CIT~k0~0"), static_cast<long>(positionOf(row.markedBefore, row.nth)));
    }
    EXPECT_EQ(doc().text(), text);
  }
}

TEST_F(SearchMarks, SinglePieceOnAnEarlierPageIsRejected) {
  c().TypeText(t("Id. at 3."));
  doc().hardPageBreak();
  c().TypeText(t("Nothing here. "));
  c().GoToDocumentEnd();
  const auto end = doc().insertionPoint();
  EXPECT_FALSE(markSinglePiece("Id.", 2, "XTOA~CIT~k0~0"));
  EXPECT_EQ(doc().insertionPoint(), end);
  EXPECT_EQ(markAt("XTOA~CIT~k0~0"), -1);
}

// An occurrence of 100 characters: a hyphenated party name, a superscript
// footnote mark after the name, and a decoy first piece after it.
TEST_F(SearchMarks, MultiPieceSelectsExactlyTheExpectedLength) {
  const std::string name = "Acme-Widget Manufacturing Company of North America v. United States Commerce Dept.";
  const std::string rest = ", 1234 F.3d 4567";
  c().TypeText(t("As held in "));
  c().TypeText(t(name));
  c().AttributeOn(5);
  c().TypeText(t("12"));
  c().AttributeOff(5);
  c().TypeText(t(rest));
  c().TypeText(t(" and later Acme sold widgets."));
  const std::string occurrence = name + "12" + rest;
  ASSERT_EQ(occurrence.size(), 100u);
  // The pieces the scan searches for: split at the hyphen, cut at 70
  // characters, split at the superscript (which counts its 2 characters).
  const std::string second = name.substr(5);
  const std::vector<std::string> pieces = {"Acme", second.substr(0, 70), second.substr(70), rest};
  c().SetSearchOption561(0);
  c().GoToDocumentEnd();
  const std::string text = doc().text();

  const auto lengths = markPieces(pieces, occurrence.size(), "XTOA~CIT~acme0~0");
  ASSERT_FALSE(lengths.empty());
  EXPECT_EQ(lengths.back(), occurrence.size());
  EXPECT_EQ(markAt("XTOA~CIT~acme0~0"), static_cast<long>(positionOf("Acme-Widget")));
  EXPECT_EQ(markAt("XTOA~BeginCitation"), -1);
  EXPECT_EQ(doc().text(), text);

  // A length that cannot match gives up once the first piece is no longer found.
  c().GoToDocumentEnd();
  const auto none = markPieces(pieces, occurrence.size() + 1, "XTOA~CIT~acme0~1");
  EXPECT_EQ(none, std::vector<std::size_t>{occurrence.size()}) << "the decoy never completes";
  EXPECT_EQ(markAt("XTOA~CIT~acme0~1"), -1);
  EXPECT_EQ(doc().insertionPoint(), static_cast<std::size_t>(markAt("XTOA~BeforeSearch")));
}

}  // namespace
}  // namespace engine_test
