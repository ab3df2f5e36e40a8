// Fuzzes the native file reader. In: --runs N [--seed S]. Out: a count of the
// mutated files that opened and that were rejected; exit status 1, with the
// input saved beside the program's working folder, when the reader fails in
// any other way than FormatError or an opened document cannot be saved again.
#include <cstdint>
#include <exception>
#include <iostream>
#include <numeric>
#include <string>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/native_format.h"
#include "tests/fuzz/mutator.h"

namespace {

using quillon::doc::CodeKind;
using quillon::doc::Document;
using quillon::doc::Item;
using quillon::doc::ItemKind;
namespace format = quillon::format;

// Seeds that between them hold every kind of byte the writer produces.
std::vector<std::string> seedFiles() {
  std::vector<std::string> files;
  Document empty;
  files.push_back(format::writeNative(empty));

  Document mixed;
  mixed.typeText("Smith v. Jones, 12 F.3d 45 (9th Cir. 1999).\tcaf\xE9 \xAD\x92");
  mixed.setAttribute(quillon::doc::kItalic, true);
  mixed.typeText("Id.");
  mixed.setAttribute(quillon::doc::kItalic, false);
  mixed.insertNote(quillon::doc::ItemText{Item::codeOf(CodeKind::AttributeOn, quillon::doc::kBold),
                                          Item::character('N'), Item::of(ItemKind::HardSpace),
                                          Item::codeOf(CodeKind::AttributeOff, quillon::doc::kBold)});
  mixed.createBookmark("first \"mark\"", false);
  mixed.insertSpecial(4, 6);
  mixed.insertSpecial(1, 35);
  mixed.insertDotLeaderTab();
  mixed.insertHardSpace();
  mixed.setFont("Times Roman");
  mixed.setValue(CodeKind::Size, 240);
  mixed.insertPageNumberCode(7);
  mixed.hardPageBreak();
  mixed.typeText("after the break");
  mixed.select(2, 9);
  mixed.createHyperlink("first \"mark\"");
  mixed.select(4, 12);
  mixed.createBookmark("range", true);
  files.push_back(format::writeNative(mixed));

  Document pages;
  for (int p = 0; p < 40; ++p) {
    pages.typeText("A paragraph long enough to wrap over several lines of the page, cited as 1 U.S. 1.\n");
    if (p % 7 == 3) pages.insertNote("See 2 U.S. 2.");
  }
  files.push_back(format::writeNative(pages));
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const auto [runs, seed] = fuzz::parseRunOptions(argc, argv, "fuzz_native_open", 10000);

  // Every code from 0xD0 up, then the one-byte codes the writer uses.
  std::vector<std::uint8_t> special(0x30);
  std::iota(special.begin(), special.end(), std::uint8_t{0xD0});
  special.insert(special.end(), {format::kBlank, format::kHardSpace, format::kTab, format::kHardReturn,
                                 format::kHardPageBreak, 0x01, 0x16});
  fuzz::Mutator mutator(seed, special);
  std::vector<std::string> corpus = seedFiles();
  const std::size_t seedCount = corpus.size();
  // Inputs that opened are mutated further, so that later runs reach deeper
  // than the first fault of a seed; a few dozen keep it varied and cheap.
  constexpr std::size_t kCorpusLimit = 64;

  long long opened = 0, rejected = 0;
  for (long long run = 0; run < runs; ++run) {
    const std::string& base = mutator.pick(corpus);
    const std::string input = mutator.mutate(base, mutator.pick(corpus));
    try {
      Document reopened(format::readNative(input));
      (void)format::writeNative(reopened);
      ++opened;
      if (corpus.size() < kCorpusLimit)
        corpus.push_back(input);
      else
        corpus[seedCount + mutator.below(kCorpusLimit - seedCount)] = input;
    } catch (const format::FormatError&) {
      ++rejected;
    } catch (const std::exception& e) {
      const std::string name = "fuzz_native_failure_" + std::to_string(seed) + "_" + std::to_string(run) + ".qdoc";
      std::cerr << "input " << run << " (seed " << seed << ") failed: " << e.what() << "; saved as "
                << (fuzz::saveInput(name.c_str(), input.data(), input.size()) ? name : "(could not save)") << "\n";
      return 1;
    }
  }
  std::cout << runs << " inputs, " << opened << " opened, " << rejected << " rejected\n";
  return 0;
}
