// Checks message boxes: scripted answers and their recording, the default
// answer of each button set, handler installation, and the standard-error
// fallback when no handler is installed.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

using platform::MessageBoxRequest;
using platform::ScriptedMessageBoxHandler;

TEST(MessageBoxes, DefaultAnswerIsTheFirstButton) {
  struct Row {
    const char* name;
    unsigned flags;
    int answer;
  };
  const Row rows[] = {
      {"OK", platform::kMbOk, platform::kIdOk},
      {"OK/Cancel", platform::kMbOkCancel, platform::kIdOk},
      {"Yes/No", platform::kMbYesNo, platform::kIdYes},
      {"Yes/No/Cancel", platform::kMbYesNoCancel, platform::kIdYes},
      {"icon bits do not change the buttons", platform::kMbYesNo | platform::kMbIconQuestion, platform::kIdYes},
      {"error icon with OK", platform::kMbIconError, platform::kIdOk},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(platform::defaultAnswer(row.flags), row.answer);
  }
}

TEST(MessageBoxes, ScriptedHandlerAnswersInOrderThenByDefault) {
  ScriptedMessageBoxHandler script({platform::kIdNo, platform::kIdCancel});
  platform::ScopedMessageBoxHandler installed(&script);
  int owner = 0;
  const auto window = reinterpret_cast<platform::WindowHandle>(&owner);
  EXPECT_EQ(platform::messageBox(window, "Replace the table?", "Lexorda", platform::kMbYesNo), platform::kIdNo);
  EXPECT_EQ(platform::messageBox(nullptr, "Continue?", "Notice", platform::kMbOkCancel), platform::kIdCancel);
  EXPECT_EQ(platform::messageBox(nullptr, "Again?", "Notice", platform::kMbYesNoCancel), platform::kIdYes);
  EXPECT_EQ(platform::messageBox(nullptr, "Done.", "Notice", platform::kMbOk), platform::kIdOk);

  const std::vector<MessageBoxRequest>& shown = script.shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].owner, window);
  EXPECT_EQ(shown[0].text, "Replace the table?");
  EXPECT_EQ(shown[0].caption, "Lexorda");
  EXPECT_EQ(shown[0].flags, platform::kMbYesNo);
  EXPECT_EQ(shown[1].owner, nullptr);
  EXPECT_EQ(shown[3].text, "Done.");
  script.clear();
  EXPECT_TRUE(script.shown().empty());
}

TEST(MessageBoxes, ScopedHandlerRestoresThePreviousOne) {
  ScriptedMessageBoxHandler outer({platform::kIdNo});
  ScriptedMessageBoxHandler inner({platform::kIdCancel});
  platform::ScopedMessageBoxHandler first(&outer);
  {
    platform::ScopedMessageBoxHandler second(&inner);
    EXPECT_EQ(platform::messageBox(nullptr, "inner", "c", platform::kMbOkCancel), platform::kIdCancel);
  }
  EXPECT_EQ(platform::messageBox(nullptr, "outer", "c", platform::kMbYesNo), platform::kIdNo);
  ASSERT_EQ(inner.shown().size(), 1u);
  ASSERT_EQ(outer.shown().size(), 1u);
  EXPECT_EQ(outer.shown()[0].text, "outer");
  EXPECT_EQ(platform::setMessageBoxHandler(nullptr), &outer);
  EXPECT_EQ(platform::setMessageBoxHandler(&outer), nullptr);
}

TEST(MessageBoxes, WithoutAHandlerTheRequestGoesToStandardError) {
  platform::ScopedMessageBoxHandler none(nullptr);
  testing::internal::CaptureStderr();
  const int answer = platform::messageBox(nullptr, "Could not open \"tabauth3.db\".", "Database error",
                                          platform::kMbYesNo | platform::kMbIconError);
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, platform::kIdYes);
  EXPECT_EQ(written, "Database error: Could not open \"tabauth3.db\".\n");
}

// A handler that shows a second box while answering the first, as a real
// dialog may; the handler must be called without any lock held.
class NestingHandler : public platform::MessageBoxHandler {
 public:
  int show(const MessageBoxRequest& request) override {
    texts.push_back(request.text);
    if (request.text == "outer") (void)platform::messageBox(nullptr, "inner", "c", platform::kMbOk);
    return platform::kIdCancel;
  }
  std::vector<std::string> texts;
};

TEST(MessageBoxes, HandlerMayShowAnotherBox) {
  NestingHandler handler;
  platform::ScopedMessageBoxHandler installed(&handler);
  EXPECT_EQ(platform::messageBox(nullptr, "outer", "c", platform::kMbOkCancel), platform::kIdCancel);
  EXPECT_EQ(handler.texts, (std::vector<std::string>{"outer", "inner"}));
}

}  // namespace
