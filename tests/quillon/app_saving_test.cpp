// The batch run's document on disk: saving through the host's commands with
// the native store and the --save name, and opening a file into the engine.
// In: host save commands and files. Out: files written or not, the name the
// engine then holds, and the lines reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "quillon/app/document_actions.h"
#include "quillon/app/document_saving.h"
#include "quillon/app/exit_codes.h"
#include "quillon/commands/command_table.h"
#include "quillon/commands/document_engine.h"
#include "quillon/format/document_file.h"
#include "quillon/format/native_format.h"
#include "tests/platform/fixtures.h"

namespace {

namespace app = quillon::app;
using platform_test::TemporaryFolder;

struct Outcome {
  std::string out, err;
};

// Sends SaveDocument to an engine holding typed text, with the prompt given
// this --save path.
Outcome saveUnnamed(quillon::DocumentEngine& engine) {
  engine.document().typeText("Argument");
  quillon::CommandRequest save;
  save.command = quillon::command::kSaveDocument;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  (void)engine.execute(save);
  Outcome outcome;
  outcome.out = testing::internal::GetCapturedStdout();
  outcome.err = testing::internal::GetCapturedStderr();
  return outcome;
}

TEST(BatchSaving, UnnamedDocumentSavesUnderTheSavePathOrNotAtAll) {
  TemporaryFolder folder;
  platform_test::ScopedCurrentDirectory here(folder.path());
  const std::string absolute = platform_test::canonical(folder.path()) + "/brief.qdoc";
  const struct {
    const char* name;
    std::optional<std::string> savePath;
    const char* line;
    std::string path;  // the engine's name afterwards
    bool written;
  } rows[] = {
      {"no --save: the prompt cancels", std::nullopt, "save prompt: cancelled\n", "", false},
      {"relative --save becomes the absolute name", "brief.qdoc", "save prompt: brief.qdoc\n", absolute, true},
      {"a folder that does not exist fails the save", "missing/brief.qdoc", "save prompt: missing/brief.qdoc\n", "",
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(absolute);
    app::NativeFileStore store;
    app::BatchNamePrompt prompt(row.savePath);
    quillon::DocumentEngine engine(store, prompt);
    const Outcome outcome = saveUnnamed(engine);
    EXPECT_EQ(outcome.out, row.line);
    EXPECT_EQ(engine.path(), row.path);
    EXPECT_EQ(engine.document().modified(), !row.written) << "an unsaved document stays modified";
    EXPECT_EQ(std::filesystem::exists(absolute), row.written);
    if (row.written) {
      EXPECT_TRUE(quillon::format::isNative(platform_test::readFile(absolute)));
      EXPECT_EQ(outcome.err, "");
    }
    if (row.savePath && !row.written) {
      EXPECT_NE(outcome.err.find("missing/brief.qdoc"), std::string::npos);
    }
  }
}

TEST(BatchSaving, OpeningNamesNativeFilesOnly) {
  TemporaryFolder folder;
  platform_test::ScopedCurrentDirectory here(folder.path());
  platform_test::writeFile("brief.MD", "Argument \xC2\xA7 5.\n");  // by name, any case, when UTF-8
  {
    quillon::doc::Document source;
    source.typeText("Argument");
    quillon::format::saveNativeFile(source, folder.file("brief.qdoc"));
  }
  const std::string root = platform_test::canonical(folder.path());
  const struct {
    const char* name;
    const char* file;
    const char* line;
    std::string path;
  } rows[] = {
      {"native keeps its absolute path", "./brief.qdoc", "opened: ./brief.qdoc (native)\n", root + "/brief.qdoc"},
      {"Markdown opens unnamed", "brief.MD", "opened: brief.MD (Markdown)\n", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    app::NativeFileStore store;
    app::BatchNamePrompt prompt(std::nullopt);
    quillon::DocumentEngine engine(store, prompt);
    engine.setPath("/earlier/name.qdoc");
    testing::internal::CaptureStdout();
    EXPECT_EQ(app::openDocument(engine, row.file), app::kExitOk);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), row.line);
    EXPECT_EQ(engine.path(), row.path);
    EXPECT_EQ(engine.document().text().rfind("Argument", 0), 0u) << "the file's text is the document";
    EXPECT_FALSE(engine.document().modified());
  }
}

}  // namespace
