// Checks the shell's "open". In: documents and viewer commands. Out: the
// viewer receives the path as one argument without the caller waiting,
// missing files and unstartable viewers fail, finished viewers are reaped; an
// installed handler takes the place of the viewer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace {

using platform::shellOpen;
using platform_test::writeFile;

// Waits up to 20 seconds for done().
bool waitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 2000 && !done(); ++i) platform::sleepMilliseconds(10);
  return done();
}

class ShellOpenTest : public ::testing::Test {
 protected:
  // Writes a shell script with the given mode; returns its path.
  std::string script(const std::string& name, const std::string& body, mode_t mode = 0755) {
    writeFile(folder_.file(name), "#!/bin/sh\n" + body);
    ::chmod(folder_.file(name).c_str(), mode);
    return folder_.file(name);
  }

  platform_test::TemporaryFolder folder_;
  const std::string output_ = folder_.file("opened.txt");
  const std::string document_ = folder_.file("User Guide (v3).pdf");
  // The viewer writes its argument and its process id, in one rename.
  platform_test::ScopedEnvironment command_{
      "LEXORDA_OPEN_COMMAND",
      script("viewer.sh", "printf '%s\\n%s\\n' \"$1\" \"$$\" > '" + output_ + ".tmp' && mv '" + output_ + ".tmp' '" +
                              output_ + "'\n")};
};

TEST_F(ShellOpenTest, ViewerGetsThePathAsOneArgumentAndIsReapedWhenDone) {
  writeFile(document_, "%PDF");
  {
    platform_test::ScopedEnvironment command("LEXORDA_OPEN_COMMAND", script("slow.sh", "sleep 5\n"));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(shellOpen(document_));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "the caller does not wait";
  }
  pid_t first = 0;
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(shellOpen(document_));
    ASSERT_TRUE(waitFor([&] { return platform::fileExists(output_); }));
    const std::string report = platform_test::readFile(output_);
    std::remove(output_.c_str());
    EXPECT_EQ(report.substr(0, report.find('\n')), document_);
    if (run > 0) break;
    first = static_cast<pid_t>(std::stol(report.substr(report.find('\n') + 1)));
    const std::string stat = "/proc/" + std::to_string(first) + "/stat";
    ASSERT_TRUE(waitFor([&] { return platform_test::readFile(stat).find(") Z ") != std::string::npos; }));
  }
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
  writeFile(document_, "%PDF");
  for (const std::string& viewer : {folder_.file("missing"), std::string("lexorda-not-on-path"),
                                    script("plain.sh", "", 0644)}) {
    SCOPED_TRACE(viewer);
    platform_test::ScopedEnvironment command("LEXORDA_OPEN_COMMAND", viewer);
    EXPECT_FALSE(shellOpen(document_));
  }
}

// A batch host reports the path instead of starting a viewer; the scope's end
// brings the viewer back, and a missing file never reaches the handler.
TEST_F(ShellOpenTest, InstalledHandlerStandsInForTheViewer) {
  struct Recorder : platform::ShellOpenHandler {
    std::vector<std::string> paths;
    bool answer = true;
    bool open(const std::string& path) override {
      paths.push_back(path);
      return answer;
    }
  } recorder;
  writeFile(document_, "%PDF");
  {
    platform::ScopedShellOpenHandler scoped(&recorder);
    EXPECT_FALSE(shellOpen(folder_.file("missing.pdf")));
    EXPECT_TRUE(shellOpen(document_));
    recorder.answer = false;
    EXPECT_FALSE(shellOpen(document_)) << "the handler's failure is the caller's";
  }
  EXPECT_EQ(recorder.paths, (std::vector<std::string>{document_, document_}));
  platform::sleepMilliseconds(200);
  EXPECT_FALSE(platform::fileExists(output_)) << "no viewer while the handler was in place";
  ASSERT_TRUE(shellOpen(document_));
  EXPECT_TRUE(waitFor([&] { return platform::fileExists(output_); })) << "the viewer is back";
}

}  // namespace
