// Fuzzes the saved-file reader and the recogniser behind it. In: --runs N
// [--seed S]. Out: a count of inputs, paragraphs and citations, of inputs the
// reader found damaged, and of those the host rejects but the reader read as
// whole (what a user could take for a shorter document); exit status 1 when a
// read leaves the table inconsistent, reports damage past the input's end or
// differently in its two reads, or takes too long, with the input saved as
// fuzz_document_reader_failure.qdoc in the working folder.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "db/connection.h"
#include "db/entry_type_collection.h"
#include "platform/platform.h"
#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "recognize/citation_table.h"
#include "recognize/recognizer.h"
#include "table/document_recognition.h"
#include "table/progress_bar.h"
#include "tests/fuzz/mutator.h"

namespace {

constexpr const char* kFailureFile = "fuzz_document_reader_failure.qdoc";
// One read of a file under 1 MiB takes milliseconds; this much means a hang.
constexpr unsigned kSecondsPerInput = 20;

// The bytes being read, for the alarm handler to save.
std::string_view current;

void saveCurrentAndExit(int) {
  fuzz::saveInput(kFailureFile, current.data(), current.size());
  static const char message[] = "fuzz_document_reader: one input read too long; saved\n";
  [[maybe_unused]] const ssize_t ignored = ::write(2, message, sizeof message - 1);
  ::_exit(1);
}

// Briefs whose native files seed the mutations: citations of every reader,
// footnotes, attributes, page breaks, special characters.
const char* const kBriefs[] = {
    "# Argument\n\nSee *Smith v. Jones*, 123 U.S. 456, 460 (1990); *Roe v. Wade*, 410 U.S. 113 (1973).[^1] "
    "*Id.* at 115. The statute, 42 U.S.C. § 1983, applies. *Smith*, 123 U.S. at 461.\n\n"
    "[^1]: *Id.* at 120; *see also* Fed. R. Civ. P. 12(b)(6); Pub. L. No. 104-191, 110 Stat. 1936.\n",
    "Plaintiff relies on [Brown v. Board of Education]{.underline}, 347 U.S. 483 (1954), "
    "*aff'd*, 349 U.S. 294 (1955)... and Cal. Civ. Code §§ 1714, 1715.\n\n\\newpage\n\n"
    "*Ibid.* The court in *People v. Doe* (2001) 25 Cal. 4th 100, 105 held otherwise.^2^ "
    "U.S. Const. art. III, § 2, cl. 1; 28 U.S.C. § 1331 (2018); Exec. Order No. 12,866.\n",
    "“Quoted” text—with dashes – and O’Brien’s apostrophe. 5 F.3d 10 (2d Cir. 1993); "
    "*id.*; *supra* note 1.[^a] 12\\ U.S.C.\\ § 1\n\n[^a]: 7 F. Supp. 2d 99 (S.D.N.Y. 1998).\n",
};

std::vector<std::string> seedFiles() {
  std::vector<std::string> files;
  for (const char* brief : kBriefs) {
    quillon::doc::Document document(quillon::format::importMarkdown(brief).content);
    files.push_back(quillon::format::writeNative(document));
  }
  return files;
}

// What every filled table must hold, whatever the file was.
std::string inconsistency(const recognize::CitationTable& table, const table::ProgressBar& progress) {
  if (progress.position() != table::kProgressAfterNotes) return "progress did not end at 85";
  for (const auto& citation : table.citations) {
    if (!citation) return "an empty citation slot";
    if (citation->occurrencePages.size() != citation->physicalPages.size()) return "occurrence lists differ";
    if (citation->occurrencePages.empty()) return "a citation without an occurrence";
    const auto& seen = citation->occurrencePages;
    for (const int page : citation->pages)
      if (std::find(seen.begin(), seen.end(), page) == seen.end()) return "a page without an occurrence";
  }
  if (table.previous != nullptr && !table.contains(table.previous)) return "previous points outside the table";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  const auto [runs, seed] = fuzz::parseRunOptions(argc, argv, "fuzz_document_reader", 3000);

  platform::ScriptedMessageBoxHandler messages;
  platform::ScopedMessageBoxHandler scope(&messages);
  db::setDatabasePath(LEXORDA_SHIPPED_DB);
  db::EntryTypeCollection dictionary;
  dictionary.LoadEntryTypes();
  if (!messages.shown().empty()) {
    std::cerr << "fuzz_document_reader: the shipped dictionary did not load\n";
    return 2;
  }

  const std::vector<std::string> seeds = seedFiles();
  // The bytes the reader gives a meaning to, so that mutations reach its codes.
  fuzz::Mutator mutator(seed, {0x80, 0x81, 0x84, 0x85, 0x87, 0xB4, 0xBD, 0xC7, 0xCC, 0xCF, 0xD0, 0xD7, 0xD8,
                               0xD9, 0xE0, 0xEF, 0xF0, 0xF1, 0xF2, 0xF3, 0xFF, 0x01, 0x20, '(', ')', '.', ';',
                               '"', 0x00, 0x7F});
  std::signal(SIGALRM, saveCurrentAndExit);

  long long paragraphsTotal = 0, citationsTotal = 0, damaged = 0, hostRejects = 0, unnoticed = 0;
  std::string previous = seeds.front();
  for (long long run = 0; run < runs; ++run) {
    const std::string& base = mutator.pick(seeds);
    // A quarter of the inputs grow from the last mutant, so damage accumulates
    // without leaving every later input with a broken header.
    const std::string input = mutator.mutate(mutator.below(4) == 0 ? previous : base, mutator.pick(seeds), 8, 1 << 18);
    current = input;
    ::alarm(kSecondsPerInput);
    recognize::CitationTable table;
    table::NullProgressBar progress;
    long long paragraphs = 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(input.data());
    // First the reader alone, then with the recogniser behind it.
    const table::ReadResult read =
        table::readDocumentFile(bytes, input.size(), progress, [&paragraphs](recognize::TokenList&) { ++paragraphs; });
    table::NullProgressBar recognising;
    const int form = (run % 2 == 0 ? recognize::kBluebook : recognize::kCalifornia) |
                     (run % 4 < 2 ? recognize::kWithOtherAuthorities : 0);
    const table::ReadResult recognised =
        table::readDocumentFile(bytes, input.size(), table, dictionary, form, recognising);
    ::alarm(0);
    std::string fault = inconsistency(table, recognising);
    if (read != recognised) fault = "the two reads report different damage";
    if (read.damagedAt && *read.damagedAt > input.size()) fault = "damage reported past the end";
    bool hostOpens = true;
    try {
      (void)quillon::format::readNative(input);
    } catch (const quillon::format::FormatError&) {
      hostOpens = false;
    }
    damaged += read.damagedAt.has_value();
    hostRejects += !hostOpens;
    unnoticed += !hostOpens && !read.damagedAt;
    if (!fault.empty()) {
      fuzz::saveInput(kFailureFile, input.data(), input.size());
      std::cerr << "fuzz_document_reader: input " << run << " (seed " << seed << "): " << fault << "; saved as "
                << kFailureFile << "\n";
      return 1;
    }
    paragraphsTotal += paragraphs;
    citationsTotal += static_cast<long long>(table.citations.size());
    previous = input;
  }
  std::cout << runs << " inputs, " << paragraphsTotal << " paragraphs, " << citationsTotal << " citations, " << damaged
            << " damaged; the host rejects " << hostRejects << ", of which the reader reads " << unnoticed
            << " as whole\n";
  return 0;
}
