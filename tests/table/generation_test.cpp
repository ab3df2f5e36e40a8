// The generation run's paths up to the table, against the stand-in host's
// engine: the save question on a new, a modified and a clean document, the
// host's name prompt answered or cancelled, a save that fails, a saved file
// that cannot be opened, a database that cannot be loaded, a saved file that
// was cut short; the removal of old
// marks; and Create Table to File leaving the open document unmarked.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/connection.h"
#include "platform/platform.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"
#include "table/generation.h"
#include "tests/table/engine_host.h"

namespace {

constexpr const char* kQuestion =
    "Lexorda: You must save the document before generating a table. Would you like to save now?";
constexpr const char* kReadOnly =
    "Lexorda: This appears to be a read-only file. Please save it with a new name or to a new location.";
constexpr const char* kBrief = "*Smith v. Jones*, 123 U.S. 456 (1990).\n\nSee 42 U.S.C. § 1983.\n";
constexpr std::uint16_t kSetUpdateMode = 33150;
constexpr std::uint16_t kSaveDocument = 32993;
constexpr std::uint16_t kSaveDocumentAs = 33102;
constexpr std::uint16_t kNewDocument = 33101;
constexpr std::uint16_t kCreateBookmark = 202;

enum class Start { Unnamed, SavedClean, SavedModified, SaveFails, FileGone, FolderInItsPlace, NoDatabase, CutShort };

struct Row {
  const char* name;
  Start start;
  std::vector<int> answers;           // to the message boxes, in order
  std::vector<std::string> names;     // to the host's name prompt ("" cancels)
  std::vector<std::string> messages;  // "caption: text" of every box shown
  int prompts;                        // times the host asked for a name
  std::uint16_t save;                 // the save command sent, 0 for none
  bool written;                       // the table was written
};

class Generation : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(table_test::bindHostStrings()); }

  // The brief, imported (unnamed) or saved under `path` and opened.
  void openBrief(Start start) {
    const std::string path = folder_.file("brief.qdoc");
    std::filesystem::remove_all(path);
    quillon::doc::Document imported(quillon::format::importMarkdown(kBrief).content);
    if (start == Start::Unnamed) {
      host_.engine().openDocument(imported.content(), "");
      host_.document().setModified(true);
      return;
    }
    quillon::format::saveNativeFile(imported, path);
    host_.open(path);
    if (start == Start::SavedModified || start == Start::SaveFails) host_.document().typeText("More. ");
    if (start == Start::SaveFails) host_.store().refused = {path};
    if (start == Start::NoDatabase) db::setDatabasePath(folder_.file("missing/tabauth3.db"));
    if (start == Start::FileGone) std::filesystem::remove(path);
    if (start == Start::CutShort) std::filesystem::resize_file(path, 85);  // of 88
    if (start == Start::FolderInItsPlace) std::filesystem::remove(path), std::filesystem::create_directory(path);
  }

  std::vector<std::string> shown() const {
    std::vector<std::string> lines;
    for (const auto& m : messages_->shown()) lines.push_back(m.caption + ": " + m.text);
    return lines;
  }

  platform_test::TemporaryFolder folder_;
  table_test::TempDatabase database_{LEXORDA_SHIPPED_DB};
  std::unique_ptr<platform::ScriptedMessageBoxHandler> messages_;
  table_test::EngineHost host_;
};

TEST_F(Generation, QuestionPaths) {
  const std::string named = folder_.file("named.qdoc");
  const std::vector<Row> rows = {
      {"new document, Yes, a name given", Start::Unnamed, {platform::kIdYes}, {named}, {kQuestion}, 1,
       kSaveDocument, true},
      {"new document, No", Start::Unnamed, {platform::kIdNo}, {}, {kQuestion}, 0, 0, false},
      {"new document, Yes, the name prompt cancelled", Start::Unnamed, {platform::kIdYes}, {""}, {kQuestion}, 1,
       kSaveDocument, false},
      {"saved and modified, Yes: saved under its own name", Start::SavedModified, {platform::kIdYes}, {},
       {kQuestion}, 0, kSaveDocumentAs, true},
      {"saved and modified, No", Start::SavedModified, {platform::kIdNo}, {}, {kQuestion}, 0, 0, false},
      {"saved and clean: no question", Start::SavedClean, {}, {}, {}, 0, 0, true},
      {"the saved file is gone", Start::FileGone, {}, {}, {kReadOnly}, 0, 0, false},
      {"a folder stands where the file was", Start::FolderInItsPlace, {}, {}, {kReadOnly}, 0, 0, false},
      {"the save fails: no further message", Start::SaveFails, {platform::kIdYes}, {}, {kQuestion}, 0,
       kSaveDocumentAs, false},
      {"the saved file was cut short: told, and the table is built from what was read", Start::CutShort, {}, {},
       {"Lexorda: Lexorda could not read the whole saved document (damaged at byte 85). The table may be "
        "incomplete."}, 0, 0, true},
      {"no database: shown, and the document stays as it was", Start::NoDatabase, {}, {},
       {"Database Error: Could not load the dictionary.\nSQLITE_CANTOPEN[14]: unable to open database file"}, 0, 0,
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    messages_ = std::make_unique<platform::ScriptedMessageBoxHandler>(row.answers);
    platform::ScopedMessageBoxHandler scope(messages_.get());
    openBrief(row.start);
    host_.prompt() = {};
    host_.prompt().answers = row.names;
    host_.recordRequests(true);
    host_.clear();
    table::NullProgressBar progress;

    table::generateTable(false, progress, "Default", {std::chrono::milliseconds(0)});

    EXPECT_EQ(shown(), row.messages);
    EXPECT_EQ(host_.prompt().asked, row.prompts);
    EXPECT_EQ(host_.count(kSaveDocument), row.save == kSaveDocument ? 1 : 0);
    EXPECT_EQ(host_.count(kSaveDocumentAs), row.save == kSaveDocumentAs ? 1 : 0);
    for (const auto& request : host_.requests()) {
      if (request.command != kSaveDocumentAs) continue;
      EXPECT_EQ(request.parameters.at(0).ansi, folder_.file("brief.qdoc"));
      EXPECT_EQ(request.integerAt(1), 4);
      EXPECT_EQ(request.integerAt(2), 1);
    }
    const bool written = host_.document().text().find("TABLE OF AUTHORITIES") != std::string::npos;
    EXPECT_EQ(written, row.written);
    // A run that stops before the table never touches the update mode.
    EXPECT_EQ(host_.count(kSetUpdateMode), row.written ? 2 : 0);
    EXPECT_TRUE(host_.engine().updateMode());
    EXPECT_EQ(progress.position(), row.written ? 100 : 0);
  }
}

TEST_F(Generation, OldMarksGoWhateverTheirNeighbours) {
  host_.document().typeText("Text");
  // Enumerated in name order: the three XTOA~ marks stand in a row.
  for (const char* name : {"Mine", "XTOA~", "XTOA~CIT~a~TOABEGIN", "XTOA~CursorLocation",
                           "XTOA~EndOfCitationNameInTable1", "XTOA~TableOfAuthorities",
                           "XTOA~x", "xtoa~lower", "ZZ"}) {
    host_.document().createBookmark(name, false);
  }
  table::removeOldMarks();
  std::vector<std::string> left;
  for (std::size_t i = 1; i <= host_.document().bookmarkCount(); ++i) left.push_back(*host_.document().bookmarkName(i));
  // "XTOA~" alone is no mark of ours, nor is a lower-case one; a table's
  // range mark stays with its table.
  EXPECT_EQ(left, (std::vector<std::string>{"Mine", "XTOA~", "XTOA~TableOfAuthorities", "ZZ", "xtoa~lower"}));
}

TEST_F(Generation, ToFileLeavesTheOpenDocumentUnmarked) {
  messages_ = std::make_unique<platform::ScriptedMessageBoxHandler>();
  platform::ScopedMessageBoxHandler scope(messages_.get());
  openBrief(Start::SavedClean);
  host_.document().createBookmark("XTOA~CIT~old~TOABEGIN", false);
  host_.clear();
  table::NullProgressBar progress;
  table::generateTable(true, progress, "Default", {std::chrono::milliseconds(0)});
  // Everything typed or marked went to the new document.
  const auto& sent = host_.commands();
  const auto newDocument = std::find(sent.begin(), sent.end(), kNewDocument);
  ASSERT_NE(newDocument, sent.end());
  EXPECT_EQ(std::count(sent.begin(), newDocument, kCreateBookmark), 0);
  EXPECT_EQ(std::count(sent.begin(), newDocument, std::uint16_t{2}), 0);
  EXPECT_NE(host_.document().text().find("TABLE OF AUTHORITIES"), std::string::npos);
  EXPECT_EQ(progress.position(), 100);
}

}  // namespace
