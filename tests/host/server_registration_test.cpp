// Entering the plug-in into the host's plug-in list and removing it: slots,
// rewrites, full lists and missing keys, for host versions 15 to 18.
#include <gtest/gtest.h>
#include <string>

#include "host/server_registration.h"
#include "tests/host/fixtures.h"

namespace {

using platform::RegistryRoot;
using host_test::TempRegistry;

constexpr const char* kPlugin = "/opt/lexorda/tabauth.so";

std::string slot(int n) { return "DLL" + std::to_string(n); }

TEST(ServerRegistration, KeyNamesPerHostVersion) {
  EXPECT_EQ(host::pluginListKey(15), "Software\\Velmor\\Quillon\\15\\Third Party");
  EXPECT_EQ(host::pluginListKey(18), "Software\\Velmor\\Quillon\\18\\Third Party");
}

TEST(ServerRegistration, NewKeysGetSlotOneForEveryVersion) {
  TempRegistry registry;
  EXPECT_EQ(host::registerPlugin(kPlugin), 1);
  for (int version = 15; version <= 18; ++version) {
    SCOPED_TRACE(version);
    EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(version), "DLL1"), kPlugin);
    EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(version), "DLL2"),
              "<missing>");
  }
}

TEST(ServerRegistration, ExistingSlotIsRewrittenWithTheCurrentPath) {
  TempRegistry registry;
  const std::string key = host::pluginListKey(17);
  registry.set(RegistryRoot::LocalMachine, key, "DLL1", "/opt/other/spell.so");
  registry.set(RegistryRoot::LocalMachine, key, "DLL3", "/old/place/TABAUTH.SO");
  EXPECT_EQ(host::registerPlugin(kPlugin), 1);
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, key, "DLL3"), kPlugin);
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, key, "DLL1"), "/opt/other/spell.so");
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, key, "DLL2"), "<missing>")
      << "the free slot before the match is not used";
}

TEST(ServerRegistration, FirstFreeSlotIsTaken) {
  TempRegistry registry;
  const std::string key = host::pluginListKey(16);
  registry.set(RegistryRoot::LocalMachine, key, "DLL1", "/a/one.so");
  registry.set(RegistryRoot::LocalMachine, key, "DLL2", "/a/two.so");
  registry.set(RegistryRoot::LocalMachine, key, "DLL4", "/a/four.so");
  EXPECT_EQ(host::registerPlugin(kPlugin), 1);
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, key, "DLL3"), kPlugin);
}

TEST(ServerRegistration, FullListFailsThatVersionOnly) {
  TempRegistry registry;
  const std::string key = host::pluginListKey(18);
  for (int n = 1; n <= 16; ++n) {
    registry.set(RegistryRoot::LocalMachine, key, slot(n), "/other/plugin" + std::to_string(n) + ".so");
  }
  EXPECT_EQ(host::registerPlugin(kPlugin), 0);
  for (int n = 1; n <= 16; ++n) {
    EXPECT_NE(registry.get(RegistryRoot::LocalMachine, key, slot(n)), kPlugin);
  }
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(15), "DLL1"), kPlugin)
      << "the other versions stay registered";
}

TEST(ServerRegistration, FileNameWithoutSeparatorFails) {
  TempRegistry registry;
  EXPECT_EQ(host::registerPlugin("tabauth.so"), 0);
  EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(15), "DLL1"), "<missing>");
}

TEST(ServerUnregistration, SucceedsWhenNoKeyExists) {
  TempRegistry registry;
  EXPECT_EQ(host::unregisterPlugin(kPlugin), 1);
}

TEST(ServerUnregistration, RemovesOnlyThePluginsSlotUnderBothRoots) {
  TempRegistry registry;
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
    const std::string key = host::pluginListKey(17);
    registry.set(root, key, "DLL1", "/x/spell.so");
    registry.set(root, key, "DLL2", "/y/TabAuth.so");
  }
  EXPECT_EQ(host::unregisterPlugin(kPlugin), 1);
  for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
    const std::string key = host::pluginListKey(17);
    EXPECT_EQ(registry.get(root, key, "DLL1"), "/x/spell.so");
    EXPECT_EQ(registry.get(root, key, "DLL2"), "<missing>");
  }
}

TEST(ServerRegistration, RegisterThenUnregisterLeavesNoEntry) {
  TempRegistry registry;
  ASSERT_EQ(host::registerPlugin(kPlugin), 1);
  EXPECT_EQ(host::unregisterPlugin(kPlugin), 1);
  for (int version = 15; version <= 18; ++version) {
    EXPECT_EQ(registry.get(RegistryRoot::LocalMachine, host::pluginListKey(version), "DLL1"),
              "<missing>");
  }
}

}  // namespace
