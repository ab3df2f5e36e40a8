// quillon_doc_bench: the stand-in host's document engine under the page-number
// refresh's load. In: a document of N pages typed word by word, 1,000 marks
// spread over it. Out: time to type it and ask the page of every mark.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "quillon/doc/document.h"

namespace {

using quillon::doc::Document;

// About 45 lines of 65 characters per page: 8 paragraphs of 60 words.
constexpr int kParagraphsPerPage = 8;
constexpr int kWordsPerParagraph = 60;
const std::vector<std::string> kWords = {"The ", "court ", "held ", "that ", "plaintiff's ", "claim ",
                                         "was ", "barred. ", "See ", "Smith ", "v. ", "Jones, "};

void typeDocument(Document& doc, int pages) {
  std::size_t w = 0;
  for (int p = 0; p < pages * kParagraphsPerPage; ++p) {
    for (int i = 0; i < kWordsPerParagraph; ++i) doc.typeText(kWords[w++ % kWords.size()]);
    doc.hardReturn();
  }
}

// Typing, marking and asking for pages, as one refresh of a whole brief.
void TypeMarkAndAskPages(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  int laidOutPages = 0;
  for (auto _ : state) {
    Document doc;
    typeDocument(doc, pages);
    const std::size_t size = doc.items().size();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < 1000; ++i) {
      names.push_back("XTOA~CIT~key~" + std::to_string(i));
      doc.moveTo(i * size / 1000);
      doc.createBookmark(names.back(), false);
    }
    int sum = 0;
    for (const auto& name : names) {
      doc.goToBookmark(name);
      sum += doc.pageNumber();
    }
    benchmark::DoNotOptimize(sum);
    laidOutPages = doc.pageCount();
  }
  state.counters["pages"] = laidOutPages;
}
BENCHMARK(TypeMarkAndAskPages)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

// The queries alone, on a document typed beforehand (layout not yet made).
void AskPagesOnly(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Document doc;
    typeDocument(doc, pages);
    const std::size_t size = doc.items().size();
    for (std::size_t i = 0; i < 1000; ++i) {
      doc.moveTo(i * size / 1000);
      doc.createBookmark("m" + std::to_string(i), false);
    }
    state.ResumeTiming();
    int sum = 0;
    for (std::size_t n = 1; n <= 1000; ++n) {
      doc.goToBookmark(*doc.bookmarkName(n));
      sum += doc.pageNumber();
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(AskPagesOnly)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
