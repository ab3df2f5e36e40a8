// Checks the shell's "open". In: documents and viewer commands. Out: the
// viewer receives the path as one argument without the caller waiting,
// missing files and unstartable viewers fail, finished viewers are reaped.
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

using platform::shellOpen;
using platform_test::readFile;
using platform_test::writeFile;

bool waitFor(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    platform::sleepMilliseconds(10);
  }
  return true;
}

// A viewer script that writes its argument and its process id to a file.
class ShellOpenTest : public ::testing::Test {
 protected:
  ShellOpenTest() {
    writeFile(viewer_, "#!/bin/sh\nprintf '%s\\n%s\\n' \"$1\" \"$$\" > '" + output_ + ".tmp' && mv '" + output_ +
                           ".tmp' '" + output_ + "'\n");
    ::chmod(viewer_.c_str(), 0755);
    writeFile(document_, "%PDF");
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
  const std::string document_ = folder_.file("User Guide (v3).pdf");
  platform_test::ScopedEnvironment command_{"LEXORDA_OPEN_COMMAND", viewer_};
};

TEST_F(ShellOpenTest, ViewerGetsThePathAsOneArgumentAndIsReapedWhenDone) {
  {
    const std::string slow = folder_.file("slow.sh");
    writeFile(slow, "#!/bin/sh\nsleep 5\n");
    ::chmod(slow.c_str(), 0755);
    platform_test::ScopedEnvironment command("LEXORDA_OPEN_COMMAND", slow);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(shellOpen(document_));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "the caller does not wait";
  }
  ASSERT_TRUE(shellOpen(document_));
  const auto [argument, first] = report();
  EXPECT_EQ(argument, document_);
  ASSERT_GT(first, 0);
  const std::string stat = "/proc/" + std::to_string(first) + "/stat";
  ASSERT_TRUE(waitFor([&] { return readFile(stat).find(") Z ") != std::string::npos; })) << "viewer did not finish";

  ASSERT_TRUE(shellOpen(document_));
  EXPECT_GT(report().second, 0);
  // The second call reaped the first viewer: it is no longer our child.
  int status = 0;
  errno = 0;
  EXPECT_EQ(::waitpid(first, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ShellOpenTest, MissingFileOrUnstartableViewerFails) {
  EXPECT_FALSE(shellOpen(folder_.file("missing.pdf")));
  EXPECT_FALSE(shellOpen(""));
  platform::sleepMilliseconds(200);
  EXPECT_FALSE(platform::fileExists(output_)) << "a missing file starts nothing";

  const std::string notExecutable = folder_.file("plain.sh");
  writeFile(notExecutable, "#!/bin/sh\n");
  ::chmod(notExecutable.c_str(), 0644);
  for (const std::string& viewer : {folder_.file("missing"), std::string("lexorda-not-on-path"), notExecutable}) {
    SCOPED_TRACE(viewer);
    platform_test::ScopedEnvironment command("LEXORDA_OPEN_COMMAND", viewer);
    EXPECT_FALSE(shellOpen(document_));
  }
}

}  // namespace
