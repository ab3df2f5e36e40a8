// The built plug-in, loaded as the host loads it: its ten exports called by
// name in the host's order, registration of its own file, and the messages
// that reach the host's message-box handler across the library boundary.
#include <array>
#include <cstring>
#include <gtest/gtest.h>

#include "host/server_registration.h"
#include "tests/host/fixtures.h"

namespace {

using host_test::ScopedAtom;
using host_test::TempRegistry;

struct Plugin {
  int (*version)() = nullptr;
  int (*compatibility)(std::uint32_t, std::uint16_t) = nullptr;
  int (*timeStamp)() = nullptr;
  int (*entry)(std::uint32_t) = nullptr;
  int (*exit)() = nullptr;
  int (*handleToken)(void* const*, platform::WindowHandle, std::uint32_t) = nullptr;
  std::uint32_t (*validateToken)(const void*, std::uint32_t) = nullptr;
  int (*multipleInstance)(const char*) = nullptr;
  int (*registerServer)() = nullptr;
  int (*unregisterServer)() = nullptr;
};

template <typename Fn>
void lookUp(platform::Module module, const char* name, Fn* fn) {
  *fn = reinterpret_cast<Fn>(platform::procAddress(module, name));
  ASSERT_NE(*fn, nullptr) << name;
}

class PluginLibrary : public testing::Test {
 protected:
  void SetUp() override {
    module_ = platform::loadLibrary(LEXORDA_PLUGIN_FILE);
    ASSERT_NE(module_, nullptr) << LEXORDA_PLUGIN_FILE;
    lookUp(module_, "TPHVersion", &p_.version);
    lookUp(module_, "TPHCompatibility", &p_.compatibility);
    lookUp(module_, "TPHTimeStamp", &p_.timeStamp);
    lookUp(module_, "TPHEntry", &p_.entry);
    lookUp(module_, "TPHExit", &p_.exit);
    lookUp(module_, "TPHHandleToken", &p_.handleToken);
    lookUp(module_, "TPHValidateToken", &p_.validateToken);
    lookUp(module_, "TPHMultipleInstance", &p_.multipleInstance);
    lookUp(module_, "DllRegisterServer", &p_.registerServer);
    lookUp(module_, "DllUnregisterServer", &p_.unregisterServer);
    previous_ = platform::setMessageBoxHandler(&boxes_);
  }
  void TearDown() override {
    platform::setMessageBoxHandler(previous_);
    if (module_ != nullptr) platform::freeLibrary(module_);
  }

  platform::Module module_ = nullptr;
  Plugin p_;
  platform::ScriptedMessageBoxHandler boxes_;
  platform::MessageBoxHandler* previous_ = nullptr;
};

TEST_F(PluginLibrary, FixedAnswers) {
  EXPECT_EQ(p_.version(), 1);
  EXPECT_EQ(p_.timeStamp(), 0);
  EXPECT_EQ(p_.multipleInstance("any text"), 1);
}

TEST_F(PluginLibrary, HostLifecycleFromCompatibilityToExit) {
  ScopedAtom hostAtom("Quillon");
  ASSERT_EQ(p_.version(), 1);
  EXPECT_EQ(p_.compatibility(hostAtom.atom(), 14), 0);
  ASSERT_EQ(p_.compatibility(hostAtom.atom(), 17), 1);
  ASSERT_EQ(p_.entry(0), 1);
  EXPECT_NE(platform::globalFindAtom("tabauth"), 0);

  // The id the host gave the command is the one the plug-in accepts.
  platform::Module interface = platform::loadLibrary(host_test::hostFolder() + "hostifc170.so");
  platform::Module strings = platform::loadLibrary(host_test::hostFolder() + "hoststr17.so");
  ASSERT_NE(interface, nullptr);
  ASSERT_NE(strings, nullptr);
  auto toHost = reinterpret_cast<void (*)(const char*, std::uint16_t*)>(
      platform::procAddress(strings, "AnsiToHostString"));
  auto idOf = reinterpret_cast<std::uint32_t (*)(std::uint32_t, const std::uint16_t*)>(
      platform::procAddress(interface, "GetDynamicCommandId"));
  ASSERT_NE(toHost, nullptr);
  ASSERT_NE(idOf, nullptr);
  std::array<std::uint16_t, 32> name{};
  toHost("Velmor TOA", name.data());
  const std::uint16_t id = static_cast<std::uint16_t>(idOf(hostAtom.atom(), name.data()));
  ASSERT_NE(id, 0xD408);

  std::array<std::uint8_t, 64> block{};
  std::memcpy(block.data() + 18, &id, sizeof id);
  EXPECT_EQ(p_.validateToken(block.data(), 0), 0x00010001u);
  const std::uint16_t other = id + 1;
  std::array<std::uint8_t, 64> otherBlock{};
  std::memcpy(otherBlock.data() + 18, &other, sizeof other);
  EXPECT_EQ(p_.validateToken(otherBlock.data(), 0), 0u);

  // The command token reaches the plug-in; without an installation it says so
  // through the host process's message-box handler.
  TempRegistry registry;
  void* blockPointer = block.data();
  EXPECT_EQ(p_.handleToken(&blockPointer, nullptr, 0), 0);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].caption, "Error");

  EXPECT_EQ(p_.exit(), 1);
  EXPECT_EQ(platform::globalFindAtom("tabauth"), 0);
  platform::freeLibrary(interface);
  platform::freeLibrary(strings);
}

TEST_F(PluginLibrary, RegistersItsOwnFullFileName) {
  TempRegistry registry;
  ASSERT_EQ(p_.registerServer(), 1);
  const std::string own = platform::moduleFileName(module_);
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(own.substr(own.rfind('/') + 1), "tabauth.so");
  for (int version = 15; version <= 18; ++version) {
    EXPECT_EQ(registry.get(platform::RegistryRoot::LocalMachine, host::pluginListKey(version), "DLL1"),
              own);
  }
  // Registering again rewrites the same slot.
  ASSERT_EQ(p_.registerServer(), 1);
  EXPECT_EQ(registry.get(platform::RegistryRoot::LocalMachine, host::pluginListKey(15), "DLL2"),
            "<missing>");
  EXPECT_EQ(p_.unregisterServer(), 1);
  EXPECT_EQ(registry.get(platform::RegistryRoot::LocalMachine, host::pluginListKey(15), "DLL1"),
            "<missing>");
}

}  // namespace
