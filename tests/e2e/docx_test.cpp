// A brief that arrives as a .docx, as most do: the staged host opens it
// through pandoc, the plug-in builds its table, --export-docx writes it back,
// and pandoc reads the table's entries and page numbers from the result in
// the order the host shows them. Without pandoc, or with a file pandoc cannot
// read, the run says why and exits with its own code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "tests/e2e/staged_run.h"
#include "tests/quillon/fixtures.h"
#include "tests/table/golden_lines.h"

namespace {

using platform_test::readFile;

// The table's words in order; dot leaders, blanks, hard spaces (pandoc keeps
// them as U+00A0, the host's text shows a blank) and line breaks aside.
std::vector<std::string> tableWords(std::string text) {
  for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
  std::istringstream in(golden::tableRegion(text));
  std::vector<std::string> words;
  for (std::string word; in >> word;)
    if (word.find_first_not_of('.') != std::string::npos) words.push_back(word);
  return words;
}

class DocxBrief : public e2e::StagedHost {};

TEST_F(DocxBrief, GetsItsTableAndGoesBackToDocxWithTheEntriesInOrder) {
  if (std::system("command -v pandoc >/dev/null") != 0) GTEST_SKIP() << "pandoc not installed";
  const std::string pandoc = "/usr/bin/env";  // finds pandoc on PATH
  // Names with a blank and a quote reach pandoc as they are.
  const std::string docx = file("Varga brief's.docx"), out = file("with table \"final\".docx");
  const std::string brief = LEXORDA_SOURCE_DIR "/examples/appellate-brief.md";
  ASSERT_EQ(quillon_test::runProgram(pandoc, {"pandoc", brief, "-o", docx}).exitCode, 0);
  const e2e::StagedRun run = this->run({docx, "--before", "STATEMENT OF JURISDICTION", "--invoke", "Velmor TOA",
                                        "--press", "Create Table at Cursor", "--answer", "yes", "--name",
                                        file("brief.qdoc"), "--export-text", file("brief.txt"), "--export-docx", out});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto back = quillon_test::runProgram(pandoc, {"pandoc", out, "-t", "plain", "--wrap=none"});
  ASSERT_EQ(back.exitCode, 0) << back.err;
  const std::vector<std::string> shown = tableWords(readFile(file("brief.txt")));
  EXPECT_GT(shown.size(), 500u) << "the table is missing from the host's own text";
  EXPECT_EQ(tableWords(back.out), shown);
}

TEST_F(DocxBrief, FailedConversionsSayWhyWithTheirOwnExitCode) {
  const std::string brief = LEXORDA_SOURCE_DIR "/examples/appellate-brief.md";
  platform_test::writeFile(file("damaged.docx"), "PK not a zip archive");
  const std::string noPandoc = dir_.string(), withPandoc = std::getenv("PATH") ? std::getenv("PATH") : "";
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string path;  // PATH for the run
    int exitCode;
    const char* says;
  } rows[] = {
      {"opening without pandoc", {file("damaged.docx")}, noPandoc, 10, "pandoc, which converts .docx files, is not"},
      {"exporting without pandoc", {brief, "--export-docx", file("out.docx")}, noPandoc, 10, "not installed or not"},
      {"a damaged .docx", {file("damaged.docx")}, withPandoc, 10, "pandoc could not convert"},
      {"a .docx that is not there", {file("missing.docx")}, withPandoc, 6, "no such file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto run = quillon_test::runProgram(LEXORDA_STAGE_DIR "/Quillon/quillon", row.arguments,
                                              {{"QUILLON_REGISTRY", registry_}, {"PATH", row.path}});
    EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
    EXPECT_NE(run.err.find(row.says), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(file("out.docx"))) << "a failed export wrote a file";
}

}  // namespace
