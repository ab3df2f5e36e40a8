// Checks the shell's "open": the configured viewer receives the path as one
// argument without the caller waiting, missing files and unstartable viewers
// fail, and finished viewers are reaped.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using platform_test::readFile;

bool waitFor(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    if (done()) return true;
    platform::sleepMilliseconds(10);
  }
  return done();
}

char processState(pid_t pid) {
  const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() ? stat[close + 2] : '?';
}

// A viewer script that writes its argument and its process id to a file.
class ShellOpenTest : public ::testing::Test {
 protected:
  ShellOpenTest() {
    platform_test::writeFile(viewer_, "#!/bin/sh\nprintf '%s\\n%s\\n' \"$1\" \"$$\" > '" + output_ +
                                          ".tmp' && mv '" + output_ + ".tmp' '" + output_ + "'\n");
    ::chmod(viewer_.c_str(), 0755);
  }

  // Waits for the viewer's report; returns {argument, pid}.
  std::pair<std::string, pid_t> report() {
    if (!waitFor([this] { return platform::fileExists(output_); })) return {"", 0};
    const std::string text = readFile(output_);
    std::remove(output_.c_str());
    const std::size_t cut = text.find('\n');
    if (cut == std::string::npos) return {"", 0};
    return {text.substr(0, cut), static_cast<pid_t>(std::stol(text.substr(cut + 1)))};
  }

  platform_test::TemporaryFolder folder_;
  const std::string viewer_ = folder_.file("viewer.sh");
  const std::string output_ = folder_.file("opened.txt");
  platform_test::ScopedEnvironment command_{"LEXORDA_OPEN_COMMAND", viewer_};
};

TEST_F(ShellOpenTest, ViewerGetsThePathAsOneArgument) {
  const std::string document = folder_.file("User Guide (v3).pdf");
  platform_test::writeFile(document, "%PDF");
  ASSERT_TRUE(platform::shellOpen(document));
  EXPECT_EQ(report().first, document);
}

TEST_F(ShellOpenTest, DoesNotWaitForTheViewer) {
  platform_test::writeFile(viewer_, "#!/bin/sh\nsleep 5\n");
  const std::string document = folder_.file("guide.pdf");
  platform_test::writeFile(document, "%PDF");
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(platform::shellOpen(document));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(ShellOpenTest, MissingFileStartsNothing) {
  EXPECT_FALSE(platform::shellOpen(folder_.file("missing.pdf")));
  EXPECT_FALSE(platform::shellOpen(""));
  platform::sleepMilliseconds(200);
  EXPECT_FALSE(platform::fileExists(output_));
}

TEST_F(ShellOpenTest, ViewerThatCannotStartFails) {
  const std::string document = folder_.file("guide.pdf");
  platform_test::writeFile(document, "%PDF");
  const std::string notExecutable = folder_.file("plain.sh");
  platform_test::writeFile(notExecutable, "#!/bin/sh\n");
  ::chmod(notExecutable.c_str(), 0644);
  struct Row {
    const char* name;
    std::string command;
  };
  const Row rows[] = {
      {"no such program", folder_.file("no-such-viewer")},
      {"no such program on the search path", "lexorda-no-such-viewer"},
      {"not executable", notExecutable},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform_test::ScopedEnvironment command("LEXORDA_OPEN_COMMAND", row.command);
    EXPECT_FALSE(platform::shellOpen(document));
  }
}

TEST_F(ShellOpenTest, FinishedViewersAreReaped) {
  const std::string document = folder_.file("guide.pdf");
  platform_test::writeFile(document, "%PDF");
  ASSERT_TRUE(platform::shellOpen(document));
  const pid_t first = report().second;
  ASSERT_GT(first, 0);
  ASSERT_TRUE(waitFor([first] { return processState(first) == 'Z'; })) << "viewer did not finish";

  ASSERT_TRUE(platform::shellOpen(document));
  EXPECT_GT(report().second, 0);
  // The second call reaped the first viewer: it is no longer our child.
  int status = 0;
  errno = 0;
  EXPECT_EQ(::waitpid(first, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

}  // namespace
