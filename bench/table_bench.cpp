// table_bench: the table runs on a long brief, every command sent as a
// command block to the stand-in host's engine in this process. In: the
// generated brief (bench/generated_brief.h) at about 50, 200 and 800 pages,
// saved once as a native file; the shipped database's "Default" set; no wait
// at the end. Out: the time of one run, the host commands it sent per entry
// and per occurrence mark, and how the time grows with the pages, for
// - Create Table to File (read, recognise, write into a new document);
// - Create Table at Cursor on the brief's first page, end to end (the save
//   question answered, read, recognise, mark, write, page references);
// - Refresh Page Numbers after an edit (two pages inserted before the middle
//   of the brief, or deleted again, in turn).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/generated_brief.h"
#include "platform/platform.h"
#include "quillon/doc/document.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "table/generation.h"
#include "table/page_references.h"
#include "tests/table/engine_host.h"

namespace {

// Entries by the mark each leaves after its page list; occurrence marks by
// the marks a run leaves on the citations it found.
void countMarks(const quillon::doc::Document& document, int& entries, int& occurrences) {
  entries = occurrences = 0;
  for (const auto& mark : document.bookmarks().all()) {
    const std::string& name = mark.name;
    entries += name.starts_with("XTOA~EndOfCitationPageInTable");
    occurrences += name.starts_with("XTOA~CIT~") && !name.ends_with("~NUM") && !name.ends_with("~TOABEGIN") &&
                   !name.ends_with("~TOAEND");
  }
}

// The brief of about `size` pages saved as a native file, a private
// database, the engine, and the save question answered Yes.
struct BenchBrief {
  platform_test::TemporaryFolder folder;
  table_test::TempDatabase database{LEXORDA_SHIPPED_DB};
  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope{&messages};
  std::string path = folder.file("brief.qdoc");
  table_test::EngineHost host;
  table::NullProgressBar progress;
  int pages = 0;

  explicit BenchBrief(int size) {
    // 1,500 occurrences make about 200 pages.
    quillon::doc::Document brief(
        quillon::format::importMarkdown(bench::generateBrief(bench::kOccurrences * size / 200)).content);
    quillon::format::saveNativeFile(brief, path);
    pages = brief.pageCount();
  }
  // The saved brief opened, the insertion point at its start; edited since
  // saving when `modified`, so that the run asks to save it.
  void open(bool modified) {
    host.open(path);
    host.document().setModified(modified);
  }
  void create(bool toFile) { table::generateTable(toFile, progress, "Default", {std::chrono::milliseconds(0)}); }
};

// Times `run` after an untimed `prepare` in every iteration; reports what the
// document shows afterwards and the commands of the last iteration.
template <typename Prepare, typename Run>
void measure(benchmark::State& state, BenchBrief& brief, Prepare prepare, Run run) {
  if (!table_test::bindHostStrings()) return state.SkipWithError("the host's string library did not bind");
  long commands = 0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    brief.host.clear();
    state.ResumeTiming();
    run();
    state.PauseTiming();
    commands = static_cast<long>(brief.host.commands().size());
    state.ResumeTiming();
  }
  for (const auto& shown : brief.messages.shown()) {
    if (shown.text.rfind("You must save", 0) != 0) return state.SkipWithError(shown.text.c_str());
  }
  int entries = 0, occurrences = 0;
  countMarks(brief.host.document(), entries, occurrences);
  state.counters["pages"] = brief.pages;
  state.counters["entries"] = entries;
  state.counters["occurrence_marks"] = occurrences;
  state.counters["commands_per_entry"] = entries > 0 ? static_cast<double>(commands) / entries : 0.0;
  state.counters["commands_per_occurrence"] = occurrences > 0 ? static_cast<double>(commands) / occurrences : 0.0;
  state.SetComplexityN(state.range(0));
}

void CreateTableToFile(benchmark::State& state) {
  BenchBrief brief(static_cast<int>(state.range(0)));
  measure(state, brief, [&] { brief.open(false); }, [&] { brief.create(true); });
}

void CreateTableAtCursor(benchmark::State& state) {
  BenchBrief brief(static_cast<int>(state.range(0)));
  measure(state, brief, [&] { brief.open(true); }, [&] { brief.create(false); });
}

void RefreshPageNumbersAfterAnEdit(benchmark::State& state) {
  BenchBrief brief(static_cast<int>(state.range(0)));
  if (!table_test::bindHostStrings()) return state.SkipWithError("the host's string library did not bind");
  brief.open(false);
  brief.create(false);
  quillon::doc::Document& document = brief.host.document();
  // The start of the page in the middle of the brief.
  std::size_t middle = 0;
  for (long breaks = 0; middle < document.items().size() && breaks < state.range(0) / 2; ++middle)
    breaks += document.items()[middle].kind == quillon::doc::ItemKind::HardPageBreak;
  const std::size_t size = document.items().size();
  const auto edit = [&] {
    if (document.items().size() > size) {
      document.select(middle, middle + document.items().size() - size), document.deleteSelection();
      return;
    }
    document.moveTo(middle);
    for (int page = 0; page < 2; ++page) document.typeText("Inserted."), document.hardPageBreak();
  };
  measure(state, brief, edit, [&] { table::refreshPageNumbers("Default", brief.progress); });
}

#define PAGES(bench) \
  BENCHMARK(bench)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)
PAGES(CreateTableToFile);
PAGES(CreateTableAtCursor);
PAGES(RefreshPageNumbersAfterAnEdit);

}  // namespace

BENCHMARK_MAIN();
