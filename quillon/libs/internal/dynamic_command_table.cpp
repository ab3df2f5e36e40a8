// Dynamic command lists, descriptors and command-bar styles of the host's
// interface library.
#include "quillon/libs/internal/dynamic_command_table.h"

#include <algorithm>

namespace quillon::internal {
const CommandDescriptor* DynamicCommandTable::createDescriptor(CommandDescriptor descriptor) {
  auto owned = std::make_unique<CommandDescriptor>(std::move(descriptor));
  const CommandDescriptor* address = owned.get();
  std::lock_guard lock(mutex_);
  descriptors_.emplace(address, std::move(owned));
  return address;
}

bool DynamicCommandTable::destroyDescriptor(const void* descriptor) {
  std::lock_guard lock(mutex_);
  const auto found = descriptors_.find(descriptor);
  if (found == descriptors_.end()) return false;
  descriptors_.erase(found);
  return true;
}

std::size_t DynamicCommandTable::liveDescriptorCount() const {
  std::lock_guard lock(mutex_);
  return descriptors_.size();
}

std::optional<std::uint32_t> DynamicCommandTable::add(std::uint16_t atom, const void* descriptor) {
  std::lock_guard lock(mutex_);
  const auto found = descriptors_.find(descriptor);
  if (found == descriptors_.end()) return std::nullopt;
  const CommandDescriptor& source = *found->second;
  std::vector<DynamicCommand>& list = lists_[atom];
  const auto same = std::find_if(list.begin(), list.end(), [&](const DynamicCommand& command) {
    return command.descriptor.name == source.name;
  });
  if (same != list.end()) {
    same->descriptor = source;
    return same->id;
  }
  list.push_back({nextId_++, source});
  return list.back().id;
}

std::optional<std::uint32_t> DynamicCommandTable::idOf(std::uint16_t atom,
                                                       std::u16string_view name) const {
  std::lock_guard lock(mutex_);
  const auto list = lists_.find(atom);
  if (list == lists_.end()) return std::nullopt;
  for (const DynamicCommand& command : list->second) {
    if (command.descriptor.name == name) return command.id;
  }
  return std::nullopt;
}

bool DynamicCommandTable::remove(std::uint16_t atom, std::u16string_view name) {
  std::lock_guard lock(mutex_);
  const auto list = lists_.find(atom);
  if (list == lists_.end()) return false;
  return std::erase_if(list->second, [&](const DynamicCommand& command) {
           return command.descriptor.name == name;
         }) > 0;
}

std::size_t DynamicCommandTable::count(std::uint16_t atom) const {
  std::lock_guard lock(mutex_);
  const auto list = lists_.find(atom);
  return list == lists_.end() ? 0 : list->second.size();
}

std::optional<DynamicCommand> DynamicCommandTable::at(std::uint16_t atom, std::size_t index) const {
  std::lock_guard lock(mutex_);
  const auto list = lists_.find(atom);
  if (list == lists_.end() || index >= list->second.size()) return std::nullopt;
  return list->second[index];
}

std::uint32_t DynamicCommandTable::barStyle(const void* bar) const {
  std::lock_guard lock(mutex_);
  const auto found = barStyles_.find(bar);
  return found == barStyles_.end() ? 0 : found->second;
}

std::uint32_t DynamicCommandTable::setBarStyle(const void* bar, std::uint32_t style) {
  std::lock_guard lock(mutex_);
  std::uint32_t& stored = barStyles_[bar];
  const std::uint32_t old = stored;
  stored = style;
  return old;
}

DynamicCommandTable& dynamicCommandTable() {
  static DynamicCommandTable table;
  return table;
}

}  // namespace quillon::internal
