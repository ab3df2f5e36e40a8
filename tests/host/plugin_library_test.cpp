// The built plug-in, loaded as the host loads it, when an exception meets one
// of its exports: the host sees a message and the export's failure value, and
// goes on running. The command's first message box is the main dialog's
// report that the test installation has no database. (The staged host's end-to-end tests run the exports'
// ordinary paths; plugin_exports_only_its_ten_functions checks the list.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>

#include "db/sqlite_exception.h"
#include "tests/host/fixtures.h"

namespace {

using host_test::kInstallKey;
using host_test::ScopedAtom;
using host_test::TempRegistry;
using host_test::tokenBlock;

// Records every message box; throws the armed exception from the first one.
// Unarmed, it acts as a host that closes the main dialog once it runs (the
// plug-in made a QApplication for the call, this test host being no Qt
// program).
class ThrowingBoxes : public platform::MessageBoxHandler {
 public:
  int show(const platform::MessageBoxRequest& request) override {
    shown.push_back(request);
    if (armed) std::exchange(armed, nullptr)();
    if (qApp != nullptr) {
      QTimer::singleShot(0, qApp, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
      });
    }
    return platform::kIdOk;
  }
  std::function<void()> armed;
  std::vector<platform::MessageBoxRequest> shown;
};

class PluginLibrary : public testing::Test {
 protected:
  void SetUp() override {
    module_ = platform::loadLibrary(LEXORDA_PLUGIN_FILE);
    ASSERT_NE(module_, nullptr) << LEXORDA_PLUGIN_FILE;
    previous_ = platform::setMessageBoxHandler(&boxes_);
  }
  void TearDown() override {
    platform::setMessageBoxHandler(previous_);
    for (platform::Module module : {interface_, strings_, module_}) platform::freeLibrary(module);
  }
  template <typename Fn>
  Fn* get(const char* name) {
    auto fn = reinterpret_cast<Fn*>(platform::procAddress(module_, name));
    EXPECT_NE(fn, nullptr) << name;
    return fn;
  }
  // TPHVersion, TPHCompatibility and TPHEntry for a Quillon 17.0; returns the
  // id the host gave the plug-in's command.
  std::uint16_t acceptHost(platform::Atom hostAtom) {
    EXPECT_EQ(get<int()>("TPHVersion")(), 1);
    EXPECT_EQ(get<int(std::uint32_t, std::uint16_t)>("TPHCompatibility")(hostAtom, 17), 1);
    EXPECT_EQ(get<int(std::uint32_t)>("TPHEntry")(0), 1);
    interface_ = platform::loadLibrary(host_test::hostFolder() + "hostifc170.so");
    strings_ = platform::loadLibrary(host_test::hostFolder() + "hoststr17.so");
    auto toHost = reinterpret_cast<void (*)(const char*, std::uint16_t*)>(
        platform::procAddress(strings_, "AnsiToHostString"));
    auto idOf = reinterpret_cast<std::uint32_t (*)(std::uint32_t, const std::uint16_t*)>(
        platform::procAddress(interface_, "GetDynamicCommandId"));
    std::array<std::uint16_t, 32> name{};
    toHost("Velmor TOA", name.data());
    return static_cast<std::uint16_t>(idOf(hostAtom, name.data()));
  }
  int handleToken(std::uint16_t id) {
    auto block = tokenBlock(id);
    void* blockPointer = block.data();
    return get<int(void* const*, platform::WindowHandle, std::uint32_t)>("TPHHandleToken")(&blockPointer, nullptr, 0);
  }

  platform::Module module_ = nullptr;
  platform::Module interface_ = nullptr;
  platform::Module strings_ = nullptr;
  ThrowingBoxes boxes_;
  platform::MessageBoxHandler* previous_ = nullptr;
};

TEST_F(PluginLibrary, ExportsWithoutAnExceptionAnswerAsBefore) {
  host_test::TempRegistry registry;
  EXPECT_EQ(get<int()>("TPHTimeStamp")(), 0);
  EXPECT_EQ(get<int(const char*)>("TPHMultipleInstance")("any text"), 1);
  EXPECT_EQ(get<std::uint32_t(const void*, std::uint32_t)>("TPHValidateToken")(tokenBlock(1).data(), 0), 0u);
  EXPECT_EQ(get<int()>("DllRegisterServer")(), 1);
  const std::string own = platform::moduleFileName(module_);
  EXPECT_EQ(registry.get(platform::RegistryRoot::LocalMachine, "Software\\Velmor\\Quillon\\15\\Third Party", "DLL1"),
            own) << "its own full file name";
  EXPECT_EQ(get<int()>("DllUnregisterServer")(), 1);
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(PluginLibrary, AnExceptionInACommandIsShownAndTheHostGoesOn) {
  ScopedAtom hostAtom("Quillon");
  const std::uint16_t id = acceptHost(hostAtom.atom);
  TempRegistry registry;
  registry.set(platform::RegistryRoot::LocalMachine, kInstallKey, "installPath", "/opt/lexorda/");
  const std::string head = "The Table of Authorities tool stopped TPHHandleToken after an unexpected error:\n";
  // The command's first message box fails with each kind of exception.
  const struct { const char* name; std::function<void()> thrown; std::string detail; } rows[] = {
      {"standard exception", [] { throw std::runtime_error("no window for the dialog"); }, "no window for the dialog"},
      {"database exception", [] { throw db::CppSQLite3Exception(5, "database is locked", false); },
       "SQLITE_BUSY[5]: database is locked"},
      {"anything else", [] { throw 42; }, "unknown error"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.shown.clear();
    boxes_.armed = row.thrown;
    EXPECT_EQ(handleToken(id), 0) << "the export's failure value";
    ASSERT_EQ(boxes_.shown.size(), 2u);
    EXPECT_EQ(boxes_.shown[1].text, head + row.detail);
    EXPECT_EQ(boxes_.shown[1].caption, "Lexorda");
    EXPECT_EQ(boxes_.shown[1].flags, platform::kMbOk | platform::kMbIconError);
  }
  boxes_.shown.clear();
  EXPECT_EQ(handleToken(id), 0);
  EXPECT_EQ(boxes_.shown.size(), 1u) << "the next command runs as usual";
  EXPECT_EQ(get<int()>("TPHExit")(), 1);
}

}  // namespace
