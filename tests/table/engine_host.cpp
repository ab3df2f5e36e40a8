// The in-process stand-in host of the table tests and benchmarks.
#include "tests/table/engine_host.h"

#include <algorithm>

#include "db/connection.h"
#include "db/sqlite_db.h"
#include "host/host_library.h"
#include "platform/platform.h"
#include "quillon/format/document_file.h"
#include "quillon/format/markdown.h"

namespace table_test {

bool bindHostStrings() {
  host::HostLibraryBinding& binding = host::hostLibraries();
  if (binding.functions().ansiToHostString != nullptr) return true;
  // The string functions are all the commands need.
  (void)binding.bind(17, 0);
  return binding.functions().ansiToHostString != nullptr && binding.functions().hostStringToAnsi != nullptr;
}

bool NativeStore::save(quillon::doc::Document& document, const std::string& path) {
  if (std::find(refused.begin(), refused.end(), path) != refused.end()) return false;
  try {
    quillon::format::saveNativeFile(document, path);
    return true;
  } catch (const quillon::format::FormatError&) {
    return false;
  }
}

std::string ScriptedNamePrompt::askForName() {
  const std::size_t next = static_cast<std::size_t>(asked++);
  return next < answers.size() ? answers[next] : std::string();
}

TempDatabase::TempDatabase(const std::string& shippedPath) : previous_(db::databasePath()) {
  const std::string copy = folder_.file("tabauth3.db");
  std::filesystem::copy_file(shippedPath, copy);
  db::setDatabasePath(copy);
}

TempDatabase::~TempDatabase() { db::setDatabasePath(previous_); }

void TempDatabase::exec(const std::string& sql) const {
  db::CppSQLite3DB connection;
  connection.open(db::databasePath());
  (void)connection.execute(sql);
}

EngineHost::EngineHost() : saved_(host::processValues()) {
  host::ProcessValues& values = host::processValues();
  values.hostWindow = window_.handle();
  values.hostAtom = platform::globalAddAtom("Quillon");
  values.pluginAtom = platform::globalAddAtom("tabauth");
  executor_.setObserver([this](const quillon::CommandRequest& request, const quillon::CommandResult&) {
    commands_.push_back(request.command);
    if (recordRequests_) requests_.push_back(request);
    if (fuse_ > 0 && --fuse_ == 0) engine_.openDocument({}, "");
  });
}

EngineHost::~EngineHost() {
  const host::ProcessValues& values = host::processValues();
  (void)platform::globalDeleteAtom(values.hostAtom);
  (void)platform::globalDeleteAtom(values.pluginAtom);
  host::processValues() = saved_;
}

void EngineHost::open(const std::string& path) {
  quillon::format::OpenedFile file = quillon::format::openDocumentFile(path);
  engine_.openDocument(std::move(file.content), file.kind == quillon::format::FileKind::Native ? path : "");
}

long EngineHost::count(std::uint16_t command) const {
  return static_cast<long>(std::count(commands_.begin(), commands_.end(), command));
}

std::string EngineHost::exportText() { return quillon::format::exportText(engine_.document()); }
std::string EngineHost::exportMarkdown() { return quillon::format::exportMarkdown(engine_.document()); }

}  // namespace table_test
