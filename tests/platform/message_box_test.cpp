// Checks message boxes and the file-open dialog. In: requests with button
// sets, scripted answers and installed handlers. Out: the answers, the
// recorded requests, the default answer of a button set and the
// standard-error fallback that batch tools rely on.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

using namespace platform;

TEST(MessageBoxes, ScriptedHandlersNestAnswerInOrderThenByDefaultAndRecord) {
  ScriptedMessageBoxHandler outer({kIdNo, kIdCancel});
  ScopedMessageBoxHandler installed(&outer);
  int owner = 0;
  const auto window = reinterpret_cast<WindowHandle>(&owner);
  EXPECT_EQ(messageBox(window, "Replace the table?", "Lexorda", kMbYesNo), kIdNo);
  {
    ScriptedMessageBoxHandler inner({kIdCancel});
    ScopedMessageBoxHandler second(&inner);
    EXPECT_EQ(messageBox(nullptr, "inner", "c", kMbOkCancel), kIdCancel);
  }
  EXPECT_EQ(messageBox(nullptr, "Continue?", "Notice", kMbOkCancel), kIdCancel) << "the outer script goes on";
  EXPECT_EQ(messageBox(nullptr, "Again?", "Notice", kMbYesNoCancel | kMbIconQuestion), kIdYes)
      << "script used up: the first button; icon bits do not change the buttons";
  ASSERT_EQ(outer.shown().size(), 3u);
  const MessageBoxRequest& first = outer.shown()[0];
  EXPECT_EQ(std::tie(first.owner, first.text, first.caption, first.flags),
            std::tie(window, "Replace the table?", "Lexorda", kMbYesNo));
}

TEST(MessageBoxes, WithoutAHandlerTheRequestGoesToStandardError) {
  ScopedMessageBoxHandler none(nullptr);
  for (const auto& [flags, answer] : {std::pair{kMbOkCancel, kIdOk}, {kMbYesNo | kMbIconError, kIdYes}}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(messageBox(nullptr, "Could not open \"tabauth3.db\".", "Database error", flags), answer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Database error: Could not open \"tabauth3.db\".\n");
  }
}

// Shows a second box while answering the first, as a real dialog may; the
// handler must be called without any lock held.
TEST(MessageBoxes, HandlerMayShowAnotherBox) {
  struct Nesting : MessageBoxHandler {
    int show(const MessageBoxRequest& request) override {
      texts.push_back(request.text);
      if (request.text == "outer") (void)messageBox(nullptr, "inner", "c", kMbOk);
      return kIdCancel;
    }
    std::vector<std::string> texts;
  } handler;
  ScopedMessageBoxHandler installed(&handler);
  EXPECT_EQ(messageBox(nullptr, "outer", "c", kMbOkCancel), kIdCancel);
  EXPECT_EQ(handler.texts, (std::vector<std::string>{"outer", "inner"}));
}

// A file dialog nobody can answer is cancelled: no file is opened that no
// one chose. A handler's cancel leaves the caller's path alone.
TEST(FileDialogs, AnsweredByTheHandlerOrCancelled) {
  struct Answer : FileDialogHandler {
    bool open(const FileDialogRequest& request, std::string* path) override {
      *path = request.title;
      return request.title == "Pick";
    }
  } handler;
  std::string path = "unchanged";
  for (auto* installed : {static_cast<FileDialogHandler*>(&handler), static_cast<FileDialogHandler*>(nullptr)}) {
    ScopedFileDialogHandler scoped(installed);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openFileDialog(nullptr, "Select Old Database", "", &path));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), installed ? "" : "file dialog: Select Old Database: cancelled\n");
  }
  EXPECT_EQ(path, "unchanged");
  ScopedFileDialogHandler scoped(&handler);
  EXPECT_TRUE(openFileDialog(nullptr, "Pick", "", &path));
  EXPECT_EQ(path, "Pick");
}

}  // namespace
