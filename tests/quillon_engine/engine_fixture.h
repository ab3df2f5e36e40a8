// A document engine behind a real host window, reached through the plug-in's
// own host command layer. In: host commands sent as the plug-in sends them.
// Out: the engine's document to inspect, and the saves and name requests it
// made.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_commands.h"
#include "host/process_values.h"
#include "quillon/commands/block_executor.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"

namespace engine_test {

// Records every save; answers with `succeed`.
struct RecordingStore : quillon::DocumentStore {
  bool save(quillon::doc::Document& document, const std::string& path) override {
    paths.push_back(path);
    texts.push_back(document.text());
    return succeed;
  }
  std::vector<std::string> paths, texts;
  bool succeed = true;
};

// Answers each request for a name with `answer` and counts the requests.
struct ScriptedPrompt : quillon::NamePrompt {
  std::string askForName() override {
    ++asked;
    return answer;
  }
  std::string answer;
  int asked = 0;
};

class EngineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host::hostLibraries().isBound() || host::hostLibraries().bind(17, 0));
    saved_ = host::processValues();
    host::processValues().hostWindow = window_.handle();
    host::processValues().pluginAtom = 0xC101;
    host::processValues().hostAtom = 0xC102;
  }
  void TearDown() override {
    EXPECT_EQ(window_.outstandingReplies(), 0u);
    host::processValues() = saved_;
  }

  quillon::doc::Document& doc() { return engine_.document(); }
  host::HostCommands& c() { return host::hostCommands(); }
  static host::HostText t(const std::string& text) { return host::HostText(text); }
  std::string selected() { return c().GetSelectedText().text(); }

  // Position of a bookmark's start, or -1 when it does not exist.
  long markAt(const std::string& name) {
    const auto* mark = doc().bookmarks().find(name);
    return mark ? static_cast<long>(mark->start.position) : -1;
  }

  // The bookmark names in the order the host enumerates them.
  std::vector<std::string> bookmarkNames() {
    std::int32_t count = 0;
    host::HostText name;
    c().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubCount,
                        host::bookmark_info::kFourth, count);
    std::vector<std::string> names;
    for (std::int32_t i = 1; i <= count; ++i) {
      std::int32_t index = i;
      c().GetBookmarkInfo(name, host::bookmark_info::kWhatBookmarks, host::bookmark_info::kSubName,
                          host::bookmark_info::kFourth, index);
      names.push_back(name.text());
    }
    return names;
  }

  RecordingStore store_;
  ScriptedPrompt prompt_;
  quillon::DocumentEngine engine_{store_, prompt_};
  quillon::BlockExecutor executor_{engine_};
  quillon::HostWindow window_{executor_};

 private:
  host::ProcessValues saved_;
};

}  // namespace engine_test
