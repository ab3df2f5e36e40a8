// The stand-in host's real document engine inside the test process, as the
// plug-in meets it: the host's string library bound as the plug-in binds it,
// the engine behind a host window that host::processValues() names, native
// files saved for real, a scripted name prompt, and a private copy of the
// shipped database. In: a document (imported Markdown or typed) and the
// plug-in's host commands. Out: the engine's document, every command it
// carried out, and the document exported as text or Markdown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/process_values.h"
#include "quillon/commands/block_executor.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"
#include "tests/platform/fixtures.h"

namespace table_test {

// Binds the host's string library once per process, from the program's own
// folder as the plug-in does. True when the string functions are there.
bool bindHostStrings();

// Saves native files; a save to a path in `refused` fails as a full disk would.
struct NativeStore : quillon::DocumentStore {
  bool save(quillon::doc::Document& document, const std::string& path) override;
  std::vector<std::string> refused;
};

// Answers each request for a name with the next scripted answer ("" cancels,
// as does running out of answers).
struct ScriptedNamePrompt : quillon::NamePrompt {
  std::string askForName() override;
  std::vector<std::string> answers;
  int asked = 0;
};

// A copy of the shipped database that the db operations open while it lives.
class TempDatabase {
 public:
  explicit TempDatabase(const std::string& shippedPath);
  ~TempDatabase();
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;
  // Runs one SQL statement on the copy, e.g. to change the "Default" set.
  void exec(const std::string& sql) const;

 private:
  platform_test::TemporaryFolder folder_;
  std::string previous_;
};

class EngineHost {
 public:
  // Makes the engine's window the plug-in's host window (with both atoms);
  // the previous process values come back when it goes.
  EngineHost();
  ~EngineHost();
  EngineHost(const EngineHost&) = delete;
  EngineHost& operator=(const EngineHost&) = delete;

  quillon::DocumentEngine& engine() { return engine_; }
  quillon::doc::Document& document() { return engine_.document(); }
  NativeStore& store() { return store_; }
  ScriptedNamePrompt& prompt() { return prompt_; }

  // Opens a Markdown or native file as the host's File > Open does: a native
  // file keeps its name, an imported one is unnamed.
  void open(const std::string& path);
  // Numbers of the commands carried out since the last clear, in order.
  const std::vector<std::uint16_t>& commands() const { return commands_; }
  // The full requests too, while recording is on (off by default: costly).
  void recordRequests(bool on) { recordRequests_ = on; }
  const std::vector<quillon::CommandRequest>& requests() const { return requests_; }
  void clear() { commands_.clear(), requests_.clear(); }
  // Count of one command since the last clear.
  long count(std::uint16_t command) const;
  // After `limit` more commands the document is swapped for an empty one, so
  // that a pass that would search forever finds nothing and ends; the test
  // then sees the commands spent. 0 turns it off.
  void setCommandFuse(long limit) { fuse_ = limit; }

  // The current document as the host exports it.
  std::string exportText();
  std::string exportMarkdown();

 private:
  NativeStore store_;
  ScriptedNamePrompt prompt_;
  quillon::DocumentEngine engine_{store_, prompt_};
  quillon::BlockExecutor executor_{engine_};
  quillon::HostWindow window_{executor_};
  host::ProcessValues saved_;
  std::vector<std::uint16_t> commands_;
  std::vector<quillon::CommandRequest> requests_;
  bool recordRequests_ = false;
  long fuse_ = 0;
};

}  // namespace table_test
