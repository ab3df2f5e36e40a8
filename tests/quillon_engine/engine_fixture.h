// A document engine behind a real host window, reached through the plug-in's
// own host command layer. In: host commands sent as the plug-in sends them.
// Out: the engine's document to inspect, and the saves and name requests it
// made.
#pragma once

#include <gtest/gtest.h>

#include <map>
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
  bool save(const quillon::doc::Document& document, const std::string& path) override {
    paths.push_back(path);
    texts.push_back(document.text());
    return succeed;
  }
  std::vector<std::string> paths;
  std::vector<std::string> texts;
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
  void SetUp() override;
  void TearDown() override;

  quillon::doc::Document& doc() { return engine_.document(); }
  host::HostCommands& c() { return host::hostCommands(); }
  static host::HostText t(const std::string& text) { return host::HostText(text); }

  // Position of a bookmark's start, or -1 when it does not exist.
  long markAt(const std::string& name);
  // Visible text between two bookmarks' starts.
  std::string textBetween(const std::string& from, const std::string& to);
  std::string selected() { return c().GetSelectedText().text(); }
  // Index of the n-th (0-based) occurrence of `needle` in the item stream,
  // counting visible characters only when the text has no codes in between.
  std::size_t positionOf(const std::string& needle, int nth = 0);

  // The plug-in's sequences, step by step as it sends them.
  bool bookmarkExists(const std::string& name);
  // Refresh: page map from the occurrence marks, then the page lists rewritten.
  void refreshPageNumbers(bool link, int perLine);
  void removeOldMarks();

  RecordingStore store_;
  ScriptedPrompt prompt_;
  quillon::DocumentEngine engine_{store_, prompt_};
  quillon::BlockExecutor executor_{engine_};
  quillon::HostWindow window_{executor_};

 private:
  host::ProcessValues saved_;
};

}  // namespace engine_test
