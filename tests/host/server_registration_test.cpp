// Entering the plug-in into the host's plug-in list and removing it: slots,
// rewrites, full lists and missing keys, for host versions 15 to 18.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/server_registration.h"
#include "tests/host/fixtures.h"

namespace {

using platform::RegistryRoot;

constexpr const char* kPlugin = "/opt/lexorda/tabauth.so";

TEST(ServerRegistration, SlotsPerHostVersion) {
  EXPECT_EQ(host::pluginListKey(15), "Software\\Velmor\\Quillon\\15\\Third Party");
  using Slots = std::vector<std::pair<int, std::string>>;  // DLL<n> = value before
  std::vector<std::string> full;
  // slot: where kPlugin lands in version 17, 0 for nowhere.
  const struct { const char* name; Slots before; int result; int slot; } rows[] = {
      {"a new key gets slot 1", {}, 1, 1},
      {"a slot of the same base name (any case) is rewritten, not an earlier free one",
       {{1, "/opt/other/spell.so"}, {3, "/old/place/TABAUTH.SO"}}, 1, 3},
      {"else the first free slot", {{1, "/a/one.so"}, {2, "/a/two.so"}, {4, "/a/four.so"}}, 1, 3},
      {"a full list fails that version only", {}, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    host_test::TempRegistry registry;
    const std::string key = host::pluginListKey(17);
    Slots before = row.before;
    if (row.result == 0) {
      for (int n = 1; n <= 16; ++n) before.push_back({n, "/other/plugin" + std::to_string(n) + ".so"});
    }
    for (const auto& [n, value] : before) registry.set(RegistryRoot::LocalMachine, key, "DLL" + std::to_string(n), value);
    EXPECT_EQ(host::registerPlugin(kPlugin), row.result);
    for (int n = 1; n <= 16; ++n) {
      const std::string value = registry.get(RegistryRoot::LocalMachine, key, "DLL" + std::to_string(n));
      EXPECT_EQ(value == kPlugin, n == row.slot) << "DLL" << n << " = " << value;
    }
    for (int version : {15, 16, 18}) {
      EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(version), "DLL1"), kPlugin);
    }
  }
  host_test::TempRegistry registry;
  EXPECT_EQ(host::registerPlugin("tabauth.so"), 0) << "a file name without a separator";
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(15), "DLL1"), "<missing>");
}

TEST(ServerUnregistration, RemovesOnlyThePluginsSlotUnderBothRoots) {
  host_test::TempRegistry registry;
  EXPECT_EQ(host::unregisterPlugin(kPlugin), 1) << "no key at all";
  const std::string key = host::pluginListKey(17);
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
    registry.set(root, key, "DLL1", "/x/spell.so");
    registry.set(root, key, "DLL2", "/y/TabAuth.so");
  }
  EXPECT_EQ(host::unregisterPlugin(kPlugin), 1);
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
    EXPECT_EQ(registry.get(root, key, "DLL1"), "/x/spell.so");
    EXPECT_EQ(registry.get(root, key, "DLL2"), "<missing>");
  }
}

}  // namespace
