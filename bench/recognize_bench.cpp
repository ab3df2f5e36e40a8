// Measures a table run's reading and recognition. In: a generated 200-page
// brief (about 60,000 words, 1,500 citation occurrences of 300 authorities,
// with footnotes and short forms) saved once in the native format. Out: the
// time to read the saved bytes and recognise every citation with the shipped
// dictionary, with its index and with the plain serialised-text search, and
// the tokens per second of each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

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

constexpr int kCases = 200;
constexpr int kStatutes = 60;
constexpr int kRules = 40;
constexpr int kOccurrences = 1500;
constexpr int kWordsBetweenCitations = 32;  // with the citations' own words, about 60,000
// A brief is double-spaced: about 300 words, two paragraphs, to a page.
constexpr int kWordsPerParagraph = 109;  // words of running text, citations aside
constexpr int kParagraphsPerPage = 2;
constexpr int kFootnoteEvery = 5;

const char* const kSurnames[] = {
    "Smith", "Jones", "Garcia", "Miller", "Davis", "Rodriguez", "Martinez", "Hernandez", "Lopez", "Wilson",
    "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin", "Lee", "Perez", "Thompson", "White", "Harris",
    "Sanchez", "Clark", "Ramirez", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright", "Scott",
    "Torres", "Nguyen", "Hill", "Flores"};

// A reporter, and the court its parenthetical names (empty: none).
struct Reporter { const char* name; const char* court; };
const Reporter kReporters[] = {
    {"U.S.", ""}, {"S. Ct.", ""}, {"F.2d", "9th Cir. "}, {"F.3d", "2d Cir. "}, {"F.4th", "5th Cir. "},
    {"F. Supp. 2d", "S.D.N.Y. "}, {"Cal. 4th", ""}, {"P.3d", "Colo. "}, {"N.E.2d", "Mass. "}, {"A.2d", "Pa. "},
    {"So. 2d", "Fla. "}, {"N.W.2d", "Minn. "}};

const char* const kFiller[] = {
    "the", "court", "held", "that", "plaintiff", "failed", "to", "state", "a", "claim", "under", "which", "relief",
    "may", "be", "granted", "because", "defendant", "acted", "within", "scope", "of", "its", "authority", "and",
    "record", "shows", "no", "genuine", "dispute", "as", "any", "material", "fact", "moreover", "contract", "was",
    "never", "formed", "between", "parties", "whose"};

struct Case { std::string first, second, reporter, court; int volume = 0, page = 0, year = 0; };

// The brief, with its authorities drawn from a fixed seed.
std::string generateBrief() {
  std::mt19937 random(20261206);
  auto pick = [&random](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
  constexpr int surnames = static_cast<int>(std::size(kSurnames));

  std::vector<Case> cases;
  // Distinct name pairs: the i-th pair of the surname square.
  for (int i = 0; i < kCases; ++i)
    cases.push_back({kSurnames[i % surnames], kSurnames[(i / surnames + i + 1) % surnames],
                     kReporters[i % std::size(kReporters)].name, kReporters[i % std::size(kReporters)].court,
                     10 + pick(890), 1 + pick(1400), 1950 + pick(70)});
  std::vector<std::string> statutes;
  for (int i = 0; i < kStatutes; ++i)
    statutes.push_back(i % 4 == 3 ? "Cal. Civ. Code § " + std::to_string(1700 + i)
                                  : std::to_string(5 + i % 45) + " U.S.C. § " + std::to_string(100 + 17 * i));
  std::vector<std::string> rules;
  const char* const ruleNames[] = {"Fed. R. Civ. P.", "Fed. R. Evid.", "Fed. R. App. P.", "Fed. R. Crim. P."};
  for (int i = 0; i < kRules; ++i) rules.push_back(std::string(ruleNames[i % 4]) + " " + std::to_string(1 + i));

  std::vector<bool> citedBefore(kCases + kStatutes + kRules, false);
  std::string body, notes;
  int previous = -1, noteCount = 0, wordsInParagraph = 0, paragraphCount = 0;
  for (int n = 0; n < kOccurrences; ++n) {
    for (int w = 0; w < kWordsBetweenCitations; ++w) {
      body += kFiller[pick(static_cast<int>(std::size(kFiller)))];
      const bool sentenceEnds = w % 13 == 12;
      body += sentenceEnds ? ". " : " ";
      if (++wordsInParagraph >= kWordsPerParagraph && sentenceEnds) {
        body += ++paragraphCount % kParagraphsPerPage == 0 ? "\n\n\\newpage\n\n" : "\n\n";
        wordsInParagraph = 0;
      }
    }
    // A few authorities are cited far more often than the rest, as in briefs.
    const int authority = pick(4) == 0 ? pick(20) : pick(kCases + kStatutes + kRules);
    std::string cite;
    if (authority == previous && pick(2) == 0) {
      cite = "*Id.* at " + std::to_string(2 + pick(50)) + ".";
    } else if (authority < kCases) {
      const Case& c = cases[static_cast<std::size_t>(authority)];
      const std::string pin = std::to_string(c.page + 1 + pick(20));
      const std::string volume = std::to_string(c.volume) + " " + c.reporter;
      if (!citedBefore[static_cast<std::size_t>(authority)] || pick(3) == 0) {
        cite = "*" + c.first + " v. " + c.second + "*, " + volume + " " + std::to_string(c.page) + ", " + pin + " (" +
               c.court + std::to_string(c.year) + ").";
      } else {
        cite = (pick(2) == 0 ? "*" + c.first + "*, " : std::string()) + volume + " at " + pin + ".";
      }
    } else if (authority < kCases + kStatutes) {
      cite = statutes[static_cast<std::size_t>(authority - kCases)] + ".";
    } else {
      // One subdivision per rule, so that each rule stays one authority.
      cite = rules[static_cast<std::size_t>(authority - kCases - kStatutes)] + "(" +
             std::string(1, static_cast<char>('a' + authority % 4)) + ").";
    }
    citedBefore[static_cast<std::size_t>(authority)] = true;
    previous = authority;
    if (n % kFootnoteEvery == kFootnoteEvery - 1) {
      ++noteCount;
      body += "held so.[^" + std::to_string(noteCount) + "] ";
      notes += "[^" + std::to_string(noteCount) + "]: See " + cite + "\n\n";
      previous = -1;  // a note's text starts without a previous citation
    } else {
      body += "See " + cite + " ";
    }
  }
  return body + "\n\n" + notes;
}

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
    quillon::doc::Document document(quillon::format::importMarkdown(generateBrief()).content);
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
    table::readDocumentFile(b.bytes(), b.native.size(), table, b.dictionary, recognize::kBluebook, progress);
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

}  // namespace

BENCHMARK_MAIN();
