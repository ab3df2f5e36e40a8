// quillon_doc_bench: the stand-in host's document engine under the page-number
// refresh's load. In: a document of N pages typed word by word, 1,000 marks
// spread over it. Out: time to type it and ask the page of every mark.
#include <benchmark/benchmark.h>

#include "bench/typed_brief.h"
#include "quillon/doc/document.h"

namespace {

using quillon::doc::Document;

// The brief typed word by word, with kMarks marks named name(i) at even steps.
template <typename Name>
void typeAndMark(Document& doc, int pages, Name name) {
  bench::typeBrief(pages, [&doc](std::size_t w) { doc.typeText(bench::kWords[w]); }, [&doc] { doc.hardReturn(); });
  bench::markEvenly(doc.items().size(), [&](std::size_t i, std::size_t at) {
    doc.moveTo(at);
    doc.createBookmark(name(i), false);
  });
}

// Typing, marking and asking for pages, as one refresh of a whole brief.
void TypeMarkAndAskPages(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  int laidOutPages = 0;
  for (auto _ : state) {
    Document doc;
    typeAndMark(doc, pages, bench::markName);
    int sum = 0;
    for (std::size_t i = 0; i < bench::kMarks; ++i) {
      doc.goToBookmark(bench::markName(i));
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
    typeAndMark(doc, pages, [](std::size_t i) { return "m" + std::to_string(i); });
    state.ResumeTiming();
    int sum = 0;
    for (std::size_t n = 1; n <= bench::kMarks; ++n) {
      doc.goToBookmark(*doc.bookmarkName(n));
      sum += doc.pageNumber();
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(AskPagesOnly)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
