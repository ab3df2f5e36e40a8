// quillon_engine_bench: the document engine behind its host window under the
// load of typing a brief and refreshing its page numbers. In: N pages typed
// through command blocks (one TypeText per word, a HardReturn per paragraph,
// under SetUpdateMode(0)), 1,000 bookmarks spread over them. Out: the time
// to type, mark and ask GetPageNumber after GoToBookmark at every bookmark,
// and how that time grows with N (expected: about linearly). The document
// engine alone is not measured apart: this load runs through it.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/platform.h"
#include "quillon/commands/block_executor.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"
#include "tests/quillon/block_builder.h"

namespace {

// About 45 lines of 65 characters per page: 8 paragraphs of 60 words; 1,000
// marks named as a table run names its bookmarks.
constexpr int kParagraphsPerPage = 8;
constexpr int kWordsPerParagraph = 60;
constexpr std::size_t kMarks = 1000;
const std::vector<std::string> kWords = {"The ", "court ", "held ", "that ", "plaintiff's ", "claim ",
                                         "was ", "barred. ", "See ", "Smith ", "v. ", "Jones, "};

// The host's strings are UTF-16; the words and names are ASCII.
std::u16string utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

struct NoStore : quillon::DocumentStore {
  bool save(quillon::doc::Document&, const std::string&) override { return false; }
};
struct NoName : quillon::NamePrompt { std::string askForName() override { return {}; } };

// Sends one command with at most one parameter, an integer (letter 'I') or a
// host string (letter 'Q'), as a plug-in builds it. Returns the 32-bit integer
// of the reply, or 0.
std::int32_t send(platform::WindowHandle window, std::uint16_t command, const std::u16string* text = nullptr,
                  const std::int32_t* integer = nullptr) {
  quillon_test::BlockBuilder block(command, (text != nullptr || integer != nullptr) ? 1 : 0);
  if (text != nullptr) block.hostString(0, 'Q', *text);
  if (integer != nullptr) block.integer(0, 'I', *integer);
  block.sendTo(window);
  const std::int32_t result = quillon_test::replyInt32(block.reply());
  if (block.reply() != nullptr) block.release(window);
  return result;
}

void TypeMarkAndAskPages(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  std::vector<std::u16string> words;
  for (const std::string& word : kWords) words.push_back(utf16(word));
  std::int32_t lastPage = 0;
  for (auto _ : state) {
    NoStore store;
    NoName prompt;
    quillon::DocumentEngine engine(store, prompt);
    quillon::BlockExecutor executor(engine);
    quillon::HostWindow window(executor);
    const platform::WindowHandle w = window.handle();
    const std::int32_t off = 0, on = 1;
    send(w, 33150, nullptr, &off);
    std::size_t word = 0;
    for (int p = 0; p < pages * kParagraphsPerPage; ++p) {
      for (int i = 0; i < kWordsPerParagraph; ++i) send(w, 2, &words[word++ % words.size()]);
      send(w, 85);
    }
    std::vector<std::u16string> names;
    const std::size_t size = engine.document().items().size();
    for (std::size_t i = 0; i < kMarks; ++i) {
      names.push_back(utf16("XTOA~CIT~key~" + std::to_string(i)));
      engine.document().moveTo(i * size / kMarks);
      send(w, 202, &names.back());
    }
    if (engine.document().bookmarkCount() != kMarks) {
      state.SkipWithError("the bookmarks were not created");
      break;
    }
    for (const std::u16string& name : names) {
      send(w, 370, &name);
      lastPage = static_cast<std::int16_t>(send(w, 16450));
    }
    send(w, 33150, nullptr, &on);
    benchmark::DoNotOptimize(lastPage);
  }
  state.counters["last_page"] = lastPage;
  state.SetComplexityN(pages);
}

BENCHMARK(TypeMarkAndAskPages)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
