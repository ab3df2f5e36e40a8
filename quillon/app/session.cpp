// The order in which the host meets its plug-ins: load and start each one,
// show the registered commands, create the host window and the command bar,
// announce the bar, invoke a command, stop and unload every plug-in.
#include "quillon/app/session.h"

#include <cstdio>
#include <string>
#include <vector>

#include "quillon/app/command_bar.h"
#include "quillon/app/message_printer.h"
#include "quillon/app/plugin_loader.h"
#include "quillon/app/registered_commands.h"
#include "quillon/app/tokens.h"
#include "quillon/commands/host_window.h"
#include "quillon/app/interim_store.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/request_format.h"
#include "quillon/libs/text_codec.h"

namespace quillon::app {
namespace {

constexpr const char* kHostAtomName = "Quillon";

void reportError(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "quillon: %s\n", message.c_str());
}

void printLine(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string describe(const RegisteredCommand& command) {
  std::string line = "command: " + utf8OfHostString(command.name) + " (";
  for (std::size_t i = 0; i < command.displayTexts.size(); ++i) {
    if (i > 0) line += ", ";
    line += utf8OfHostString(command.displayTexts[i]);
  }
  return line + ") id " + std::to_string(command.id);
}

// Offers the command's token to each plug-in; the first that claims it
// handles it. False when none claims it.
bool invoke(const RegisteredCommand& command, std::vector<Plugin>& plugins, platform::Atom hostAtom,
            platform::WindowHandle hostWindow) {
  for (Plugin& plugin : plugins) {
    Token token(hostAtom, static_cast<std::uint16_t>(command.id), 0);
    if (!token.valid()) return false;
    if (plugin.validateToken(token.block(), 0) != kTokenAccepted) continue;
    (void)plugin.handleToken(&token.block(), hostWindow, 0);
    return true;
  }
  return false;
}

// Owns the host atom and the plug-ins for the length of a run.
class Run {
 public:
  explicit Run(const Options& options) : options_(options), printer_(options.answers) {}
  ~Run() {
    for (Plugin& plugin : plugins_) unloadPlugin(plugin);
    if (hostAtom_ != 0) (void)platform::globalDeleteAtom(hostAtom_);
  }

  int execute();

 private:
  int loadPlugins();
  int runCommands();

  const Options& options_;
  PrintingMessageBoxHandler printer_;
  platform::ScopedMessageBoxHandler scopedPrinter_{&printer_};
  InterfaceLibrary interface_;
  platform::Atom hostAtom_ = 0;
  std::vector<Plugin> plugins_;
};

int Run::execute() {
  if (!interface_.loaded()) {
    reportError(interface_.error());
    return kExitNoInterfaceLibrary;
  }
  hostAtom_ = platform::globalAddAtom(kHostAtomName);
  const int loaded = loadPlugins();
  if (loaded == kExitNoPluginList) return loaded;
  const int ran = runCommands();
  return ran != kExitOk ? ran : loaded;
}

int Run::loadPlugins() {
  const PluginList list = readPluginList();
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

int Run::runCommands() {
  const std::vector<RegisteredCommand> commands = interface_.commands(hostAtom_);
  if (options_.listCommands) {
    for (const RegisteredCommand& command : commands) printLine(describe(command));
  }

  PlainTextStore store;
  CancellingNamePrompt prompt;
  DocumentEngine document(store, prompt);
  BlockExecutor executor(document);
  if (options_.logCommands) {
    executor.setObserver([](const CommandRequest& request, const CommandResult&) {
      printLine("host command: " + formatRequest(request));
    });
  }
  HostWindow hostWindow(executor);
  CommandBar bar([&commands](std::uint32_t id) {
    const auto command = findCommand(commands, id);
    printLine("command bar: " +
              (command ? utf8OfHostString(command->name) : "id " + std::to_string(id)) + " added");
  });

  for (Plugin& plugin : plugins_) {
    Announcement announcement(hostAtom_, bar.handle());
    if (announcement.token().valid()) {
      (void)plugin.handleToken(&announcement.token().block(), hostWindow.handle(), 0);
    }
  }

  if (!options_.invoke) return kExitOk;
  const auto command = findCommand(commands, *options_.invoke);
  if (!command) {
    reportError("no command named \"" + *options_.invoke + "\" is registered");
    return kExitUnknownCommand;
  }
  if (!invoke(*command, plugins_, hostAtom_, hostWindow.handle())) {
    reportError("no plug-in accepted the command \"" + *options_.invoke + "\"");
    return kExitPluginFailed;
  }
  return kExitOk;
}

}  // namespace

int runSession(const Options& options) {
  Run run(options);
  return run.execute();
}

}  // namespace quillon::app
