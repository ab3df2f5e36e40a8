// Root names of the registry tools.
#include "quillon/tools/registry_path.h"

#include <strings.h>

namespace quillon::tools {
namespace {

struct RootName {
  const char* name;
  platform::RegistryRoot root;
};

constexpr RootName kRoots[] = {
    {"HKLM", platform::RegistryRoot::LocalMachine},
    {"HKEY_LOCAL_MACHINE", platform::RegistryRoot::LocalMachine},
    {"HKCU", platform::RegistryRoot::CurrentUser},
    {"HKEY_CURRENT_USER", platform::RegistryRoot::CurrentUser},
};

std::string_view trimmedSeparators(std::string_view text) {
  while (!text.empty() && text.front() == '\\') text.remove_prefix(1);
  while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<RegistryPath> parseRegistryPath(std::string_view text) {
  const std::size_t cut = text.find('\\');
  const std::string rootName(text.substr(0, cut));
  for (const RootName& candidate : kRoots) {
    if (strcasecmp(rootName.c_str(), candidate.name) != 0) continue;
    RegistryPath key;
    key.root = candidate.root;
    if (cut != std::string_view::npos) key.path = trimmedSeparators(text.substr(cut));
    return key;
  }
  return std::nullopt;
}

std::string fullKeyName(const RegistryPath& key) {
  std::string name =
      key.root == platform::RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
  if (!key.path.empty()) name += "\\" + key.path;
  return name;
}

}  // namespace quillon::tools
