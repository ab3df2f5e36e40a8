// The quillon program's command line. In: argument lists as a user types
// them. Out: the options of the run, or the error that the program prints
// before its usage text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "quillon/app/command_line.h"

namespace {

using quillon::app::Options;
using quillon::app::parseCommandLine;
using quillon::app::Placement;
using quillon::app::PlacementKind;
using Kind = quillon::app::DialogActionKind;
using quillon::app::EditKind;

// Options with only the fields a row cares about changed from the defaults.
template <typename Change>
Options options(Change change) {
  Options o;
  change(o);
  return o;
}

TEST(CommandLine, UnderstoodLines) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    Options expected;
  } rows[] = {
      {"nothing: new document, insertion point at the start", {}, {}},
      {"file alone", {"brief.md"}, options([](Options& o) { o.file = "brief.md"; })},
      {"file may stand after the options", {"--bookmarks", "brief.qdoc"},
       options([](Options& o) { o.bookmarks = true; o.file = "brief.qdoc"; })},
      {"--at-end", {"--at-end"}, options([](Options& o) { o.placement = {PlacementKind::AtEnd, {}, 0}; })},
      {"--at-start said aloud", {"--at-start"}, {}},
      {"--before takes the next word as it stands", {"--before", "TABLE OF AUTHORITIES"},
       options([](Options& o) { o.placement = {PlacementKind::BeforeText, "TABLE OF AUTHORITIES", 0}; })},
      {"--before text may look like an option", {"--before", "--at-end"},
       options([](Options& o) { o.placement = {PlacementKind::BeforeText, "--at-end", 0}; })},
      {"--after-paragraph", {"--after-paragraph", "12"},
       options([](Options& o) { o.placement = {PlacementKind::AfterParagraph, {}, 12}; })},
      {"presses, picks and typing form one queue in their order; answers stay apart",
       {"--press", "Add...", "--answer", "ok", "--type", "Brief 2", "--select", "Brief 2", "--press", "Close"},
       options([](Options& o) {
         o.actions = {{Kind::Press, "Add..."}, {Kind::Type, "Brief 2"}, {Kind::Select, "Brief 2"},
                      {Kind::Press, "Close"}};
         o.answers = {platform::kIdOk};
       })},
      {"sheet actions join the same queue; a label may hold \"=\"", {"--tab", "Formatting", "--check",
       "Use Passim", "--spin", "a=b=2.5", "--press", "OK"},
       options([](Options& o) {
         o.actions = {{Kind::Tab, "Formatting"}, {Kind::Check, "Use Passim"}, {Kind::Spin, "a=b=2.5"},
                      {Kind::Press, "OK"}};
       })},
      {"--file paths queue apart from the actions", {"--file", "old.db", "--press", "OK", "--file", "b.db"},
       options([](Options& o) { o.files = {"old.db", "b.db"}; o.actions = {{Kind::Press, "OK"}}; })},
      {"--name apart from --save", {"--name", "brief.qdoc", "--save", "table.qdoc"},
       options([](Options& o) { o.name = "brief.qdoc"; o.save = "table.qdoc"; })},
      {"answers as words and comma lists", {"--answer", "yes", "no,cancel", "brief.md"},
       options([](Options& o) {
         o.answers = {platform::kIdYes, platform::kIdNo, platform::kIdCancel};
         o.file = "brief.md";
       })},
      {"outputs, - for standard output",
       {"--save", "out/brief.qdoc", "--export-text", "-", "--export-markdown", "out/brief.md", "--export-pdf", "b.pdf"},
       options([](Options& o) {
         o.save = "out/brief.qdoc";
         o.exportText = "-";
         o.exportMarkdown = "out/brief.md";
         o.exportPdf = "b.pdf";
       })},
      {"edits in their order", {"--page-break", "--type-text", "New page.", "--page-break"},
       options([](Options& o) { o.edits = {{EditKind::PageBreak, {}}, {EditKind::TypeText, "New page."}, {EditKind::PageBreak, {}}}; })},
      {"flags", {"--list-commands", "--log-commands", "-h"},
       options([](Options& o) { o.listCommands = o.logCommands = o.help = true; })},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const quillon::app::ParsedCommandLine parsed = parseCommandLine(row.arguments);
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options == row.expected);
  }
}

TEST(CommandLine, RejectedLines) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    const char* error;
  } rows[] = {
      {"unknown option", {"--frobnicate"}, "unknown argument: --frobnicate"},
      {"two files", {"a.md", "b.md"}, "only one FILE may be given: b.md"},
      {"--invoke without a name", {"--invoke"}, "--invoke needs a command name"},
      {"--before without a text", {"--before"}, "--before needs a text to find"},
      {"--before with an empty text", {"--before", ""}, "--before needs a text to find"},
      {"--press without a text", {"--press"}, "--press needs a button text"},
      {"--select with an empty item", {"--select", ""}, "--select needs a list item"},
      {"--type without a text", {"--type"}, "--type needs a text"},
      {"--spin without a value", {"--spin", "Size="}, "--spin needs LABEL=VALUE with a number as VALUE, not Size="},
      {"--spin without a label", {"--spin", "=3"}, "--spin needs LABEL=VALUE with a number as VALUE, not =3"},
      {"--spin value with a unit", {"--spin", "Size=12pt"},
       "--spin needs LABEL=VALUE with a number as VALUE, not Size=12pt"},
      {"--name twice", {"--name", "a.qdoc", "--name", "b.qdoc"}, "--name may be given only once"},
      {"--file without a path", {"--file"}, "--file needs a file path"},
      {"--save without a path", {"--save"}, "--save needs a file path"},
      {"--export-text without a path", {"--export-text"}, "--export-text needs a file path or -"},
      {"--export-markdown without a path", {"brief.md", "--export-markdown"},
       "--export-markdown needs a file path or -"},
      {"--export-pdf given twice", {"--export-pdf", "a.pdf", "--export-pdf", "b.pdf"}, "--export-pdf may be given only once"},
      {"--after-paragraph without a number", {"--after-paragraph"},
       "--after-paragraph needs a paragraph number from 1"},
      {"paragraphs count from 1", {"--after-paragraph", "0"},
       "--after-paragraph needs a paragraph number from 1, not 0"},
      {"number with trailing text", {"--after-paragraph", "3rd"},
       "--after-paragraph needs a paragraph number from 1, not 3rd"},
      {"number too large for the count", {"--after-paragraph", "99999999999999"},
       "--after-paragraph needs a paragraph number from 1, not 99999999999999"},
      {"two placements, the default said aloud first", {"--at-start", "--before", "x"},
       "only one of --at-start, --at-end, --before and --after-paragraph may be given"},
      {"--save twice", {"--save", "a.qdoc", "--save", "b.qdoc"}, "--save may be given only once"},
      {"answer that is no button", {"--answer", "maybe"}, "--answer needs ok, cancel, yes or no"},
      {"comma list with a bad answer", {"--answer", "ok,maybe"}, "--answer needs ok, cancel, yes or no"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(parseCommandLine(row.arguments).error, row.error);
  }
}

TEST(CommandLine, UsageNamesEveryOption) {
  const std::string usage = quillon::app::usageText();
  for (const char* option : {"FILE", "--at-start", "--at-end", "--before TEXT", "--after-paragraph N",
                             "--list-commands", "--invoke NAME", "--press TEXT", "--select TEXT", "--type TEXT",
                             "--tab TEXT", "--check TEXT", "--spin LABEL=VALUE", "--answer", "--file PATH",
                             "--name PATH", "--save PATH",
                             "--export-text PATH", "--export-markdown PATH", "--export-pdf PATH", "--bookmarks", "--log-commands"}) {
    SCOPED_TRACE(option);
    EXPECT_NE(usage.find(option), std::string::npos);
  }
}

}  // namespace
