// The host's side of its plug-ins for as long as they run: the interface
// library, the host atom, the loaded plug-ins, the host window that carries
// out their command blocks on the document engine, and the command bar they
// announce themselves to. In: the document engine. Out: the commands the
// plug-ins registered, and each one run on request. Shared by the batch run
// and the desktop window, so that a command runs the same way in both.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "quillon/app/command_bar.h"
#include "quillon/app/plugin_loader.h"
#include "quillon/app/registered_commands.h"
#include "quillon/commands/block_executor.h"
#include "quillon/commands/document_engine.h"
#include "quillon/commands/host_window.h"

namespace quillon::app {

class PluginHost {
 public:
  // The engine must outlive the host. Loads the interface library at once.
  explicit PluginHost(DocumentEngine& engine);
  // Stops and unloads every plug-in, then deletes the host atom.
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  bool interfaceLoaded() const { return interface_.loaded(); }
  const std::string& interfaceError() const { return interface_.error(); }

  // Adds the host atom and loads each plug-in of the registry's list,
  // printing "plug-in: FILE loaded" or the reason one failed. kExitOk,
  // kExitPluginFailed (the others still load) or kExitNoPluginList.
  int loadPlugins();

  // Reads the registered commands (printed as "command: ..." lines with
  // listCommands), creates the host window (printing every command block it
  // carries out with logCommands) and the command bar, and announces the bar
  // to each plug-in.
  void start(bool listCommands, bool logCommands);

  const std::vector<RegisteredCommand>& commands() const { return commands_; }

  // Offers the command's token to each plug-in; the first that claims it
  // handles it, which returns when its dialog closes. False when none
  // claims it.
  bool invoke(const RegisteredCommand& command);

 private:
  DocumentEngine& engine_;
  InterfaceLibrary interface_;
  platform::Atom hostAtom_ = 0;
  std::vector<Plugin> plugins_;
  std::vector<RegisteredCommand> commands_;
  std::unique_ptr<BlockExecutor> executor_;
  std::unique_ptr<HostWindow> hostWindow_;
  std::unique_ptr<CommandBar> bar_;
};

}  // namespace quillon::app
