// Checks message boxes. In: requests with button sets, scripted answers and
// installed handlers. Out: the answers, the recorded requests, the default
// answer of each button set and the standard-error fallback.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

using namespace platform;

TEST(MessageBoxes, ScriptedHandlerAnswersInOrderThenByDefaultAndRecords) {
  ScriptedMessageBoxHandler outer({kIdNo, kIdCancel});
  ScopedMessageBoxHandler installed(&outer);
  int owner = 0;
  const auto window = reinterpret_cast<WindowHandle>(&owner);
  EXPECT_EQ(messageBox(window, "Replace the table?", "Lexorda", kMbYesNo), kIdNo);
  {
    ScriptedMessageBoxHandler inner({kIdCancel});
    ScopedMessageBoxHandler second(&inner);
    EXPECT_EQ(messageBox(nullptr, "inner", "c", kMbOkCancel), kIdCancel);
    EXPECT_EQ(inner.shown().size(), 1u);
  }
  EXPECT_EQ(messageBox(nullptr, "Continue?", "Notice", kMbOkCancel), kIdCancel)
      << "the previous handler is back and continues its script";
  EXPECT_EQ(messageBox(nullptr, "Again?", "Notice", kMbYesNoCancel), kIdYes);

  const std::vector<MessageBoxRequest>& shown = outer.shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].owner, window);
  EXPECT_EQ(shown[0].text, "Replace the table?");
  EXPECT_EQ(shown[0].caption, "Lexorda");
  EXPECT_EQ(shown[0].flags, kMbYesNo);
  EXPECT_EQ(shown[2].text, "Again?");
  outer.clear();
  EXPECT_TRUE(outer.shown().empty());
  EXPECT_EQ(setMessageBoxHandler(nullptr), &outer);
  EXPECT_EQ(setMessageBoxHandler(&outer), nullptr);
}

TEST(MessageBoxes, WithoutAHandlerTheRequestGoesToStandardErrorAndTheFirstButtonAnswers) {
  ScopedMessageBoxHandler none(nullptr);
  const struct { const char* name; unsigned flags; int answer; } rows[] = {
      {"OK", kMbOk, kIdOk},
      {"OK/Cancel", kMbOkCancel, kIdOk},
      {"Yes/No", kMbYesNo, kIdYes},
      {"Yes/No/Cancel", kMbYesNoCancel, kIdYes},
      {"icon bits do not change the buttons", kMbYesNo | kMbIconQuestion, kIdYes},
      {"error icon with OK", kMbIconError, kIdOk},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(defaultAnswer(row.flags), row.answer);
    testing::internal::CaptureStderr();
    EXPECT_EQ(messageBox(nullptr, "Could not open \"tabauth3.db\".", "Database error", row.flags), row.answer);
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

}  // namespace
