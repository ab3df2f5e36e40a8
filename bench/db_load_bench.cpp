// Measures what a table run pays before it reads the document: loading the
// dictionary, the "Default" option set and the abbreviations from the staged
// tabauth3.db, and one dictionary probe per word of a paragraph.
#include <benchmark/benchmark.h>

#include <string>

#include "db/abbreviation_collection.h"
#include "db/connection.h"
#include "db/entry_type_collection.h"
#include "db/option_collection.h"

namespace {

void BM_LoadForATableRun(benchmark::State& state) {
  db::setDatabasePath(LEXORDA_SHIPPED_DB);
  for (auto _ : state) {
    db::EntryTypeCollection dictionary;
    dictionary.LoadEntryTypes();
    db::OptionCollection options(std::string("Default"));
    db::AbbreviationCollection abbreviations(0);
    benchmark::DoNotOptimize(dictionary.types()[0].entryNames.size());
  }
}
BENCHMARK(BM_LoadForATableRun)->Unit(benchmark::kMillisecond);

void BM_FindWordInString(benchmark::State& state) {
  db::setDatabasePath(LEXORDA_SHIPPED_DB);
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  const char* words[] = {"smith", "v.", "jones,", "123", "f.3d", "456", "(9th", "cir.", "1999)", "the"};
  for (auto _ : state)
    for (const char* word : words) benchmark::DoNotOptimize(dictionary.findWordInString(word));
  state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_FindWordInString)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
