// Turns names into process-wide 16-bit atoms with reference counts, and atoms
// back into names.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/internal/ascii.h"
#include "platform/platform.h"

namespace platform {
namespace {

constexpr Atom kFirstAtom = 0xC000;
constexpr Atom kLastAtom = 0xFFFF;
constexpr std::size_t kMaxAtomName = 255;

struct AtomEntry {
  std::string name;  // spelling of the first addition
  unsigned references = 0;
};

struct AtomTable {
  std::mutex mutex;
  std::map<Atom, AtomEntry> entries;
};

AtomTable& table() {
  static AtomTable instance;
  return instance;
}

// A few dozen atoms live at a time; a linear search is plenty.
std::map<Atom, AtomEntry>::iterator findByName(AtomTable& atoms, std::string_view name) {
  return std::find_if(atoms.entries.begin(), atoms.entries.end(), [name](const auto& item) {
    return internal::equalsIgnoringCase(item.second.name, name);
  });
}

bool validName(std::string_view name) { return !name.empty() && name.size() <= kMaxAtomName; }

}  // namespace

Atom globalAddAtom(std::string_view name) {
  if (!validName(name)) return 0;
  AtomTable& atoms = table();
  std::lock_guard lock(atoms.mutex);
  if (auto found = findByName(atoms, name); found != atoms.entries.end()) {
    ++found->second.references;
    return found->first;
  }
  // Lowest free id: the map is ordered, so walk it until a gap appears.
  unsigned candidate = kFirstAtom;
  for (const auto& item : atoms.entries) {
    if (item.first != candidate) break;
    ++candidate;
  }
  if (candidate > kLastAtom) return 0;  // table full
  const Atom atom = static_cast<Atom>(candidate);
  atoms.entries.emplace(atom, AtomEntry{std::string(name), 1});
  return atom;
}

Atom globalFindAtom(std::string_view name) {
  if (!validName(name)) return 0;
  AtomTable& atoms = table();
  std::lock_guard lock(atoms.mutex);
  const auto found = findByName(atoms, name);
  return found != atoms.entries.end() ? found->first : 0;
}

unsigned globalGetAtomName(Atom atom, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  AtomTable& atoms = table();
  std::lock_guard lock(atoms.mutex);
  const auto found = atoms.entries.find(atom);
  if (found == atoms.entries.end()) return 0;
  const std::string& name = found->second.name;
  const std::size_t count = std::min(name.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, name.data(), count);
  buffer[count] = '\0';
  return static_cast<unsigned>(count);
}

Atom globalDeleteAtom(Atom atom) {
  AtomTable& atoms = table();
  std::lock_guard lock(atoms.mutex);
  const auto found = atoms.entries.find(atom);
  if (found == atoms.entries.end()) return atom;
  if (--found->second.references == 0) atoms.entries.erase(found);
  return 0;
}

}  // namespace platform
