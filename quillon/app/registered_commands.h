// The commands that plug-ins registered with the host, read from the host's
// own interface library. In: the host atom. Out: each command's id, name and
// display texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "quillon/libs/interface_library.h"

namespace quillon::app {

struct RegisteredCommand {
  std::uint32_t id = 0;
  std::u16string name;
  std::array<std::u16string, 3> displayTexts;
};

// Holds the interface library loaded from the program's folder for the life
// of the program, so that what plug-ins register there stays put while they
// bind and unbind.
class InterfaceLibrary {
 public:
  // Loads "hostifc170.so" beside the running program; loaded() tells whether
  // that worked, error() why not.
  InterfaceLibrary();
  ~InterfaceLibrary();
  InterfaceLibrary(const InterfaceLibrary&) = delete;
  InterfaceLibrary& operator=(const InterfaceLibrary&) = delete;

  bool loaded() const { return count_ != nullptr && at_ != nullptr; }
  const std::string& error() const { return error_; }

  // The commands under the atom in registration order; empty when not loaded.
  std::vector<RegisteredCommand> commands(platform::Atom hostAtom) const;

 private:
  platform::Module module_ = nullptr;
  DynamicCommandCountFn count_ = nullptr;
  DynamicCommandAtFn at_ = nullptr;
  std::string error_;
};

// The command whose name, printed as UTF-8, is exactly name; or nullopt.
std::optional<RegisteredCommand> findCommand(const std::vector<RegisteredCommand>& commands,
                                             const std::string& name);

// The command with this id, or nullopt.
std::optional<RegisteredCommand> findCommand(const std::vector<RegisteredCommand>& commands,
                                             std::uint32_t id);

}  // namespace quillon::app
