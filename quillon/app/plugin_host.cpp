// Loads, starts, announces, invokes and unloads the plug-ins of one run; see
// plugin_host.h.
#include "quillon/app/plugin_host.h"

#include "quillon/app/console.h"
#include "quillon/app/exit_codes.h"
#include "quillon/app/tokens.h"
#include "quillon/commands/request_format.h"
#include "quillon/libs/text_codec.h"

namespace quillon::app {
namespace {

constexpr const char* kHostAtomName = "Quillon";

std::string describe(const RegisteredCommand& command) {
  std::string line = "command: " + utf8OfHostString(command.name) + " (";
  for (std::size_t i = 0; i < command.displayTexts.size(); ++i) {
    if (i > 0) line += ", ";
    line += utf8OfHostString(command.displayTexts[i]);
  }
  return line + ") id " + std::to_string(command.id);
}

}  // namespace

PluginHost::PluginHost(DocumentEngine& engine) : engine_(engine) {}

PluginHost::~PluginHost() {
  // The window and bar go first: a plug-in's exit must not find them half gone.
  bar_.reset();
  hostWindow_.reset();
  for (Plugin& plugin : plugins_) unloadPlugin(plugin);
  if (hostAtom_ != 0) (void)platform::globalDeleteAtom(hostAtom_);
}

int PluginHost::loadPlugins() {
  hostAtom_ = platform::globalAddAtom(kHostAtomName);
  const PluginList list = readPluginList();
  for (const std::string& warning : list.warnings) reportWarning(warning);
  if (!list.error.empty()) {
    reportError(list.error);
    return kExitNoPluginList;
  }
  int code = kExitOk;
  for (const std::string& file : list.files) {
    LoadResult result = loadPlugin(file, hostAtom_);
    if (!result.error.empty()) {
      reportError(result.error);
      code = kExitPluginFailed;
      continue;
    }
    printLine("plug-in: " + file + " loaded");
    plugins_.push_back(result.plugin);
  }
  return code;
}

void PluginHost::start(bool listCommands, bool logCommands) {
  commands_ = interface_.commands(hostAtom_);
  if (listCommands) {
    for (const RegisteredCommand& command : commands_) printLine(describe(command));
  }
  executor_ = std::make_unique<BlockExecutor>(engine_);
  if (logCommands) {
    executor_->setObserver([](const CommandRequest& request, const CommandResult&) {
      printLine("host command: " + formatRequest(request));
    });
  }
  hostWindow_ = std::make_unique<HostWindow>(*executor_);
  bar_ = std::make_unique<CommandBar>([this](std::uint32_t id) {
    const auto command = findCommand(commands_, id);
    printLine("command bar: " + (command ? utf8OfHostString(command->name) : "id " + std::to_string(id)) +
              " added");
  });
  for (Plugin& plugin : plugins_) {
    Announcement announcement(hostAtom_, bar_->handle());
    if (announcement.token().valid()) {
      (void)plugin.handleToken(&announcement.token().block(), hostWindow_->handle(), 0);
    }
  }
}

bool PluginHost::invoke(const RegisteredCommand& command) {
  if (!hostWindow_) return false;
  for (Plugin& plugin : plugins_) {
    Token token(hostAtom_, static_cast<std::uint16_t>(command.id), 0);
    if (!token.valid()) return false;
    if (plugin.validateToken(token.block(), 0) != kTokenAccepted) continue;
    (void)plugin.handleToken(&token.block(), hostWindow_->handle(), 0);
    return true;
  }
  return false;
}

}  // namespace quillon::app
