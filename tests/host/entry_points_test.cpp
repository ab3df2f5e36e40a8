// The host's calls into the plug-in, in process: accepting a host, the plug-in
// atom, tokens for the command and for the command-bar announcement, and the
// messages shown when the installation cannot be found.
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "db/connection.h"
#include "host/entry_points.h"
#include "host/host_library.h"
#include "host/process_values.h"
#include "tests/host/fixtures.h"

namespace {

using host_test::ScopedAtom;
using host_test::TempRegistry;

// A token block as the host builds it: command id at 18, parameter 0's value
// (a full pointer) at 40.
std::array<std::uint8_t, 64> tokenBlock(std::uint16_t id, const void* parameter0 = nullptr) {
  std::array<std::uint8_t, 64> block{};
  std::memcpy(block.data() + 18, &id, sizeof id);
  std::memcpy(block.data() + 40, &parameter0, sizeof parameter0);
  return block;
}

int handle(std::array<std::uint8_t, 64>& block, platform::WindowHandle window = nullptr) {
  void* blockPointer = block.data();
  return host::handleToken(&blockPointer, window);
}

class EntryPoints : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::setMessageBoxHandler(&boxes_);
    host::processValues() = {};
    db::setDatabasePath("");
  }
  void TearDown() override {
    platform::setMessageBoxHandler(previous_);
    host::exitPlugin();
  }
  platform::ScriptedMessageBoxHandler boxes_;
  platform::MessageBoxHandler* previous_ = nullptr;
};

TEST_F(EntryPoints, CompatibilityChecksVersionAndHostName) {
  struct Row {
    const char* name;
    const char* atomName;
    std::uint16_t version;
    int expected;
  } rows[] = {
      {"major 14 refused", "Quillon", 14, 0},
      {"major 15 accepted", "Quillon", 15, 1},
      {"minor byte only picks a file name", "Quillon", 17 | (1 << 8), 1},
      {"host name in other letter case", "QUILLON", 17, 1},
      {"another host's atom", "Scribbler", 17, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host::processValues() = {};
    ScopedAtom atom(row.atomName);
    EXPECT_EQ(host::compatibility(atom.atom(), row.version), row.expected);
    EXPECT_EQ(host::processValues().hostAtom, row.expected ? atom.atom() : 0);
    host::exitPlugin();
  }
}

TEST_F(EntryPoints, CompatibilityRegistersTheCommandUnderTheHostAtom) {
  ScopedAtom atom("Quillon");
  // Only the low 16 bits of the atom argument count.
  ASSERT_EQ(host::compatibility(0xABCD0000u | atom.atom(), 17), 1);
  const host::HostFunctions& f = host::hostLibraries().functions();
  std::array<host::HostChar, 64> name{};
  f.ansiToHostString("Velmor TOA", name.data());
  const std::uint32_t id = f.getDynamicCommandId(atom.atom(), name.data());
  EXPECT_NE(id & 0xFFFF, 0xD408u);
  EXPECT_EQ(host::processValues().registrationId, id & 0xFFFF);
}

TEST_F(EntryPoints, FailedRegistrationStillAcceptsTheHost) {
  ScopedAtom atom("Quillon");
  // Host 17.3's interface library refuses to create command descriptors.
  EXPECT_EQ(host::compatibility(atom.atom(), 17 | (3 << 8)), 1);
  EXPECT_EQ(host::processValues().registrationId, 0xD408);
}

TEST_F(EntryPoints, EntryAddsAndExitDeletesThePluginAtom) {
  EXPECT_EQ(platform::globalFindAtom("tabauth"), 0);
  EXPECT_EQ(host::entry(), 1);
  const platform::Atom atom = host::processValues().pluginAtom;
  EXPECT_NE(atom, 0);
  EXPECT_EQ(platform::globalFindAtom("TABAUTH"), atom);
  EXPECT_EQ(host::exitPlugin(), 1);
  EXPECT_EQ(platform::globalFindAtom("tabauth"), 0);
}

TEST_F(EntryPoints, ValidateTokenAcceptsOnlyTheRegistrationId) {
  host::processValues().registrationId = 0x9C41;
  auto ours = tokenBlock(0x9C41);
  auto other = tokenBlock(0x9C42);
  EXPECT_EQ(host::validateToken(ours.data()), 0x00010001u);
  EXPECT_EQ(host::validateToken(other.data()), 0u);
  EXPECT_EQ(host::validateToken(nullptr), 0u);
}

constexpr const char* kInstallKey = "Software\\Velmor\\Lexorda\\1.0";

TEST_F(EntryPoints, MissingInstallationKeyShowsItsMessageAndNoDialog) {
  TempRegistry registry;
  host::processValues().registrationId = 0x9C41;
  auto token = tokenBlock(0x9C41);
  EXPECT_EQ(handle(token), 0);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  const platform::MessageBoxRequest& box = boxes_.shown()[0];
  EXPECT_EQ(box.text,
            "Could not determine installation location. Please re-install the Table of "
            "Authorities application.");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.flags & platform::kMbIconMask, platform::kMbIconError);
  EXPECT_TRUE(db::databasePath().empty());
}

TEST_F(EntryPoints, MissingInstallPathShowsItsMessageAndNoDialog) {
  TempRegistry registry;
  registry.set(platform::RegistryRoot::LocalMachine, kInstallKey, "otherValue", "x");
  host::processValues().registrationId = 0x9C41;
  auto token = tokenBlock(0x9C41);
  EXPECT_EQ(handle(token), 0);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text,
            "Could not locate TOA database location from registry. Please re-install the Table of "
            "Authorities application.");
  EXPECT_EQ(boxes_.shown()[0].caption, "Error");
  EXPECT_EQ(boxes_.shown()[0].owner, nullptr);
}

TEST_F(EntryPoints, InstallPathTooLongForItsBufferIsTreatedAsMissing) {
  TempRegistry registry;
  registry.set(platform::RegistryRoot::LocalMachine, kInstallKey, "installPath",
               std::string(500, 'a'));
  host::processValues().registrationId = 0x9C41;
  auto token = tokenBlock(0x9C41);
  handle(token);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].caption, "Error");
}

TEST_F(EntryPoints, CommandTokenBuildsThePathsByPlainConcatenation) {
  struct Row {
    const char* name;
    const char* installPath;
    const char* database;
    const char* guide;
  } rows[] = {
      {"trailing separator", "/opt/lexorda/", "/opt/lexorda/tabauth3.db",
       "/opt/lexorda/LexordaUserGuide.pdf"},
      {"no trailing separator: nothing is inserted", "/opt/lexorda", "/opt/lexordatabauth3.db",
       "/opt/lexordaLexordaUserGuide.pdf"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempRegistry registry;
    registry.set(platform::RegistryRoot::LocalMachine, kInstallKey, "installPath",
                 row.installPath);
    int window = 0;
    const auto hostWindow = reinterpret_cast<platform::WindowHandle>(&window);
    host::processValues().registrationId = 0x9C41;
    auto token = tokenBlock(0x9C41);
    EXPECT_EQ(handle(token, hostWindow), 0);
    const host::ProcessValues& values = host::processValues();
    EXPECT_EQ(values.hostWindow, hostWindow);
    EXPECT_EQ(db::databasePath(), row.database);
    EXPECT_EQ(values.userGuidePath, row.guide);
    EXPECT_EQ(values.legalNoticePath, std::string(row.installPath) + "Legal.txt");
    EXPECT_EQ(values.licenceTextPath, std::string(row.installPath) + "license.rtf");
  }
}

TEST_F(EntryPoints, UnknownTokenIsIgnoredButStillSetsTheHostWindow) {
  TempRegistry registry;
  host::processValues().registrationId = 0x9C41;
  int window = 0;
  auto token = tokenBlock(0x1234);
  EXPECT_EQ(handle(token, reinterpret_cast<platform::WindowHandle>(&window)), 0);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(host::processValues().hostWindow, reinterpret_cast<platform::WindowHandle>(&window));
  void* nothing = nullptr;
  EXPECT_EQ(host::handleToken(&nothing, nullptr), 0);
  EXPECT_EQ(host::handleToken(nullptr, nullptr), 0);
}

// The command bar answers 0x60C with the command's position, 0xFFFF while the
// command is not on it, and records every message.
class CommandBarAnnouncement : public EntryPoints {
 protected:
  void SetUp() override {
    EntryPoints::SetUp();
    ASSERT_TRUE(host::hostLibraries().bind(17, 0));
    host::processValues().registrationId = 0x9C41;
    bar_ = platform::createWindow([this](platform::WindowHandle, std::uint32_t message,
                                         std::uintptr_t wparam, std::intptr_t lparam) {
      messages_.push_back({message, wparam, lparam});
      if (message == 0x60C) return onBar_ ? std::intptr_t{3} : std::intptr_t{0xFFFF};
      if (message == 0x50A) onBar_ = true;
      return std::intptr_t{0};
    });
  }
  void TearDown() override {
    platform::destroyWindow(bar_);
    EntryPoints::TearDown();
  }

  void announce(const char* hostName) {
    std::array<host::HostChar, 32> name{};
    host::hostLibraries().functions().ansiToHostString(hostName, name.data());
    std::array<std::uint8_t, 2 + 2 * sizeof(void*)> record{};
    const host::HostChar* namePointer = name.data();
    std::memcpy(record.data() + 2, &namePointer, sizeof namePointer);
    std::memcpy(record.data() + 2 + sizeof(void*), &bar_, sizeof bar_);
    auto token = tokenBlock(0xEF0A, record.data());
    EXPECT_EQ(handle(token), 0);
  }

  void setBarStyle(std::uint32_t style) {
    using SetStyle = void (*)(platform::WindowHandle, std::uint32_t);
    auto set = reinterpret_cast<SetStyle>(
        platform::procAddress(host::hostLibraries().interfaceLibrary(), "SetCommandBarStyle"));
    ASSERT_NE(set, nullptr);
    set(bar_, style);
  }

  struct Message {
    std::uint32_t message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
  };
  platform::WindowHandle bar_ = nullptr;
  bool onBar_ = false;
  std::vector<Message> messages_;
};

TEST_F(CommandBarAnnouncement, PutsTheCommandOnTheBarOnce) {
  announce("quillon");
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0].message, 0x60Cu);
  EXPECT_EQ(messages_[0].wparam, 0x9C41u);
  EXPECT_EQ(messages_[0].lparam, 0);
  EXPECT_EQ(messages_[1].message, 0x50Au);
  EXPECT_EQ(messages_[1].wparam, 0x9C41u);
  EXPECT_EQ(messages_[1].lparam, 0x00060001);

  messages_.clear();
  announce("Quillon");
  ASSERT_EQ(messages_.size(), 1u) << "already on the bar: only the query";
  EXPECT_EQ(messages_[0].message, 0x60Cu);
}

TEST_F(CommandBarAnnouncement, AnotherHostNameIsIgnored) {
  announce("Scribbler");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(CommandBarAnnouncement, BarWithStyleFlag8IsLeftAlone) {
  setBarStyle(8);
  announce("Quillon");
  EXPECT_TRUE(messages_.empty());
  setBarStyle(0);
}

}  // namespace
