// The staged host's batch mode on real files: a Markdown brief opened and
// printed as paged text, a native file saved and reopened, the bookmarks of a
// native file listed, and every failure a user can meet with its exit code.
// In: files the tests write. Out: what the program prints and saves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillon/doc/document.h"
#include "quillon/format/document_file.h"
#include "quillon/format/native_format.h"
#include "tests/e2e/staged_run.h"
#include "tests/platform/fixtures.h"

namespace {

using e2e::StagedRun;
using platform_test::readFile;
using platform_test::writeFile;

class BatchMode : public e2e::StagedHost {};

// Position of part in text; fails the test when it is missing.
std::size_t positionOf(const std::string& text, const std::string& part) {
  const std::size_t at = text.find(part);
  EXPECT_NE(at, std::string::npos) << "missing: " << part << "\nin:\n" << text;
  return at;
}

TEST_F(BatchMode, MarkdownBriefPrintsAsPagedText) {
  const std::string brief = file("brief.md");
  writeFile(brief,
            "STATEMENT OF THE CASE\n\nThe appellant relies on *Smith v. Jones*.\n\n\\newpage\n\n"
            "ARGUMENT\n\nThe court erred.\n");
  const StagedRun run = this->run({brief, "--export-text", "-"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  const std::size_t opened = positionOf(run.out, "opened: " + brief + " (Markdown)\n");
  const std::size_t statement = positionOf(run.out, "STATEMENT OF THE CASE");
  const std::size_t relies = positionOf(run.out, "The appellant relies on Smith v. Jones.");
  const std::size_t pageBreak = positionOf(run.out, "\f");
  const std::size_t argument = positionOf(run.out, "ARGUMENT");
  EXPECT_LT(opened, statement);
  EXPECT_LT(statement, relies);
  EXPECT_LT(relies, pageBreak);
  EXPECT_LT(pageBreak, argument) << "the hard page break starts page 2";
  EXPECT_EQ(run.out.find('\f', pageBreak + 1), std::string::npos) << "two pages, one form feed";
  EXPECT_EQ(run.err, "") << "nothing to warn about";
}

TEST_F(BatchMode, SavedFileReopensToTheSameMarkdown) {
  const std::string brief = file("brief.md");
  writeFile(brief,
            "**ARGUMENT**\n\nSee *Smith v. Jones*, 123 F.3d 456 (9th Cir. 1999);[^1] 42\\ U.S.C. "
            "\xC2\xA7 1983.\n\n[^1]: Cited with <u>approval</u>.\n");
  const std::string saved = file("brief.qdoc");
  const StagedRun first = this->run({brief, "--save", saved, "--export-markdown", file("first.md")});
  ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
  EXPECT_TRUE(quillon::format::isNative(readFile(saved)));

  const StagedRun second = this->run({saved, "--export-markdown", file("second.md")});
  ASSERT_EQ(second.exitCode, 0) << second.out << second.err;
  positionOf(second.out, "opened: " + saved + " (native)\n");
  const std::string exported = readFile(file("first.md"));
  positionOf(exported, "Smith v. Jones");
  positionOf(exported, "\xC2\xA7 1983");
  EXPECT_EQ(readFile(file("second.md")), exported);
}

TEST_F(BatchMode, BookmarksOfANativeFileWithTheirPages) {
  quillon::doc::Document document;
  document.typeText("Statement ");
  document.createBookmark("XTOA~2", false);
  document.hardPageBreak();
  document.insertPageNumberCode(5);
  const std::size_t start = document.insertionPoint();
  document.typeText("Smith v. Jones");
  document.hardPageBreak();
  document.typeText("Argument");
  document.select(start, document.insertionPoint());
  document.createBookmark("XTOA~1", true);
  const std::string saved = file("marked.qdoc");
  quillon::format::saveNativeFile(document, saved);

  const StagedRun run = this->run({saved, "--bookmarks"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_LT(positionOf(run.out, "opened: " + saved + " (native)\n"),
            positionOf(run.out,
                       "bookmark XTOA~1 page 5 physical 2 to 6\n"
                       "bookmark XTOA~2 page 1 physical 1\n"));
}

// A saved table's list follows its occurrence marks after edits made in one
// run, and again in a later run on the file that run saved.
TEST_F(BatchMode, EditsThenRefreshPageNumbers) {
  quillon::doc::Document d;
  d.typeText("A\t"), d.createBookmark("XTOA~CIT~a~TOABEGIN", false), d.typeText("9");
  d.createBookmark("XTOA~CIT~a~TOAEND", false), d.hardReturn(), d.hardPageBreak();
  d.typeText("Cite "), d.createBookmark("XTOA~CIT~a~0", false), d.hardPageBreak();
  d.typeText("Later cite "), d.createBookmark("XTOA~CIT~a~1", false);
  const std::string brief = file("brief.qdoc");
  quillon::format::saveNativeFile(d, brief);
  const std::vector<std::string> refresh{"--invoke", "Velmor TOA", "--press", "Refresh Page Numbers", "--save", brief, "--export-text", "-"};
  for (auto [edit, list] : {std::pair<std::vector<std::string>, const char*>{{brief, "--before", "Later", "--type-text", "New page.", "--page-break"}, "A    2, 4\n"},
                            {{brief, "--at-start", "--page-break"}, "A    3, 5\n"}}) {
    edit.insert(edit.end(), refresh.begin(), refresh.end());
    const StagedRun run = this->run(edit);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    positionOf(run.out, list);
  }
}

TEST_F(BatchMode, FailuresHaveTheirOwnExitCodes) {
  const std::string brief = file("brief.md");
  writeFile(brief, "TABLE OF AUTHORITIES\n\nArgument.\n");
  writeFile(file("blob.bin"), std::string("\x00\x01\x02\xFE\xFF binary", 11));
  writeFile(file("damaged.qdoc"), std::string(quillon::format::kNativeSignature) + "\x40\x00");
  writeFile(file("snowman.md"), "A \xE2\x98\x83 in the record.\n");
  const std::string unwritable = file("no/such/folder/brief.txt");
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;  // on standard error
  } rows[] = {
      {"missing file", {file("absent.md")}, 6, file("absent.md")},
      {"binary file", {file("blob.bin")}, 6, file("blob.bin")},
      {"damaged native file", {file("damaged.qdoc")}, 6, file("damaged.qdoc")},
      {"a character the host lacks is a warning, not a failure", {file("snowman.md")}, 0, "warning: line 1: "},
      {"text not found", {brief, "--before", "INDEX"}, 7, "quillon: text not found: INDEX\n"},
      {"paragraph beyond the last", {brief, "--after-paragraph", "3"}, 7, "quillon: paragraph 3 not found\n"},
      {"command not registered", {brief, "--invoke", "No Such Command"}, 4,
       "quillon: command not registered: No Such Command\n"},
      {"export into a missing folder", {brief, "--export-text", unwritable}, 9,
       "quillon: cannot write " + unwritable + ": No such file or directory\n"},
      {"save into a missing folder", {brief, "--save", file("no/such/folder/brief.qdoc")}, 9,
       file("no/such/folder/brief.qdoc")},
      {"a press with no dialog", {brief, "--press", "Create Table at Cursor"}, 8,
       "quillon: press Create Table at Cursor: no dialog appeared\n"},
      {"bad command line", {brief, "--after-paragraph", "first"}, 1,
       "--after-paragraph needs a paragraph number from 1, not first"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const StagedRun run = this->run(row.arguments);
    EXPECT_EQ(run.exitCode, row.exitCode) << run.out << run.err;
    positionOf(run.err, row.message);
  }
}

TEST_F(BatchMode, ExportsStillHappenWhenAPressFoundNoDialog) {
  const std::string brief = file("brief.md");
  writeFile(brief, "TABLE OF AUTHORITIES\n\nArgument.\n");
  const StagedRun run =
      this->run({brief, "--press", "Create Table at Cursor", "--save", file("brief.qdoc"), "--export-text", "-"});
  EXPECT_EQ(run.exitCode, 8) << run.out << run.err;
  positionOf(run.out, "Argument.");
  EXPECT_TRUE(quillon::format::isNative(readFile(file("brief.qdoc"))));
}

}  // namespace
