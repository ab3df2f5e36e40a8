// Fuzzes the Markdown import. In: --runs N [--seed S]. Out: a count of
// inputs, paragraphs and warnings; exit status 1, with the input saved as
// fuzz_markdown_failure.md in the working folder, when an import throws,
// hangs, or breaks one of its promises: exporting the imported document and
// importing that again gives the same items and notes (a tab comes back
// as a blank), and the native file
// of the imported document opens to the same items.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/markdown.h"
#include "quillon/format/native_format.h"
#include "tests/fuzz/mutator.h"

namespace {

namespace format = quillon::format;
using quillon::doc::Document;

constexpr const char* kFailureFile = "fuzz_markdown_failure.md";
// An import of a file under 256 KiB takes milliseconds; this much means a hang.
constexpr unsigned kSecondsPerInput = 20;

std::string_view current;

void saveCurrentAndExit(int) {
  fuzz::saveInput(kFailureFile, current.data(), current.size());
  static const char message[] = "fuzz_markdown_import: one input imported too long; saved\n";
  [[maybe_unused]] const ssize_t ignored = ::write(2, message, sizeof message - 1);
  ::_exit(1);
}

// Between them every construct of the subset, well formed and not.
const char* const kSeeds[] = {
    "# Argument\n\nSee *Smith v. Jones*, 123 U.S. 456 (1990).[^1] **Bold _and_ italic** "
    "[under]{.underline} <u>too</u> x^2^ H~2~O.\n\n[^1]: *Id.* at 115;\n    continued\n\n\\newpage\n\nAfter.\n",
    "> quoted -- en --- em \"straight\" \xE2\x80\x9C" "curly\xE2\x80\x9D O\xE2\x80\x99" "Brien \xC2\xA7 1983\r\n"
    "- item\r\n1. numbered\\ hard\\*star\\_\r\n\r\n[^a]: early definition\r\n\r\nuse[^a][^a][^missing]\r\n",
    "unclosed *italic **bold ^sup ~sub [link](#x) ~~struck~~ `code` {.underline} <u>\n"
    "```\n\\newpage\n```\n\tcaf\xC3\xA9 \xE2\x98\x83 \xFF\xFE bad utf-8\rold mac\rlines\n",
};

// The export writes a tab as a blank; nothing else may change on the way.
quillon::doc::DocumentContent tabsAsBlanks(quillon::doc::DocumentContent content) {
  auto blank = [](quillon::doc::ItemText& items) {
    for (auto& item : items)
      if (item.kind == quillon::doc::ItemKind::Tab) item = quillon::doc::Item::character(' ');
  };
  blank(content.items);
  for (auto& note : content.notes) blank(note);
  return content;
}

// Where the two contents first differ, or empty when they agree.
std::string difference(const quillon::doc::DocumentContent& a, const quillon::doc::DocumentContent& b) {
  if (a.items != b.items) {
    const auto mismatch = std::mismatch(a.items.begin(), a.items.end(), b.items.begin(), b.items.end());
    return "items differ at " + std::to_string(mismatch.first - a.items.begin()) + " of " +
           std::to_string(a.items.size()) + "/" + std::to_string(b.items.size());
  }
  if (a.notes != b.notes) return "note texts differ";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  const auto [runs, seed] = fuzz::parseRunOptions(argc, argv, "fuzz_markdown_import", 10000);
  fuzz::Mutator mutator(seed, {'*', '_', '^', '~', '[', ']', '{', '}', '<', '>', '\\', '#', '-', '\n', '\r', '\t',
                               ' ', ':', '.', 0xC2, 0xA7, 0xE2, 0x80, 0x94, 0x99, 0xFF});
  const std::vector<std::string> seeds(std::begin(kSeeds), std::end(kSeeds));
  std::signal(SIGALRM, saveCurrentAndExit);

  long long paragraphs = 0, warnings = 0;
  std::string previous = seeds.front();
  for (long long run = 0; run < runs; ++run) {
    const std::string input =
        mutator.mutate(mutator.below(4) == 0 ? previous : mutator.pick(seeds), mutator.pick(seeds), 8, 1 << 18);
    current = input;
    ::alarm(kSecondsPerInput);
    std::string fault;
    try {
      format::MarkdownImport imported = format::importMarkdown(input);
      warnings += static_cast<long long>(imported.warnings.size());
      paragraphs += std::count_if(imported.content.items.begin(), imported.content.items.end(),
                                  [](const quillon::doc::Item& item) { return item.kind == quillon::doc::ItemKind::HardReturn; });
      Document document(imported.content);
      const quillon::doc::DocumentContent again = format::importMarkdown(format::exportMarkdown(document)).content;
      fault = difference(tabsAsBlanks(imported.content), again);
      if (!fault.empty()) fault = "export and import again: " + fault;
      if (fault.empty()) {
        fault = difference(imported.content, format::readNative(format::writeNative(document)));
        if (!fault.empty()) fault = "native file: " + fault;
      }
    } catch (const std::exception& e) {
      fault = std::string("threw: ") + e.what();
    }
    ::alarm(0);
    if (!fault.empty()) {
      fuzz::saveInput(kFailureFile, input.data(), input.size());
      std::cerr << "fuzz_markdown_import: input " << run << " (seed " << seed << "): " << fault << "; saved as "
                << kFailureFile << "\n";
      return 1;
    }
    previous = input;
  }
  std::cout << runs << " inputs, " << paragraphs << " paragraphs, " << warnings << " warnings\n";
  return 0;
}
