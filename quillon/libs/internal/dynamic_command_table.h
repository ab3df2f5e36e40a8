// The interface library's process-wide state: command descriptors, the
// dynamic command lists kept per host atom, and the style flags of command
// bars. In: descriptors and names from the plug-ins. Out: temporary command
// ids and copies of what is stored. Every member is guarded by one mutex.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/libs/internal/packed_dib.h"

namespace quillon::internal {

// What a plug-in describes its command with. The host keeps its own copy.
struct CommandDescriptor {
  std::u16string name;
  std::array<std::u16string, 3> displayTexts;
  std::intptr_t hostArgument = 0;
  std::optional<CommandBitmap> bitmap;
};

struct DynamicCommand {
  std::uint32_t id = 0;
  CommandDescriptor descriptor;
};

inline constexpr std::uint32_t kFirstDynamicCommandId = 0x9C40;
inline constexpr std::uint32_t kUnknownCommandId = 0xD408;

class DynamicCommandTable {
 public:
  // Takes a descriptor and returns the address that identifies it to callers.
  const CommandDescriptor* createDescriptor(CommandDescriptor descriptor);
  // False for an address that createDescriptor did not return or that was
  // already destroyed.
  bool destroyDescriptor(const void* descriptor);
  std::size_t liveDescriptorCount() const;

  // Copies the descriptor into the atom's list. A name already in the list is
  // replaced in place and keeps its id; a new name gets the next id, counted
  // across all atoms from 0x9C40. Returns the id, or nullopt for an unknown
  // descriptor.
  std::optional<std::uint32_t> add(std::uint16_t atom, const void* descriptor);
  // The id of name in the atom's list, or nullopt.
  std::optional<std::uint32_t> idOf(std::uint16_t atom, std::u16string_view name) const;
  // Removes name from the atom's list. False when it is not there.
  bool remove(std::uint16_t atom, std::u16string_view name);

  // The atom's list in the order the commands were first added.
  std::size_t count(std::uint16_t atom) const;
  std::optional<DynamicCommand> at(std::uint16_t atom, std::size_t index) const;

  // Style flags per command-bar window; 0 until set. set returns the old flags.
  std::uint32_t barStyle(const void* bar) const;
  std::uint32_t setBarStyle(const void* bar, std::uint32_t style);

 private:
  mutable std::mutex mutex_;
  std::map<const void*, std::unique_ptr<CommandDescriptor>> descriptors_;
  std::map<std::uint16_t, std::vector<DynamicCommand>> lists_;
  std::uint32_t nextId_ = kFirstDynamicCommandId;
  std::map<const void*, std::uint32_t> barStyles_;
};

// The one table of the loaded library.
DynamicCommandTable& dynamicCommandTable();

}  // namespace quillon::internal
