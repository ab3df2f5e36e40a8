// The batch run's document on disk: saving through the host's commands with
// the native store and the --save name, and opening a file into the engine.
// In: host save commands and files. Out: files written or not, the name the
// engine then holds, and the lines reported.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
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

// A save or export never harms a file other than its target, and a refused
// or failed one leaves the target and its folder as they were.
TEST(BatchSaving, NeverHarmsAnotherFile) {
  namespace fs = std::filesystem;
  TemporaryFolder folder;
  const std::string brief = folder.file("brief.qdoc"), other = folder.file("other.txt");
  const auto text = [](const std::string& path) { return platform_test::readFile(path); };
  const auto native = [](const std::string& path) { return quillon::format::isNative(platform_test::readFile(path)); };
  const auto mode = [](const std::string& path) { return fs::status(path).permissions(); };
  const struct {
    const char* name;
    std::function<void()> make;
    bool exportText;
    const char* reason;  // "" when written
    std::function<bool()> unharmed;
  } rows[] = {
      {"a link planted at the old fixed temporary name",
       [&] { fs::create_symlink(other, folder.file(".brief.qdoc.saving")); }, false, "",
       [&] { return native(brief) && text(other) == "other"; }},
      {"a link is written through to its target, whose mode is kept", [&] { fs::create_symlink(other, brief); }, false,
       "", [&] { return fs::is_symlink(brief) && native(other) && mode(other) == fs::perms(0604); }},
      {"a device behind a link", [&] { fs::create_symlink("/dev/full", brief); }, false, "it is not a regular file",
       [&] { return fs::is_symlink(brief) && fs::is_character_file("/dev/full"); }},
      {"a FIFO is not even opened", [&] { ::mkfifo(brief.c_str(), 0644); }, true, "it is not a regular file",
       [&] { return fs::is_fifo(brief); }},
      {"a read-only file, judged by its mode bits as root runs the tests",
       [&] { platform_test::writeFile(brief, "old"), fs::permissions(brief, fs::perms(0444)); }, false,
       quillon::format::kReadOnlyReason, [&] { return text(brief) == "old" && mode(brief) == fs::perms(0444); }},
      {"a write that fails half-way (room for the message, not the document)",
       [&] {
         platform_test::writeFile(brief, "old"), std::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{200, RLIM_INFINITY};
         ::setrlimit(RLIMIT_FSIZE, &limit);
       },
       false, "File too large", [&] { return text(brief) == "old"; }},
  };
  rlimit unlimited{};
  ::getrlimit(RLIMIT_FSIZE, &unlimited);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(folder.path()), fs::create_directory(folder.path());
    platform_test::writeFile(other, "other"), fs::permissions(other, fs::perms(0604));
    row.make();
    const auto names = [&] { return std::distance(fs::directory_iterator(folder.path()), {}); };
    const auto before = names() + (fs::exists(fs::symlink_status(brief)) ? 0 : 1);  // a save adds the brief
    app::NativeFileStore store;
    app::BatchNamePrompt prompt(std::nullopt);
    quillon::DocumentEngine engine(store, prompt);
    engine.document().typeText(std::string(400, 'A'));
    testing::internal::CaptureStdout(), testing::internal::CaptureStderr();
    const int code = row.exportText ? app::exportDocument(engine.document(), app::ExportKind::Text, brief)
                                    : app::saveDocumentAs(engine, brief);
    (void)testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    const std::string verb = row.exportText ? "cannot write " : "cannot save ";
    EXPECT_EQ(code, *row.reason ? app::kExitCannotWrite : app::kExitOk);
    EXPECT_EQ(err, *row.reason ? "quillon: " + verb + brief + ": " + row.reason + "\n" : "");
    EXPECT_TRUE(row.unharmed());
    EXPECT_EQ(names(), before) << "no temporary file left";
  }
}

}  // namespace
