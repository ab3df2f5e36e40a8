// Measures a table run's reading and recognition. In: a generated 200-page
// brief (about 60,000 words, 1,500 citation occurrences of 300 authorities,
// with footnotes and short forms) saved once in the native format. Out: the
// time to read the saved bytes and recognise every citation with the shipped
// dictionary, with its index and with the plain serialised-text search, and
// the tokens per second of each. Also one paragraph of 1 MB and of 4 MB, whose
// times must grow linearly with its length.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench/generated_brief.h"
#include "db/connection.h"
#include "db/entry_type_collection.h"
#include "db/name_index.h"
#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "table/document_recognition.h"
#include "table/progress_bar.h"

namespace {

struct Brief {
  db::EntryTypeCollection dictionary;
  std::string native;
  const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(native.data()); }
  double tokens = 0, paragraphs = 0;  // counts, as the benchmark's counters take them
  int pages = 0;
};

Brief& brief() {
  static Brief loaded = [] {
    Brief b;
    db::setDatabasePath(LEXORDA_SHIPPED_DB);
    b.dictionary.LoadEntryTypes();
    const std::string markdown = bench::generateBrief(bench::kOccurrences);
    quillon::doc::Document document(quillon::format::importMarkdown(markdown).content);
    b.native = quillon::format::writeNative(document);
    table::NullProgressBar progress;
    table::readDocumentFile(b.bytes(), b.native.size(), progress, [&b](recognize::TokenList& tokens) {
      b.tokens += static_cast<double>(tokens.size());
      ++b.paragraphs;
      for (const auto& token : tokens) b.pages = std::max(b.pages, token.physicalPage);
    });
    return b;
  }();
  return loaded;
}

void readAndRecognise(benchmark::State& state, bool plainSearch) {
  Brief& b = brief();
  db::setPlainDictionarySearch(plainSearch);
  recognize::setAbbreviationContext(nullptr, false);
  std::size_t citations = 0;
  for (auto _ : state) {
    recognize::CitationTable table;
    table::NullProgressBar progress;
    table::readDocumentFile(b.bytes(), b.native.size(), table, b.dictionary, recognize::kBluebook | recognize::kWithOtherAuthorities, progress);
    citations = table.citations.size();
    benchmark::DoNotOptimize(citations);
  }
  db::setPlainDictionarySearch(false);
  state.counters["tokens_per_second"] = benchmark::Counter(b.tokens, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["tokens"] = b.tokens;
  state.counters["file_bytes"] = static_cast<double>(b.native.size());
  state.counters["citations"] = static_cast<double>(citations);
  state.counters["pages"] = b.pages;
  state.counters["paragraphs"] = b.paragraphs;
}

void BM_ReadAndRecognise(benchmark::State& state) { readAndRecognise(state, false); }
BENCHMARK(BM_ReadAndRecognise)->Unit(benchmark::kMillisecond);

void BM_ReadAndRecognisePlainSearch(benchmark::State& state) { readAndRecognise(state, true); }
BENCHMARK(BM_ReadAndRecognisePlainSearch)->Unit(benchmark::kMillisecond);

// The reader alone, handing paragraphs nowhere: what tokenizing costs.
void BM_ReadOnly(benchmark::State& state) {
  const Brief& b = brief();
  for (auto _ : state) {
    table::NullProgressBar progress;
    long long tokens = 0;
    table::readDocumentFile(b.bytes(), b.native.size(), progress,
                            [&tokens](recognize::TokenList& list) { tokens += static_cast<long long>(list.size()); });
    benchmark::DoNotOptimize(tokens);
  }
  state.counters["tokens_per_second"] = benchmark::Counter(b.tokens, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond);

// One paragraph of state.range(0) MB: a sentence with a case and a statute,
// repeated without a paragraph break.
void BM_OneLongParagraph(benchmark::State& state) {
  const std::string sentence =
      "The court held in Smith v. Jones, 123 F.3d 456 (2d Cir. 1999), that the claim failed under "
      "42 U.S.C. § 1983 because the defendant acted within its authority. ";
  std::string markdown;
  while (markdown.size() < static_cast<std::size_t>(state.range(0)) << 20) markdown += sentence;
  quillon::doc::Document document(quillon::format::importMarkdown(markdown + "\n").content);
  const std::string native = quillon::format::writeNative(document);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(native.data());
  Brief& b = brief();  // for its dictionary
  recognize::setAbbreviationContext(nullptr, false);
  for (auto _ : state) {
    recognize::CitationTable table;
    table::NullProgressBar progress;
    table::readDocumentFile(bytes, native.size(), table, b.dictionary, recognize::kBluebook | recognize::kWithOtherAuthorities, progress);
    benchmark::DoNotOptimize(table.count);
  }
  state.SetComplexityN(static_cast<benchmark::IterationCount>(markdown.size()));
}
BENCHMARK(BM_OneLongParagraph)->Arg(1)->Arg(4)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
