// A house style scripted through the option set editor, as the README shows
// it: the staged host presses Edit, switches pages, clicks check boxes, sets
// numeric fields and moves categories, then builds the example brief's table
// with the edited set. Each test works on its own copy of the installation,
// so the staged database keeps its shipped option set.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/staged_run.h"

namespace {

using e2e::StagedRun;

class OptionSetScript : public e2e::StagedHost {
 protected:
  void SetUp() override {
    StagedHost::SetUp();
    useOwnInstallation();
  }
  // The example brief's table at the cursor after the editor's actions.
  StagedRun build(const std::vector<std::string>& editing) {
    std::vector<std::string> arguments{LEXORDA_SOURCE_DIR "/examples/appellate-brief.md", "--after-paragraph", "25",
                                       "--invoke", "Velmor TOA", "--press", "Edit"};
    arguments.insert(arguments.end(), editing.begin(), editing.end());
    for (const char* rest : {"--press", "OK", "--press", "Create Table at Cursor", "--answer", "yes", "--name"}) {
      arguments.push_back(rest);
    }
    arguments.insert(arguments.end(), {file("brief.qdoc"), "--export-text", "-"});
    return run(arguments);
  }
};

// The line of the table that holds text, or "".
std::string lineWith(const std::string& text, const std::string& part) {
  const std::size_t at = text.find(part);
  if (at == std::string::npos) return "";
  const std::size_t end = text.find('\n', at);
  return text.substr(at, end - at);
}

TEST_F(OptionSetScript, HouseStyleAndCategoryOrderReachTheTable) {
  const StagedRun house = build({"--tab", "Formatting", "--check", "Hyperlink page numbers", "--spin",
                                 "Max page references=3", "--spin", "Left margin=0.5"});
  ASSERT_EQ(house.exitCode, 0) << house.err;
  // Five pages, more than the three now allowed; two pages stay listed.
  EXPECT_TRUE(lineWith(house.out, "L. Ed. 2d 494 (1985)").ends_with(" passim")) << house.out;
  const std::string twoPages = lineWith(house.out, "Ashcroft v. Iqbal");
  EXPECT_TRUE(twoPages.find(", ") != std::string::npos && !twoPages.ends_with("passim")) << twoPages;

  const StagedRun order = build({"--tab", "Sorting", "--select", "Statutes", "--press", "Move Up"});
  ASSERT_EQ(order.exitCode, 0) << order.err;
  EXPECT_LT(order.out.find("\nSTATUTES\n"), order.out.find("\nCASES\n")) << order.out;
  EXPECT_NE(order.out.find(" passim"), std::string::npos) << "the house style applied before stays";
}

TEST_F(OptionSetScript, AFieldThatIsDisabledCannotBeSet) {
  // The shipped set uses passim: the click turns it off, and its maximum with it.
  const StagedRun run = build({"--tab", "Formatting", "--check", "Use Passim", "--spin", "Max page references=3"});
  EXPECT_EQ(run.exitCode, 8);
  for (const char* part : {"quillon: spin Max page references=3: not found in dialog \"Editing Option Set: Default\"",
                           "tabs: \"Content\", \"Formatting\", \"Sorting\"; numeric fields: \"Left margin:\"",
                           "\"Max page references (disabled)\"\n"}) {
    EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
  }
}

}  // namespace
