// table_bench: Create Table to File and at the Cursor on a long brief, the
// whole run sent as command blocks to the stand-in host's engine in this
// process. In: the generated brief (bench/generated_brief.h) at about 50,
// 200 and 800 pages, saved once as a native file; the shipped database's
// "Default" set; no wait at the end. Out: the time of one run (reading the
// saved file, recognising, at the cursor marking every occurrence in the open
// document, writing the table), the host commands sent per entry, the
// occurrences marked, and how the time grows with the pages.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/generated_brief.h"
#include "platform/platform.h"
#include "quillon/doc/document.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "table/generation.h"
#include "tests/table/engine_host.h"

namespace {

// Marks named with this prefix: entries by the one each leaves after its page
// list, marked occurrences by "XTOA~CIT~" (with the page lists' own two).
int marksIn(const quillon::doc::Document& document, const char* prefix) {
  int count = 0;
  for (std::size_t i = 1; i <= document.bookmarkCount(); ++i) {
    if (document.bookmarkName(i)->rfind(prefix, 0) == 0) ++count;
  }
  return count;
}

void createTable(benchmark::State& state, bool toFile) {
  const int pages = static_cast<int>(state.range(0));
  if (!table_test::bindHostStrings()) {
    state.SkipWithError("the host's string library did not bind");
    return;
  }
  table_test::TempFolder folder;
  table_test::TempDatabase database(LEXORDA_SHIPPED_DB);
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);
  // 1,500 occurrences make about 200 pages.
  quillon::doc::Document brief(
      quillon::format::importMarkdown(bench::generateBrief(bench::kOccurrences * pages / 200)).content);
  const std::string path = folder.path("brief.qdoc");
  quillon::format::saveNativeFile(brief, path);
  table_test::EngineHost host;

  int entries = 0, occurrences = 0;
  long commands = 0;
  for (auto _ : state) {
    state.PauseTiming();
    host.open(path);
    host.clear();
    state.ResumeTiming();
    table::NullProgressBar progress;
    table::generateTable(toFile, progress, "Default", {std::chrono::milliseconds(0)});
    state.PauseTiming();
    entries = marksIn(host.document(), "XTOA~EndOfCitationPageInTable");
    occurrences = marksIn(host.document(), "XTOA~CIT~") - 2 * entries;
    commands = static_cast<long>(host.commands().size());
    state.ResumeTiming();
  }
  if (!messages.shown().empty()) state.SkipWithError(messages.shown().front().text.c_str());
  state.counters["pages"] = brief.pageCount();
  state.counters["entries"] = entries;
  state.counters["commands_per_entry"] = entries > 0 ? static_cast<double>(commands) / entries : 0.0;
  state.counters["marked_occurrences"] = occurrences;
  state.SetComplexityN(pages);
}

void CreateTableToFile(benchmark::State& state) { createTable(state, true); }
void CreateTableAtCursor(benchmark::State& state) { createTable(state, false); }

BENCHMARK(CreateTableToFile)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(CreateTableAtCursor)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
