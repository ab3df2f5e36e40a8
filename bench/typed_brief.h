// The document both host-engine benchmarks type, word by word, as the
// page-number refresh meets it. In: a page count. Out: calls for each word
// (by its index in kWords) and each paragraph end, in document order, and the
// names of the marks spread over it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// About 45 lines of 65 characters per page: 8 paragraphs of 60 words.
constexpr int kParagraphsPerPage = 8;
constexpr int kWordsPerParagraph = 60;
constexpr std::size_t kMarks = 1000;
inline const std::vector<std::string> kWords = {"The ", "court ", "held ", "that ", "plaintiff's ", "claim ",
                                                "was ", "barred. ", "See ", "Smith ", "v. ", "Jones, "};

template <typename TypeWord, typename EndParagraph>
void typeBrief(int pages, TypeWord typeWord, EndParagraph endParagraph) {
  std::size_t w = 0;
  for (int p = 0; p < pages * kParagraphsPerPage; ++p) {
    for (int i = 0; i < kWordsPerParagraph; ++i) typeWord(w++ % kWords.size());
    endParagraph();
  }
}

// Calls mark(i, position) for each of kMarks marks at even steps over `size` items.
template <typename Mark>
void markEvenly(std::size_t size, Mark mark) {
  for (std::size_t i = 0; i < kMarks; ++i) mark(i, i * size / kMarks);
}

// The i-th mark's name, as a table run names its bookmarks.
inline std::string markName(std::size_t i) { return "XTOA~CIT~key~" + std::to_string(i); }

}  // namespace bench
