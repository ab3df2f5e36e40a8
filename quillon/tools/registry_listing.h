// Lists the values of one registry key by reading the registry file, for
// `qreg query KEY` without /v (the platform's registry reads values only by
// name). In: a key. Out: its values in file order.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "quillon/tools/registry_path.h"

namespace quillon::tools {

using RegistryValue = std::pair<std::string, std::string>;  // name, text

// The values of the key, or nullopt when the file has no such key section.
// Sections and names compare ignoring ASCII letter case; escaped '\' and '"'
// inside quotes are unescaped. A missing file has no keys.
std::optional<std::vector<RegistryValue>> listRegistryValues(const std::string& file,
                                                             const RegistryPath& key);

}  // namespace quillon::tools
