// quillon_engine_bench: the document engine behind its host window under the
// load of typing a brief and refreshing its page numbers. In: N pages typed
// through command blocks (one TypeText per word, a HardReturn per paragraph,
// under SetUpdateMode(0)), 1,000 bookmarks spread over them. Out: the time
// to type, mark and ask GetPageNumber after GoToBookmark at every bookmark,
// and how that time grows with N (expected: about linearly).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/platform.h"
#include "quillon/commands/block_executor.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"

namespace {

constexpr int kParagraphsPerPage = 8;
constexpr int kWordsPerParagraph = 60;
constexpr int kBookmarks = 1000;
const std::vector<std::u16string> kWords = {u"The ", u"court ", u"held ", u"that ", u"plaintiff's ", u"claim ",
                                            u"was ", u"barred. ", u"See ", u"Smith ", u"v. ", u"Jones, "};

struct NoStore : quillon::DocumentStore {
  bool save(quillon::doc::Document&, const std::string&) override { return false; }
};
struct NoName : quillon::NamePrompt {
  std::string askForName() override { return {}; }
};

void* globalCopy(const void* data, std::size_t bytes) {
  platform::GlobalHandle handle = platform::globalAlloc(platform::kGhnd, bytes);
  void* address = platform::globalLock(handle);
  std::memcpy(address, data, bytes);
  return address;
}

void globalRelease(void* address) {
  if (address != nullptr) (void)platform::globalFree(platform::globalHandleOf(address));
}

// Sends one command with at most one parameter, as a plug-in builds it:
// an integer (letter 'I') or a host string (letter 'Q'). Returns the 32-bit
// integer of the reply, or 0.
std::int32_t send(platform::WindowHandle window, std::uint16_t command, const std::u16string* text = nullptr,
                  const std::int32_t* integer = nullptr) {
  const std::uint32_t count = (text != nullptr || integer != nullptr) ? 1 : 0;
  std::vector<std::uint8_t> bytes((count + 3) * 16, 0);
  std::memcpy(&bytes[18], &command, 2);
  std::memcpy(&bytes[20], &count, 4);
  void* textCopy = nullptr;
  if (text != nullptr) {
    const std::uint32_t letter = 'Q';
    textCopy = globalCopy(text->c_str(), (text->size() + 1) * 2);
    std::memcpy(&bytes[32], &letter, 4);
    std::memcpy(&bytes[40], &textCopy, sizeof textCopy);
  } else if (integer != nullptr) {
    const std::uint32_t letter = 'I';
    std::memcpy(&bytes[32], &letter, 4);
    std::memcpy(&bytes[40], integer, 4);
  }
  void* block = globalCopy(bytes.data(), bytes.size());
  void* reply = nullptr;
  struct {
    void* block;
    void** replySlot;
  } record{block, &reply};
  (void)platform::sendMessage(window, 1035, 0, reinterpret_cast<std::intptr_t>(&record));
  std::int32_t result = 0;
  if (reply != nullptr) {
    std::memcpy(&result, static_cast<const std::uint8_t*>(reply) + 136, 4);
    (void)platform::sendMessage(window, 1050, 0, reinterpret_cast<std::intptr_t>(reply));
  }
  globalRelease(textCopy);
  globalRelease(block);
  return result;
}

void TypeMarkAndAskPages(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
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
    std::size_t next = 0;
    for (int p = 0; p < pages * kParagraphsPerPage; ++p) {
      for (int i = 0; i < kWordsPerParagraph; ++i) send(w, 2, &kWords[next++ % kWords.size()]);
      send(w, 85);
    }
    const std::size_t size = engine.document().items().size();
    std::vector<std::u16string> names;
    for (int i = 0; i < kBookmarks; ++i) {
      const std::string number = std::to_string(i);
      names.push_back(u"XTOA~CIT~key~" + std::u16string(number.begin(), number.end()));
      engine.document().moveTo(static_cast<std::size_t>(i) * size / kBookmarks);
      send(w, 202, &names.back());
    }
    if (engine.document().bookmarkCount() != static_cast<std::size_t>(kBookmarks)) {
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
