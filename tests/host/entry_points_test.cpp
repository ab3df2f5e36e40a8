// The host's calls into the plug-in, in process: accepting a host, tokens for
// the command and for the command-bar announcement, and the messages shown
// when the installation cannot be found.
#include <gtest/gtest.h>

#include <vector>

#include "db/connection.h"
#include "host/entry_points.h"
#include "host/host_library.h"
#include "host/main_dialog_launch.h"
#include "host/process_values.h"
#include "tests/host/fixtures.h"

// host_core leaves the main dialog to the plug-in's windows module; here the
// command entry's dialog only counts how often it was asked for.
namespace {
int mainDialogRuns = 0;
}  // namespace
namespace host {
void runMainDialog() { ++mainDialogRuns; }
}  // namespace host

namespace {

using host_test::kInstallKey;
using host_test::ScopedAtom;
using host_test::TempRegistry;
using host_test::tokenBlock;

constexpr std::uint16_t kOurId = 0x9C41;

int handle(std::array<std::uint8_t, 64> block, platform::WindowHandle window = nullptr) {
  void* blockPointer = block.data();
  return host::handleToken(&blockPointer, window);
}

class EntryPoints : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::setMessageBoxHandler(&boxes_);
    host::processValues() = {};
    host::processValues().registrationId = kOurId;
    db::setDatabasePath("");
    mainDialogRuns = 0;
  }
  void TearDown() override {
    platform::setMessageBoxHandler(previous_);
    host::exitPlugin();
  }
  platform::ScriptedMessageBoxHandler boxes_;
  platform::MessageBoxHandler* previous_ = nullptr;
};

TEST_F(EntryPoints, CompatibilityChecksVersionAndHostNameAndRegisters) {
  const struct { const char* name; const char* atomName; std::uint16_t version; int accepted; bool registered; } rows[] = {
      {"major 14 refused", "Quillon", 14, 0, false},
      {"major 15 accepted", "Quillon", 15, 1, true},
      {"the minor byte only picks a file name", "Quillon", 17 | (1 << 8), 1, true},
      {"host name in other letter case", "QUILLON", 17, 1, true},
      {"another host's atom", "Scribbler", 17, 0, false},
      // Host 17.3's interface library refuses every command descriptor.
      {"failed registration still accepts the host", "Quillon", 17 | (3 << 8), 1, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    host::processValues() = {};
    ScopedAtom atom(row.atomName);
    // Only the low 16 bits of the atom argument count.
    EXPECT_EQ(host::compatibility(0xABCD0000u | atom.atom, row.version), row.accepted);
    EXPECT_EQ(host::processValues().hostAtom, row.accepted ? atom.atom : 0);
    EXPECT_EQ(row.accepted && host::processValues().registrationId != 0xD408, row.registered);
    host::exitPlugin();
  }
}

// The command token reads installPath and joins each file name to it as it
// stands; without one it shows why, with no owner and no dialog.
TEST_F(EntryPoints, CommandTokenFindsTheInstallationOrSaysWhy) {
  const std::string noKey =
      "Could not determine installation location. Please re-install the Table of Authorities application.";
  const std::string noPath =
      "Could not locate TOA database location from registry. Please re-install the Table of Authorities "
      "application.";
  // valueName null: no installation key at all. message "": none, the paths are set.
  const struct { const char* name; const char* valueName; std::string value, message, database, guide; } rows[] = {
      {"no installation key", nullptr, "", noKey, "", ""},
      {"the key without installPath", "otherValue", "x", noPath, "", ""},
      {"installPath too long for its 500-byte buffer", "installPath", std::string(500, 'a'), noPath, "", ""},
      {"trailing separator", "installPath", "/opt/lexorda/", "", "/opt/lexorda/tabauth3.db",
       "/opt/lexorda/LexordaUserGuide.pdf"},
      {"no trailing separator: nothing is inserted", "installPath", "/opt/lexorda", "", "/opt/lexordatabauth3.db",
       "/opt/lexordaLexordaUserGuide.pdf"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempRegistry registry;
    if (row.valueName) registry.set(platform::RegistryRoot::LocalMachine, kInstallKey, row.valueName, row.value);
    boxes_ = platform::ScriptedMessageBoxHandler();
    mainDialogRuns = 0;
    int window = 0;
    const auto hostWindow = reinterpret_cast<platform::WindowHandle>(&window);
    EXPECT_EQ(handle(tokenBlock(kOurId), hostWindow), 0);
    const host::ProcessValues& values = host::processValues();
    EXPECT_EQ(values.hostWindow, hostWindow);
    EXPECT_EQ(db::databasePath(), row.database);
    EXPECT_EQ(values.userGuidePath, row.guide);
    EXPECT_EQ(values.legalNoticePath, row.message.empty() ? row.value + "Legal.txt" : "");
    EXPECT_EQ(values.licenceTextPath, row.message.empty() ? row.value + "license.rtf" : "");
    EXPECT_EQ(mainDialogRuns, row.message.empty() ? 1 : 0) << "the dialog runs once the paths are known";
    if (row.message.empty()) continue;
    ASSERT_EQ(boxes_.shown().size(), 1u) << "the message only: no dialog";
    const platform::MessageBoxRequest& box = boxes_.shown()[0];
    EXPECT_EQ(std::tie(box.text, box.caption), std::make_tuple(row.message, std::string("Error")));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.flags & platform::kMbIconMask, platform::kMbIconError);
  }
}

TEST_F(EntryPoints, OtherTokensAreIgnoredButStillSetTheHostWindow) {
  int window = 0;
  EXPECT_EQ(handle(tokenBlock(0x1234), reinterpret_cast<platform::WindowHandle>(&window)), 0);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(mainDialogRuns, 0);
  EXPECT_EQ(host::processValues().hostWindow, reinterpret_cast<platform::WindowHandle>(&window));
  void* nothing = nullptr;
  EXPECT_EQ(host::handleToken(&nothing, nullptr), 0);
  EXPECT_EQ(host::handleToken(nullptr, nullptr), 0);
  EXPECT_EQ(host::validateToken(nullptr), 0u);
}

// The command bar answers 0x60C with the command's position, 0xFFFF while the
// command is not on it, and records every message as "message:wparam:lparam".
class CommandBarAnnouncement : public EntryPoints {
 protected:
  void SetUp() override {
    EntryPoints::SetUp();
    ASSERT_TRUE(host::hostLibraries().bind(17, 0));
  }
  void TearDown() override {
    platform::destroyWindow(bar_);
    EntryPoints::TearDown();
  }

  void announce(const char* hostName, std::uint32_t barStyle = 0) {
    using SetStyle = void (*)(platform::WindowHandle, std::uint32_t);
    auto setStyle = reinterpret_cast<SetStyle>(
        platform::procAddress(host::hostLibraries().interfaceLibrary(), "SetCommandBarStyle"));
    ASSERT_NE(setStyle, nullptr);
    setStyle(bar_, barStyle);
    std::array<host::HostChar, 32> name{};
    host::hostLibraries().functions().ansiToHostString(hostName, name.data());
    std::array<std::uint8_t, 2 + 2 * sizeof(void*)> record{};
    const host::HostChar* namePointer = name.data();
    std::memcpy(record.data() + 2, &namePointer, sizeof namePointer);
    std::memcpy(record.data() + 2 + sizeof(void*), &bar_, sizeof bar_);
    EXPECT_EQ(handle(tokenBlock(0xEF0A, record.data())), 0);
  }

  bool onBar_ = false;
  std::vector<std::string> messages_;
  platform::WindowHandle bar_ = platform::createWindow([this](auto, std::uint32_t message, auto wparam, auto lparam) {
    messages_.push_back(std::to_string(message) + ":" + std::to_string(wparam) + ":" + std::to_string(lparam));
    if (message == 0x60C) return onBar_ ? std::intptr_t{3} : std::intptr_t{0xFFFF};
    onBar_ = onBar_ || message == 0x50A;
    return std::intptr_t{0};
  });
};

TEST_F(CommandBarAnnouncement, PutsTheCommandOnTheBarOnce) {
  announce("Scribbler");  // another host's bar is left alone
  announce("Quillon", 8);  // so is a bar with style flag 8
  EXPECT_TRUE(messages_.empty());
  announce("quillon");
  EXPECT_EQ(messages_, (std::vector<std::string>{"1548:40001:0", "1290:40001:393217"}));
  announce("Quillon");
  EXPECT_EQ(messages_.size(), 3u) << "already on the bar: only the query";
}

}  // namespace
